// Conversions between twips (1/1440 inch, the stored unit of every frame), window pixels
// at a zoom, hundredths of a millimetre and printer dots. Integer products are formed in
// 64 bits and every quotient truncates toward zero.
#pragma once

#include "platform/gdi.h"

struct DPoint {
    double x = 0.0;
    double y = 0.0;
};

// the_direction 1: horizontal (LOGPIXELSX); any other value: vertical (LOGPIXELSY).
LONG Twip_ToPixel(LONG target_value, HWND h_Wnd, LONG zoom_val, int the_direction);
LONG Pixel_ToTwip(LONG target_value, HWND h_Wnd, LONG zoom_val, int the_direction);
LONG CalcValOnScr(LONG ori_size, double zoom_val, LONG sft_val);
LONG CalcValOnScrTwip(LONG ori_size, HWND h_Wnd, int the_direction, double zoom_val, LONG sft_val);
double TransDsp_ToPrn(double size_on_dsp, int pxl_per_ich, int pnt_per_ich);
LONG Twip_ToDmm(LONG the_target);
LONG Dmm_ToTwip(LONG the_target);
DPoint TransDspPxl_ToPrnDot(const DPoint* the_source, HDC win_hdc, HDC hdc_to_printer);
DPoint TransDspPxl_ToPrnDot(const tagPOINT* the_source, HDC win_hdc, HDC hdc_to_printer);
