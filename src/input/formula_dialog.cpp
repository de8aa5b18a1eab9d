#include "input/formula_dialog.h"

#include <cstring>
#include <new>
#include <vector>

#include "formula/formula_input.h"
#include "formula/number_text.h"
#include "formula/usr_func.h"
#include "input/registration.h"
#include "kinds/math_form.h"
#include "kinds/samplers.h"
#include "platform/message_box.h"
#include "platform/window.h"

namespace {

std::unique_ptr<DialogControls> input_dialog;

// The division-count dialog's formula.
MathForm* the_target = nullptr;
bool target_implicit = false;

struct Key {
    int id;
    const char* caption;
    int x;
    int y;
    const char* text;
    int back;
};

constexpr Key kKeys[] = {
    {2130, ".", 58, 225, ".", 0},
    {2140, "+", 18, 165, "+", 0},
    {2150, "-", 38, 165, "-", 0},
    {2160, "/", 58, 165, "/", 0},
    {2170, "*", 78, 165, "*", 0},
    {2180, "^", 98, 165, "^", 0},
    {2190, "sin", 78, 210, "sin( )", 1},
    {2200, "cos", 78, 195, "cos( )", 1},
    {2210, "tan", 78, 225, "tan( )", 1},
    {2220, "exp", 78, 180, "exp( )", 1},
    {2230, "log", 98, 195, "log( , )", 3},
    {2240, "ln", 98, 180, "ln( )", 1},
    {2250, "(", 98, 210, "(", 0},
    {2260, ")", 98, 225, ")", 0},
    {2270, "Σ", 118, 165, "sigma[ n( , ), n]", 9},
    {2280, "abs", 118, 180, "abs( )", 1},
    {2290, "√", 118, 195, "sqrt( )", 1},
    {2300, ",", 118, 210, " , ", 0},
    {2310, "媒", 118, 225, "x = : y = ", 6},
};

DialogTemplate Make_Input_Template() {
    using K = ControlKind;
    DialogTemplate dialog;
    dialog.name = "INPUTDIALOG";
    dialog.caption = "数式入力";
    dialog.cx = 290;
    dialog.cy = 249;
    dialog.controls = {
        {K::PushButton, IDC_OK_BUTTON, "OK", 166, 220, 50, 14},
        {K::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 223, 220, 50, 14},
        {K::Static, IDC_STATIC, "入力形式を選択してください", 14, 5, 120, 8},
        {K::RadioButton, IDC_FORM_EXPLICIT, "陽関数表示", 21, 15, 50, 10, CS_GROUP},
        {K::RadioButton, IDC_FORM_PARAM, "媒介変数表示", 21, 29, 56, 10},
        {K::RadioButton, IDC_FORM_IMPLICIT, "陰関数表示", 90, 15, 50, 10},
        {K::RadioButton, IDC_FORM_POLAR, "極座標表示", 90, 29, 55, 10},
        {K::Static, IDC_STATIC, "登録式一覧", 164, 5, 120, 8},
        {K::ListBox, IDC_LIST_BOX, "", 164, 15, 99, 40},
        {K::PushButton, IDC_DELETE_BUTTON, "消去", 164, 60, 30, 14},
        {K::PushButton, IDC_COPY_BUTTON, "式設定", 200, 60, 35, 14},
        {K::PushButton, IDC_DIVISIONS_BUTTON, "分割数", 240, 60, 35, 14},
        {K::Static, IDC_STATIC, "数式を入力してください", 11, 55, 120, 8},
        {K::Edit, IDC_FORMULA_BOX, "", 15, 65, 131, 62, CS_MULTILINE},
        {K::ListView, IDC_VAR_LIST, "", 162, 80, 103, 66},
        {K::GroupBox, IDC_STATIC, "", 158, 149, 131, 65},
        {K::Static, IDC_STATIC, "可変変数名", 162, 155, 35, 8},
        {K::Static, IDC_STATIC, "最小値", 205, 155, 23, 8},
        {K::Static, IDC_STATIC, "最大値", 245, 155, 23, 8},
        {K::Edit, IDC_VAR_NAME, "", 162, 165, 32, 14},
        {K::Edit, IDC_VAR_MIN, "", 205, 165, 36, 14},
        {K::Edit, IDC_VAR_MAX, "", 245, 165, 36, 14},
        {K::Static, IDC_STATIC, "従属変数", 163, 185, 35, 8},
        {K::Static, IDC_STATIC, "最小値", 204, 185, 23, 8},
        {K::Static, IDC_STATIC, "最大値", 244, 185, 23, 8},
        {K::Edit, IDC_DPND_NAME, "", 165, 195, 32, 14},
        {K::Edit, IDC_DPND_MIN, "", 205, 195, 36, 14},
        {K::Edit, IDC_DPND_MAX, "", 246, 195, 36, 14},
        {K::PushButton, IDC_CLEAR_BUTTON, "クリヤ", 15, 134, 50, 14},
        {K::PushButton, IDC_REGISTER_BUTTON, "登録", 76, 134, 50, 14},
    };
    // Digit keys: "0" under the others, then three rows of three.
    dialog.controls.push_back({K::PushButton, IDC_KEY_0, "0", 18, 225, 38, 14});
    for (int digit = 1; digit <= 9; ++digit) {
        const int row = (digit - 1) / 3;
        const int column = (digit - 1) % 3;
        dialog.controls.push_back({K::PushButton, IDC_KEY_0 + digit, std::to_string(digit),
                                   18 + 20 * column, 210 - 15 * row, 17, 14});
    }
    for (const Key& key : kKeys) {
        dialog.controls.push_back({K::PushButton, key.id, key.caption, key.x, key.y, 17, 14,
                                   key.id == 2310 ? CS_NOTABSTOP : 0u});
    }
    return dialog;
}

DialogTemplate Make_Iovvr_Template() {
    using K = ControlKind;
    DialogTemplate dialog;
    dialog.name = "IOVVRDLG";
    dialog.caption = "変数の分割数";
    dialog.cx = 154;
    dialog.cy = 97;
    dialog.controls = {
        {K::GroupBox, IDC_STATIC, "", 6, 3, 135, 59},
        {K::Static, IDC_STATIC, "独立(媒介・角度)変数", 15, 20, 72, 8},
        {K::Edit, IDC_DIVISIONS_FREE, "", 89, 18, 41, 14},
        {K::Static, IDC_STATIC, "従属変数", 15, 43, 72, 8},
        {K::Edit, IDC_DIVISIONS_DPND, "", 89, 43, 42, 14},
        {K::DefPushButton, IDOK, "OK", 16, 71, 50, 14},
        {K::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 74, 71, 50, 14},
    };
    return dialog;
}

void Bring_Main_To_Top() {
    if (g_hWnd != nullptr) g_hWnd->BringToTop();
}

int Checked_Form(DialogControls* hdwnd) {
    if (hdwnd->IsDlgButtonChecked(IDC_FORM_EXPLICIT) == BST_CHECKED) return EXPR_EXPLICIT;
    if (hdwnd->IsDlgButtonChecked(IDC_FORM_PARAM) == BST_CHECKED) return EXPR_PARAMETRIC;
    if (hdwnd->IsDlgButtonChecked(IDC_FORM_IMPLICIT) == BST_CHECKED) return EXPR_IMPLICIT;
    return EXPR_POLAR;
}

}  // namespace

