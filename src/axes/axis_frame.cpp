#include "axes/axis_frame.h"

#include <cmath>
#include <cstring>

#include "formula/number_text.h"
#include "frames/document_limits.h"
#include "frames/trans_unit.h"
#include "platform/numeric.h"

namespace {

// A label closer to zero than this fraction of the label step is written as 0: repeated
// addition leaves 4.44e-16 where the axis crosses zero.
constexpr double ZERO_FRACTION = 1e-9;
constexpr int LABEL_POINTS = 12;

LONG Width_Of(const tagRECT& rect) { return rect.right - rect.left; }
LONG Height_Of(const tagRECT& rect) { return rect.bottom - rect.top; }

LONG Clamp_Long(int64_t value) {
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<LONG>(value);
}

LONG P2T_X(int64_t pixels, HWND hwnd) { return Pixel_ToTwip(Clamp_Long(pixels), hwnd, 100, 1); }
LONG P2T_Y(int64_t pixels, HWND hwnd) { return Pixel_ToTwip(Clamp_Long(pixels), hwnd, 100, 2); }

// The label step of an ascending array of values.
double Label_Step(const NumStrObj* labels, int count) {
    if (count < 2) return 0.0;
    return std::fabs(labels[count - 1].PutDblNum() - labels[0].PutDblNum()) / (count - 1);
}

// Writes a label's text from its value; a value Double_To_C refuses keeps the old text.
void Write_Label(NumStrObj* label, double step, short digits, short style) {
    double value = label->PutDblNum();
    if (step > 0.0 && std::fabs(value) <= step * ZERO_FRACTION) value = 0.0;
    char text[256] = "";
    if (Double_To_C(value, text, digits, style, sizeof text)) label->SetString(text);
}

int Screen_Dpi(HWND hwnd, int index) {
    HDC hdc = GetDC(hwnd);
    const int dpi = hdc ? GetDeviceCaps(hdc, index) : 96;
    if (hdc) ReleaseDC(hwnd, hdc);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

void NumStrObj::SetString(const char* text) {
    std::strncpy(num_str, text ? text : "", sizeof num_str - 1);
    num_str[sizeof num_str - 1] = '\0';
}

AxNumStyl::AxNumStyl(HWND hWnd, short fist_styl, short fist_dignum) : h_pWnd(hWnd) {
    chs_styl.style_number = fist_styl;
    chs_styl.digit_number = fist_dignum;
}

// ---------------------------------------------------------------------------------------
// Labels and their measures

LONG AxisFrame::TransToOnScreen(int, double start_value, double target_value, double trans_factor) {
    // The logarithmic styles are never created; a frame holding one is laid out linearly.
    return Trunc_ToInt32(std::fabs(target_value - start_value) * trans_factor);
}

double AxisFrame::CalcOnScrWidth(double min_value, double max_value, int) {
    return std::fabs(max_value - min_value);
}

std::unique_ptr<NumStrObj[]> AxisFrame::MakeLabels(int count, const double* values, short digits,
                                                   short style) {
    auto labels = std::make_unique<NumStrObj[]>(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) labels[i].SetDblNum(values[i]);
    const double step = Label_Step(labels.get(), count);
    for (int i = 0; i < count; ++i) Write_Label(&labels[i], step, digits, style);
    return labels;
}

void AxisFrame::SetNumStrObj(NumStrObj* labels, int count, int direction, int tick_style,
                             tagPOINT start, double factor) {
    if (count < 1) return;
    if (direction != 0) {
        // Largest value at the top.
        const double reference = labels[count - 1].PutDblNum();
        for (int i = count - 1; i >= 0; --i) {
            const LONG offset =
                TransToOnScreen(tick_style, reference, labels[i].PutDblNum(), factor);
            tagPOINT point;
            point.x = start.x;
            point.y = Clamp_Long(int64_t(start.y) + offset);
            labels[i].SetPosVirWin(point);
        }
    } else {
        const double reference = labels[0].PutDblNum();
        for (int i = 0; i < count; ++i) {
            const LONG offset =
                TransToOnScreen(tick_style, reference, labels[i].PutDblNum(), factor);
            tagPOINT point;
            point.x = Clamp_Long(int64_t(start.x) + offset);
            point.y = start.y;
            labels[i].SetPosVirWin(point);
        }
    }
}

tagSIZE AxisFrame::TextExtent(HWND hwnd, const tagLOGFONTA* font, const char* text) {
    tagSIZE size;
    HDC hdc = GetDC(hwnd);
    if (!hdc) return size;
    HFONT hfont = CreateFontIndirectA(font);
    HFONT old_font = SelectObject(hdc, hfont);
    GetTextExtentPoint32A(hdc, text, static_cast<int>(std::strlen(text)), &size);
    SelectObject(hdc, old_font);
    DeleteObject(hfont);
    ReleaseDC(hwnd, hdc);
    return size;
}

tagSIZE AxisFrame::FirstMxMinCharLng(HWND hwnd, const tagLOGFONTA* font, const NumStrObj* labels,
                                     int count) {
    tagSIZE widest;
    for (int i = 0; i < count; ++i) {
        const tagSIZE size = TextExtent(hwnd, font, labels[i].PutString());
        if (size.cx > widest.cx) widest.cx = size.cx;
        if (size.cy > widest.cy) widest.cy = size.cy;
    }
    return widest;
}

LONG AxisFrame::CalcLettSize(const char* text, HWND hwnd, const tagLOGFONTA* font, int direction) {
    const tagSIZE size = TextExtent(hwnd, font, text);
    return direction != 0 ? size.cy : size.cx;
}

int AxisFrame::CalcAddRectSize(HWND hwnd, const tagLOGFONTA* font, const NumStrObj* labels,
                               int count, int direction, LONG* lett, LONG* larg) {
    *lett = 0;
    *larg = 0;
    if (count < 1) return 0;
    *lett = CalcLettSize(labels[0].PutString(), hwnd, font, direction);
    *larg = CalcLettSize(labels[count - 1].PutString(), hwnd, font, direction);
    return 1;
}

tagPOINT AxisFrame::CalcLTopCordinate(int num_ofobject, const tagRECT* view, const tagRECT* graph,
                                      tagPOINT margin, tagSIZE widest, LONG lett, LONG larg) {
    int64_t left = 0, top = 0;
    switch (num_ofobject) {
        case 0:
            left = int64_t(graph->left) - (2 * int64_t(margin.x) + widest.cx);
            top = int64_t(view->top) - margin.y - larg / 2;
            break;
        case 2:
            left = graph->right;
            top = int64_t(view->top) - margin.y - larg / 2;
            break;
        case 3:
            left = int64_t(view->left) - margin.x - lett / 2;
            top = int64_t(graph->top) - (2 * int64_t(margin.y) + widest.cy);
            break;
        default:
            left = int64_t(view->left) - margin.x - lett / 2;
            top = graph->bottom;
            break;
    }
    tagPOINT corner;
    corner.x = Clamp_Long(left);
    corner.y = Clamp_Long(top);
    return corner;
}

int AxisFrame::CalcParameters(HWND h_pWnd, int num_ofobject, int direction, int num_of_array,
                              const double* date_array, double* trans_factor,
                              const tagRECT* rect_of_view, const tagRECT* graph_rect,
                              tagRECT* frame_rect, int tick_style, int displ_style, int displ_dig,
                              LONG x_startpoint, LONG y_startpoint, FontSet* font_info) {
    if (num_of_array < 1 || num_of_array > INT16_MAX || !date_array) return 0;
    tagPOINT margin;
    margin.x = P2T_X(x_startpoint, h_pWnd);
    margin.y = P2T_Y(y_startpoint, h_pWnd);
    const double span = CalcOnScrWidth(date_array[0], date_array[num_of_array - 1], tick_style);
    const LONG view_length = direction != 0 ? Height_Of(*rect_of_view) : Width_Of(*rect_of_view);
    const double provisional = span > 0.0 ? Storable_Scale(view_length / span) : 0.0;
    auto labels = MakeLabels(num_of_array, date_array, static_cast<short>(displ_dig),
                             static_cast<short>(displ_style));
    SetNumStrObj(labels.get(), num_of_array, direction, tick_style, margin, provisional);

    std::unique_ptr<FontSet> own_font;
    if (!font_info) {
        own_font = std::make_unique<FontSet>(h_pWnd, static_cast<short>(LABEL_POINTS));
        font_info = own_font.get();
    }
    const tagLOGFONTA* font = font_info->PutLogFont();
    const tagSIZE widest_px = FirstMxMinCharLng(h_pWnd, font, labels.get(), num_of_array);
    LONG lett_px = 0, larg_px = 0;
    CalcAddRectSize(h_pWnd, font, labels.get(), num_of_array, direction, &lett_px, &larg_px);
    tagSIZE widest;
    widest.cx = P2T_X(widest_px.cx, h_pWnd);
    widest.cy = P2T_Y(widest_px.cy, h_pWnd);
    const LONG lett = direction != 0 ? P2T_Y(lett_px, h_pWnd) : P2T_X(lett_px, h_pWnd);
    const LONG larg = direction != 0 ? P2T_Y(larg_px, h_pWnd) : P2T_X(larg_px, h_pWnd);

    const tagPOINT corner =
        CalcLTopCordinate(num_ofobject, rect_of_view, graph_rect, margin, widest, lett, larg);
    // SetFrameRect: the frame touches the tick side of graph_rect.
    int64_t width = 0, height = 0;
    if (direction != 0) {
        width = 2 * int64_t(margin.x) + widest.cx;
        height = int64_t(labels[0].PutPosVirWin().y) + lett + margin.y;
    } else {
        width = int64_t(labels[num_of_array - 1].PutPosVirWin().x) + larg + margin.x;
        height = 2 * int64_t(margin.y) + widest.cy;
    }
    frame_rect->left = corner.x;
    frame_rect->top = corner.y;
    frame_rect->right = Clamp_Long(corner.x + width);
    frame_rect->bottom = Clamp_Long(corner.y + height);

    const LONG view_px = direction != 0 ? Twip_ToPixel(view_length, h_pWnd, 100, 2)
                                        : Twip_ToPixel(view_length, h_pWnd, 100, 1);
    *trans_factor = span > 0.0 ? Storable_Scale(view_px / span) : 0.0;
    return 1;
}

// ---------------------------------------------------------------------------------------
// Construction

AxisFrame::AxisFrame(HWND h_pWnd, int num_ofobject, int direction, int date_num,
                     const double* date_array, double trans_value, const tagRECT* object_rect,
                     LONG h_shift, LONG v_shift, int zoom_val, int tick_style, int displ_style,
                     int displ_dig, tagPOINT start_point)
    : MoveFrame(h_pWnd, object_rect->left, object_rect->top, Width_Of(*object_rect),
                Height_Of(*object_rect), h_shift, v_shift, zoom_val, num_ofobject),
      axnum_styl(h_pWnd, static_cast<short>(displ_style), static_cast<short>(displ_dig)),
      font_info(h_pWnd, static_cast<short>(LABEL_POINTS)),
      color_info(h_pWnd) {
    direction_info = direction;
    obj_number = num_ofobject;
    date_sctrns = trans_value;
    tickdsp_style = tick_style;
    style_num = static_cast<int16_t>(displ_style);
    num_dspdgt = static_cast<int16_t>(displ_dig);
    numobj_start = start_point;
    if (date_num >= 1 && date_array && CreateNumStrObj(date_array, date_num)) {
        MxMinCharLng();
    }
    show_flag = 1;
    if (!h_pWnd || !p_num_obj) {
        SetUsbFlag(0);
    } else {
        CreateVirWin(BoxPixelWidth(), BoxPixelHeight());
        SetUsbFlag(1);
        DrawNewObject();
    }
    obj_type = 2;
}

AxisFrame::~AxisFrame() = default;

int AxisFrame::CreateNumStrObj(const double* values, int count) {
    if (count < 1 || count > INT16_MAX || !values) return 0;
    p_num_obj = MakeLabels(count, values, num_dspdgt, style_num);
    num_dspobj = static_cast<int16_t>(count);
    SetNumStrObj(p_num_obj.get(), num_dspobj, direction_info, tickdsp_style, numobj_start,
                 date_sctrns);
    return 1;
}

void AxisFrame::MxMinCharLng() {
    const tagSIZE widest =
        FirstMxMinCharLng(h_pWnd, font_info.PutLogFont(), p_num_obj.get(), num_dspobj);
    string_width = widest.cx;
    string_height = widest.cy;
}

int AxisFrame::CalcExtSize(LONG* lett, LONG* larg) const {
    return CalcAddRectSize(h_pWnd, const_cast<FontSet&>(font_info).PutLogFont(), p_num_obj.get(),
                           p_num_obj ? num_dspobj : 0, direction_info, lett, larg);
}

const NumStrObj* AxisFrame::PutNumStrObj(int index) const {
    if (!p_num_obj || index < 0 || index >= num_dspobj) return nullptr;
    return &p_num_obj[index];
}

// ---------------------------------------------------------------------------------------
// Rebuilding

int AxisFrame::ChangeNumStrObj() {
    if (!p_num_obj || num_dspobj < 1) return 0;
    const double step = Label_Step(p_num_obj.get(), num_dspobj);
    for (int i = 0; i < num_dspobj; ++i) Write_Label(&p_num_obj[i], step, num_dspdgt, style_num);
    SetNumStrObj(p_num_obj.get(), num_dspobj, direction_info, tickdsp_style, numobj_start,
                 date_sctrns);
    return 1;
}

tagPOINT AxisFrame::CalcLTopCord(const tagRECT* view_rect, const tagRECT* graph_rect) const {
    LONG lett = 0, larg = 0;
    CalcExtSize(&lett, &larg);
    const int64_t mx = numobj_start.x, my = numobj_start.y;
    int64_t left = 0, top = 0;
    switch (obj_number) {
        case 0:
            left = int64_t(graph_rect->left) - P2T_X(2 * mx + string_width, h_pWnd);
            top = int64_t(view_rect->top) - P2T_Y(my + larg / 2, h_pWnd);
            break;
        case 2:
            left = graph_rect->right;
            top = int64_t(view_rect->top) - P2T_Y(my + larg / 2, h_pWnd);
            break;
        case 3:
            left = int64_t(view_rect->left) - P2T_X(mx + lett / 2, h_pWnd);
            top = int64_t(graph_rect->top) - P2T_Y(2 * my + string_height, h_pWnd);
            break;
        default:
            left = int64_t(view_rect->left) - P2T_X(mx + lett / 2, h_pWnd);
            top = graph_rect->bottom;
            break;
    }
    tagPOINT corner;
    corner.x = Clamp_Long(left);
    corner.y = Clamp_Long(top);
    return corner;
}

tagRECT AxisFrame::CalcAxisFrame(LONG left, LONG top) const {
    LONG lett = 0, larg = 0;
    CalcExtSize(&lett, &larg);
    const int64_t mx = numobj_start.x, my = numobj_start.y;
    LONG width = 0, height = 0;
    if (direction_info != 0) {
        width = P2T_X(2 * mx + string_width, h_pWnd);
        height = P2T_Y(int64_t(p_num_obj[0].PutPosVirWin().y) + lett + my, h_pWnd);
    } else {
        width = P2T_X(int64_t(p_num_obj[num_dspobj - 1].PutPosVirWin().x) + larg + mx, h_pWnd);
        height = P2T_Y(2 * my + string_height, h_pWnd);
    }
    tagRECT rect;
    rect.left = left;
    rect.top = top;
    rect.right = Clamp_Long(int64_t(left) + width);
    rect.bottom = Clamp_Long(int64_t(top) + height);
    return rect;
}

tagRECT AxisFrame::ChgContNewFrame(const tagRECT* view_rect, const tagRECT* graph_rect) {
    ChangeNumStrObj();
    MxMinCharLng();
    const tagPOINT corner = CalcLTopCord(view_rect, graph_rect);
    return CalcAxisFrame(corner.x, corner.y);
}

void AxisFrame::CreateVirWin(LONG width, LONG height) {
    if (!vir) vir = std::make_unique<VirWindow>();
    vir->CreateVirWin(h_pWnd, width, height);
}

void AxisFrame::FitBitmap(bool exact) {
    const LONG width = BoxPixelWidth();
    const LONG height = BoxPixelHeight();
    const tagPOINT size = PutVirFrame();
    const bool differs =
        exact ? (width != size.x || height != size.y) : (width > size.x || height > size.y);
    if (!vir || differs) CreateVirWin(width, height);
}

int AxisFrame::ChangeContent(const tagRECT* view_rect, const tagRECT* graph_rect, LONG h_shift,
                             LONG v_shift) {
    if (!p_num_obj || num_dspobj < 1) return 0;
    tagRECT rect = ChgContNewFrame(view_rect, graph_rect);
    if (SetNewMoveFrame(&rect, h_shift, v_shift) == 2 || !vir) FitBitmap(false);
    DrawContents();
    return 1;
}

int AxisFrame::ChangeNumDate(const double* the_Array, int date_num, const tagRECT* view_rect,
                             const tagRECT* graph_rect, LONG h_shift, LONG v_shift) {
    if (date_num < 1 || date_num > INT16_MAX || !the_Array) return 0;
    p_num_obj = MakeLabels(date_num, the_Array, num_dspdgt, style_num);
    num_dspobj = static_cast<int16_t>(date_num);
    tagRECT rect = ChgContNewFrame(view_rect, graph_rect);
    if (SetNewMoveFrame(&rect, h_shift, v_shift) == 2 || !vir) FitBitmap(true);
    if (h_pWnd) SetUsbFlag(1);
    DrawContents();
    return 1;
}

int AxisFrame::ChangeFontInfo(const tagRECT* view_rect, const tagRECT* graph_rect, LONG h_shift,
                              LONG v_shift) {
    if (!font_info.ShowFontDlg()) return 0;
    return ChangeContent(view_rect, graph_rect, h_shift, v_shift);
}

int AxisFrame::ChangeNumStyle(const tagRECT* view_rect, const tagRECT* graph_rect, LONG h_shift,
                              LONG v_shift, int the_select) {
    axnum_styl.SetChooseStyl(style_num, num_dspdgt);
    if (!axnum_styl.ShowNumStylDlg()) return 0;
    const CHOOSESTYLE chosen = axnum_styl.PutChooseStyl();
    num_dspdgt = chosen.digit_number;
    style_num = chosen.style_number;
    sinfo_flag = 1;
    if (the_select == 1) return ChangeContent(view_rect, graph_rect, h_shift, v_shift);
    return 2;
}

tagRECT AxisFrame::ChangeForATick(tagRECT ograph_rect, tagRECT ngraph_rect) const {
    tagRECT rect = GetRectOnTwip();
    switch (obj_number) {
        case 0: OffsetRect(&rect, ngraph_rect.left - ograph_rect.left, 0); break;
        case 2: OffsetRect(&rect, ngraph_rect.right - ograph_rect.right, 0); break;
        case 3: OffsetRect(&rect, 0, ngraph_rect.top - ograph_rect.top); break;
        default: OffsetRect(&rect, 0, ngraph_rect.bottom - ograph_rect.bottom); break;
    }
    return rect;
}

int AxisFrame::CalcDateSctrns(const tagRECT* graph_rect, const double* min_value,
                              const double* max_value, int cal_kind) {
    const double span = std::fabs(*max_value - *min_value);
    if (!(span > 0.0) || !std::isfinite(span)) return 0;
    const bool vertical = obj_number == 0 || obj_number == 2;
    LONG length = vertical ? Height_Of(*graph_rect) : Width_Of(*graph_rect);
    if (cal_kind == 1) length = Twip_ToPixel(length, h_pWnd, 100, vertical ? 2 : 1);
    date_sctrns = Storable_Scale(length / span);
    return 1;
}

int AxisFrame::CalcDateSctrns(const tagRECT* graph_rect, int cal_kind) {
    if (!p_num_obj || num_dspobj < 1) return 0;
    const double first = p_num_obj[0].PutDblNum();
    const double last = p_num_obj[num_dspobj - 1].PutDblNum();
    return CalcDateSctrns(graph_rect, &first, &last, cal_kind);
}

// ---------------------------------------------------------------------------------------
// Placement

void AxisFrame::RescaleToFrame() {
    FitBitmap(false);
    if (p_num_obj && num_dspobj >= 1) {
        const double span = CalcOnScrWidth(p_num_obj[0].PutDblNum(),
                                           p_num_obj[num_dspobj - 1].PutDblNum(), tickdsp_style);
        const LONG length = direction_info != 0 ? BoxPixelHeight() : BoxPixelWidth();
        if (span > 0.0) date_sctrns = Storable_Scale(length / span);
        ChangeNumStrObj();
    }
    DrawNewObject();
}

int AxisFrame::MoveObjectToPoint(tagRECT* new_rect) {
    const tagRECT old = BaseFrame::MoveObjectToPoint(new_rect);
    const bool changed = !EqualRect(&old, new_rect);
    if (Width_Of(old) != Width_Of(*new_rect) || Height_Of(old) != Height_Of(*new_rect)) {
        double width = 0.0, height = 0.0;
        CalcRealSize(&width, &height);
        SetBoxSize(width, height);
        if (vir) RescaleToFrame();
    }
    if (update_rgn) InvalidateRgn(h_pWnd, update_rgn, 1);
    return changed ? 1 : 0;
}

int AxisFrame::MoveObjectToPoint2(tagRECT* new_rect, tagRECT* twip_rect) {
    BaseFrame::MoveObjectToPoint(new_rect);
    const double width = static_cast<double>(int64_t(twip_rect->right) - twip_rect->left);
    const double height = static_cast<double>(int64_t(twip_rect->bottom) - twip_rect->top);
    if (width != box_width || height != box_height) {
        SetBoxSize(width, height);
        if (vir) RescaleToFrame();
    }
    if (update_rgn) InvalidateRgn(h_pWnd, update_rgn, 1);
    return 1;
}

// ---------------------------------------------------------------------------------------
// Drawing and printing

int AxisFrame::DrawNewObject() { return show_flag == 1 ? DrawContents() : ClearContent(); }

int AxisFrame::DrawContents() {
    HDC hdc = PutVirDC();
    if (!useabl_flag || !hdc) return 0;
    HBRUSH brush = CreateSolidBrush(color_info.PutRGBPntdata());
    HBRUSH old_brush = SelectObject(hdc, brush);
    const tagPOINT size = PutVirFrame();
    PatBlt(hdc, 0, 0, size.x, size.y, PATCOPY);
    SelectObject(hdc, old_brush);
    DeleteObject(brush);
    HFONT font = CreateFontIndirectA(font_info.PutLogFont());
    HFONT old_font = SelectObject(hdc, font);
    const COLORREF old_color = SetTextColor(hdc, font_info.PutColorInfo());
    for (int i = 0; i < num_dspobj; ++i) {
        const tagPOINT pos = p_num_obj[i].PutPosVirWin();
        const char* text = p_num_obj[i].PutString();
        TextOutA(hdc, pos.x, pos.y, text, static_cast<int>(std::strlen(text)));
    }
    SetTextColor(hdc, old_color);
    SelectObject(hdc, old_font);
    DeleteObject(font);
    show_flag = 1;
    if (update_rgn) InvalidateRgn(h_pWnd, update_rgn, 1);
    return 1;
}

int AxisFrame::ClearContent() {
    HDC hdc = PutVirDC();
    if (hdc) {
        const tagPOINT size = PutVirFrame();
        PatBlt(hdc, 0, 0, size.x, size.y, PATCOPY);
    }
    show_flag = 0;
    if (update_rgn) InvalidateRgn(h_pWnd, update_rgn, 1);
    return 1;
}

int AxisFrame::ReDraw(HDC hdc, unsigned long wr_mode, int) {
    return CopyVirWin(hdc, PutVirDC(), wr_mode);
}

HFONT AxisFrame::TransFontOnPrt(HDC hdc_to_printer) const {
    tagLOGFONTA font = *const_cast<FontSet&>(font_info).PutLogFont();
    const double sx =
        double(GetDeviceCaps(hdc_to_printer, LOGPIXELSX)) / Screen_Dpi(h_pWnd, LOGPIXELSX);
    const double sy =
        double(GetDeviceCaps(hdc_to_printer, LOGPIXELSY)) / Screen_Dpi(h_pWnd, LOGPIXELSY);
    font.lfWidth = Trunc_ToInt32(font.lfWidth * sx);
    font.lfHeight = Trunc_ToInt32(font.lfHeight * sy);
    return CreateFontIndirectA(&font);
}

int AxisFrame::PrintObject(HDC hdc_to_printer, int) {
    if (show_flag == 0 || !hdc_to_printer || !p_num_obj) return 0;
    const tagRECT rect = GetPrntPos(hdc_to_printer);
    HFONT font = TransFontOnPrt(hdc_to_printer);
    HFONT old_font = SelectObject(hdc_to_printer, font);
    const COLORREF old_color = SetTextColor(hdc_to_printer, font_info.PutColorInfo());
    const int old_mode = SetBkMode(hdc_to_printer, TRANSPARENT);
    HDC win_hdc = GetDC(h_pWnd);
    for (int i = 0; i < num_dspobj; ++i) {
        const tagPOINT pos = p_num_obj[i].PutPosVirWin();
        const DPoint dot = TransDspPxl_ToPrnDot(&pos, win_hdc, hdc_to_printer);
        const char* text = p_num_obj[i].PutString();
        TextOutA(hdc_to_printer, Trunc_ToInt32(rect.left + dot.x), Trunc_ToInt32(rect.top + dot.y),
                 text, static_cast<int>(std::strlen(text)));
    }
    if (win_hdc) ReleaseDC(h_pWnd, win_hdc);
    SetBkMode(hdc_to_printer, old_mode);
    SetTextColor(hdc_to_printer, old_color);
    SelectObject(hdc_to_printer, old_font);
    DeleteObject(font);
    return 1;
}

// ---------------------------------------------------------------------------------------
// Queries

int AxisFrame::PutNumObjDblArray(double* target_array) const {
    if (!p_num_obj) return 0;
    for (int i = 0; i < num_dspobj; ++i) target_array[i] = p_num_obj[i].PutDblNum();
    return 1;
}

int AxisFrame::CalcMxMinNumStrObj(double* min_val, double* max_val) const {
    if (!p_num_obj || num_dspobj < 1) return 0;
    *min_val = p_num_obj[0].PutDblNum();
    *max_val = *min_val;
    for (int i = 1; i < num_dspobj; ++i) {
        const double value = p_num_obj[i].PutDblNum();
        if (value < *min_val) *min_val = value;
        if (value > *max_val) *max_val = value;
    }
    return 1;
}
