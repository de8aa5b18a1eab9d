#include "elements/element_paint.h"

#include <cstring>

#include "frames/trans_unit.h"
#include "platform/numeric.h"

LONG Screen_ToPrinter(HWND hwnd, HDC hdc_to_printer, double pixels, bool horizontal) {
    const int screen_dpi = hwnd ? (horizontal ? hwnd->LogPixelsX() : hwnd->LogPixelsY()) : 96;
    const int printer_dpi = GetDeviceCaps(hdc_to_printer, horizontal ? LOGPIXELSX : LOGPIXELSY);
    return Trunc_ToInt32(TransDsp_ToPrn(pixels, screen_dpi, printer_dpi));
}

std::unique_ptr<char[]> Copy_Text(const char* text) {
    if (!text) return nullptr;
    const size_t n = std::strlen(text);
    auto copy = std::make_unique<char[]>(n + 1);
    std::memcpy(copy.get(), text, n + 1);
    return copy;
}
