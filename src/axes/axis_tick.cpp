#include "axes/axis_tick.h"

#include <cmath>
#include <string>

#include "axes/axis_tick_dialog.h"
#include "data/utility.h"
#include "frames/trans_unit.h"
#include "platform/numeric.h"

namespace {

// The frame reaches this many pixels beyond each end of the axis line.
constexpr LONG END_MARGIN = 3;
// Inner part of a new frame: the default inward main tick (10) plus the margin.
constexpr LONG FIRST_INPART = 13;
// Counts from (max - min) / div allow for the rounding of the division: 6.5 / 0.65 is
// 9.999999999999998 and must count 10.
constexpr double COUNT_TOLERANCE = 1e-9;
// A TickPos holds at most this many ticks (16-bit count).
constexpr double MAX_TICKS = 32766.0;

double With_Tolerance(double quotient) { return quotient + std::fabs(quotient) * COUNT_TOLERANCE; }

LONG Width_Of(const tagRECT& rect) { return rect.right - rect.left; }
LONG Height_Of(const tagRECT& rect) { return rect.bottom - rect.top; }

}  // namespace

AxisTick::AxisTick(HWND h_Wnd, short num_ofobject, double axmin_val, double axmax_val,
                   double axdiv_val, const tagRECT* the_rect, LONG h_shift, LONG v_shift,
                   int zoom_val, int disp_style)
    : MoveFrame(h_Wnd, the_rect->left, the_rect->top, Width_Of(*the_rect), Height_Of(*the_rect),
                h_shift, v_shift, zoom_val, num_ofobject),
      color_info(h_Wnd) {
    obj_number = num_ofobject;
    min_value = axmin_val;
    max_value = axmax_val;
    div_value = axdiv_val;
    tickdsp_style = disp_style;
    sub_tick.line_lngh = 5;
    sub_tick.line_visible = 0;
    obj_type = 3;
    if (Width_Of(*the_rect) <= 0 || Height_Of(*the_rect) <= 0) {
        show_flag = 0;
        useabl_flag = 0;
        return;
    }
    Rebuild();
}

AxisTick::~AxisTick() = default;

void AxisTick::Rebuild() {
    const LONG width = BoxPixelWidth();
    const LONG height = BoxPixelHeight();
    if (width <= 0 || height <= 0) {
        vir.reset();
        useabl_flag = 0;
        p_main_tickpos.reset();
        p_sub_tickpos.reset();
        return;
    }
    CreateVirWin(width, height);
    useabl_flag = 1;
    if (div_value != 0.0 && CalcTickStartPoint(width, height) == 0) {
        p_main_tickpos.reset();
        p_sub_tickpos.reset();
    }
    DrawTick();
}

// ---------------------------------------------------------------------------------------
// Frame geometry

tagRECT AxisTick::TransRectFrame(short pos_number, LONG ori_top, LONG ori_bottom, LONG ori_width) {
    tagRECT rect;
    switch (pos_number) {
        case 0:  // left: outer part to the left, inner part to the right of the edge
            SetRect(&rect, -ori_bottom, -END_MARGIN, ori_top, ori_width - END_MARGIN);
            break;
        case 2:  // right
            SetRect(&rect, -ori_top, -END_MARGIN, ori_bottom, ori_width - END_MARGIN);
            break;
        case 3:  // top: outer part above, inner part below the edge
            SetRect(&rect, -END_MARGIN, -ori_bottom, ori_width - END_MARGIN, ori_top);
            break;
        default:  // bottom
            SetRect(&rect, -END_MARGIN, -ori_top, ori_width - END_MARGIN, ori_bottom);
            break;
    }
    return rect;
}

void AxisTick::MoveATFrame(tagRECT* draw_rect, tagRECT* target_rect, short pos_number, HWND h_Wnd) {
    const tagRECT strip = *target_rect;
    const LONG mx = Pixel_ToTwip(END_MARGIN, h_Wnd, 100, 1);
    const LONG my = Pixel_ToTwip(END_MARGIN, h_Wnd, 100, 2);
    tagRECT& out = *target_rect;
    if (pos_number == 1 || pos_number == 3) {
        const LONG edge = pos_number == 1 ? draw_rect->bottom : draw_rect->top;
        out.left = draw_rect->left - mx;
        out.right = draw_rect->right + mx;
        out.top = edge + Pixel_ToTwip(strip.top, h_Wnd, 100, 2);
        out.bottom = edge + Pixel_ToTwip(strip.bottom, h_Wnd, 100, 2);
    } else {
        const LONG edge = pos_number == 0 ? draw_rect->left : draw_rect->right;
        out.top = draw_rect->top - my;
        out.bottom = draw_rect->bottom + my;
        out.left = edge + Pixel_ToTwip(strip.left, h_Wnd, 100, 1);
        out.right = edge + Pixel_ToTwip(strip.right, h_Wnd, 100, 1);
    }
}

