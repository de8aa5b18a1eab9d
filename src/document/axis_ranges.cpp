// New axis ranges from a dragged rectangle or from the data (see the header).
#include "document/axis_ranges.h"

#include <cmath>

#include "data/utility.h"
#include "document/graph_on_win.h"
#include "kinds/graph_handover.h"

namespace {

// A band narrower or lower than this many pixels is taken for a slip of the mouse.
constexpr LONG kSmallestBand = 5;

// Axes 0 and 2 are vertical (left, right), 1 and 3 horizontal (bottom, top).
bool Horizontal(int axis) { return (axis & 1) == 1; }

// A step of 1, 2 or 5 times a power of ten that cuts low ... high into at most about ten
// parts; 0 when there is none.
double Round_Step(double low, double high) {
    const double raw = (high - low) / 10.0;
    if (!(raw > 0.0) || !std::isfinite(raw)) return 0.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double mantissa = raw / power;
    const double step = mantissa <= 1.0   ? 1.0
                        : mantissa <= 2.0 ? 2.0
                        : mantissa <= 5.0 ? 5.0
                                          : 10.0;
    return step * power;
}

// The band's range widened to whole round steps, taken by the axis as the axis dialog takes
// a range typed into it.
int Take_BandRange(GraphOnWin* graph, int axis, double low, double high, LONG h_shift,
                   LONG v_shift) {
    AxisTick* tick = graph->axis_tick[axis].get();
    const double step = Round_Step(low, high);
    if (tick == nullptr || step == 0.0) return 0;
    // A band edge within a millionth of a step of a whole step stays on it.
    const double first = std::floor(low / step + 1e-6);
    const double last = std::ceil(high / step - 1e-6);
    if (!(last > first)) return 0;
    double old_low = 0.0, old_high = 0.0, old_step = 0.0;
    tick->PutATValues(&old_low, &old_high, &old_step);
    const double new_low = first * step, new_high = last * step;
    if (new_low == old_low && new_high == old_high && step == old_step) return 0;
    return graph->TakeAxisRange(tick, new_low, new_high, step, h_shift, v_shift);
}

}  // namespace

int Zoom_AxesToBand(GraphOnWin* graph, const tagRECT& band, LONG h_shift, LONG v_shift) {
    if (graph == nullptr || !graph->graph_view) return 0;
    const tagRECT plot = graph->graph_view->PutFrmRect();
    const LONG width = plot.right - plot.left;
    const LONG height = plot.bottom - plot.top;
    const LONG left = band.left < band.right ? band.left : band.right;
    const LONG right = band.left < band.right ? band.right : band.left;
    const LONG top = band.top < band.bottom ? band.top : band.bottom;
    const LONG bottom = band.top < band.bottom ? band.bottom : band.top;
    if (width <= 0 || height <= 0 || right - left < kSmallestBand || bottom - top < kSmallestBand) {
        return 0;
    }
    if (left < plot.left || right > plot.right || top < plot.top || bottom > plot.bottom) return 0;
    // Every range is read before any axis changes: a new range may move the plot area.
    bool has[4] = {false, false, false, false};
    double low[4] = {0, 0, 0, 0}, high[4] = {0, 0, 0, 0};
    for (int axis = 0; axis < 4; ++axis) {
        const AxisTick* tick = graph->axis_tick[axis].get();
        if (tick == nullptr || graph->axis_flag[axis] == 0) continue;
        const double from = tick->PutMinValue();
        const double span = tick->PutMaxValue() - from;
        const double start = Horizontal(axis) ? double(left - plot.left) / width
                                              : double(plot.bottom - bottom) / height;
        const double end = Horizontal(axis) ? double(right - plot.left) / width
                                            : double(plot.bottom - top) / height;
        has[axis] = true;
        low[axis] = from + start * span;
        high[axis] = from + end * span;
    }
    int changed = 0;
    for (int axis = 0; axis < 4; ++axis) {
        if (has[axis])
            changed |= Take_BandRange(graph, axis, low[axis], high[axis], h_shift, v_shift);
    }
    if (changed) graph->SetModified(1);
    return changed;
}

int Fit_AxesToData(GraphOnWin* graph, LONG h_shift, LONG v_shift) {
    if (graph == nullptr || !graph->graph_view) return 0;
    double low[4], high[4];
    for (int axis = 0; axis < 4; ++axis) {
        low[axis] = HUGE_VAL;
        high[axis] = -HUGE_VAL;
    }
    GrpLnLink* series = graph->graph_view->PutGrpLnLink();
    for (size_t i = 0; i < series->Count(); ++i) {
        GraphLine* line = series->Array(static_cast<short>(i));
        if (line == nullptr) continue;
        double x_min = 0, x_max = 0, y_min = 0, y_max = 0;
        line->PutPointArray()->CalcMaxMin(&x_min, &x_max, &y_min, &y_max);
        const int hori = line->HoriAxis() & 3;
        const int vert = line->VerAxis() & 3;
        // NaN (a component without a finite value) compares false and changes nothing.
        if (x_min < low[hori]) low[hori] = x_min;
        if (x_max > high[hori]) high[hori] = x_max;
        if (y_min < low[vert]) low[vert] = y_min;
        if (y_max > high[vert]) high[vert] = y_max;
    }
    const GraphRequest composed;
    int changed = 0;
    for (int axis = 0; axis < 4; ++axis) {
        AxisTick* tick = graph->axis_tick[axis].get();
        if (tick == nullptr || graph->axis_flag[axis] == 0 || !(low[axis] <= high[axis])) {
            continue;
        }
        int divisions = Horizontal(axis) ? composed.x_divnum : composed.y_divnum;
        double new_low = 0.0, new_high = 0.0, step = 0.0;
        Determin_Axis_Range(low[axis], high[axis], &new_low, &new_high, &step, &divisions);
        double old_low = 0.0, old_high = 0.0, old_step = 0.0;
        tick->PutATValues(&old_low, &old_high, &old_step);
        if (new_low == old_low && new_high == old_high && step == old_step) continue;
        changed |= graph->TakeAxisRange(tick, new_low, new_high, step, h_shift, v_shift);
    }
    if (changed) graph->SetModified(1);
    return changed;
}
