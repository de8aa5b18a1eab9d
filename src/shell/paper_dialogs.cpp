// The zoom, graph-size and marker-interval dialogs (see the header).
#include "shell/paper_dialogs.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "document/graph_on_win.h"
#include "elements/graph_line.h"
#include "frames/trans_unit.h"
#include "platform/numeric.h"

LONG g_lpdlg = 0, g_tpdlg = 0, g_rpdlg = 0, g_bpdlg = 0;
LONG g_cwidth = 0, g_cheight = 0;

namespace {

LONG g_old_l = 0, g_old_t = 0, g_old_r = 0, g_old_b = 0;

// A whole decimal number with optional sign and surrounding blanks, within 32 bits.
bool Whole_Number(const std::string& text, LONG* value) {
    const char* begin = text.c_str();
    while (*begin == ' ' || *begin == '\t') ++begin;
    if (*begin == '\0') return false;
    errno = 0;
    char* end = nullptr;
    const long long read = std::strtoll(begin, &end, 10);
    if (end == begin || errno != 0) return false;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != '\0' || read < INT32_MIN || read > INT32_MAX) return false;
    *value = static_cast<LONG>(read);
    return true;
}

}  // namespace

const DialogTemplate& Zoom_Dialog_Template() {
    static const DialogTemplate dialog = [] {
        DialogTemplate d;
        d.name = "CHNGZOOMDLG";
        d.caption = "倍率変更";
        d.cx = 150;
        d.cy = 62;
        d.controls = {
            {ControlKind::Static, IDC_STATIC, "倍率", 12, 14, 24, 10},
            {ControlKind::Edit, IDC_ZOOM_EDIT, "", 40, 12, 60, 12, 0, 9},
            {ControlKind::Static, IDC_STATIC, "％", 104, 14, 16, 10},
            {ControlKind::DefPushButton, IDOK, "OK", 20, 38, 50, 14},
            {ControlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 80, 38, 50, 14},
        };
        return d;
    }();
    return dialog;
}

const DialogTemplate& Size_Dialog_Template() {
    static const DialogTemplate dialog = [] {
        DialogTemplate d;
        d.name = "CHNGSIZEDLG";
        d.caption = "移動先入力";
        d.cx = 250;
        d.cy = 176;
        d.controls = {
            {ControlKind::GroupBox, IDC_STATIC, "グラフの位置 (mm, 用紙の左上から)", 8, 6, 234, 52},
            {ControlKind::Static, IDC_STATIC, "左", 16, 20, 20, 10},
            {ControlKind::Edit, IDC_SIZE_LEFT, "", 38, 18, 50, 12, 0, 9},
            {ControlKind::Static, IDC_STATIC, "上", 130, 20, 20, 10},
            {ControlKind::Edit, IDC_SIZE_TOP, "", 152, 18, 50, 12, 0, 9},
            {ControlKind::Static, IDC_STATIC, "右", 16, 38, 20, 10},
            {ControlKind::Edit, IDC_SIZE_RIGHT, "", 38, 36, 50, 12, 0, 9},
            {ControlKind::Static, IDC_STATIC, "下", 130, 38, 20, 10},
            {ControlKind::Edit, IDC_SIZE_BOTTOM, "", 152, 36, 50, 12, 0, 9},
            {ControlKind::CheckBox, IDC_SIZE_HADJUST, "横位置を調節", 8, 64, 110, 12},
            {ControlKind::GroupBox, IDC_STATIC, "横", 8, 78, 110, 66},
            {ControlKind::RadioButton, IDC_SIZE_HLEFT, "左", 16, 90, 90, 12, CS_GROUP},
            {ControlKind::RadioButton, IDC_SIZE_HCENTER, "中央", 16, 106, 90, 12},
            {ControlKind::RadioButton, IDC_SIZE_HRIGHT, "右", 16, 122, 90, 12},
            {ControlKind::CheckBox, IDC_SIZE_VADJUST, "縦位置を調節", 132, 64, 110, 12},
            {ControlKind::GroupBox, IDC_STATIC, "縦", 132, 78, 110, 66},
            {ControlKind::RadioButton, IDC_SIZE_VTOP, "上", 140, 90, 90, 12, CS_GROUP},
            {ControlKind::RadioButton, IDC_SIZE_VCENTER, "中央", 140, 106, 90, 12},
            {ControlKind::RadioButton, IDC_SIZE_VBOTTOM, "下", 140, 122, 90, 12},
            {ControlKind::DefPushButton, IDOK, "OK", 60, 154, 50, 14},
            {ControlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 140, 154, 50, 14},
        };
        return d;
    }();
    return dialog;
}

