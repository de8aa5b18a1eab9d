#include "axes/num_style_dialog.h"

#include <cstdlib>
#include <string>

#include "formula/number_text.h"
#include "platform/numeric.h"

CHOOSESTYLE g_choose_style;

namespace {

DialogTemplate Make_Template() {
    DialogTemplate dialog;
    dialog.name = "NUMSTYDLG";
    dialog.caption = "数値の表示桁数と形式";
    dialog.cx = 170;
    dialog.cy = 112;
    dialog.controls = {
        {ControlKind::Static, IDC_STATIC, "小数点以下の桁数", 10, 10, 80, 10},
        {ControlKind::Edit, IDC_NUMDIGIT, "", 95, 8, 40, 13, 0, 256},
        {ControlKind::ListBox, IDC_NUMSTYLE, "", 10, 28, 125, 50},
        {ControlKind::DefPushButton, IDOK, "OK", 20, 88, 55, 15},
        {ControlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 95, 88, 55, 15},
    };
    return dialog;
}

// OK: the selection and the digits, or nothing when the digits are not 0 ... 16. The
// digits text reads as a decimal number truncated toward zero ("2.7" is 2, "3 " is 3,
// text without a number 0).
INT_PTR Take_Values(DialogControls* hDlg) {
    char text[257] = "";
    hDlg->GetDlgItemTextA(IDC_NUMDIGIT, text, sizeof text);
    const LONG digits = Trunc_ToInt32(std::strtod(text, nullptr));
    if (digits < 0 || digits > NUMSTY_MAX_DIGITS) return 0;
    const int selection = hDlg->ListBox_GetCurSel(IDC_NUMSTYLE);
    if (selection < 0 || selection > 2) return 0;
    g_choose_style.style_number = static_cast<int16_t>(selection);
    g_choose_style.digit_number = static_cast<int16_t>(digits);
    return 1;
}

}  // namespace

const DialogTemplate& NumStyDlg_Template() {
    static const DialogTemplate dialog = Make_Template();
    return dialog;
}

INT_PTR NumStyDlgProc(DialogControls* hDlg, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: {
            for (const char* entry : {"通常表現", "指数型表現", "実数型表現"}) {
                hDlg->ListBox_AddString(IDC_NUMSTYLE, entry);
            }
            hDlg->ListBox_SetCurSel(IDC_NUMSTYLE, g_choose_style.style_number);
            char text[16] = "";
            Short_To_C(g_choose_style.digit_number, text, sizeof text);
            hDlg->SetDlgItemText(IDC_NUMDIGIT, text);
            return 1;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                hDlg->EndDialog(Take_Values(hDlg));
                return 1;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                hDlg->EndDialog(0);
                return 1;
            }
            return 0;
        case WM_CLOSE: hDlg->EndDialog(0); return 1;
        default: return 0;
    }
}

int Choose_Style(CHOOSESTYLE* ch_styl, HINSTANCE h_Inst, HWND h_pWnd) {
    g_choose_style = *ch_styl;
    const INT_PTR result = DialogBoxParamA(h_Inst, NumStyDlg_Template(), h_pWnd, NumStyDlgProc, 0);
    if (result != 1) return 0;
    *ch_styl = g_choose_style;
    return 1;
}
