#include "frames/trans_unit.h"

#include "platform/numeric.h"

namespace {

// Resolution of the window in the given direction; 96 without a window.
int64_t Resolution(HWND h_Wnd, int the_direction) {
    if (!h_Wnd) return 96;
    return the_direction == 1 ? h_Wnd->LogPixelsX() : h_Wnd->LogPixelsY();
}

// A 64-bit result back in 32 bits; the gap value when it does not fit.
LONG Narrow(int64_t value) {
    if (value > INT32_MAX || value < INT32_MIN) return GAP_VALUE;
    return static_cast<LONG>(value);
}

}  // namespace

LONG Twip_ToPixel(LONG target_value, HWND h_Wnd, LONG zoom_val, int the_direction) {
    const int64_t res = Resolution(h_Wnd, the_direction);
    if (zoom_val == 100) return Narrow(res * target_value / 1440);
    return Narrow(res * target_value * zoom_val / 144000);
}

LONG Pixel_ToTwip(LONG target_value, HWND h_Wnd, LONG zoom_val, int the_direction) {
    const int64_t res = Resolution(h_Wnd, the_direction);
    if (zoom_val == 100) {
        if (res == 0) return 0;
        return Narrow(int64_t(target_value) * 1440 / res);
    }
    const int64_t divisor = res * zoom_val;
    if (divisor == 0) return 0;
    return Narrow(int64_t(target_value) * 144000 / divisor);
}

LONG CalcValOnScr(LONG ori_size, double zoom_val, LONG sft_val) {
    if (zoom_val == 100.0) return Narrow(int64_t(ori_size) - sft_val);
    return Trunc_ToInt32(ori_size * zoom_val * 0.01 - sft_val);
}

LONG CalcValOnScrTwip(LONG ori_size, HWND h_Wnd, int the_direction, double zoom_val, LONG sft_val) {
    if (ori_size == 0) return 0;
    return CalcValOnScr(Twip_ToPixel(ori_size, h_Wnd, 100, the_direction), zoom_val, sft_val);
}

double TransDsp_ToPrn(double size_on_dsp, int pxl_per_ich, int pnt_per_ich) {
    return pnt_per_ich * size_on_dsp / pxl_per_ich;
}

LONG Twip_ToDmm(LONG the_target) { return Narrow(int64_t(the_target) * 2540 / 1440); }

LONG Dmm_ToTwip(LONG the_target) {
    return Trunc_ToInt32(static_cast<double>(int64_t(the_target) * 1440) * 0.0003937007874015748);
}

DPoint TransDspPxl_ToPrnDot(const DPoint* the_source, HDC win_hdc, HDC hdc_to_printer) {
    DPoint result;
    result.x = TransDsp_ToPrn(the_source->x, GetDeviceCaps(win_hdc, LOGPIXELSX),
                              GetDeviceCaps(hdc_to_printer, LOGPIXELSX));
    result.y = TransDsp_ToPrn(the_source->y, GetDeviceCaps(win_hdc, LOGPIXELSY),
                              GetDeviceCaps(hdc_to_printer, LOGPIXELSY));
    return result;
}

DPoint TransDspPxl_ToPrnDot(const tagPOINT* the_source, HDC win_hdc, HDC hdc_to_printer) {
    DPoint source;
    source.x = the_source->x;
    source.y = the_source->y;
    return TransDspPxl_ToPrnDot(&source, win_hdc, hdc_to_printer);
}