const DialogTemplate& Input_Dialog_Template() {
    static const DialogTemplate dialog = Make_Input_Template();
    return dialog;
}

const DialogTemplate& Iovvr_Dialog_Template() {
    static const DialogTemplate dialog = Make_Iovvr_Template();
    return dialog;
}

int Create_ModlsDialog(HINSTANCE hInst, HWND hWnd) {
    input_dialog = CreateDialogParamA(hInst, Input_Dialog_Template(), hWnd, InFrmDlgProc, 0);
    g_mhDlg = input_dialog ? input_dialog->Handle() : nullptr;
    return input_dialog ? 1 : 0;
}

DialogControls* Input_Dialog() { return input_dialog.get(); }

void Destroy_ModlsDialog() {
    input_dialog.reset();
    g_mhDlg = nullptr;
}

INT_PTR InFrmDlgProc(DialogControls* hdwnd, UINT d_message, WPARAM wParam, LPARAM lParam) {
    switch (d_message) {
        case WM_INITDIALOG: Initialize_Dialog(hdwnd); return 1;
        case WM_COMMAND: return Handle_Dialog_Command(hdwnd, wParam);
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header != nullptr && header->idFrom == IDC_VAR_LIST) {
                Handle_Of_ListView(hdwnd, reinterpret_cast<const NMLVDISPINFO*>(lParam));
            }
            return 1;
        }
        case WM_CLOSE: Handle_Of_DiglClose(hdwnd); return 1;
        default: return 0;
    }
}

