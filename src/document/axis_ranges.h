// New ranges for the graph's axes chosen with the mouse: the rectangle dragged over the plot
// area, or every axis back to the range its data alone would give it. Both take the axis
// dialog's route, so the numbers stay tidy and the series are mapped again.
#pragma once

#include "platform/win_types.h"

class GraphOnWin;

// Every axis takes the part of its range that the rectangle (paper window pixels) covers,
// widened to whole steps of 1, 2 or 5 times a power of ten (about ten of them). 1 when an axis changed (the
// document is then modified); 0 when the rectangle is not inside the plot area or is under
// five pixels across either way, or no axis took a new range.
int Zoom_AxesToBand(GraphOnWin* graph, const tagRECT& band, LONG h_shift, LONG v_shift);

// Every axis takes the tidy range of the finite values of the series drawn on it, with ten
// divisions, as a graph composed from that data would have. 1 when an axis changed.
int Fit_AxesToData(GraphOnWin* graph, LONG h_shift, LONG v_shift);
