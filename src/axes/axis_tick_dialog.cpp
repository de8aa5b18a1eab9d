#include "axes/axis_tick_dialog.h"

#include <cmath>
#include <string>

#include "formula/number_text.h"
#include "platform/message_box.h"

double axtick_minval = 0.0;
double axtick_maxval = 0.0;
double axtick_divval = 0.0;
int axcalc_flag = 1;
int chkstate_main = 1;
int chkstate_sub = 0;
int rdstate_in_m = 1;
int rdstate_in_s = 1;
int16_t tickm_lngth = 10;
int16_t tickm_width = 1;
int16_t ticks_lngth = 5;
int16_t ticks_width = 1;
int change_flag_tick = 0;

namespace {

constexpr char kCaption[] = "InputError";

// The range texts as the dialog showed them: a text given back unchanged keeps the exact
// value, which three digits could not show.
std::string shown_min, shown_max, shown_div;

std::string Range_Text(double value) {
    char text[64] = "";
    Double_To_C(value, text, 3, 0, sizeof text);
    return text;
}

std::string Short_Text(int16_t value) {
    char text[16] = "";
    Short_To_C(value, text, sizeof text);
    return text;
}

int Refuse(DialogControls* hDlg, const char* message) {
    MessageBoxA(hDlg->Handle(), message, kCaption, MB_OK);
    return 0;
}

// A range value: the exact old value when the text is the one shown, else the text's value.
bool Read_Range(DialogControls* hDlg, int id, const std::string& shown, double old_value,
                double* value) {
    const std::string text = hDlg->GetDlgItemText(id);
    if (text == shown) {
        *value = old_value;
        return std::isfinite(old_value);
    }
    return C_To_Double(text.c_str(), value) && std::isfinite(*value);
}

bool Read_Tick(DialogControls* hDlg, int id, int16_t* value) {
    const std::string text = hDlg->GetDlgItemText(id);
    LONG number = 0;
    if (!C_To_Long(text.c_str(), &number)) return false;
    if (number < AXDLG_MIN_TICK || number > AXDLG_MAX_TICK) return false;
    *value = static_cast<int16_t>(number);
    return true;
}

DialogTemplate Make_Template() {
    DialogTemplate dialog;
    dialog.name = "AXSETDLG";
    dialog.caption = "数値軸の設定";
    dialog.cx = 230;
    dialog.cy = 196;
    const auto S = ControlKind::Static;
    const auto E = ControlKind::Edit;
    const auto C = ControlKind::CheckBox;
    const auto R = ControlKind::RadioButton;
    const auto G = ControlKind::GroupBox;
    dialog.controls = {
        {S, IDC_STATIC, "軸の最小値", 10, 10, 50, 10},
        {E, IDC_AXMIN, "", 65, 8, 90, 13, 0, 64},
        {S, IDC_STATIC, "軸の最大値", 10, 27, 50, 10},
        {E, IDC_AXMAX, "", 65, 25, 90, 13, 0, 64},
        {S, IDC_STATIC, "目盛の間隔", 10, 44, 50, 10},
        {E, IDC_AXDIV, "", 65, 42, 90, 13, 0, 64},
        {C, IDC_AXAUTO, "自動設定", 165, 9, 60, 10},

        {C, IDC_MAINCHK, "主軸", 10, 64, 50, 10},
        {G, IDC_STATIC, "軸の向き", 18, 76, 92, 28},
        {R, IDC_MAINOUT, "外向き", 24, 88, 40, 10, CS_GROUP},
        {R, IDC_MAININ, "内向き", 66, 88, 40, 10},
        {S, IDC_STATIC, "軸線の長さ", 118, 79, 50, 10},
        {E, IDC_MAINLNG, "", 170, 77, 32, 13, 0, 8},
        {S, IDC_STATIC, "pt", 206, 79, 15, 10},
        {S, IDC_STATIC, "軸線の太さ", 118, 95, 50, 10},
        {E, IDC_MAINWID, "", 170, 93, 32, 13, 0, 8},
        {S, IDC_STATIC, "pt", 206, 95, 15, 10},

        {C, IDC_SUBCHK, "副軸", 10, 114, 50, 10},
        {G, IDC_STATIC, "軸の向き", 18, 126, 92, 28},
        {R, IDC_SUBOUT, "外向き", 24, 138, 40, 10, CS_GROUP},
        {R, IDC_SUBIN, "内向き", 66, 138, 40, 10},
        {S, IDC_STATIC, "軸線の長さ", 118, 129, 50, 10},
        {E, IDC_SUBLNG, "", 170, 127, 32, 13, 0, 8},
        {S, IDC_STATIC, "pt", 206, 129, 15, 10},
        {S, IDC_STATIC, "軸線の太さ", 118, 145, 50, 10},
        {E, IDC_SUBWID, "", 170, 143, 32, 13, 0, 8},
        {S, IDC_STATIC, "pt", 206, 145, 15, 10},

        {ControlKind::DefPushButton, IDOK, "OK", 45, 172, 55, 15},
        {ControlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 130, 172, 55, 15},
    };
    return dialog;
}

}  // namespace

