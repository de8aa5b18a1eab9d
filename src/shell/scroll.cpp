#include "shell/scroll.h"

#include <cstdint>

#include "document/graph_on_win.h"

namespace {

constexpr LONG LINE_STEP = 10;

LONG Page_Of(const ScrollHost* host, int bar) {
    const tagRECT rect = host->ClientRect();
    return bar == SB_VERT ? rect.bottom - rect.top : rect.right - rect.left;
}

// Limits a step to the bar's range and to the last page; 0 when nothing is left to move.
LONG Limit_Step(LONG step, const SCROLLINFO& record, LONG offset) {
    const int64_t low = -int64_t(offset);
    const int64_t high = int64_t(record.nMax) - offset;
    int64_t limited = step < low ? low : step > high ? high : step;
    if (limited == 0) return 0;
    if (int64_t(offset) + limited + record.nPage > record.nMax) {
        limited = int64_t(record.nMax) - offset - record.nPage;
    }
    return static_cast<LONG>(limited);
}

void Apply_Step(ScrollHost* host, int bar, LONG step, SCROLLINFO* record, LONG* offset) {
    *offset += step;
    record->nPos = *offset;
    if (step != 0) {
        if (bar == SB_VERT) {
            host->ScrollWindow(0, -step);
        } else {
            host->ScrollWindow(-step, 0);
        }
    }
    record->fMask = SIF_POS;
    host->SetScrollInfo(bar, *record, true);
}

int PosChange(ScrollHost* host, int bar, WPARAM request, SCROLLINFO* record, LONG* offset) {
    LONG step = 0;
    switch (LOWORD(request)) {
        case SB_LINEUP: step = -LINE_STEP; break;
        case SB_LINEDOWN: step = LINE_STEP; break;
        case SB_PAGEUP: step = -static_cast<LONG>(record->nPage); break;
        case SB_PAGEDOWN: step = static_cast<LONG>(record->nPage); break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: step = Thumb_Position(request) - *offset; break;
        default: step = 0; break;
    }
    const int64_t low = -int64_t(*offset);
    const int64_t high = int64_t(record->nMax) - *offset;
    if (step < low) step = static_cast<LONG>(low);
    if (step > high) step = static_cast<LONG>(high);
    if (step == 0) return 0;
    if (int64_t(*offset) + step + record->nPage > record->nMax) {
        step = static_cast<LONG>(int64_t(record->nMax) - *offset - record->nPage);
    }
    Apply_Step(host, bar, step, record, offset);
    return 1;
}

int AutoStep(ScrollHost* host, int bar, bool backwards, SCROLLINFO* record, LONG* offset) {
    const LONG page = static_cast<LONG>(record->nPage);
    const LONG step = Limit_Step(backwards ? -page : page, *record, *offset);
    if (step == 0) return 0;
    Apply_Step(host, bar, step, record, offset);
    return 1;
}

}  // namespace

int Ini_StrScrlSet(ScrollHost* host, int bar, SCROLLINFO* record, UINT mask, int max, UINT page,
                   int pos, bool redraw) {
    record->cbSize = 28;
    record->fMask = mask;
    record->nMin = 0;
    record->nMax = max;
    if (page != 0) record->nPage = page;
    record->nPos = pos;
    if (host != nullptr) host->SetScrollInfo(bar, *record, redraw);
    return 1;
}

int NewScroll_Set(ScrollHost* host, int bar, LONG size, SCROLLINFO* record, LONG* offset) {
    const LONG page = host != nullptr ? Page_Of(host, bar) : 0;
    if (int64_t(size) - page < 1) {
        *offset = 0;
        Ini_StrScrlSet(host, bar, record, SIF_RANGE | SIF_POS, 0, 0, 0, true);
        record->nPage = static_cast<UINT>(page < 0 ? 0 : page);
        return 1;
    }
    if (int64_t(*offset) + page > size)
        *offset -= static_cast<LONG>(int64_t(*offset) + page - size);
    if (*offset < 0) *offset = 0;
    Ini_StrScrlSet(host, bar, record, SIF_ALL | SIF_DISABLENOSCROLL, size, static_cast<UINT>(page),
                   *offset, true);
    return 1;
}

int PosChange_VScroll(ScrollHost* host, WPARAM request, SCROLLINFO* record, LONG* offset) {
    return PosChange(host, SB_VERT, request, record, offset);
}

int PosChange_HScroll(ScrollHost* host, WPARAM request, SCROLLINFO* record, LONG* offset) {
    return PosChange(host, SB_HORZ, request, record, offset);
}

int ObjMove_AutoVScroll(ScrollHost* host, int mspart_win, SCROLLINFO* record, LONG* offset) {
    if (mspart_win != 1 && mspart_win != 2) return 0;
    return AutoStep(host, SB_VERT, mspart_win == 1, record, offset);
}

int ObjMove_AutoHScroll(ScrollHost* host, int mspart_win, SCROLLINFO* record, LONG* offset) {
    if (mspart_win != 3 && mspart_win != 4) return 0;
    return AutoStep(host, SB_HORZ, mspart_win == 3, record, offset);
}

int Obj_AutoScroll(int mspart_win, SCROLLINFO* hori_si, SCROLLINFO* ver_si, ScrollHost* host,
                   LONG* shiftv, LONG* shifth) {
    if (mspart_win == 1 || mspart_win == 2) {
        return ObjMove_AutoVScroll(host, mspart_win, ver_si, shiftv);
    }
    if (mspart_win == 3 || mspart_win == 4) {
        return ObjMove_AutoHScroll(host, mspart_win, hori_si, shifth);
    }
    return 0;
}

int AutoScroll_MoveObj(int mspart_win, SCROLLINFO* ver_si, SCROLLINFO* hori_si, ScrollHost* host,
                       LONG* shiftv, LONG* shifth, GraphOnWin* graph) {
    const int moved = Obj_AutoScroll(mspart_win, hori_si, ver_si, host, shiftv, shifth);
    if (graph != nullptr) {
        if (mspart_win == 1 || mspart_win == 2) graph->ObjectVScroll(*shiftv);
        if (mspart_win == 3 || mspart_win == 4) graph->ObjectHScroll(*shifth);
    }
    host->InvalidateAll();
    return moved;
}