const DialogTemplate& Marker_Dialog_Template() {
    static const DialogTemplate dialog = [] {
        DialogTemplate d;
        d.name = "MKRINTDLG";
        d.caption = "マーカー初期値設定";
        d.cx = 180;
        d.cy = 62;
        d.controls = {
            {ControlKind::Static, IDC_STATIC, "マーカーの間隔 (点の数)", 12, 14, 90, 10},
            {ControlKind::Edit, IDC_MARKER_EDIT, "", 106, 12, 60, 12, 0, 256},
            {ControlKind::DefPushButton, IDOK, "OK", 30, 38, 50, 14},
            {ControlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 100, 38, 50, 14},
        };
        return d;
    }();
    return dialog;
}

void SetInt_ToDlg(DialogControls* hdlg, int id, LONG value) {
    hdlg->SetDlgItemText(id, std::to_string(value));
}

LONG GetInt_FromDlg(DialogControls* hdlg, int id) {
    LONG value = 0;
    return Whole_Number(hdlg->GetDlgItemText(id), &value) ? value : -1;
}

INT_PTR ZoomDlgProc(DialogControls* hdlg, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: SetInt_ToDlg(hdlg, IDC_ZOOM_EDIT, g_zoom); return 1;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                const LONG value = GetInt_FromDlg(hdlg, IDC_ZOOM_EDIT);
                if (value > MAX_ZOOM) {
                    Refuse_EditValue(hdlg, IDC_ZOOM_EDIT, ZOOM_TOO_LARGE_MESSAGE, "zoom over");
                    return 1;
                }
                if (value == g_zoom || value <= 10) {
                    g_dlgstate = 0;
                } else {
                    g_dlgstate = 1;
                    g_new_zoom = value;
                }
                hdlg->EndDialog(IDOK);
                return 1;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                g_dlgstate = 0;
                hdlg->EndDialog(IDCANCEL);
                return 1;
            }
            return 0;
        case WM_CLOSE:
            g_dlgstate = 0;
            hdlg->EndDialog(IDCANCEL);
            return 1;
        default: return 0;
    }
}

LONG DivVal_ToLong(LONG value) {
    const int64_t magnitude = value < 0 ? -int64_t(value) : int64_t(value);
    int64_t result = magnitude / 100;
    if (magnitude % 100 >= 5) ++result;
    return static_cast<LONG>(value < 0 ? -result : result);
}

void SetObjFrame(const tagRECT& twip_rect) {
    g_lpdlg = DivVal_ToLong(Twip_ToDmm(twip_rect.left));
    g_tpdlg = DivVal_ToLong(Twip_ToDmm(twip_rect.top));
    g_rpdlg = DivVal_ToLong(Twip_ToDmm(twip_rect.right));
    g_bpdlg = DivVal_ToLong(Twip_ToDmm(twip_rect.bottom));
    g_old_l = g_lpdlg;
    g_old_t = g_tpdlg;
    g_old_r = g_rpdlg;
    g_old_b = g_bpdlg;
}

