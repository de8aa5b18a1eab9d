// The paper's zoom ("倍率変更"), the graph size and place on the paper in millimetres
// ("グラフのサイズ変更") and the default marker interval ("マーカー初期値設定"): each a
// dialog procedure over DialogControls plus the arithmetic applied on OK.
#pragma once

#include "platform/dialog.h"
#include "shell/paper_state.h"

// Why a value typed into the zoom, graph-size or marker-interval dialog is refused.
inline constexpr char ZOOM_TOO_LARGE_MESSAGE[] = "倍率は10000％以下で入力してください";
inline constexpr char SIZE_NOT_WHOLE_MESSAGE[] = "位置はミリメートル単位の整数で入力してください";
inline constexpr char SIZE_OFF_PAPER_MESSAGE[] = "用紙からはみ出す位置は指定できません";
inline constexpr char MARKER_INTERVAL_MESSAGE[] = "マーカーの間隔は1以上の整数で入力してください";

// Size dialog values: plot area edges in whole millimetres, the paper in hundredths.
extern LONG g_lpdlg, g_tpdlg, g_rpdlg, g_bpdlg;
extern LONG g_cwidth, g_cheight;

enum : int {
    IDC_ZOOM_EDIT = 3120,
    IDC_SIZE_LEFT = 6000,
    IDC_SIZE_TOP = 6010,
    IDC_SIZE_RIGHT = 6020,
    IDC_SIZE_BOTTOM = 6030,
    IDC_SIZE_HLEFT = 6040,
    IDC_SIZE_HCENTER = 6050,
    IDC_SIZE_HRIGHT = 6060,
    IDC_SIZE_VTOP = 6070,
    IDC_SIZE_VCENTER = 6080,
    IDC_SIZE_VBOTTOM = 6090,
    IDC_SIZE_HADJUST = 6100,
    IDC_SIZE_VADJUST = 6110,
    IDC_MARKER_EDIT = 4210,
};

const DialogTemplate& Zoom_Dialog_Template();    // "CHNGZOOMDLG"
const DialogTemplate& Size_Dialog_Template();    // "CHNGSIZEDLG"
const DialogTemplate& Marker_Dialog_Template();  // "MKRINTDLG"

// Integer <-> dialog text. GetInt_FromDlg gives -1 unless the text is a whole number.
void SetInt_ToDlg(DialogControls* hdlg, int id, LONG value);
LONG GetInt_FromDlg(DialogControls* hdlg, int id);

INT_PTR ZoomDlgProc(DialogControls* hdlg, UINT message, WPARAM wParam, LPARAM lParam);

// Whole millimetres from hundredths: a remainder of 5 or more rounds up; sign kept.
LONG DivVal_ToLong(LONG value);
// The plot area's twip rectangle into the dialog values (and the remembered old ones).
void SetObjFrame(const tagRECT& twip_rect);
// 1 fitted by the adjust boxes, -1 the graph is larger than the paper, 0 no box checked.
int MoveBox_InCard(DialogControls* hdlg);
// 1 when any edge differs from the remembered old values.
int Check_FrameSizeChng(LONG l, LONG t, LONG r, LONG b);
void Set_OldFrameVal(LONG l, LONG t, LONG r, LONG b);
void SetTwipRect_Mm(tagRECT* rect, LONG l, LONG t, LONG r, LONG b);
// The new plot rectangle in twips: 0 when only the place changed, 1 when the size did.
int DommSize_Chng(LONG old_l, LONG old_t, LONG old_r, LONG old_b, const tagRECT& old_rect,
                  tagRECT* new_rect);
INT_PTR MCDlgProc(DialogControls* hdlg, UINT message, WPARAM wParam, LPARAM lParam);
// The whole command: dialog, then the graph moved or resized. 1 when the graph changed.
int Change_GraphSize(HWND owner, GraphOnWin* graph, LONG shifth, LONG shiftv);

INT_PTR MkrInitProc(DialogControls* hdlg, UINT message, WPARAM wParam, LPARAM lParam);
