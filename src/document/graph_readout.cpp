// What the status bar says of a point of the paper (see the header).
#include "document/graph_readout.h"

#include <cmath>
#include <cstdio>

#include "document/graph_on_win.h"
#include "document/move_obj.h"
#include "elements/graph_line.h"
#include "formula/number_text.h"

namespace {

// Axes 0 and 2 are vertical (left, right), 1 and 3 horizontal (bottom, top).
bool Horizontal(int axis) { return (axis & 1) == 1; }

const char* const kAxisLabel[4] = {"y", "x", "y(右)", "x(上)"};
const char* const kAxisSide[4] = {"縦軸", "横軸", "右の縦軸", "上の横軸"};

bool Inside(const tagRECT& rect, LONG x, LONG y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// A value as the axis's numbers show it; plain %g when the style cannot write it.
std::string Axis_Text(const AxisFrame* frame, double value) {
    char text[256] = "";
    if (frame != nullptr &&
        Double_To_C(value, text, frame->PutNumDspdg(), frame->PutStyNum(), sizeof text)) {
        return text;
    }
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace

bool Read_PlotPoint(GraphOnWin* graph, LONG x, LONG y, PlotReading* reading) {
    *reading = PlotReading();
    if (graph == nullptr || !graph->graph_view) return false;
    const tagRECT plot = graph->graph_view->PutFrmRect();
    if (!Inside(plot, x, y) || plot.right <= plot.left || plot.bottom <= plot.top) return false;
    // The plot area spans each axis from its minimum to its maximum, upwards and rightwards.
    const double across = (x - plot.left + 0.5) / double(plot.right - plot.left);
    const double up = (plot.bottom - y - 0.5) / double(plot.bottom - plot.top);
    for (int axis = 0; axis < 4; ++axis) {
        const AxisTick* tick = graph->axis_tick[axis].get();
        if (tick == nullptr) continue;
        const double low = tick->PutMinValue();
        const double high = tick->PutMaxValue();
        reading->has[axis] = true;
        reading->value[axis] = low + (Horizontal(axis) ? across : up) * (high - low);
    }
    return true;
}

std::string Paper_Readout(GraphOnWin* graph, LONG x, LONG y) {
    if (graph == nullptr) return std::string();
    if (graph->glist_frame && graph->glist_frame->PutShowFlag() != 0 &&
        graph->glist_frame->GeObjtPartOfPos(x, y) >= 0) {
        return "凡例";
    }
    MoveFrame* target = nullptr;
    if (graph->CatchOnObject(MAKELPARAM_XY(x, y), &target) >= 0 && target != nullptr) {
        if (target == graph->title_on_win[0].get()) return "グラフのタイトル";
        for (int axis = 0; axis < 4; ++axis) {
            const std::string side = kAxisSide[axis];
            if (target == graph->title_on_win[axis + 1].get()) return side + "のタイトル";
            if (target == graph->axis_frame[axis].get()) return side + "の数値";
            if (target == graph->axis_tick[axis].get()) return side + "の目盛";
        }
    }
    PlotReading reading;
    if (!Read_PlotPoint(graph, x, y, &reading)) return std::string();
    std::string text;
    // The horizontal value first, as a point is written.
    for (int axis : {1, 0, 3, 2}) {
        if (!reading.has[axis]) continue;
        if (!text.empty()) text += "  ";
        text += std::string(kAxisLabel[axis]) + " = " +
                Axis_Text(graph->axis_frame[axis].get(), reading.value[axis]);
    }
    return text;
}

int Selected_Series(const GraphOnWin* graph) {
    if (graph == nullptr || !graph->glist_frame || !graph->graph_view ||
        graph->selectobject != graph->glist_frame.get()) {
        return -1;
    }
    int index = graph->glist_frame->NoFrameGList(0);
    if (index < 0) index = graph->glist_frame->NoFrameTList(0);
    return index < graph->graph_view->PutElementNum() ? index : -1;
}

namespace {

// The series' drawn points and their values, index for index; null when the series is gone.
GraphLine* Series(GraphOnWin* graph, int series) {
    if (graph == nullptr || !graph->graph_view || series < 0 ||
        series >= graph->graph_view->PutElementNum()) {
        return nullptr;
    }
    return graph->graph_view->PutGrpLnLink()->Array(static_cast<short>(series));
}

int Point_Count(GraphLine* line) {
    const int drawn = line->PutPointDate()->GetArraySize();
    const int values = line->PutPointArray()->ArrayNum();
    return drawn < values ? drawn : values;
}

// The point as drawn, when it is a drawn number inside the plot area. Points are placed on
// the plot area's bitmap at 100 %, which is stretched onto the plot area at other zooms.
bool Drawn_Inside(GraphLine* line, const GraphView& view, int index, SeriesPoint* point) {
    const tagPOINT drawn = (*line->PutPointDate())[index];
    if (Is_GapPoint(drawn)) return false;
    const PointDbl value = line->PutPointArray()->Points()[index];
    if (!std::isfinite(value.x) || !std::isfinite(value.y)) return false;
    const tagRECT plot = view.PutFrmRect();
    // 64 bits: a point far off the plot area is placed far off too, never wrapped round.
    long long x = static_cast<long long>(plot.left) + drawn.x;
    long long y = static_cast<long long>(plot.top) + drawn.y;
    if (view.ZoomPercent() != 100) {
        const LONG width = view.BoxPixelWidth();
        const LONG height = view.BoxPixelHeight();
        if (width <= 0 || height <= 0) return false;
        x = plot.left +
            static_cast<long long>(std::floor((drawn.x + 0.5) * (plot.right - plot.left) / width));
        y = plot.top +
            static_cast<long long>(std::floor((drawn.y + 0.5) * (plot.bottom - plot.top) / height));
    }
    if (x < plot.left || x >= plot.right || y < plot.top || y >= plot.bottom) return false;
    point->index = index;
    point->x = value.x;
    point->y = value.y;
    point->at.x = static_cast<LONG>(x);
    point->at.y = static_cast<LONG>(y);
    return true;
}

}  // namespace

bool Series_PointAt(GraphOnWin* graph, int series, int index, SeriesPoint* point) {
    GraphLine* line = Series(graph, series);
    if (line == nullptr || index < 0 || index >= Point_Count(line)) return false;
    point->series = series;
    return Drawn_Inside(line, *graph->graph_view, index, point);
}

bool Nearest_SeriesPoint(GraphOnWin* graph, int series, LONG x, LONG y, SeriesPoint* found) {
    GraphLine* line = Series(graph, series);
    if (line == nullptr) return false;
    const int count = Point_Count(line);
    long long best = -1;
    for (int i = 0; i < count; ++i) {
        SeriesPoint point;
        if (!Drawn_Inside(line, *graph->graph_view, i, &point)) continue;
        const long long dx = static_cast<long long>(point.at.x) - x;
        const long long dy = static_cast<long long>(point.at.y) - y;
        const long long distance = dx * dx + dy * dy;
        // On a tie the earlier point stays: the first of points drawn on one pixel.
        if (best < 0 || distance < best) {
            best = distance;
            *found = point;
            found->series = series;
        }
    }
    return best >= 0;
}

std::string SeriesPoint_Text(GraphOnWin* graph, const SeriesPoint& point) {
    GraphLine* line = Series(graph, point.series);
    if (line == nullptr) return std::string();
    const int hori = line->HoriAxis() & 3;
    const int vert = line->VerAxis() & 3;
    return std::to_string(point.index + 1) + " 番目の点  " + kAxisLabel[hori] + " = " +
           Axis_Text(graph->axis_frame[hori].get(), point.x) + "  " + kAxisLabel[vert] + " = " +
           Axis_Text(graph->axis_frame[vert].get(), point.y);
}