tagRECT AxisTick::FirstAxisTick(tagRECT* draw_rect, short pos_number, HWND h_Wnd) {
    const bool horizontal = pos_number == 1 || pos_number == 3;
    const LONG length = horizontal ? Twip_ToPixel(Width_Of(*draw_rect), h_Wnd, 100, 1)
                                   : Twip_ToPixel(Height_Of(*draw_rect), h_Wnd, 100, 2);
    tagRECT rect = TransRectFrame(pos_number, FIRST_INPART, 0, length + 2 * END_MARGIN);
    MoveATFrame(draw_rect, &rect, pos_number, h_Wnd);
    return rect;
}

void AxisTick::TickExtents(LONG* inner, LONG* outer) const {
    *inner = 0;
    *outer = 0;
    for (const TickProp* prop : {&main_tick, &sub_tick}) {
        if (!prop->line_visible) continue;
        LONG* side = prop->line_drct ? inner : outer;
        const LONG need = prop->line_lngh + END_MARGIN;
        if (need > *side) *side = need;
    }
    // Without visible ticks the frame keeps a thin inner strip so that it can still be
    // selected and set again.
    if (*inner == 0 && *outer == 0) *inner = END_MARGIN;
}

tagRECT AxisTick::StartNewFrame(tagRECT plot_rect, LONG* inpart) const {
    LONG inner = 0, outer = 0;
    TickExtents(&inner, &outer);
    const LONG length = Horizontal() ? Twip_ToPixel(Width_Of(plot_rect), h_pWnd, 100, 1)
                                     : Twip_ToPixel(Height_Of(plot_rect), h_pWnd, 100, 2);
    tagRECT rect =
        TransRectFrame(static_cast<short>(obj_number), inner, outer, length + 2 * END_MARGIN);
    MoveATFrame(&plot_rect, &rect, static_cast<short>(obj_number), h_pWnd);
    *inpart = inner;
    return rect;
}

tagRECT AxisTick::CreateNewFrame(tagRECT plot_rect, LONG* inpart) {
    const tagRECT rect = StartNewFrame(plot_rect, inpart);
    inpart_lng = *inpart;
    return rect;
}

void AxisTick::SetMainTick(short lngh, short dirct, int flag, short width) {
    main_tick.line_lngh = lngh;
    main_tick.line_drct = dirct;
    main_tick.line_visible = flag;
    main_tick.line_width = width;
}

void AxisTick::SetSubTick(short lngh, short dirct, int flag, short width) {
    sub_tick.line_lngh = lngh;
    sub_tick.line_drct = dirct;
    sub_tick.line_visible = flag;
    sub_tick.line_width = width;
}

// ---------------------------------------------------------------------------------------
// Values

int AxisTick::SetAxisValue(double* ax_min, double* ax_max, double* ax_div) {
    if (*ax_min == min_value && *ax_max == max_value && *ax_div == div_value) return 0;
    if (autoax_flag) return CalcOnAxisValues(ax_min, ax_max, ax_div);
    return ManuCalcOnAxisValues(ax_min, ax_max, ax_div);
}

int AxisTick::CalcOnAxisValues(double* ax_min, double* ax_max, double* ax_div) {
    const double wanted = std::trunc((*ax_max - *ax_min) / *ax_div);
    // The dialog refuses steps that give no division or too many; keep the values as they
    // are if one comes here all the same.
    if (!(wanted >= 1.0 && wanted <= MAX_TICKS)) return 1;
    int divisions = static_cast<int>(wanted);
    double new_min = 0.0, new_max = 0.0, new_div = 0.0;
    Determin_Axis_Range(*ax_min, *ax_max, &new_min, &new_max, &new_div, &divisions);
    *ax_min = new_min;
    *ax_max = new_max;
    *ax_div = new_div;
    return 1;
}

