// The parts of the drawing services that need no window system: window calls forwarded to
// the window handle, rectangle helpers and MulDiv.
#include <cstdint>

#include "platform/gdi.h"

namespace {
HWND capture_window = nullptr;
}

int GetClientRect(HWND hwnd, tagRECT* rect) {
    if (!hwnd || !rect) return 0;
    *rect = hwnd->ClientRect();
    return 1;
}

int InvalidateRect(HWND hwnd, const tagRECT* rect, int erase) {
    if (!hwnd) return 0;
    hwnd->InvalidateRect(rect, erase != 0);
    return 1;
}

int InvalidateRgn(HWND hwnd, HRGN rgn, int erase) {
    if (!hwnd) return 0;
    hwnd->InvalidateRgn(rgn, erase != 0);
    return 1;
}

int ValidateRect(HWND hwnd, const tagRECT* rect) {
    if (!hwnd) return 0;
    hwnd->ValidateRect(rect);
    return 1;
}

HWND SetCapture(HWND hwnd) {
    HWND previous = capture_window;
    if (previous && previous != hwnd) previous->ReleaseCapture();
    capture_window = hwnd;
    if (hwnd) hwnd->SetCapture();
    return previous;
}

int ReleaseCapture() {
    if (capture_window) capture_window->ReleaseCapture();
    capture_window = nullptr;
    return 1;
}

HWND GetCapture() { return capture_window; }

int SetCursorShape(HWND hwnd, int cursor_id) {
    if (!hwnd) return 0;
    hwnd->SetCursorShape(cursor_id);
    return 1;
}

int SetTimer(HWND hwnd, UINT timer_id, UINT elapse_ms) {
    if (!hwnd) return 0;
    hwnd->SetTimer(timer_id, elapse_ms);
    return static_cast<int>(timer_id);
}

int KillTimer(HWND hwnd, UINT timer_id) {
    if (!hwnd) return 0;
    hwnd->KillTimer(timer_id);
    return 1;
}

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    int64_t half = c > 0 ? c / 2 : -(c / 2);
    if (half < 0) half = -half;
    const int64_t magnitude_c = c > 0 ? c : -static_cast<int64_t>(c);
    const int64_t magnitude_p = product >= 0 ? product : -product;
    int64_t q = (magnitude_p + half) / magnitude_c;
    if ((product < 0) != (c < 0)) q = -q;
    if (q > INT32_MAX || q < INT32_MIN) return -1;
    return static_cast<int>(q);
}

int SetRect(tagRECT* rect, int left, int top, int right, int bottom) {
    if (!rect) return 0;
    rect->left = left;
    rect->top = top;
    rect->right = right;
    rect->bottom = bottom;
    return 1;
}

int OffsetRect(tagRECT* rect, int dx, int dy) {
    if (!rect) return 0;
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
    return 1;
}

int EqualRect(const tagRECT* a, const tagRECT* b) {
    return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

int PtInRect(const tagRECT* rect, tagPOINT point) {
    return point.x >= rect->left && point.x < rect->right && point.y >= rect->top &&
           point.y < rect->bottom;
}