int MoveBox_InCard(DialogControls* hdlg) {
    const LONG w = g_rpdlg - g_lpdlg;
    const LONG h = g_bpdlg - g_tpdlg;
    if (int64_t(w) * 100 >= g_cwidth || int64_t(h) * 100 >= g_cheight) return -1;
    int result = 0;
    if (hdlg->IsDlgButtonChecked(IDC_SIZE_HADJUST) == BST_CHECKED) {
        if (hdlg->IsDlgButtonChecked(IDC_SIZE_HLEFT) == BST_CHECKED) {
            g_lpdlg = 1;
            g_rpdlg = w + 1;
        } else if (hdlg->IsDlgButtonChecked(IDC_SIZE_HCENTER) == BST_CHECKED) {
            g_lpdlg = DivVal_ToLong((g_cwidth - w * 100) / 2);
            g_rpdlg = g_lpdlg + w;
        } else {
            g_rpdlg = DivVal_ToLong(g_cwidth - 100);
            g_lpdlg = g_rpdlg - w;
        }
        result = 1;
    }
    if (hdlg->IsDlgButtonChecked(IDC_SIZE_VADJUST) == BST_CHECKED) {
        if (hdlg->IsDlgButtonChecked(IDC_SIZE_VTOP) == BST_CHECKED) {
            g_tpdlg = 1;
            g_bpdlg = h + 1;
        } else if (hdlg->IsDlgButtonChecked(IDC_SIZE_VCENTER) == BST_CHECKED) {
            g_tpdlg = DivVal_ToLong((g_cheight - h * 100) / 2);
            g_bpdlg = g_tpdlg + h;
        } else {
            g_bpdlg = DivVal_ToLong(g_cheight - 100);
            g_tpdlg = g_bpdlg - h;
        }
        result = 1;
    }
    return result;
}

int Check_FrameSizeChng(LONG l, LONG t, LONG r, LONG b) {
    return l != g_old_l || t != g_old_t || r != g_old_r || b != g_old_b ? 1 : 0;
}

void Set_OldFrameVal(LONG l, LONG t, LONG r, LONG b) {
    g_lpdlg = l;
    g_tpdlg = t;
    g_rpdlg = r;
    g_bpdlg = b;
}

void SetTwipRect_Mm(tagRECT* rect, LONG l, LONG t, LONG r, LONG b) {
    rect->left = Dmm_ToTwip(l * 100);
    rect->top = Dmm_ToTwip(t * 100);
    rect->right = Dmm_ToTwip(r * 100);
    rect->bottom = Dmm_ToTwip(b * 100);
}

int DommSize_Chng(LONG old_l, LONG old_t, LONG old_r, LONG old_b, const tagRECT& old_rect,
                  tagRECT* new_rect) {
    if (g_rpdlg - g_lpdlg == old_r - old_l && g_bpdlg - g_tpdlg == old_b - old_t) {
        new_rect->left = Dmm_ToTwip(g_lpdlg * 100);
        new_rect->right = new_rect->left + (old_rect.right - old_rect.left);
        new_rect->top = Dmm_ToTwip(g_tpdlg * 100);
        new_rect->bottom = new_rect->top + (old_rect.bottom - old_rect.top);
        return 0;
    }
    SetTwipRect_Mm(new_rect, g_lpdlg, g_tpdlg, g_rpdlg, g_bpdlg);
    return 1;
}