int AxisTick::ManuCalcOnAxisValues(double* ax_min, double* ax_max, double* ax_div) {
    const double n = std::trunc(With_Tolerance((*ax_max - *ax_min) / *ax_div));
    if (!std::isfinite(n)) return 1;
    const double m = *ax_min + n * *ax_div;
    // A maximum within the tolerance of the last whole step stays where it was entered.
    const double slack = std::fabs(*ax_div) * COUNT_TOLERANCE;
    if (m < *ax_max - slack) {
        *ax_max = m + *ax_div;
    } else if (m > *ax_max + slack) {
        *ax_max = m;
    }
    return 1;
}

int AxisTick::IsChangProp(short main_lngth, short main_dir, LONG main_visible, short sub_lngth,
                          short sub_dir, LONG sub_visible) const {
    const LONG main_out = (main_visible && main_dir == 0) ? main_lngth : 0;
    const LONG sub_out = (sub_visible && sub_dir == 0) ? sub_lngth : 0;
    const LONG current = OuterPixels();
    if (main_out == 0 && sub_out == 0) return current != 0 ? 2 : 3;
    const LONG needed = (main_out > sub_out ? main_out : sub_out) + END_MARGIN;
    return needed != current ? 2 : 3;
}

LONG AxisTick::OuterPixels() const {
    const LONG across = Horizontal() ? BoxPixelHeight() : BoxPixelWidth();
    const LONG outer = across - inpart_lng;
    return outer > 0 ? outer : 0;
}

LONG AxisTick::PutOutLng() const {
    if (Horizontal()) {
        return Trunc_ToInt32(box_height - Pixel_ToTwip(inpart_lng, h_pWnd, 100, 2));
    }
    return Trunc_ToInt32(box_width - Pixel_ToTwip(inpart_lng, h_pWnd, 100, 1));
}

// ---------------------------------------------------------------------------------------
// Tick positions

double AxisTick::CalcOnScrWidth() const {
    // The logarithmic styles are never created; a frame holding one is laid out linearly.
    return std::fabs(max_value - min_value);
}

LONG AxisTick::ValueToOnScreen(LONG initial_value, double real_value, double standard_start,
                               double trns_fc) const {
    return ValueTransfer_To_OnScreen(initial_value, real_value, standard_start, trns_fc);
}

tagPOINT AxisTick::TransPosOnVirWin(LONG* x_pos, LONG* y_pos) const {
    const int64_t along = *x_pos;
    const int64_t across = int64_t(*y_pos) + inpart_lng;
    const int64_t w = BoxPixelWidth();
    const int64_t h = BoxPixelHeight();
    int64_t x = 0, y = 0;
    switch (obj_number) {
        case 0:
            x = w - across;
            y = h - along;
            break;
        case 2:
            x = across;
            y = h - along;
            break;
        case 3:
            x = along;
            y = h - across;
            break;
        default:
            x = along;
            y = across;
            break;
    }
    tagPOINT point;
    point.x = static_cast<LONG>(x);
    point.y = static_cast<LONG>(y);
    return point;
}

std::unique_ptr<TickPos> AxisTick::MakeTicks(int count, double offset, const TickProp& prop,
                                             double factor) {
    auto ticks = std::make_unique<TickPos>(static_cast<short>(count));
    for (int k = 0; k < count; ++k) {
        LONG along = ValueToOnScreen(0, k * div_value + offset, 0.0, factor);
        if (along != GAP_VALUE) along += END_MARGIN;
        LONG across = 0;
        LONG end = prop.line_drct ? -prop.line_lngh : prop.line_lngh;
        ticks->SetArray(k, TransPosOnVirWin(&along, &across));
        ticks->SetEndArray(k, TransPosOnVirWin(&along, &end));
    }
    return ticks;
}

int AxisTick::CalcTickStartPoint(LONG new_width, LONG new_height) {
    if (div_value == 0.0) return 0;
    const double range = max_value - min_value;
    const double n = std::trunc(With_Tolerance(range / div_value));
    const double s = std::trunc(With_Tolerance((range - 0.5 * div_value) / div_value));
    if (!(n > 0.0) || !(s >= 0.0) || n > MAX_TICKS || s > MAX_TICKS) return 0;
    const double span = CalcOnScrWidth();
    const LONG length = Horizontal() ? new_width : new_height;
    const double factor = (length - 2 * END_MARGIN) / span;
    if (!std::isfinite(factor)) return 0;
    p_main_tickpos = MakeTicks(static_cast<int>(n) + 1, 0.0, main_tick, factor);
    p_sub_tickpos = MakeTicks(static_cast<int>(s) + 1, 0.5 * div_value, sub_tick, factor);
    return 1;
}