void Initialize_Dialog(DialogControls* hdwnd) {
    Initialize_ListView(hdwnd);
    hdwnd->CheckRadioButton(IDC_FORM_EXPLICIT, IDC_FORM_POLAR, IDC_FORM_EXPLICIT);
    Forget_WrittenBoxes();
}

void Initialize_ListView(DialogControls* hdwnd) {
    hdwnd->ListView_InsertColumn(IDC_VAR_LIST, 0, "値", 70, ColumnAlign::Left);
    hdwnd->ListView_InsertColumn(IDC_VAR_LIST, 1, "変数名", 100, ColumnAlign::Center);
    hdwnd->ListView_AddExtendedStyle(
        IDC_VAR_LIST, LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_GRIDLINES);
}

int Handle_Dialog_Command(DialogControls* hdwnd, WPARAM wParam) {
    const int id = LOWORD(wParam);
    const int notification = HIWORD(wParam);
    switch (id) {
        case IDCANCEL:
            Change_VNameEdit(hdwnd);
            Hide_Dialog(hdwnd);
            return 1;
        case IDC_LIST_BOX: return Change_LBoxSelect(hdwnd, notification);
        case IDC_CLEAR_BUTTON: Clear_EditCtrl(hdwnd, IDC_FORMULA_BOX); return 1;
        case IDC_REGISTER_BUTTON: RegistFrm_ToLBox(hdwnd); return 1;
        case IDC_DELETE_BUTTON: Del_RegistFrm(hdwnd); return 1;
        case IDC_COPY_BUTTON: TransfFrm_ToLBox(hdwnd); return 1;
        case IDC_DIVISIONS_BUTTON: SetVariable_Div(hdwnd); return 1;
        case IDC_OK_BUTTON: {
            int stored = Change_VNameEdit(hdwnd);
            int result = -1;
            if (stored >= 0) result = Handle_Of_Result(hdwnd, g_selLB_item);
            if (stored < 0 || result != 2) NoFocus_Dialog(hdwnd);
            return 1;
        }
        default: break;
    }
    if (id >= IDC_KEY_0 && id <= IDC_KEY_0 + 9) {
        PutNumber_ToEdit(hdwnd, id);
        return 1;
    }
    for (const Key& key : kKeys) {
        if (key.id == id) {
            PutFunction_ToEdit(hdwnd, key.text, key.back);
            return 1;
        }
    }
    return 0;
}

int Handle_Of_Result(DialogControls* hdwnd, int sel_item) {
    if (sel_item < 0 || sel_item >= g_mathlist.PutElementNum()) {
        MessageBoxA(hdwnd->Handle(), "操作する式は存在しません", "no formula", MB_OK);
        return 0;
    }
    MathForm* form = g_mathlist[sel_item];
    int variables = 0;
    form->var_array.CountElem(&variables);
    const std::string list_text = hdwnd->ListBox_GetText(IDC_LIST_BOX, sel_item);
    if (form->expr_kind == EXPR_POLAR || variables > 0) {
        if (form->var[0] == '\0' && form->vardpnd[0] == '\0') return ShowResult_Calc(hdwnd, form);
        return ShowResult_Graph(hdwnd, form, list_text.c_str());
    }
    return ShowResult_Calc(hdwnd, form);
}

