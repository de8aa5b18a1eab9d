// What the status bar says of a point of the paper (see the header).
#include "document/graph_readout.h"

#include <cstdio>

#include "document/graph_on_win.h"
#include "document/move_obj.h"
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
