#include "elements/graph_view.h"

#include <algorithm>

#include "axes/axis_tick.h"
#include "elements/element_paint.h"
#include "platform/numeric.h"

GraphView::GraphView(HWND h_pWnd, const tagRECT* the_rect, LONG h_shift, LONG v_shift, int zoom_val)
    : MoveFrame(h_pWnd, the_rect->left, the_rect->top,
                static_cast<LONG>(int64_t(the_rect->right) - the_rect->left),
                static_cast<LONG>(int64_t(the_rect->bottom) - the_rect->top), h_shift, v_shift,
                zoom_val, 0),
      grp_link(h_pWnd) {
    for (auto& list : grdline_list) list.SetWinHandle(h_pWnd);
    useabl_flag = 0;
    if (box_width > 0 && box_height > 0) {
        vir.CreateVirWin(h_pWnd, BoxPixelWidth(), BoxPixelHeight());
        useabl_flag = 1;
    }
    obj_type = 4;
}

void GraphView::EnlargeBitmap() {
    const tagPOINT frame = vir.PutVirFrame();
    const LONG w = BoxPixelWidth();
    const LONG h = BoxPixelHeight();
    if ((w > frame.x || h > frame.y) && w > 0 && h > 0) {
        vir.CreateVirWin(h_pWnd, std::max(w, frame.x), std::max(h, frame.y));
    }
}

int GraphView::DrawAllObject() {
    HDC dc = vir.PutDC();
    if (!dc) return 0;
    const tagPOINT frame = vir.PutVirFrame();
    PatBlt(dc, 0, 0, frame.x, frame.y, PATCOPY);
    grp_link.DrawAll(dc);
    for (int i = 0; i < 4; ++i) {
        if (grid_flag[i] == 1) grdline_list[i].DrawAll(dc);
    }
    InvalidateRect(h_pWnd, nullptr, 1);
    return 1;
}

int GraphView::ChangeColor(short line_num) {
    if (!grp_link.ChangeColor(line_num)) return 0;
    DrawAllObject();
    return 1;
}

int GraphView::ChangePntColor(short line_num) {
    if (!grp_link.ChangePntColor(line_num)) return 0;
    DrawAllObject();
    return 1;
}

int GraphView::ChangeLineProp(short line_num) {
    if (!grp_link.ChangeLineProp(line_num)) return 0;
    DrawAllObject();
    return 1;
}

int& GraphView::GridFlag(int the_number) {
    static int dummy = 0;
    dummy = 0;
    if (the_number >= 0 && the_number < 4 && grdline_list[the_number].PutElementNum() > 0) {
        return grid_flag[the_number];
    }
    return dummy;
}

int GraphView::SetGridLinePos(int the_axis, const LONG* positions, short count) {
    if (the_axis < 0 || the_axis > 3) return 0;
    // An axis without tick positions has no grid lines (not those of its old range).
    if (!positions || count <= 0) {
        grdline_list[the_axis].Clear();
        return 0;
    }
    const bool vertical_axis = the_axis == 0 || the_axis == 2;
    const LONG base = vertical_axis ? positions[count - 1] : positions[0];
    grdline_list[the_axis].Clear();
    const LONG width = BoxPixelWidth();
    const LONG height = BoxPixelHeight();
    for (int i = 1; i < count - 1; ++i) {
        const LONG p = static_cast<LONG>(int64_t(positions[i]) - base);
        tagPOINT ends[2];
        if (vertical_axis) {
            ends[0] = {0, p};
            ends[1] = {width, p};
        } else {
            ends[0] = {p, 0};
            ends[1] = {p, height};
        }
        PointDate line(2);
        line.SetPointDate(2, ends);
        grdline_list[the_axis].Append(std::make_unique<GraphLine>(h_pWnd, &line, nullptr, 1, 0));
    }
    return 1;
}

int GraphView::SetGridLine(const AxisTick* scr_axtick) {
    if (!scr_axtick) return 0;
    std::unique_ptr<LONG[]> positions;
    short count = 0;
    if (!scr_axtick->TickPosInfo(&positions, &count) || !positions) {
        return SetGridLinePos(scr_axtick->ObjectNumber(), nullptr, 0);
    }
    return SetGridLinePos(scr_axtick->ObjectNumber(), positions.get(), count);
}

int GraphView::ChngViewFrame(tagRECT* new_viewframe, ArrayCls<double> trans_fact,
                             ArrayCls<double> start_val, LONG h_shift, LONG v_shift) {
    if (SetNewMoveFrame(new_viewframe, h_shift, v_shift) == 2) {
        if (vir.PutDC()) {
            EnlargeBitmap();
        } else if (BoxPixelWidth() > 0 && BoxPixelHeight() > 0) {
            vir.CreateVirWin(h_pWnd, BoxPixelWidth(), BoxPixelHeight());
            useabl_flag = 1;
        }
    }
    for (short i = 0; i < grp_link.PutElementNum(); ++i) {
        GraphLine* line = grp_link.Array(i);
        const int h = line->HoriAxis();
        const int v = line->VerAxis();
        if (trans_fact[h] != 0.0 && trans_fact[v] != 0.0) {
            line->TransDate(PointDbl(start_val[h], start_val[v]),
                            PointDbl(trans_fact[h], trans_fact[v]));
        }
    }
    return 1;
}