int ShowResult_Graph(DialogControls* hdwnd, MathForm* the_target, const char* grp_name) {
    // Memory running out while sampling or composing abandons this drawing only: the
    // document keeps what it had and the user's work is not lost.
    try {
        switch (the_target->expr_kind) {
            case EXPR_EXPLICIT:
                return ShowResult_Graph_Expl(hdwnd, the_target, grp_name, g_ufunc_list);
            case EXPR_IMPLICIT:
                return ShowResult_Graph_Inpl(hdwnd, the_target, grp_name, g_ufunc_list);
            case EXPR_POLAR:
                return ShowResult_Graph_Polar(hdwnd, the_target, grp_name, g_ufunc_list);
            case EXPR_PARAMETRIC:
                return ShowResult_Graph_Param(hdwnd, the_target, grp_name, g_ufunc_list);
            default: return -1;
        }
    } catch (const std::bad_alloc&) {
        MessageBoxA(hdwnd->Handle(), OUT_OF_MEMORY_MESSAGE, "memory error", MB_OK);
        return 0;
    }
}

int ShowResult_Calc(DialogControls* hdwnd, MathForm* the_target) {
    switch (the_target->expr_kind) {
        case EXPR_EXPLICIT:
        case EXPR_IMPLICIT: return ShowResult_Calc_Expl(hdwnd, the_target, g_ufunc_list);
        case EXPR_POLAR: return ShowResult_Calc_Polar(hdwnd, the_target, g_ufunc_list);
        case EXPR_PARAMETRIC: return ShowResult_Calc_Param(hdwnd, the_target, g_ufunc_list);
        default: return -2;
    }
}

int RegistFrm_ToLBox(DialogControls* hdwnd) {
    Change_VNameEdit(hdwnd);
    const std::string typed = hdwnd->GetDlgItemText(IDC_FORMULA_BOX);
    int steps = 100;
    int dpnd_steps = 100;
    const int kind = Checked_Form(hdwnd);
    char formula[FORMULA_FIELD_SIZE] = "";
    char formula_y[FORMULA_FIELD_SIZE] = "";
    char name[FORMULA_FIELD_SIZE] = "";
    char dpnd[FORMULA_FIELD_SIZE] = "";
    double min_value = 0.0;
    double max_value = 0.0;
    double min_dpnd = 0.0;
    double max_dpnd = 0.0;
    int split = 0;
    switch (kind) {
        case EXPR_EXPLICIT:
            split = Get_FormulaInfo(typed.c_str(), formula, name, &min_value, &max_value, &steps);
            break;
        case EXPR_PARAMETRIC:
            split = Get_FormulaInfo_Para(typed.c_str(), formula, formula_y, name, &min_value,
                                         &max_value, &steps);
            break;
        case EXPR_IMPLICIT:
            split = Get_FormulaInfo_Inpl(typed.c_str(), formula, name, &min_value, &max_value,
                                         &steps, dpnd, &min_dpnd, &max_dpnd, &dpnd_steps);
            break;
        default:
            split =
                Get_FormulaInfo_Polar(typed.c_str(), formula, name, &min_value, &max_value, &steps);
            break;
    }
    if (!split) return 0;

    std::vector<char> list_line(516, '\0');
    bool made = true;
    switch (kind) {
        case EXPR_EXPLICIT: std::strcpy(list_line.data(), formula); break;
        case EXPR_PARAMETRIC:
            made = Create_ParamInputFrm(list_line.data(), 516, formula, formula_y);
            break;
        case EXPR_IMPLICIT: made = Create_PolarInputFrm(list_line.data(), 258, formula, "0"); break;
        default: made = Create_PolarInputFrm(list_line.data(), 258, formula, "r"); break;
    }
    if (!made) return 0;

    const int existing = IsSameLett_InListBox(hdwnd, list_line.data(), kind);
    if (existing < 0) {
        switch (kind) {
            case EXPR_EXPLICIT:
                NewRegist_ExplExpr(hdwnd, formula, name, min_value, max_value, steps);
                break;
            case EXPR_PARAMETRIC:
                NewRegist_ParamExpr(hdwnd, list_line.data(), formula, formula_y, name, min_value,
                                    max_value, steps);
                break;
            case EXPR_IMPLICIT:
                NewRegist_InplExpr(hdwnd, list_line.data(), formula, name, min_value, max_value,
                                   steps, dpnd, min_dpnd, max_dpnd, dpnd_steps);
                break;
            default:
                NewRegist_PolarExpr(hdwnd, list_line.data(), formula, name, min_value, max_value,
                                    steps);
                break;
        }
    } else {
        switch (kind) {
            case EXPR_IMPLICIT:
                SetRegist_InplExpr(hdwnd, existing, name, min_value, max_value, steps, dpnd,
                                   min_dpnd, max_dpnd, dpnd_steps);
                break;
            case EXPR_POLAR:
                SetRegist_PolarExpr(hdwnd, existing, name, min_value, max_value, steps);
                break;
            default: SetRegist_ExplExpr(hdwnd, existing, name, min_value, max_value, steps); break;
        }
    }
    return 1;
}

