// The plot area: the frame inside the axes that owns the data series and the grid lines
// of each axis, draws them into its bitmap at 100 % and prints them.
#pragma once

#include <memory>

#include "data/array_cls.h"
#include "elements/graph_line.h"
#include "frames/move_frame.h"

class AxisTick;

class GraphView final : public MoveFrame {
public:
    // the_rect in twips.
    GraphView(HWND h_pWnd, const tagRECT* the_rect, LONG h_shift, LONG v_shift, int zoom_val);
    ~GraphView() = default;

    void Append(std::unique_ptr<GraphLine> line) { grp_link.Append(std::move(line)); }
    int Remove(short number) { return grp_link.Remove(number); }
    GraphLine* Array(short number) const { return grp_link.Array(number); }
    short PutElementNum() const { return grp_link.PutElementNum(); }
    GrpLnLink* PutGrpLnLink() { return &grp_link; }
    GrpLnLink* PutGridLines(int axis) { return &grdline_list[axis & 3]; }
    HDC PutVirDC() const { return vir.PutDC(); }
    tagPOINT PutVirFrame() const { return vir.PutVirFrame(); }

    // Series, then the shown grid lines over them; repaints the window.
    int DrawAllObject();
    // 1 when the user confirmed and the area was redrawn.
    int ChangeColor(short line_num);
    int ChangePntColor(short line_num);
    int ChangeLineProp(short line_num);

    // The show flag of an axis' grid lines, or a value reset to 0 on every call for an
    // axis without grid lines.
    int& GridFlag(int the_number);
    // The grid switches of the four axes as the user left them, lines or none.
    int* GridSwitches() { return grid_flag; }
    // Rebuilds the grid lines of the tick frame's axis from its main ticks; 0 without ticks.
    int SetGridLine(const AxisTick* scr_axtick);
    // The same from the along-axis positions (pixels) of the main ticks of axis the_axis.
    int SetGridLinePos(int the_axis, const LONG* positions, short count);

    // A new plot rectangle (twips) and new scales, indexed by axis number.
    int ChngViewFrame(tagRECT* new_viewframe, ArrayCls<double> trans_fact,
                      ArrayCls<double> start_val, LONG h_shift, LONG v_shift);

    // Printing: series clipped to the plot rectangle by whitening the page around it,
    // then the outline. trfc_point and strat_point hold four entries by axis number.
    int PrintGraph(HDC hdc_to_printer, const double* trfc_point, const double* strat_point);
    // Grid lines of every axis whose flag is set; tick frames indexed by axis number.
    int HandleGridPrint(HDC hdc_to_printer, AxisTick** axis_ticks);
    int PrintGridLine(HDC hdc_to_printer, const AxisTick* axis_tick, int the_axis);
    // The same from the printer positions of the main ticks.
    int PrintGridLinePos(HDC hdc_to_printer, int the_axis, const LONG* positions, short count);

    // Slots.
    int& BoderFlag() override { return wrt_flag; }
    int BoderFlag() const override { return wrt_flag; }
    int MoveEnd(LONG, LONG, int) override { return 0; }
    int MoveObjectToPoint(tagRECT* new_rect) override;
    int MoveObjectToPoint2(tagRECT* new_rect, tagRECT* twips_rect) override;
    int ReDraw(HDC hdc, unsigned long wr_mode, int) override;
    int PrintObject(HDC hdc_to_printer, int) override;

private:
    // Makes the bitmap at least as large as the box at 100 %.
    void EnlargeBitmap();

    VirWindow vir;
    GrpLnLink grp_link;
    int wrt_flag = 1;
    GrpLnLink grdline_list[4];
    int grid_flag[4] = {0, 0, 0, 0};
    // Series printed with the last scales given to PrintGraph (for PrintObject).
    double prn_trfc[4] = {0, 0, 0, 0};
    double prn_start[4] = {0, 0, 0, 0};
};
