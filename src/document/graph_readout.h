// What the status bar says of a point of the paper: over the plot area the data values there,
// each axis's value in its own number style; elsewhere the name of the element under it.
#pragma once

#include <string>

#include "platform/win_types.h"

class GraphOnWin;

// The values of the four axes at a point of the paper window (client pixels): has[a] is
// false for an axis the graph does not have. False when the point is not over the plot area.
struct PlotReading {
    bool has[4] = {false, false, false, false};
    double value[4] = {0.0, 0.0, 0.0, 0.0};
};
bool Read_PlotPoint(GraphOnWin* graph, LONG x, LONG y, PlotReading* reading);

// "x = 1.250  y = -0.300" (and "x(上) = …", "y(右) = …" for the top and right axes) over the
// plot area; the element's name elsewhere ("タイトル", "横軸の数値", "凡例", …); empty over
// the bare paper or without a graph.
std::string Paper_Readout(GraphOnWin* graph, LONG x, LONG y);
