#include "elements/line_prop.h"

#include "formula/number_text.h"

namespace {

// The values the dialog edits, copied in before it opens and out after a confirmed OK.
struct LinePropValues {
    unsigned int style = PS_SOLID;
    LONG width = 1;
    LONG radius = 3;
    LONG marker = 0;
    LONG mrkdev = 1;
    int change_flag = 0;
};
LinePropValues g_linprop;

void Input_Error(DialogControls* dlg, const char* text) {
    MessageBoxA(dlg->Handle(), text, "InputError", MB_OK);
}

// Reads an edit box as a 32-bit integer; false when the text is not one.
bool Read_Long(DialogControls* dlg, int id, LONG* value) {
    char buffer[64];
    dlg->GetDlgItemTextA(id, buffer, sizeof buffer);
    return C_To_Long(buffer, value) != 0;
}

// The OK button: checks the fields in order; the first invalid one ends the dialog
// without a change.
void Reciev_Values(DialogControls* dlg) {
    LinePropValues read = g_linprop;
    if (dlg->IsDlgButtonChecked(IDC_STYLE_SOLID) == BST_CHECKED) {
        read.style = PS_SOLID;
        LONG width = 0;
        if (!Read_Long(dlg, IDC_LINE_WIDTH, &width) || width < 1 || width > 10) {
            Input_Error(dlg, "線の幅の値が無効です");
            g_linprop.change_flag = 0;
            dlg->EndDialog(0);
            return;
        }
        read.width = width;
    } else {
        read.style = dlg->IsDlgButtonChecked(IDC_STYLE_DOT) == BST_CHECKED ? PS_DOT : PS_DASHDOT;
        read.width = 1;
    }
    LONG radius = 0;
    if (!Read_Long(dlg, IDC_MARKER_SIZE, &radius) || radius < 1 || radius > 10) {
        Input_Error(dlg, "マーカーサイズの値が無効です");
        g_linprop.change_flag = 0;
        dlg->EndDialog(0);
        return;
    }
    read.radius = radius;
    LONG mrkdev = 0;
    if (!Read_Long(dlg, IDC_MARKER_INTERVAL, &mrkdev) || mrkdev < 1) {
        Input_Error(dlg, "マーカー間隔の値が無効です");
        g_linprop.change_flag = 0;
        dlg->EndDialog(0);
        return;
    }
    read.mrkdev = mrkdev;
    const bool line = dlg->IsDlgButtonChecked(IDC_SELECT_LINE) == BST_CHECKED;
    const bool marker = dlg->IsDlgButtonChecked(IDC_SELECT_MARKER) == BST_CHECKED;
    if (!line && !marker) {
        Input_Error(dlg, "線またはマーカーを選択して下さい");
        g_linprop.change_flag = 0;
        dlg->EndDialog(0);
        return;
    }
    read.marker = line ? (marker ? 1 : 0) : -1;
    read.change_flag = 1;
    g_linprop = read;
    dlg->EndDialog(1);
}

void Show_Long(DialogControls* dlg, int id, LONG value) {
    char buffer[32];
    Long_To_C(value, buffer, sizeof buffer);
    dlg->SetDlgItemTextA(id, buffer);
}

}  // namespace

LineProp::LineProp(HWND h_Wnd, unsigned int style, LONG line_size, LONG mrk_kind, LONG rd_size)
    : h_pWnd(h_Wnd),
      pen_style(style),
      pen_size(line_size),
      marker_type(mrk_kind),
      pen_radius(rd_size),
      h_pInst(nullptr) {}

const DialogTemplate& LineProp_Template() {
    static const DialogTemplate dialog = [] {
        DialogTemplate d;
        d.name = "LINPROPDLG";
        d.caption = "グラフの属性";
        d.cx = 186;
        d.cy = 150;
        d.controls = {
            {ControlKind::Static, IDC_LINE_WIDTH_LABEL, "線の幅", 10, 10, 70, 10},
            {ControlKind::Edit, IDC_LINE_WIDTH, "", 90, 8, 40, 12, 0, 8},
            {ControlKind::Static, IDC_MARKER_SIZE_LABEL, "マーカーサイズ", 10, 26, 70, 10},
            {ControlKind::Edit, IDC_MARKER_SIZE, "", 90, 24, 40, 12, 0, 8},
            {ControlKind::Static, IDC_MARKER_INTERVAL_LABEL, "マーカー間隔", 10, 42, 70, 10},
            {ControlKind::Edit, IDC_MARKER_INTERVAL, "", 90, 40, 40, 12, 0, 8},
            {ControlKind::GroupBox, IDC_LINE_STYLE_GROUP, "線のスタイル", 10, 58, 166, 28},
            {ControlKind::RadioButton, IDC_STYLE_SOLID, "実線", 18, 70, 46, 10, CS_GROUP},
            {ControlKind::RadioButton, IDC_STYLE_DOT, "点線", 68, 70, 46, 10},
            {ControlKind::RadioButton, IDC_STYLE_DASHDOT, "一点鎖線", 118, 70, 56, 10},
            {ControlKind::CheckBox, IDC_SELECT_LINE, "線を選択", 18, 94, 70, 10},
            {ControlKind::CheckBox, IDC_SELECT_MARKER, "マーカーを選択", 92, 94, 84, 10},
            {ControlKind::DefPushButton, IDOK, "OK", 34, 124, 50, 14},
            {ControlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 102, 124, 50, 14},
        };
        return d;
    }();
    return dialog;
}

INT_PTR LinePropDlgProc(DialogControls* dlg, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            Show_Long(dlg, IDC_LINE_WIDTH, g_linprop.width);
            Show_Long(dlg, IDC_MARKER_SIZE, g_linprop.radius);
            Show_Long(dlg, IDC_MARKER_INTERVAL, g_linprop.mrkdev);
            dlg->CheckDlgButton(IDC_SELECT_LINE,
                                g_linprop.marker >= 0 ? BST_CHECKED : BST_UNCHECKED);
            dlg->CheckDlgButton(IDC_SELECT_MARKER,
                                g_linprop.marker != 0 ? BST_CHECKED : BST_UNCHECKED);
            dlg->CheckRadioButton(IDC_STYLE_SOLID, IDC_STYLE_DASHDOT,
                                  g_linprop.style == PS_SOLID ? IDC_STYLE_SOLID
                                  : g_linprop.style == PS_DOT ? IDC_STYLE_DOT
                                                              : IDC_STYLE_DASHDOT);
            return 1;
        case WM_COMMAND:
            switch (LOWORD(wparam)) {
                case IDOK: Reciev_Values(dlg); return 1;
                case IDCANCEL:
                    g_linprop.change_flag = 0;
                    dlg->EndDialog(0);
                    return 1;
                default: return 0;
            }
        case WM_CLOSE:
            g_linprop.change_flag = 0;
            dlg->EndDialog(0);
            return 1;
        default: return 0;
    }
}

int LineProp::ShowLinePropDlg(LONG* line_mrkdev) {
    g_linprop.width = pen_size;
    g_linprop.style = pen_style;
    g_linprop.radius = pen_radius;
    g_linprop.marker = marker_type;
    g_linprop.mrkdev = *line_mrkdev;
    g_linprop.change_flag = 0;
    DialogBoxParamA(h_pInst, LineProp_Template(), h_pWnd, LinePropDlgProc, 0);
    if (g_linprop.change_flag) {
        pen_size = g_linprop.width;
        pen_style = g_linprop.style;
        pen_radius = g_linprop.radius;
        marker_type = g_linprop.marker;
        *line_mrkdev = g_linprop.mrkdev;
    }
    return g_linprop.change_flag;
}
