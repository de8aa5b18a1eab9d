// The graph document on a printer page (or any device printing goes through: PDF, SVG).
#include "document/graph_on_win.h"

void GraphOnWin::CalcForGraphPrint(HDC hdc_to_printer, double* scales, double* origins) const {
    const tagRECT printed = graph_view->GetPrntPos(hdc_to_printer);
    for (int axis = 0; axis < 4; ++axis) {
        scales[axis] = 0.0;
        origins[axis] = 0.0;
        if (!Exists(axis) || !axis_frame[axis]) continue;
        double smallest = 0.0;
        double largest = 0.0;
        axis_frame[axis]->CalcMxMinNumStrObj(&smallest, &largest);
        const double span = largest - smallest;
        if (!(span > 0.0)) continue;
        if (axis == 0 || axis == 2) {
            origins[axis] = largest;
            scales[axis] = (printed.bottom - printed.top) / span;
        } else {
            origins[axis] = smallest;
            scales[axis] = (printed.right - printed.left) / span;
        }
    }
}

int GraphOnWin::PrintObject(HDC hdc_to_printer, int wr_mode) {
    if (hdc_to_printer == nullptr) return 0;
    if (graph_view) {
        double scales[4];
        double origins[4];
        CalcForGraphPrint(hdc_to_printer, scales, origins);
        graph_view->PrintGraph(hdc_to_printer, scales, origins);
        AxisTick* ticks[4] = {axis_tick[0].get(), axis_tick[1].get(), axis_tick[2].get(),
                              axis_tick[3].get()};
        graph_view->HandleGridPrint(hdc_to_printer, ticks);
    }
    if (title_on_win[0]) title_on_win[0]->PrintObject(hdc_to_printer, wr_mode);
    for (int axis = 0; axis < 4; ++axis) {
        if (!Exists(axis)) continue;
        if (axis_tick[axis]) axis_tick[axis]->PrintObject(hdc_to_printer, wr_mode);
        if (axis_frame[axis]) axis_frame[axis]->PrintObject(hdc_to_printer, wr_mode);
        if (title_on_win[axis + 1]) title_on_win[axis + 1]->PrintObject(hdc_to_printer, wr_mode);
    }
    if (glist_frame) glist_frame->PrintObject(hdc_to_printer, wr_mode);
    return 1;
}

int CanPrint(const GraphOnWin* graph) {
    if (graph == nullptr) return 0;
    if (graph->title_on_win[0] || graph->graph_view || graph->glist_frame) return 1;
    for (int flag : graph->axis_flag) {
        if (flag != 0) return 1;
    }
    return 0;
}
