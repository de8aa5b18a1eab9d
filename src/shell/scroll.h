// Scrolling the paper: the two scroll bars over the paper at the current zoom, the arrow
// and page steps, and the automatic step while a frame is dragged against a window edge.
#pragma once

#include "platform/dialog.h"
#include "platform/window.h"

class GraphOnWin;

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;

// Scroll requests (the low word of a request).
constexpr WORD SB_LINEUP = 0;
constexpr WORD SB_LINELEFT = 0;
constexpr WORD SB_LINEDOWN = 1;
constexpr WORD SB_LINERIGHT = 1;
constexpr WORD SB_PAGEUP = 2;
constexpr WORD SB_PAGELEFT = 2;
constexpr WORD SB_PAGEDOWN = 3;
constexpr WORD SB_PAGERIGHT = 3;
constexpr WORD SB_THUMBPOSITION = 4;
constexpr WORD SB_THUMBTRACK = 5;
constexpr WORD SB_ENDSCROLL = 8;

// A thumb request carries its position above the low word (32 bits: a zoomed paper may be
// wider than 65535 pixels).
inline WPARAM Thumb_Request(WORD request, LONG position) {
    return static_cast<WPARAM>(request) |
           (static_cast<WPARAM>(static_cast<uint32_t>(position)) << 16);
}
inline LONG Thumb_Position(WPARAM request) {
    return static_cast<LONG>(static_cast<uint32_t>(request >> 16));
}

constexpr UINT SIF_RANGE = 0x1;
constexpr UINT SIF_PAGE = 0x2;
constexpr UINT SIF_POS = 0x4;
constexpr UINT SIF_DISABLENOSCROLL = 0x8;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS;

struct SCROLLINFO {
    UINT cbSize = 28;
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;    // the paper size in pixels at the current zoom
    UINT nPage = 0;  // the client width or height
    int nPos = 0;    // the scroll offset
    int nTrackPos = 0;
};

// The window that scrolls: its client area (the paper view), its bars and its contents.
class ScrollHost {
public:
    virtual ~ScrollHost() = default;
    virtual tagRECT ClientRect() const = 0;
    // Applies the fields named by info.fMask to a bar. A bar whose range is smaller than
    // its page (maximum 0 without a page) is hidden, or disabled with SIF_DISABLENOSCROLL.
    virtual void SetScrollInfo(int bar, const SCROLLINFO& info, bool redraw) = 0;
    // The contents moved by (dx, dy) pixels.
    virtual void ScrollWindow(LONG dx, LONG dy) = 0;
    // The whole client area is repainted.
    virtual void InvalidateAll() = 0;
    // The paper window the graph document draws on (null without a window).
    virtual HWND PaperHandle() = 0;
};

int Ini_StrScrlSet(ScrollHost* host, int bar, SCROLLINFO* record, UINT mask, int max, UINT page,
                   int pos, bool redraw);
// Adapts a bar to a paper size in pixels; the offset stays within size - page. Returns 1.
int NewScroll_Set(ScrollHost* host, int bar, LONG size, SCROLLINFO* record, LONG* offset);
// One request: line steps of 10 pixels, page steps, the thumb. 1 when it scrolled, 0 when
// the step was 0.
int PosChange_VScroll(ScrollHost* host, WPARAM request, SCROLLINFO* record, LONG* offset);
int PosChange_HScroll(ScrollHost* host, WPARAM request, SCROLLINFO* record, LONG* offset);

// The auto-scroll step of one timer tick: a page towards the edge code (1 top, 2 bottom,
// 3 left, 4 right). 1 when a bar moved.
int ObjMove_AutoVScroll(ScrollHost* host, int mspart_win, SCROLLINFO* record, LONG* offset);
int ObjMove_AutoHScroll(ScrollHost* host, int mspart_win, SCROLLINFO* record, LONG* offset);
int Obj_AutoScroll(int mspart_win, SCROLLINFO* hori_si, SCROLLINFO* ver_si, ScrollHost* host,
                   LONG* shiftv, LONG* shifth);
int AutoScroll_MoveObj(int mspart_win, SCROLLINFO* ver_si, SCROLLINFO* hori_si, ScrollHost* host,
                       LONG* shiftv, LONG* shifth, GraphOnWin* graph);