int IsSameLett_InListBox(DialogControls* hdwnd, const char* formula_lett, int expr_kind) {
    const int count = hdwnd->ListBox_GetCount(IDC_LIST_BOX);
    for (int i = 0; i < count; ++i) {
        if (hdwnd->ListBox_GetText(IDC_LIST_BOX, i) != formula_lett) continue;
        // The same text in another form is another formula ("r=2" explicit is not polar).
        if (i < g_mathlist.PutElementNum() && g_mathlist[i]->expr_kind == expr_kind) return i;
    }
    return -1;
}

int Del_RegistFrm(DialogControls* hdwnd) {
    const int selected = hdwnd->ListBox_GetCurSel(IDC_LIST_BOX);
    if (selected < 0) return 0;
    g_mathlist.Remove(selected);
    hdwnd->ListBox_DeleteString(IDC_LIST_BOX, selected);
    const int remaining = hdwnd->ListBox_GetCount(IDC_LIST_BOX);
    if (remaining == 0) {
        Clear_Variables(hdwnd);
        g_selLB_item = -1;
        return 1;
    }
    const int next = selected >= 1 ? selected - 1 : 0;
    hdwnd->ListBox_SetCurSel(IDC_LIST_BOX, next);
    ShowRgst_ExplExpr(hdwnd, next);
    g_selLB_item = next;
    return 1;
}

int TransfFrm_ToLBox(DialogControls* hdwnd) {
    const int selected = hdwnd->ListBox_GetCurSel(IDC_LIST_BOX);
    if (selected < 0) return 0;
    const std::string text = hdwnd->ListBox_GetText(IDC_LIST_BOX, selected);
    if (!text.empty()) hdwnd->SetDlgItemText(IDC_FORMULA_BOX, text);
    return 1;
}

int Change_LBoxSelect(DialogControls* hdwnd, int notyfy_mess) {
    if (notyfy_mess != LBN_SELCHANGE) return 0;
    Change_VNameEdit(hdwnd);
    const int selected = hdwnd->ListBox_GetCurSel(IDC_LIST_BOX);
    if (selected < 0 || selected >= g_mathlist.PutElementNum()) return 0;
    ShowRgst_ExplExpr(hdwnd, selected);
    g_selLB_item = selected;
    return 1;
}

int Change_VNameEdit(DialogControls* hdwnd) {
    const int free_result = ChangeRgst_VarName(hdwnd, g_selLB_item);
    const int dpnd_result = ChangeRgst_DpVName(hdwnd, g_selLB_item);
    if (free_result < 0) return free_result;
    if (dpnd_result < 0) return dpnd_result;
    return free_result;
}

void Clear_EditCtrl(DialogControls* hdwnd, int edit_id) { hdwnd->SetDlgItemText(edit_id, ""); }

void PutFunction_ToEdit(DialogControls* hdwnd, const char* fn_name, int focus_pt) {
    hdwnd->Edit_ReplaceSel(IDC_FORMULA_BOX, fn_name);
    int start = 0;
    int end = 0;
    hdwnd->Edit_GetSel(IDC_FORMULA_BOX, &start, &end);
    hdwnd->Edit_SetSel(IDC_FORMULA_BOX, end - focus_pt, end - focus_pt);
    hdwnd->SetFocusItem(IDC_FORMULA_BOX);
}