const DialogTemplate& AxSetDlg_Template() {
    static const DialogTemplate dialog = Make_Template();
    return dialog;
}

void Initial_Dialog(DialogControls* hDlg) {
    shown_min = Range_Text(axtick_minval);
    shown_max = Range_Text(axtick_maxval);
    shown_div = Range_Text(axtick_divval);
    hDlg->SetDlgItemText(IDC_AXMIN, shown_min);
    hDlg->SetDlgItemText(IDC_AXMAX, shown_max);
    hDlg->SetDlgItemText(IDC_AXDIV, shown_div);
    hDlg->CheckDlgButton(IDC_AXAUTO, axcalc_flag ? BST_CHECKED : BST_UNCHECKED);
    hDlg->CheckDlgButton(IDC_MAINCHK, chkstate_main ? BST_CHECKED : BST_UNCHECKED);
    hDlg->CheckRadioButton(IDC_MAINOUT, IDC_MAININ, rdstate_in_m ? IDC_MAININ : IDC_MAINOUT);
    hDlg->SetDlgItemText(IDC_MAINLNG, Short_Text(tickm_lngth));
    hDlg->SetDlgItemText(IDC_MAINWID, Short_Text(tickm_width));
    hDlg->CheckDlgButton(IDC_SUBCHK, chkstate_sub ? BST_CHECKED : BST_UNCHECKED);
    hDlg->CheckRadioButton(IDC_SUBOUT, IDC_SUBIN, rdstate_in_s ? IDC_SUBIN : IDC_SUBOUT);
    hDlg->SetDlgItemText(IDC_SUBLNG, Short_Text(ticks_lngth));
    hDlg->SetDlgItemText(IDC_SUBWID, Short_Text(ticks_width));
}

int Reciev_Values(DialogControls* hDlg) {
    double min = 0.0, max = 0.0, div = 0.0;
    if (!Read_Range(hDlg, IDC_AXMIN, shown_min, axtick_minval, &min)) {
        return Refuse(hDlg, "最小値の値が無効です");
    }
    if (!Read_Range(hDlg, IDC_AXMAX, shown_max, axtick_maxval, &max) || !(max > min)) {
        return Refuse(hDlg, "最大値の値が無効です");
    }
    const bool automatic = hDlg->IsDlgButtonChecked(IDC_AXAUTO) == BST_CHECKED;
    if (!Read_Range(hDlg, IDC_AXDIV, shown_div, axtick_divval, &div) || !(div > 0.0)) {
        return Refuse(hDlg, "目盛間隔の値が無効です");
    }
    // Too many divisions, or (automatic) none wanted at all.
    const double divisions = (max - min) / div;
    if (!(divisions <= AXDLG_MAX_DIVISIONS) || (automatic && std::trunc(divisions) < 1.0)) {
        return Refuse(hDlg, "目盛間隔の値が無効です");
    }

    const int main_on = hDlg->IsDlgButtonChecked(IDC_MAINCHK) == BST_CHECKED;
    const int sub_on = hDlg->IsDlgButtonChecked(IDC_SUBCHK) == BST_CHECKED;
    const int main_in = hDlg->IsDlgButtonChecked(IDC_MAININ) == BST_CHECKED;
    const int sub_in = hDlg->IsDlgButtonChecked(IDC_SUBIN) == BST_CHECKED;
    int16_t main_lng = tickm_lngth, main_wid = tickm_width;
    int16_t sub_lng = ticks_lngth, sub_wid = ticks_width;
    if (main_on) {
        if (!Read_Tick(hDlg, IDC_MAINLNG, &main_lng)) return Refuse(hDlg, "主軸長さの値が無効です");
        if (!Read_Tick(hDlg, IDC_MAINWID, &main_wid)) return Refuse(hDlg, "主軸幅の値が無効です");
    }
    if (!Read_Tick(hDlg, IDC_SUBLNG, &sub_lng)) return Refuse(hDlg, "副軸長さの値が無効です");
    if (!Read_Tick(hDlg, IDC_SUBWID, &sub_wid)) return Refuse(hDlg, "副軸幅の値が無効です");

    axtick_minval = min;
    axtick_maxval = max;
    axtick_divval = div;
    axcalc_flag = automatic ? 1 : 0;
    chkstate_main = main_on;
    chkstate_sub = sub_on;
    rdstate_in_m = main_in;
    rdstate_in_s = sub_in;
    tickm_lngth = main_lng;
    tickm_width = main_wid;
    ticks_lngth = sub_lng;
    ticks_width = sub_wid;
    return 1;
}

INT_PTR ATickDlgProc(DialogControls* hDlg, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: Initial_Dialog(hDlg); return 1;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                change_flag_tick = Reciev_Values(hDlg);
                hDlg->EndDialog(change_flag_tick);
                return 1;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                change_flag_tick = 0;
                hDlg->EndDialog(0);
                return 1;
            }
            return 0;
        case WM_CLOSE:
            change_flag_tick = 0;
            hDlg->EndDialog(0);
            return 1;
        default: return 0;
    }
}
