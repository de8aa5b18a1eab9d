// The modeless formula input dialog "数式入力": choose the form, type and register formulas,
// see and edit their variables, draw or evaluate them; and its division-count dialog.
#pragma once

#include <memory>
#include <string>

#include "platform/dialog.h"

enum : int {
    IDC_OK_BUTTON = 2400,
    IDC_FORM_EXPLICIT = 2040,
    IDC_FORM_PARAM = 2050,
    IDC_FORM_IMPLICIT = 2052,
    IDC_FORM_POLAR = 2055,
    IDC_DELETE_BUTTON = 2100,
    IDC_COPY_BUTTON = 2110,
    IDC_DIVISIONS_BUTTON = 2115,
    IDC_CLEAR_BUTTON = 2080,
    IDC_REGISTER_BUTTON = 2090,
    IDC_KEY_0 = 2120,
    IDC_KEY_LAST = 2310,
    IDC_DIVISIONS_FREE = 3200,
    IDC_DIVISIONS_DPND = 3210,
};

const DialogTemplate& Input_Dialog_Template();
const DialogTemplate& Iovvr_Dialog_Template();

// Makes the dialog (hidden) and sets g_mhDlg; 1 when it was made.
int Create_ModlsDialog(HINSTANCE hInst, HWND hWnd);
// The dialog made by Create_ModlsDialog (null before); destroyed with Destroy_ModlsDialog.
DialogControls* Input_Dialog();
void Destroy_ModlsDialog();

INT_PTR InFrmDlgProc(DialogControls* hdwnd, UINT d_message, WPARAM wParam, LPARAM lParam);
void Initialize_Dialog(DialogControls* hdwnd);
void Initialize_ListView(DialogControls* hdwnd);
int Handle_Dialog_Command(DialogControls* hdwnd, WPARAM wParam);
int Handle_Of_Result(DialogControls* hdwnd, int sel_item);
// Why the division-count dialog refuses a count.
inline constexpr char DIVISIONS_RANGE_MESSAGE[] =
    "分割数は1から1000000までの整数で入力してください";

int ShowResult_Graph(DialogControls* hdwnd, class MathForm* the_target, const char* grp_name);
int ShowResult_Calc(DialogControls* hdwnd, class MathForm* the_target);
int RegistFrm_ToLBox(DialogControls* hdwnd);
// The first entry with this text whose formula is of the given kind, or -1.
int IsSameLett_InListBox(DialogControls* hdwnd, const char* formula_lett, int expr_kind);
int Del_RegistFrm(DialogControls* hdwnd);
int TransfFrm_ToLBox(DialogControls* hdwnd);
int Change_LBoxSelect(DialogControls* hdwnd, int notyfy_mess);
int Change_VNameEdit(DialogControls* hdwnd);
void Clear_EditCtrl(DialogControls* hdwnd, int edit_id);
void PutFunction_ToEdit(DialogControls* hdwnd, const char* fn_name, int focus_pt);
void PutNumber_ToEdit(DialogControls* hdwnd, int l_word);
int Handle_Of_ListView(DialogControls* hdwnd, const NMLVDISPINFO* lv_dispinfo);
int Handle_Of_DiglClose(DialogControls* hdwnd);
int Hide_Dialog(DialogControls* hdwnd);
int NoFocus_Dialog(DialogControls* hdwnd);

int SetVariable_Div(DialogControls* hdlg);
INT_PTR IovvrDlgProc(DialogControls* hdlg, UINT messg, WPARAM wParam, LPARAM lParam);
bool LongTo_EditBox(DialogControls* h_dlg, int edit_ID, long target_num);
int Long_FromEditBox(DialogControls* h_dlg, int edit_ID, long* num_of_edbx);