void PutNumber_ToEdit(DialogControls* hdwnd, int l_word) {
    PutFunction_ToEdit(hdwnd, Format_CText("%d", l_word - IDC_KEY_0).c_str(), 0);
}

int Handle_Of_ListView(DialogControls* hdwnd, const NMLVDISPINFO* lv_dispinfo) {
    if (lv_dispinfo->hdr.code == LVN_ENDLABELEDITA && lv_dispinfo->pszText != nullptr) {
        // The edit box holds at most 256 bytes.
        std::string text(lv_dispinfo->pszText);
        if (text.size() > 255) text.resize(255);
        SetNewVal_ToAscArray(hdwnd, text.c_str(), lv_dispinfo->item);
    }
    return 1;
}

int Handle_Of_DiglClose(DialogControls* hdwnd) {
    if (MessageBoxA(hdwnd->Handle(), "ダイアログを閉じます", "Closed message", MB_YESNO) == IDYES) {
        Hide_Dialog(hdwnd);
    }
    return 1;
}

int Hide_Dialog(DialogControls* hdwnd) {
    hdwnd->ShowDialog(false);
    Bring_Main_To_Top();
    return 1;
}

int NoFocus_Dialog(DialogControls*) {
    Bring_Main_To_Top();
    return 1;
}

int SetVariable_Div(DialogControls* hdlg) {
    if (g_selLB_item < 0 || g_selLB_item >= g_mathlist.PutElementNum()) return 0;
    DialogBoxParamA(win_Inst, Iovvr_Dialog_Template(), hdlg->Handle(), IovvrDlgProc, 0);
    return 1;
}

INT_PTR IovvrDlgProc(DialogControls* hdlg, UINT messg, WPARAM wParam, LPARAM) {
    switch (messg) {
        case WM_INITDIALOG:
            the_target = g_mathlist[g_selLB_item];
            target_implicit = the_target->expr_kind == EXPR_IMPLICIT;
            LongTo_EditBox(hdlg, IDC_DIVISIONS_FREE, the_target->stepnumber_g);
            if (target_implicit) {
                LongTo_EditBox(hdlg, IDC_DIVISIONS_DPND, the_target->stepnumber_dpnd);
            }
            return 1;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                // Text that is no number keeps the old count. A number outside
                // 1 ... 1000000 is refused with a word, and the dialog stays open.
                struct Read {
                    bool number = false;
                    long value = 0;
                };
                auto read = [hdlg](int id, Read* result) {
                    result->number = Long_FromEditBox(hdlg, id, &result->value) > 0;
                    if (result->number &&
                        (result->value < MIN_DIVISIONS || result->value > MAX_DIVISIONS)) {
                        Refuse_EditValue(hdlg, id, DIVISIONS_RANGE_MESSAGE, "invalid division");
                        return false;
                    }
                    return true;
                };
                Read free_count;
                Read dpnd_count;
                if (!read(IDC_DIVISIONS_FREE, &free_count)) return 1;
                if (target_implicit && !read(IDC_DIVISIONS_DPND, &dpnd_count)) return 1;
                if (free_count.number)
                    the_target->stepnumber_g = static_cast<LONG>(free_count.value);
                if (dpnd_count.number) {
                    the_target->stepnumber_dpnd = static_cast<LONG>(dpnd_count.value);
                }
                hdlg->EndDialog(0);
                return 1;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                hdlg->EndDialog(0);
                return 1;
            }
            return 0;
        default: return 0;
    }
}

bool LongTo_EditBox(DialogControls* h_dlg, int edit_ID, long target_num) {
    char buffer[80];
    if (!Long_To_C(static_cast<LONG>(target_num), buffer, sizeof buffer)) return false;
    h_dlg->SetDlgItemText(edit_ID, buffer);
    return true;
}

int Long_FromEditBox(DialogControls* h_dlg, int edit_ID, long* num_of_edbx) {
    std::string text = h_dlg->GetDlgItemText(edit_ID);
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    if (DeleteSpace_FromLetter(buffer.data()) < 1) return -1;
    LONG value = 0;
    if (!C_To_Long(buffer.data(), &value)) return 0;
    *num_of_edbx = value;
    return 1;
}
