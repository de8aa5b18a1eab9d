#include "elements/graph_line.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "data/utility.h"
#include "elements/element_paint.h"
#include "platform/message_box.h"
#include "platform/numeric.h"

namespace {

LONG DfltMkdev = 5;

// The sum of a coordinate and an offset; the gap value when it does not fit.
LONG Add_Offset(LONG value, LONG offset) {
    const int64_t sum = int64_t(value) + offset;
    if (sum < INT32_MIN + 1 || sum > INT32_MAX) return GAP_VALUE;
    return static_cast<LONG>(sum);
}

}  // namespace

bool Is_GapPoint(const tagPOINT& point) { return point.x == GAP_VALUE || point.y == GAP_VALUE; }

void Draw_GapPolyline(HDC hdc, const tagPOINT* points, int count) {
    GapPolyline(hdc, points, count);
}

GraphLine::GraphLine(HWND h_Vwin, const PointArray* the_date, PointDbl strat_point,
                     PointDbl trfc_point, const char* new_lett, int x_axisnum, int y_axisnum)
    : horiaxis_num(x_axisnum),
      veraxis_num(y_axisnum),
      line_prop(h_Vwin, PS_SOLID, 1, 0, 3),
      color_set(h_Vwin),
      mrk_dev(DfltMkdev) {
    if (!the_date) return;
    date_on_graph = *the_date;
    SetDateTitle(new_lett);
    TransDate(strat_point, trfc_point);
    useabl_flag = 1;
}

GraphLine::GraphLine(HWND h_Vwin, PointArray&& the_date, PointDbl strat_point, PointDbl trfc_point,
                     const char* new_lett, int x_axisnum, int y_axisnum)
    : horiaxis_num(x_axisnum),
      veraxis_num(y_axisnum),
      line_prop(h_Vwin, PS_SOLID, 1, 0, 3),
      color_set(h_Vwin),
      mrk_dev(DfltMkdev) {
    date_on_graph = std::move(the_date);
    SetDateTitle(new_lett);
    TransDate(strat_point, trfc_point);
    useabl_flag = 1;
}

GraphLine::GraphLine(HWND h_Vwin, const PointDate* the_date, const char* new_lett, int x_axisnum,
                     int y_axisnum)
    : horiaxis_num(x_axisnum),
      veraxis_num(y_axisnum),
      line_prop(h_Vwin, PS_SOLID, 1, 0, 3),
      color_set(h_Vwin),
      mrk_dev(DfltMkdev) {
    if (!the_date) return;
    date_on_virwin = *the_date;
    SetDateTitle(new_lett);
    useabl_flag = 1;
}

void GraphLine::SetDefMrkdev(LONG defnum) { DfltMkdev = defnum < 1 ? 1 : defnum; }

LONG GraphLine::PutDefMrkdev() { return DfltMkdev; }

int GraphLine::SetDateTitle(const char* new_lett) { return date_on_graph.SetTheName(new_lett); }

int GraphLine::TransDate(PointDbl strat_point, PointDbl trfc_point) {
    const int n = date_on_graph.ArrayNum();
    if (n < 1) return 1;
    const PointDbl* source = date_on_graph.Points();
    tagPOINT* points = date_on_virwin.Resize(n);
    for (int i = 0; i < n; ++i) {
        points[i].x = ValueTransfer_To_OnScreen(0, source[i].x, strat_point.x, trfc_point.x);
        points[i].y = ValueTransfer_To_OnScreen(0, -source[i].y, -strat_point.y, trfc_point.y);
    }
    return 1;
}

int GraphLine::DrawPolyline(HDC hdc, PointDate* points, LONG width) {
    HPEN pen = CreatePen(static_cast<int>(line_prop.PutLineStyle()), width, color_set.PutRGBdata());
    HPEN old_pen = SelectObject(hdc, pen);
    Draw_GapPolyline(hdc, points->PutArray(), points->GetArraySize());
    SelectObject(hdc, old_pen);
    DeleteObject(pen);
    return 1;
}

int GraphLine::DrawMarkers(HDC hdc, PointDate* points, LONG radius) {
    const COLORREF color = color_set.PutRGBPntdata();
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HBRUSH brush = CreateSolidBrush(color);
    HPEN old_pen = SelectObject(hdc, pen);
    HBRUSH old_brush = SelectObject(hdc, brush);
    const int64_t step = mrk_dev < 1 ? 1 : mrk_dev;
    const int64_t n = points->GetArraySize();
    std::vector<tagRECT> boxes;
    boxes.reserve(static_cast<size_t>((n + step - 1) / step));
    for (int64_t i = 0; i < n; i += step) {
        const tagPOINT p = (*points)[static_cast<int>(i)];
        if (Is_GapPoint(p)) continue;
        tagRECT box;
        box.left = Add_Offset(p.x, -radius);
        box.top = Add_Offset(p.y, -radius);
        box.right = Add_Offset(p.x, radius);
        box.bottom = Add_Offset(p.y, radius);
        boxes.push_back(box);
    }
    Ellipses(hdc, boxes.data(), static_cast<int>(boxes.size()));
    SelectObject(hdc, old_brush);
    SelectObject(hdc, old_pen);
    DeleteObject(brush);
    DeleteObject(pen);
    return 1;
}

int GraphLine::DrawLineO(HWND, HDC hdc) {
    return DrawPolyline(hdc, &date_on_virwin, line_prop.PutLineSize());
}

int GraphLine::DrawCircle(HWND, HDC hdc) {
    return DrawMarkers(hdc, &date_on_virwin, line_prop.PutRadius());
}

