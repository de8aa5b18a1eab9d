// The paper shown in the window and the change of zoom (see the header).
#include "shell/paper_state.h"

#include <algorithm>
#include <cstdint>

#include "document/graph_on_win.h"
#include "frames/trans_unit.h"
#include "platform/numeric.h"

LONG PAPER_WIDTH = 0;
LONG PAPER_HEIGHT = 0;
LONG g_zoom = 100;
LONG g_new_zoom = 100;
int g_dlgstate = 0;

LONG Fit_Zoom(LONG client_width, LONG client_height, LONG width100, LONG height100,
              bool whole_sheet) {
    if (width100 <= 0 || height100 <= 0) return 100;
    // Whole percent, rounded down: the paper is never a pixel wider than the window.
    int64_t zoom = int64_t(client_width) * 100 / width100;
    if (whole_sheet) zoom = std::min(zoom, int64_t(client_height) * 100 / height100);
    return static_cast<LONG>(std::clamp<int64_t>(zoom, MIN_ZOOM, MAX_ZOOM));
}

int Change_Zoom(ScrollHost* host, LONG new_zoom, GraphOnWin* graph, PaperState* paper, LONG* shifth,
                LONG* shiftv) {
    const double factor = new_zoom * 0.01;
    const double ratio = static_cast<double>(new_zoom) / static_cast<double>(g_zoom);
    HWND hwnd = host != nullptr ? host->PaperHandle() : nullptr;
    const LONG width = Twip_ToPixel(paper->win_width, hwnd, 100, 1);
    const LONG height = Twip_ToPixel(paper->win_height, hwnd, 100, 2);
    paper->zoom_width_size = Trunc_ToInt32(width * factor);
    paper->zoom_height_size = Trunc_ToInt32(height * factor);
    *shifth = Trunc_ToInt32(paper->hori_si.nPos * ratio);
    *shiftv = Trunc_ToInt32(paper->ver_si.nPos * ratio);
    paper->hori_si.nPos = *shifth;
    paper->ver_si.nPos = *shiftv;
    NewScroll_Set(host, SB_HORZ, paper->zoom_width_size, &paper->hori_si, shifth);
    NewScroll_Set(host, SB_VERT, paper->zoom_height_size, &paper->ver_si, shiftv);
    if (graph != nullptr) graph->ChangeMag(new_zoom, *shifth, *shiftv);
    if (host != nullptr) host->InvalidateAll();
    g_zoom = new_zoom;
    return 1;
}