int GraphView::MoveObjectToPoint(tagRECT* new_rect) { return PlaceInPixels(new_rect); }

int GraphView::MoveObjectToPoint2(tagRECT* new_rect, tagRECT* twips_rect) {
    return PlaceWithTwipSize(new_rect, *twips_rect, vir.PutDC() != nullptr,
                             [this] { EnlargeBitmap(); });
}

int GraphView::ReDraw(HDC hdc, unsigned long wr_mode, int) {
    return CopyVirWin(hdc, vir.PutDC(), wr_mode);
}

int GraphView::PrintGraph(HDC hdc_to_printer, const double* trfc_point, const double* strat_point) {
    std::copy(trfc_point, trfc_point + 4, prn_trfc);
    std::copy(strat_point, strat_point + 4, prn_start);
    const tagRECT rect = GetPrntPos(hdc_to_printer);
    grp_link.PrintAllObj(&rect, strat_point, trfc_point, hdc_to_printer);
    // Whiten the page around the plot rectangle: this clips the lines to it.
    const LONG page_w = std::max<LONG>(GetDeviceCaps(hdc_to_printer, HORZRES), rect.right);
    const LONG page_h = std::max<LONG>(GetDeviceCaps(hdc_to_printer, VERTRES), rect.bottom);
    HBRUSH white = GetStockBrush(WHITE_BRUSH);
    tagRECT band;
    SetRect(&band, 0, 0, page_w, rect.top);
    FillRect(hdc_to_printer, &band, white);
    SetRect(&band, 0, rect.bottom, page_w, page_h);
    FillRect(hdc_to_printer, &band, white);
    SetRect(&band, 0, rect.top, rect.left, rect.bottom);
    FillRect(hdc_to_printer, &band, white);
    SetRect(&band, rect.right, rect.top, page_w, rect.bottom);
    FillRect(hdc_to_printer, &band, white);
    PrintBorderDraw(hdc_to_printer, rect,
                    Screen_ToPrinter(h_pWnd, hdc_to_printer, b_linewidth, true));
    return 1;
}

int GraphView::PrintObject(HDC hdc_to_printer, int) {
    return PrintGraph(hdc_to_printer, prn_trfc, prn_start);
}

int GraphView::PrintGridLinePos(HDC hdc_to_printer, int the_axis, const LONG* positions,
                                short count) {
    if (the_axis < 0 || the_axis > 3 || !positions || count <= 0) return 0;
    const tagRECT rect = GetPrntPos(hdc_to_printer);
    const bool vertical_axis = the_axis == 0 || the_axis == 2;
    // The grid lines keep their own pen (style, width, colour); all lines of an axis share
    // the properties of the first one.
    GraphLine* model =
        grdline_list[the_axis].PutElementNum() > 0 ? grdline_list[the_axis].Array(0) : nullptr;
    const unsigned style = model ? model->LineInfo()->PutLineStyle() : PS_SOLID;
    const LONG width = Screen_ToPrinter(
        h_pWnd, hdc_to_printer, model ? model->LineInfo()->PutLineSize() : 1, vertical_axis);
    const COLORREF color = model ? model->ColorInfo()->PutRGBdata() : 0;
    HPEN pen = CreatePen(static_cast<int>(style), width, color);
    HPEN old_pen = SelectObject(hdc_to_printer, pen);
    for (int i = 1; i < count - 1; ++i) {
        if (vertical_axis) {
            MoveToEx(hdc_to_printer, rect.left, positions[i], nullptr);
            LineTo(hdc_to_printer, rect.right, positions[i]);
        } else {
            MoveToEx(hdc_to_printer, positions[i], rect.top, nullptr);
            LineTo(hdc_to_printer, positions[i], rect.bottom);
        }
    }
    SelectObject(hdc_to_printer, old_pen);
    DeleteObject(pen);
    return 1;
}

int GraphView::PrintGridLine(HDC hdc_to_printer, const AxisTick* axis_tick, int the_axis) {
    if (!axis_tick) return 0;
    std::unique_ptr<LONG[]> positions;
    short count = 0;
    if (!axis_tick->TickPosOnPrnt(hdc_to_printer, &positions, &count) || !positions) return 0;
    return PrintGridLinePos(hdc_to_printer, the_axis, positions.get(), count);
}

int GraphView::HandleGridPrint(HDC hdc_to_printer, AxisTick** axis_ticks) {
    for (int i = 0; i < 4; ++i) {
        if (grid_flag[i] == 1 && axis_ticks && axis_ticks[i]) {
            PrintGridLine(hdc_to_printer, axis_ticks[i], i);
        }
    }
    return 1;
}
