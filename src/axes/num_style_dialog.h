// The number-style dialog "数値の表示桁数と形式" (NUMSTYDLG): the form of the axis numbers
// (automatic, exponent, fixed) and the digits after the decimal point.
#pragma once

#include <cstdint>

#include "platform/dialog.h"

struct CHOOSESTYLE {
    int16_t style_number = 0;  // 0 "通常表現", 1 "指数型表現", 2 "実数型表現"
    int16_t digit_number = 0;  // digits after the decimal point, 0 ... 16
};

enum NumStyDlgId {
    IDC_NUMDIGIT = 5110,
    IDC_NUMSTYLE = 5140,
};

constexpr int16_t NUMSTY_MAX_DIGITS = 16;

// The record the dialog works on, copied in and out by Choose_Style.
extern CHOOSESTYLE g_choose_style;

const DialogTemplate& NumStyDlg_Template();
INT_PTR NumStyDlgProc(DialogControls* hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog on *ch_styl: 1 when OK took a valid style and digit count, 0 when the
// dialog was cancelled or the digits were outside 0 ... 16 (the record is unchanged then).
int Choose_Style(CHOOSESTYLE* ch_styl, HINSTANCE h_Inst, HWND h_pWnd);
