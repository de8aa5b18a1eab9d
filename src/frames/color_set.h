// Line colour and paint (or marker) colour of an element with their choosers. All line
// colours share one table of custom colours and all paint colours another.
#pragma once

#include "platform/gdi.h"

extern COLORREF acrCustClr[16];
extern COLORREF pntCustClr[16];

UINT_PTR Line_Hook(HWND hdlg, UINT message, WPARAM wparam, LPARAM lparam);
UINT_PTR Paint_Hook(HWND hdlg, UINT message, WPARAM wparam, LPARAM lparam);

class ColorSet {
public:
    explicit ColorSet(HWND hwnd);

    int ShowColorDlg() { return ChooseColorA(&chs_clr); }
    int ShowPntColorDlg() { return ChooseColorA(&chs_clr_paint); }
    COLORREF PutRGBdata() const { return chs_clr.rgbResult; }
    void SetRGBdata(COLORREF color) { chs_clr.rgbResult = color; }
    COLORREF PutRGBPntdata() const { return chs_clr_paint.rgbResult; }
    void SetRGBPntdata(COLORREF color) { chs_clr_paint.rgbResult = color; }

private:
    tagCHOOSECOLORA chs_clr;
    tagCHOOSECOLORA chs_clr_paint;
};