int GraphLine::DrawLine(HWND hwnd, HDC hdc) {
    if (useabl_flag != 1) return 0;
    const LONG marker = line_prop.PutMarker();
    if (marker >= 0) DrawLineO(hwnd, hdc);
    if (marker != 0) DrawCircle(hwnd, hdc);
    return 1;
}

int GraphLine::TransDataOnPnt(PointDate* poson_prnt, const tagRECT* gview_onprt,
                              const double* strat_point, const double* trfc_point) {
    const int n = date_on_graph.ArrayNum();
    if (poson_prnt->GetArraySize() < n) return 0;
    const int h = horiaxis_num >= 0 && horiaxis_num < 4 ? horiaxis_num : 1;
    const int v = veraxis_num >= 0 && veraxis_num < 4 ? veraxis_num : 0;
    for (int i = 0; i < n; ++i) {
        const PointDbl& p = date_on_graph[i];
        tagPOINT& out = (*poson_prnt)[i];
        const LONG x = ValueTransfer_To_OnScreen(0, p.x, strat_point[h], trfc_point[h]);
        const LONG y = ValueTransfer_To_OnScreen(0, -p.y, -strat_point[v], trfc_point[v]);
        out.x = x == GAP_VALUE ? GAP_VALUE : Add_Offset(x, gview_onprt->left);
        out.y = y == GAP_VALUE ? GAP_VALUE : Add_Offset(y, gview_onprt->top);
    }
    return 1;
}

int GraphLine::PrintLineO(HDC hdc_to_printer, PointDate* points) {
    return DrawPolyline(
        hdc_to_printer, points,
        Screen_ToPrinter(line_prop.PutWindow(), hdc_to_printer, line_prop.PutLineSize(), true));
}

int GraphLine::PrintCircle(HDC hdc_to_printer, PointDate* points) {
    return DrawMarkers(
        hdc_to_printer, points,
        Screen_ToPrinter(line_prop.PutWindow(), hdc_to_printer, line_prop.PutRadius(), true));
}

int GraphLine::PrintLine(HDC hdc_to_printer, const tagRECT* gview_onprt, const double* strat_point,
                         const double* trfc_point) {
    if (useabl_flag != 1) return 0;
    PointDate points(date_on_graph.ArrayNum());
    if (!TransDataOnPnt(&points, gview_onprt, strat_point, trfc_point)) return 0;
    const LONG marker = line_prop.PutMarker();
    if (marker >= 0) PrintLineO(hdc_to_printer, &points);
    if (marker != 0) PrintCircle(hdc_to_printer, &points);
    return 1;
}

int GraphLine::PrintPixelLine(HDC hdc_to_printer, const tagRECT* gview_onprt) {
    if (useabl_flag != 1) return 0;
    const HWND hwnd = line_prop.PutWindow();
    PointDate points(date_on_virwin.GetArraySize());
    for (int i = 0; i < date_on_virwin.GetArraySize(); ++i) {
        const tagPOINT p = date_on_virwin[i];
        points[i].x = Is_GapPoint(p) ? GAP_VALUE
                                     : Add_Offset(Screen_ToPrinter(hwnd, hdc_to_printer, p.x, true),
                                                  gview_onprt->left);
        points[i].y =
            Is_GapPoint(p)
                ? GAP_VALUE
                : Add_Offset(Screen_ToPrinter(hwnd, hdc_to_printer, p.y, false), gview_onprt->top);
    }
    return PrintLineO(hdc_to_printer, &points);
}

void GrpLnLink::OutOfRange() const {
    MessageBoxA(h_grpWin, "指定オブジェクトの番号が範囲外です", "out of range", MB_OK);
}

void GrpLnLink::Append(std::unique_ptr<GraphLine> line) {
    if (line) lines.push_back(std::move(line));
}

GraphLine* GrpLnLink::Array(short number) const {
    if (InRange(number)) return lines[number].get();
    OutOfRange();
    return lines.empty() ? nullptr : lines.front().get();
}

int GrpLnLink::Remove(short number) {
    if (!InRange(number)) return 0;
    lines.erase(lines.begin() + number);
    return 1;
}

int GrpLnLink::Draw(short start, short end, HDC hdc_Vir) {
    if (!InRange(start) || !InRange(end)) {
        OutOfRange();
        return 0;
    }
    for (int i = start; i <= end; ++i) lines[i]->DrawLine(h_grpWin, hdc_Vir);
    return 1;
}

int GrpLnLink::DrawAll(HDC hdc_Vir) {
    for (auto& line : lines) line->DrawLine(h_grpWin, hdc_Vir);
    return 1;
}

int GrpLnLink::ChangeColor(short number) {
    if (!InRange(number)) {
        OutOfRange();
        return 0;
    }
    return lines[number]->ChangeColor();
}

int GrpLnLink::ChangePntColor(short number) {
    if (!InRange(number)) {
        OutOfRange();
        return 0;
    }
    return lines[number]->ChangePntColor();
}

int GrpLnLink::ChangeLineProp(short number) {
    if (!InRange(number)) {
        OutOfRange();
        return 0;
    }
    return lines[number]->ChangeLineProp();
}

int GrpLnLink::PrintAllObj(const tagRECT* gview_onprt, const double* strat_point,
                           const double* trfc_point, HDC hdc_to_printer) {
    for (auto& line : lines) line->PrintLine(hdc_to_printer, gview_onprt, strat_point, trfc_point);
    return 1;
}