int AxisTick::TickPosInfo(std::unique_ptr<LONG[]>* positions, short* count) const {
    positions->reset();
    *count = 0;
    if (!p_main_tickpos || p_main_tickpos->PutTickNum() <= 0) return 0;
    const short n = p_main_tickpos->PutTickNum();
    *positions = std::make_unique<LONG[]>(static_cast<size_t>(n));
    for (short i = 0; i < n; ++i) {
        const tagPOINT point = p_main_tickpos->PutArray(i);
        (*positions)[i] = Horizontal() ? point.x : point.y;
    }
    *count = n;
    return 1;
}

// ---------------------------------------------------------------------------------------
// Drawing

int AxisTick::CreateVirWin(LONG width, LONG height) {
    if (!vir) vir = std::make_unique<VirWindow>();
    return vir->CreateVirWin(h_pWnd, width, height);
}

void AxisTick::DrawTicks(HDC hdc, const TickPos* ticks, const TickProp& prop, HDC win_hdc,
                         HDC printer, tagPOINT corner) const {
    if (!ticks || !prop.line_visible) return;
    int width = prop.line_width;
    if (printer) {
        tagPOINT pen_size;
        pen_size.y = prop.line_width;
        width = Trunc_ToInt32(TransDspPxl_ToPrnDot(&pen_size, win_hdc, printer).y);
    }
    HPEN pen = CreatePen(PS_SOLID, width, RGB(0, 0, 0));
    HPEN old_pen = SelectObject(hdc, pen);
    for (short i = 0; i < ticks->PutTickNum(); ++i) {
        tagPOINT from = ticks->PutArray(i);
        tagPOINT to = ticks->PutEndArray(i);
        if (from.x == GAP_VALUE || from.y == GAP_VALUE) continue;
        if (printer) {
            const DPoint p = TransDspPxl_ToPrnDot(&from, win_hdc, printer);
            const DPoint q = TransDspPxl_ToPrnDot(&to, win_hdc, printer);
            from.x = Trunc_ToInt32(corner.x + p.x);
            from.y = Trunc_ToInt32(corner.y + p.y);
            to.x = Trunc_ToInt32(corner.x + q.x);
            to.y = Trunc_ToInt32(corner.y + q.y);
        }
        MoveToEx(hdc, from.x, from.y, nullptr);
        LineTo(hdc, to.x, to.y);
    }
    SelectObject(hdc, old_pen);
    DeleteObject(pen);
}

void AxisTick::DrawTick() {
    HDC hdc = VirDC();
    if (!hdc) return;
    HBRUSH brush = CreateSolidBrush(color_info.PutRGBPntdata());
    HBRUSH old_brush = SelectObject(hdc, brush);
    const tagPOINT size = vir->PutVirFrame();
    PatBlt(hdc, 0, 0, size.x, size.y, PATCOPY);
    SelectObject(hdc, old_brush);
    DeleteObject(brush);
    DrawTickVWin();
}

void AxisTick::DrawTickVWin() {
    if (useabl_flag && VirDC()) {
        DrawTicks(VirDC(), p_main_tickpos.get(), main_tick, nullptr, nullptr, tagPOINT());
        DrawTicks(VirDC(), p_sub_tickpos.get(), sub_tick, nullptr, nullptr, tagPOINT());
    }
    InvalidateRect(h_pWnd, &frm_rect, 1);
}

int AxisTick::ReDrawContent(tagRECT plot_rect, LONG h_shift, LONG v_shift) {
    LONG inpart = 0;
    tagRECT rect = CreateNewFrame(plot_rect, &inpart);
    SetNewMoveFrame(&rect, h_shift, v_shift);
    Rebuild();
    if (update_rgn) InvalidateRgn(h_pWnd, update_rgn, 1);
    return useabl_flag ? 1 : 0;
}

int AxisTick::MoveObjectToPoint(tagRECT* new_rect) {
    const tagRECT old = BaseFrame::MoveObjectToPoint(new_rect);
    return EqualRect(&old, new_rect) ? 0 : 1;
}

