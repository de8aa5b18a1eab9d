// Plain value types and handles shaped after the ones the drawing and dialog code expects.
// Sizes are fixed because the document file stores several of them field by field.
#pragma once

#include <cstdint>

using LONG = int32_t;
using DWORD = uint32_t;
using UINT = unsigned int;
using BYTE = uint8_t;
using WORD = uint16_t;
using COLORREF = uint32_t;  // 0x00BBGGRR: red in the lowest byte

struct tagRECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};
using RECT = tagRECT;

struct tagPOINT {
    LONG x = 0;
    LONG y = 0;
};
using POINT = tagPOINT;

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xff) | ((g & 0xff) << 8) | ((b & 0xff) << 16));
}

// A window of the program (main window, dialog, paper). Defined by the window layer;
// code that only passes owners around needs nothing more than the pointer.
class Window;
using HWND = Window*;

// The formula input dialog: owner of the formula side's message boxes.
extern HWND g_mhDlg;
// The main window (null in the command-line program).
extern HWND g_hWnd;
