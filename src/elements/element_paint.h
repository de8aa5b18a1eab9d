// Small drawing helpers shared by the plot elements.
#pragma once

#include <memory>

#include "platform/gdi.h"

// Repaints an element's update region (nothing when it has none).
inline void Invalidate_Update(HWND hwnd, HRGN update_rgn) {
    if (update_rgn) InvalidateRgn(hwnd, update_rgn, 1);
}

// A length in screen pixels as printer dots (horizontal when horizontal is true),
// truncated toward zero.
LONG Screen_ToPrinter(HWND hwnd, HDC hdc_to_printer, double pixels, bool horizontal);

// A copy of text as an owned C string (null for null).
std::unique_ptr<char[]> Copy_Text(const char* text);
