// The axis setting dialog "数値軸の設定" (AXSETDLG): range, automatic mode and the main and
// sub ticks of one axis. The values travel through the exchange variables below, copied in
// by the tick frame before the dialog and out after it.
#pragma once

#include <cstdint>

#include "platform/dialog.h"

enum AxSetDlgId {
    IDC_AXMIN = 5200,
    IDC_AXMAX = 5220,
    IDC_AXDIV = 5240,
    IDC_AXAUTO = 5260,
    IDC_MAINCHK = 5270,
    IDC_MAINOUT = 5290,
    IDC_MAININ = 5300,
    IDC_MAINLNG = 5310,
    IDC_MAINWID = 5330,
    IDC_SUBCHK = 5350,
    IDC_SUBOUT = 5370,
    IDC_SUBIN = 5380,
    IDC_SUBLNG = 5390,
    IDC_SUBWID = 5410,
};

extern double axtick_minval;
extern double axtick_maxval;
extern double axtick_divval;
extern int axcalc_flag;
extern int chkstate_main;
extern int chkstate_sub;
extern int rdstate_in_m;
extern int rdstate_in_s;
extern int16_t tickm_lngth;
extern int16_t tickm_width;
extern int16_t ticks_lngth;
extern int16_t ticks_width;
extern int change_flag_tick;

// Largest number of main divisions the dialog accepts, and the range of tick lengths and
// widths in pixels.
constexpr double AXDLG_MAX_DIVISIONS = 1000.0;
constexpr long AXDLG_MIN_TICK = 1;
constexpr long AXDLG_MAX_TICK = 100;

const DialogTemplate& AxSetDlg_Template();

INT_PTR ATickDlgProc(DialogControls* hDlg, UINT message, WPARAM wParam, LPARAM lParam);
// Fills the controls from the exchange values.
void Initial_Dialog(DialogControls* hDlg);
// Reads the controls into the exchange values: 1 when all were valid, else 0 after the
// message box of the first invalid one (nothing is changed then).
int Reciev_Values(DialogControls* hDlg);
