// Drawing services in the shape the frame and element code expects: device contexts,
// pens, brushes, fonts, bitmaps, regions, and the window calls around them. The objects
// are opaque here; the Qt implementation lives in platform/qt.
#pragma once

#include "platform/choosers.h"
#include "platform/win_types.h"
#include "platform/window.h"

class Pen;
class Brush;
class Font;
class Bitmap;
using HPEN = Pen*;
using HBRUSH = Brush*;
using HFONT = Font*;
using HBITMAP = Bitmap*;

struct tagSIZE {
    LONG cx = 0;
    LONG cy = 0;
};
using SIZE = tagSIZE;

constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;

constexpr int R2_XORPEN = 7;
constexpr int R2_COPYPEN = 13;

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;

constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr BYTE SHIFTJIS_CHARSET = 128;

constexpr int IDC_ARROW = 32512;
constexpr int IDC_IBEAM = 32513;
constexpr int IDC_WAIT = 32514;
constexpr int IDC_CROSS = 32515;
constexpr int IDC_SIZENWSE = 32642;
constexpr int IDC_SIZENESW = 32643;
constexpr int IDC_SIZEWE = 32644;
constexpr int IDC_SIZENS = 32645;
constexpr int IDC_SIZEALL = 32646;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Device contexts.
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);
// A memory context with a 1 x 1 bitmap, at the resolution of the given context (96 dpi
// when none is given).
HDC CreateCompatibleDC(HDC hdc);
// The memory context keeps what is drawn on it from now on (until its bitmap is replaced or
// wholly painted over), so a copy enlarged by StretchBlt, a zoom above 100 % or a
// high-density screen, is drawn again at the size it is shown at instead of repeating
// pixels. What the copy looks like at 100 % does not change.
void Keep_Drawing(HDC memory_dc);
// A printer context's abort procedure: called now and then while the context draws (at
// most every 30 ms); once it answers 0 the context draws nothing more.
using ABORTPROC = int (*)(HDC hdc, int code);
int SetAbortProc(HDC hdc, ABORTPROC proc);
int DeleteDC(HDC hdc);
int GetDeviceCaps(HDC hdc, int index);

// Objects. Each one created is deleted by its creator with DeleteObject; stock objects
// are never deleted. A bitmap still selected into a context is not deleted (result 0).
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
HFONT CreateFontIndirectA(const tagLOGFONTA* log_font);
HPEN GetStockPen(int index);
HBRUSH GetStockBrush(int index);
HPEN SelectObject(HDC hdc, HPEN pen);
HBRUSH SelectObject(HDC hdc, HBRUSH brush);
HFONT SelectObject(HDC hdc, HFONT font);
HBITMAP SelectObject(HDC hdc, HBITMAP bitmap);
int DeleteObject(HPEN pen);
int DeleteObject(HBRUSH brush);
int DeleteObject(HFONT font);
int DeleteObject(HBITMAP bitmap);
int DeleteObject(HRGN rgn);

// Drawing state.
int SetROP2(HDC hdc, int mode);
int SetBkMode(HDC hdc, int mode);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF SetTextColor(HDC hdc, COLORREF color);

// Drawing. Rectangles and ellipses cover left … right - 1 and top … bottom - 1.
int Rectangle(HDC hdc, int left, int top, int right, int bottom);
int Ellipse(HDC hdc, int left, int top, int right, int bottom);
int FillRect(HDC hdc, const tagRECT* rect, HBRUSH brush);
int MoveToEx(HDC hdc, int x, int y, tagPOINT* previous);
int LineTo(HDC hdc, int x, int y);
int Polyline(HDC hdc, const tagPOINT* points, int count);
// The lines MoveToEx to the first point of each run and LineTo to every further point of it
// would draw, with one painter for all of them; a point with a gap coordinate ends a run.
// On a picture, a segment drawn once already in the same single colour is not drawn again.
int GapPolyline(HDC hdc, const tagPOINT* points, int count);
// The ellipses one Ellipse call per box would draw, with one painter for all of them (and,
// on a picture, each box once when fill and outline share one colour).
int Ellipses(HDC hdc, const tagRECT* boxes, int count);
// Text from the top-left corner of its box; a font with escapement 900 runs upward.
int TextOutA(HDC hdc, int x, int y, const char* text, int length);
int GetTextExtentPoint32A(HDC hdc, const char* text, int length, tagSIZE* size);
int PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop);
int BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int x_src, int y_src, DWORD rop);
int StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int x_src, int y_src,
               int width_src, int height_src, DWORD rop);
COLORREF GetPixel(HDC hdc, int x, int y);

// Regions.
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const tagRECT* rect);
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
int EqualRgn(HRGN rgn1, HRGN rgn2);
int PtInRegion(HRGN rgn, int x, int y);
int GetRgnBox(HRGN rgn, tagRECT* rect);

// Window calls.
int GetClientRect(HWND hwnd, tagRECT* rect);
int InvalidateRect(HWND hwnd, const tagRECT* rect, int erase);
int InvalidateRgn(HWND hwnd, HRGN rgn, int erase);
int ValidateRect(HWND hwnd, const tagRECT* rect);
HWND SetCapture(HWND hwnd);
int ReleaseCapture();
HWND GetCapture();
int SetCursorShape(HWND hwnd, int cursor_id);
int SetTimer(HWND hwnd, UINT timer_id, UINT elapse_ms);
int KillTimer(HWND hwnd, UINT timer_id);

// a x b / c with a 64-bit product, rounded half away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);

// Rectangle helpers.
int SetRect(tagRECT* rect, int left, int top, int right, int bottom);
int OffsetRect(tagRECT* rect, int dx, int dy);
int EqualRect(const tagRECT* a, const tagRECT* b);
int PtInRect(const tagRECT* rect, tagPOINT point);
