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

// The series whose line sample or name is selected in the legend, -1 for none.
int Selected_Series(const GraphOnWin* graph);

// A sampled point of a series: its index in the series, its values and where it is drawn
// on the paper window (client pixels).
struct SeriesPoint {
    int series = -1;
    int index = -1;
    double x = 0.0;
    double y = 0.0;
    tagPOINT at = {0, 0};
};
// The point of the series drawn nearest to (x, y) among those drawn inside the plot area;
// gaps, points that are not numbers and points outside the axes' ranges are passed over.
// False when the series has no such point.
bool Nearest_SeriesPoint(GraphOnWin* graph, int series, LONG x, LONG y, SeriesPoint* found);
// One point of a series as Nearest_SeriesPoint reports it; false when it is not drawn inside
// the plot area (the series or the index gone, a gap, scrolled or zoomed out of range).
bool Series_PointAt(GraphOnWin* graph, int series, int index, SeriesPoint* point);
// "12 番目の点  x = 0.5  y = 0.25", each value in its axis's number style.
std::string SeriesPoint_Text(GraphOnWin* graph, const SeriesPoint& point);
