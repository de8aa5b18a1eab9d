// Window helpers of the mouse handling: where the mouse is relative to the window's edges,
// the auto-scroll timer and the sizing cursors.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/choosers.h"
#include "platform/window.h"

// Mouse position packed as a window message carries it: x in the low 16 bits, y in the high.
inline LPARAM MAKELPARAM_XY(LONG x, LONG y) {
    return static_cast<LPARAM>((static_cast<uint32_t>(x) & 0xffffu) |
                               ((static_cast<uint32_t>(y) & 0xffffu) << 16));
}
// The signed coordinates of a packed position (a captured mouse may be left of or above the
// window).
inline LONG Mouse_X(LPARAM lParam) { return static_cast<int16_t>(lParam & 0xffff); }
inline LONG Mouse_Y(LPARAM lParam) { return static_cast<int16_t>((lParam >> 16) & 0xffff); }

// The auto-scroll timer and its period.
constexpr UINT AUTOSCROLL_TIMER = 777;
constexpr UINT AUTOSCROLL_PERIOD = 1000;
// Width of the band along each window edge that scrolls automatically during a drag.
constexpr LONG EDGE_BAND = 10;

// 1 while the auto-scroll timer runs.
extern int g_timer;

// 1 when the point lies outside the client rectangle.
int OutClient_MousePos(tagPOINT point, const tagRECT& rect);
// -2 outside the client area; 1 top, 2 bottom, 3 left, 4 right edge band; -1 elsewhere.
int Catch_MousePosOnWin(HWND hwnd, LPARAM lParam);
// Timer 777 every 1000 ms on the window; 1 when it was started (stopped), else 0.
int Start_Timer(HWND hwnd);
int End_Timer(HWND hwnd);
// The sizing cursor for a frame part (0-1 NW/SE, 2-3 NE/SW, 4-5 W/E, 6-7 N/S); 1 when set.
int Change_CursorState(HWND hwnd, int part);
