// The paper shown in the window: its size in twips and at the current zoom, its scroll bars,
// the zoom itself, and the change of zoom.
#pragma once

#include "shell/scroll.h"

class GraphOnWin;

// The paper shown in the window.
struct PaperState {
    SCROLLINFO hori_si;
    SCROLLINFO ver_si;
    LONG win_width = 0;  // paper size in twips
    LONG win_height = 0;
    LONG zoom_width_size = 0;  // paper size in pixels at the current zoom
    LONG zoom_height_size = 0;
};

// Paper size in hundredths of a millimetre (A4 landscape once the window exists).
extern LONG PAPER_WIDTH;
extern LONG PAPER_HEIGHT;

// Zoom dialog state: the zoom applied last, the value accepted, 1 when the last zoom or size
// dialog asks for a change.
extern LONG g_zoom;
extern LONG g_new_zoom;
extern int g_dlgstate;

// Zooms above this are refused: paper sizes and offsets in pixels stay within 32 bits.
constexpr LONG MAX_ZOOM = 10000;
// The smallest zoom the zoom dialog takes (it ignores 10 and below).
constexpr LONG MIN_ZOOM = 11;

// The largest whole zoom at which the paper, width100 x height100 pixels at 100 %, fits a
// client area: the whole sheet, or only its width; kept within MIN_ZOOM … MAX_ZOOM.
LONG Fit_Zoom(LONG client_width, LONG client_height, LONG width100, LONG height100,
              bool whole_sheet);

// Shows the paper at new_zoom percent: sizes, offsets (kept in proportion), bars, graph.
int Change_Zoom(ScrollHost* host, LONG new_zoom, GraphOnWin* graph, PaperState* paper, LONG* shifth,
                LONG* shiftv);