int AxisTick::MoveObjectToPoint2(tagRECT* new_rect, tagRECT* twip_rect) {
    BaseFrame::MoveObjectToPoint(new_rect);
    const double width = static_cast<double>(int64_t(twip_rect->right) - twip_rect->left);
    const double height = static_cast<double>(int64_t(twip_rect->bottom) - twip_rect->top);
    if (width != box_width || height != box_height) {
        SetBoxSize(width, height);
        Rebuild();
    }
    if (update_rgn) InvalidateRgn(h_pWnd, update_rgn, 1);
    return 1;
}

int AxisTick::ReDraw(HDC hdc, unsigned long wr_mode, int) {
    return CopyVirWin(hdc, VirDC(), wr_mode);
}

// ---------------------------------------------------------------------------------------
// Printing

tagPOINT AxisTick::CalcAddValToPos(HDC hdc_to_printer) const {
    const tagRECT rect = GetPrntPos(hdc_to_printer);
    tagPOINT corner;
    corner.x = rect.left;
    corner.y = rect.top;
    return corner;
}

int AxisTick::PrintObject(HDC hdc_to_printer, int) {
    if (!useabl_flag || !show_flag || !hdc_to_printer) return 0;
    HDC win_hdc = GetDC(h_pWnd);
    const tagPOINT corner = CalcAddValToPos(hdc_to_printer);
    DrawTicks(hdc_to_printer, p_main_tickpos.get(), main_tick, win_hdc, hdc_to_printer, corner);
    DrawTicks(hdc_to_printer, p_sub_tickpos.get(), sub_tick, win_hdc, hdc_to_printer, corner);
    if (win_hdc) ReleaseDC(h_pWnd, win_hdc);
    return 1;
}

int AxisTick::TickPosOnPrnt(HDC hdc_to_printer, std::unique_ptr<LONG[]>* positions,
                            short* count) const {
    positions->reset();
    *count = 0;
    if (!p_main_tickpos || p_main_tickpos->PutTickNum() <= 0 || !hdc_to_printer) return 0;
    HDC win_hdc = GetDC(h_pWnd);
    const tagPOINT corner = CalcAddValToPos(hdc_to_printer);
    const short n = p_main_tickpos->PutTickNum();
    *positions = std::make_unique<LONG[]>(static_cast<size_t>(n));
    for (short i = 0; i < n; ++i) {
        const tagPOINT point = p_main_tickpos->PutArray(i);
        const DPoint dot = TransDspPxl_ToPrnDot(&point, win_hdc, hdc_to_printer);
        (*positions)[i] =
            Horizontal() ? Trunc_ToInt32(corner.x + dot.x) : Trunc_ToInt32(corner.y + dot.y);
    }
    if (win_hdc) ReleaseDC(h_pWnd, win_hdc);
    *count = n;
    return 1;
}

// ---------------------------------------------------------------------------------------
// Dialog

int AxisTick::ShowSetDlg(HINSTANCE p_Inst) {
    axtick_minval = min_value;
    axtick_maxval = max_value;
    axtick_divval = div_value;
    axcalc_flag = autoax_flag ? 1 : 0;
    chkstate_main = main_tick.line_visible ? 1 : 0;
    chkstate_sub = sub_tick.line_visible ? 1 : 0;
    rdstate_in_m = main_tick.line_drct ? 1 : 0;
    rdstate_in_s = sub_tick.line_drct ? 1 : 0;
    tickm_lngth = main_tick.line_lngh;
    tickm_width = main_tick.line_width;
    ticks_lngth = sub_tick.line_lngh;
    ticks_width = sub_tick.line_width;
    change_flag_tick = 0;
    change_flag_tick =
        static_cast<int>(DialogBoxParamA(p_Inst, AxSetDlg_Template(), h_pWnd, ATickDlgProc, 0));
    if (change_flag_tick != 1) return 0;

    autoax_flag = axcalc_flag;
    double new_min = axtick_minval, new_max = axtick_maxval, new_div = axtick_divval;
    int outcome = SetAxisValue(&new_min, &new_max, &new_div) != 0 ? 1 : 0;
    if (outcome == 0) {
        outcome = IsChangProp(tickm_lngth, static_cast<short>(rdstate_in_m), chkstate_main,
                              ticks_lngth, static_cast<short>(rdstate_in_s), chkstate_sub);
    }
    SetATValues(new_min, new_max, new_div);
    SetMainTick(tickm_lngth, static_cast<short>(rdstate_in_m), chkstate_main, tickm_width);
    SetSubTick(ticks_lngth, static_cast<short>(rdstate_in_s), chkstate_sub, ticks_width);
    sinfo_flag = 1;
    return outcome;
}