INT_PTR MCDlgProc(DialogControls* hdlg, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            SetInt_ToDlg(hdlg, IDC_SIZE_LEFT, g_lpdlg);
            SetInt_ToDlg(hdlg, IDC_SIZE_TOP, g_tpdlg);
            SetInt_ToDlg(hdlg, IDC_SIZE_RIGHT, g_rpdlg);
            SetInt_ToDlg(hdlg, IDC_SIZE_BOTTOM, g_bpdlg);
            hdlg->CheckRadioButton(IDC_SIZE_HLEFT, IDC_SIZE_HRIGHT, IDC_SIZE_HCENTER);
            hdlg->CheckRadioButton(IDC_SIZE_VTOP, IDC_SIZE_VBOTTOM, IDC_SIZE_VCENTER);
            hdlg->CheckDlgButton(IDC_SIZE_HADJUST, BST_UNCHECKED);
            hdlg->CheckDlgButton(IDC_SIZE_VADJUST, BST_UNCHECKED);
            return 1;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                const int fitted = MoveBox_InCard(hdlg);
                if (fitted == 1) {
                    g_dlgstate = 1;
                } else if (fitted == -1) {
                    g_dlgstate = 0;
                } else {
                    // Each edge a whole number of millimetres on the paper; a refused box
                    // is named and the dialog stays open.
                    const int boxes[4] = {IDC_SIZE_LEFT, IDC_SIZE_TOP, IDC_SIZE_RIGHT,
                                          IDC_SIZE_BOTTOM};
                    LONG edges[4] = {0, 0, 0, 0};
                    for (int i = 0; i < 4; ++i) {
                        if (!Whole_Number(hdlg->GetDlgItemText(boxes[i]), &edges[i])) {
                            Refuse_EditValue(hdlg, boxes[i], SIZE_NOT_WHOLE_MESSAGE,
                                             "invalid size");
                            return 1;
                        }
                        const int64_t limit = i % 2 == 0 ? g_cwidth : g_cheight;
                        if (edges[i] < 0 || int64_t(edges[i]) * 100 > limit) {
                            Refuse_EditValue(hdlg, boxes[i], SIZE_OFF_PAPER_MESSAGE,
                                             "invalid size");
                            return 1;
                        }
                    }
                    const LONG l = edges[0], t = edges[1], r = edges[2], b = edges[3];
                    // Edges in the wrong order leave the graph as it is, without a word.
                    if (l < r && t < b) {
                        g_dlgstate = Check_FrameSizeChng(l, t, r, b);
                        Set_OldFrameVal(l, t, r, b);
                    } else {
                        g_dlgstate = 0;
                    }
                }
                if (g_dlgstate == 0) Set_OldFrameVal(g_old_l, g_old_t, g_old_r, g_old_b);
                hdlg->EndDialog(IDOK);
                return 1;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                g_dlgstate = 0;
                Set_OldFrameVal(g_old_l, g_old_t, g_old_r, g_old_b);
                hdlg->EndDialog(IDCANCEL);
                return 1;
            }
            return 0;
        case WM_CLOSE:
            g_dlgstate = 0;
            Set_OldFrameVal(g_old_l, g_old_t, g_old_r, g_old_b);
            hdlg->EndDialog(IDCANCEL);
            return 1;
        default: return 0;
    }
}

int Change_GraphSize(HWND owner, GraphOnWin* graph, LONG shifth, LONG shiftv) {
    if (graph == nullptr || !graph->graph_view) return 0;
    const tagRECT old_rect = graph->graph_view->GetRectOnTwip();
    g_cwidth = PAPER_WIDTH;
    g_cheight = PAPER_HEIGHT;
    SetObjFrame(old_rect);
    const LONG old_l = g_lpdlg, old_t = g_tpdlg, old_r = g_rpdlg, old_b = g_bpdlg;
    g_dlgstate = 0;
    DialogBoxParamA(win_Inst, Size_Dialog_Template(), owner, MCDlgProc, 0);
    if (g_dlgstate != 1) return 0;
    tagRECT new_rect;
    DommSize_Chng(old_l, old_t, old_r, old_b, old_rect, &new_rect);
    graph->MoveObjectWithOutMouse(&new_rect, shifth, shiftv);
    return 1;
}

INT_PTR MkrInitProc(DialogControls* hdlg, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            SetInt_ToDlg(hdlg, IDC_MARKER_EDIT, GraphLine::PutDefMrkdev());
            return 1;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                LONG value = 0;
                // Marker drawing needs an interval of at least 1.
                if (!Whole_Number(hdlg->GetDlgItemText(IDC_MARKER_EDIT).substr(0, 256), &value) ||
                    value < 1) {
                    Refuse_EditValue(hdlg, IDC_MARKER_EDIT, MARKER_INTERVAL_MESSAGE,
                                     "invalid interval");
                    return 1;
                }
                GraphLine::SetDefMrkdev(value);
                hdlg->EndDialog(IDOK);
                return 1;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                hdlg->EndDialog(IDCANCEL);
                return 1;
            }
            return 0;
        case WM_CLOSE: hdlg->EndDialog(IDCANCEL); return 1;
        default: return 0;
    }
}
