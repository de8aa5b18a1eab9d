#include "frames/color_set.h"

COLORREF acrCustClr[16] = {};
COLORREF pntCustClr[16] = {};

UINT_PTR Line_Hook(HWND hdlg, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        SetWindowTextA(hdlg, "線の色");
        return 1;
    }
    return 0;
}

UINT_PTR Paint_Hook(HWND hdlg, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        SetWindowTextA(hdlg, "塗りつぶしの色");
        return 1;
    }
    return 0;
}

ColorSet::ColorSet(HWND hwnd) {
    chs_clr.lStructSize = 36;
    chs_clr.hwndOwner = hwnd;
    chs_clr.lpCustColors = acrCustClr;
    chs_clr.Flags = 0x13;
    chs_clr.rgbResult = 0;
    chs_clr.lpfnHook = Line_Hook;
    chs_clr_paint = chs_clr;
    chs_clr_paint.lpCustColors = pntCustClr;
    chs_clr_paint.rgbResult = 0xFFFFFF;
    chs_clr_paint.lpfnHook = Paint_Hook;
}
