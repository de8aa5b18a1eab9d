// The legend's line samples: one row's short stretch of the series' line and its markers,
// drawn on its own bitmap for the screen and again at printer resolution.
#include "elements/glist_frame.h"

#include <vector>

#include "elements/element_paint.h"
#include "frames/document_limits.h"
#include "frames/trans_unit.h"
#include "platform/numeric.h"

namespace {

LONG Narrow(int64_t value) { return static_cast<LONG>(value); }

}  // namespace

// ---------------------------------------------------------------------------------------
// Line samples

GListLine::GListLine(HWND h_Vwin, const PointDate* the_date, tagRECT the_rect, LONG h_shift,
                     LONG v_shift, int zoom_val)
    : MoveFrame(h_Vwin, the_rect.left, the_rect.top,
                Narrow(int64_t(the_rect.right) - the_rect.left),
                Narrow(int64_t(the_rect.bottom) - the_rect.top), h_shift, v_shift, zoom_val, 0),
      line_prop(h_Vwin, PS_SOLID, 1, 0, 3),
      color_set(h_Vwin) {
    const LONG w = BoxPixelWidth();
    const LONG h = BoxPixelHeight();
    if (w > 0 && h > 0) CreateVirWin(w, h);
    obj_type = 6;
    if (!the_date || !vir.PutDC()) {
        useabl_flag = 0;
    } else {
        date_on_virwin = *the_date;
        useabl_flag = 1;
    }
}

void GListLine::FitBitmap() {
    const tagPOINT frame = vir.PutVirFrame();
    const LONG w = BoxPixelWidth();
    const LONG h = BoxPixelHeight();
    if ((frame.x != w || frame.y != h) && w > 0 && h > 0) CreateVirWin(w, h);
}

int GListLine::ClearLine() {
    HDC dc = vir.PutDC();
    if (dc) PatBlt(dc, 0, 0, vir.PutVirFrame().x, vir.PutVirFrame().y, PATCOPY);
    Invalidate_Update(h_pWnd, update_rgn);
    return 1;
}

int GListLine::Draw() {
    if (show_flag == 0) {
        ClearLine();
        wrt_flag = 0;
        return 1;
    }
    return DrawLine();
}

int GListLine::DrawLine() {
    HDC dc = vir.PutDC();
    if (useabl_flag == 0 || !dc) return 0;
    HBRUSH old_brush = SelectObject(dc, GetStockBrush(WHITE_BRUSH));
    PatBlt(dc, 0, 0, vir.PutVirFrame().x, vir.PutVirFrame().y, PATCOPY);
    SelectObject(dc, old_brush);
    const LONG marker = line_prop.PutMarker();
    if (marker >= 0) DrawLineO();
    if (marker != 0) DrawCircle();
    return 1;
}

int GListLine::DrawLineO() {
    HDC dc = vir.PutDC();
    if (!dc) return 0;
    HPEN pen = CreatePen(static_cast<int>(line_prop.PutLineStyle()), line_prop.PutLineSize(),
                         color_set.PutRGBdata());
    HPEN old_pen = SelectObject(dc, pen);
    Draw_GapPolyline(dc, date_on_virwin.PutArray(), date_on_virwin.GetArraySize());
    SelectObject(dc, old_pen);
    DeleteObject(pen);
    Invalidate_Update(h_pWnd, update_rgn);
    return 1;
}

int GListLine::DrawCircle() {
    HDC dc = vir.PutDC();
    if (!dc) return 0;
    DrawSampleMarker(dc, &date_on_virwin, kMarkerRadius);
    Invalidate_Update(h_pWnd, update_rgn);
    return 1;
}

void GListLine::DrawSampleMarker(HDC hdc, PointDate* points, LONG radius) {
    const tagPOINT first = (*points)[0];
    const tagPOINT last = (*points)[points->GetArraySize() - 1];
    const LONG cx = first.x / 2 + last.x / 2;
    const LONG cy = first.y / 2 + last.y / 2;
    const COLORREF color = color_set.PutRGBPntdata();
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HBRUSH brush = CreateSolidBrush(color);
    HPEN old_pen = SelectObject(hdc, pen);
    HBRUSH old_brush = SelectObject(hdc, brush);
    Ellipse(hdc, cx - radius, cy - radius, cx + radius, cy + radius);
    SelectObject(hdc, old_brush);
    SelectObject(hdc, old_pen);
    DeleteObject(brush);
    DeleteObject(pen);
}

int GListLine::MoveToNewFrame(tagRECT* new_rect, LONG h_shift, LONG v_shift) {
    return MoveToNewFrameAndFit(new_rect, h_shift, v_shift, vir.PutDC() != nullptr,
                                [this] { FitBitmap(); });
}

void GListLine::SaveState(DocWriter* state) const {
    unsigned long size = 0;
    SavePosInfo(state, &size);
    const int count = date_on_virwin.GetArraySize();
    state->Put32(count);
    PointDate points = date_on_virwin;
    for (int i = 0; i < count; ++i) {
        state->Put32(points[i].x);
        state->Put32(points[i].y);
    }
}

bool GListLine::RestoreState(DocReader* state, LONG h_shift, LONG v_shift) {
    int32_t kind = 0, left = 0, top = 0, count = 0;
    double width = 0.0, height = 0.0;
    if (!state->Get32(&kind) || !state->Get32(&left) || !state->Get32(&top) ||
        !state->GetDouble(&width) || !state->GetDouble(&height) || !state->Get32(&count) ||
        !Frame_WithinLimits(left, top, width, height) || count < 1 || !state->CountFits(count, 8)) {
        return false;
    }
    std::vector<tagPOINT> points(static_cast<size_t>(count));
    for (tagPOINT& point : points) {
        int32_t x = 0, y = 0;
        state->Get32(&x);
        state->Get32(&y);
        point.x = x;
        point.y = y;
    }
    if (state->Failed()) return false;
    date_on_virwin.SetPointDate(count, points.data());
    tagRECT rect = Twip_Rect(left, top, width, height);
    MoveObjectWithOutMouse(&rect, h_shift, v_shift);
    SetBoxSize(width, height);
    if (vir.PutDC()) {
        FitBitmap();
        Draw();
    }
    return true;
}

int GListLine::MoveEnd(LONG x_pos, LONG y_pos, int mv_state) {
    return EndMoveAndRefit(x_pos, y_pos, mv_state, vir.PutDC() != nullptr, [this] {
        FitBitmap();
        Draw();
    });
}

int GListLine::MoveObjectToPoint(tagRECT* new_rect) { return PlaceInPixels(new_rect); }

int GListLine::MoveObjectToPoint2(tagRECT* new_rect, tagRECT* twips_rect) {
    return PlaceWithTwipSize(new_rect, *twips_rect, vir.PutDC() != nullptr, [this] {
        FitBitmap();
        Draw();
    });
}

int GListLine::ReDraw(HDC hdc, unsigned long wr_mode, int) {
    return CopyVirWin(hdc, vir.PutDC(), wr_mode);
}

int GListLine::PrintGLine(HDC hdc_to_printer, PointDate* points) {
    HPEN pen = CreatePen(static_cast<int>(line_prop.PutLineStyle()),
                         Screen_ToPrinter(h_pWnd, hdc_to_printer, line_prop.PutLineSize(), true),
                         color_set.PutRGBdata());
    HPEN old_pen = SelectObject(hdc_to_printer, pen);
    Draw_GapPolyline(hdc_to_printer, points->PutArray(), points->GetArraySize());
    SelectObject(hdc_to_printer, old_pen);
    DeleteObject(pen);
    return 1;
}

int GListLine::PrintCircle(HDC hdc_to_printer, PointDate* points) {
    DrawSampleMarker(hdc_to_printer, points,
                     Screen_ToPrinter(h_pWnd, hdc_to_printer, kMarkerRadius, true));
    return 1;
}

int GListLine::PrintObject(HDC hdc_to_printer, int) {
    if (useabl_flag == 0 || show_flag == 0) return 0;
    const tagRECT rect = GetPrntPos(hdc_to_printer);
    PointDate points(date_on_virwin.GetArraySize());
    for (int i = 0; i < date_on_virwin.GetArraySize(); ++i) {
        const tagPOINT p = date_on_virwin[i];
        points[i].x =
            Narrow(int64_t(rect.left) + Screen_ToPrinter(h_pWnd, hdc_to_printer, p.x, true));
        points[i].y =
            Narrow(int64_t(rect.top) + Screen_ToPrinter(h_pWnd, hdc_to_printer, p.y, false));
    }
    const LONG marker = line_prop.PutMarker();
    if (marker >= 0) PrintGLine(hdc_to_printer, &points);
    if (marker != 0) PrintCircle(hdc_to_printer, &points);
    return 1;
}
