#include "document/graph_on_win.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "data/utility.h"
#include "frames/document_limits.h"
#include "frames/trans_unit.h"
#include "kinds/samplers.h"
#include "platform/message_box.h"

GraphOnWin* g_object_array = nullptr;
LONG g_shifth = 0;
LONG g_shiftv = 0;
int g_zoom_main = 100;

namespace {

// Title direction by title index: graph, left, bottom, right, top.
constexpr int kTitleDirection[5] = {0, 1, 0, 1, 0};
const char* const kDefaultAxisTitle[4] = {"左軸", "下軸", "右軸", "上軸"};

bool Horizontal_Axis(int axis) { return axis == 1 || axis == 3; }

tagRECT Default_View() {
    tagRECT rect;
    rect.left = Dmm_ToTwip(DEF_VIEW_LEFT);
    rect.top = Dmm_ToTwip(DEF_VIEW_TOP);
    rect.right = Dmm_ToTwip(DEF_VIEW_RIGHT);
    rect.bottom = Dmm_ToTwip(DEF_VIEW_BOTTOM);
    return rect;
}

// Only what has no decomposition falls back to -1 ... 1: nothing finite, or zero at both ends.
// A constant value other than zero is widened by the tidy-axis step itself.
void Usable_Range(double* min_value, double* max_value) {
    if (!std::isfinite(*min_value) || !std::isfinite(*max_value) ||
        (*min_value == 0.0 && *max_value == 0.0)) {
        *min_value = -1.0;
        *max_value = 1.0;
    }
}

template <class T>
T Value_Or(ArrayCls<T>* array, int index, T fallback) {
    if (array == nullptr || index < 0 || index >= array->ArrayNum()) return fallback;
    return (*array)[index];
}

}  // namespace

GraphOnWin::GraphOnWin(HWND h_pWnd, LONG left_pos, LONG top_pos, LONG win_width, LONG win_height,
                       tagRECT* view_rect, LONG h_shift, LONG v_shift, int zoom_val,
                       const int* axisflag_array, const char* const* ax_title,
                       const char* date_title, GrpDate2D* grp_date, ArrayCls<int>* mrk_kind,
                       const char* dsource_file)
    : MoveFrame(h_pWnd, left_pos, top_pos, win_width, win_height, h_shift, v_shift, zoom_val, 0) {
    sinfo_flag = 0;
    Reference_File(dsource_file);
    if (grp_date != nullptr && axisflag_array != nullptr) {
        SetAxisFlag(axisflag_array);
        DateSetToGraph(grp_date, axisflag_array, view_rect, h_shift, v_shift, zoom_val, ax_title,
                       date_title, mrk_kind, nullptr, nullptr, nullptr, nullptr, nullptr, 10, 10);
    }
}

GraphOnWin::~GraphOnWin() {
    glist_frame.reset();  // before the series it lists
}

void GraphOnWin::Reference_File(const char* dsource_file) {
    // Any length: a Linux path may well be longer than 259 bytes.
    reference_file = dsource_file != nullptr ? dsource_file : "";
}

void GraphOnWin::Geometry_Failed() {
    MessageBoxA(h_pWnd, "領域計算に失敗。プログラム終了", "program fail", MB_OK);
    geometry_failed_ = true;
}

int GraphOnWin::AddNewGraphDate(GrpDate2D* grp_date, const int* axisflag_array, tagRECT* view_rect,
                                LONG h_shift, LONG v_shift, ArrayCls<int>* mrk_kind,
                                ArrayCls<COLORREF>* data_color, ArrayCls<int>* data_style,
                                ArrayCls<int>* data_size, ArrayCls<COLORREF>* mrk_color,
                                ArrayCls<int>* mrk_size, int x_divnum, int y_divnum,
                                const char* const* ax_title, const char* date_title,
                                FontSet* font_set, const char* dsource_file) {
    if (graph_view) {
        return AddGraphLine(grp_date, mrk_kind, data_color, data_style, data_size, mrk_color,
                            mrk_size, axisflag_array, ax_title, x_divnum, y_divnum, h_shift,
                            v_shift, font_set);
    }
    try {
        return CreateNewGraph(grp_date, view_rect, h_shift, v_shift, axisflag_array, ax_title,
                              date_title, mrk_kind, data_color, data_style, data_size, mrk_color,
                              mrk_size, x_divnum, y_divnum, dsource_file);
    } catch (const std::bad_alloc&) {
        // A half-composed graph is not left behind; the caller reports the failure.
        DeleteAllObject();
        throw;
    }
}

int GraphOnWin::CreateNewGraph(GrpDate2D* grp_date, tagRECT* view_rect, LONG h_shift, LONG v_shift,
                               const int* axisflag_array, const char* const* ax_title,
                               const char* date_title, ArrayCls<int>* mrk_kind,
                               ArrayCls<COLORREF>* data_color, ArrayCls<int>* data_style,
                               ArrayCls<int>* data_size, ArrayCls<COLORREF>* mrk_color,
                               ArrayCls<int>* mrk_size, int x_divnum, int y_divnum,
                               const char* dsource_file) {
    if (grp_date == nullptr || axisflag_array == nullptr) return 0;
    SetAxisFlag(axisflag_array);
    Reference_File(dsource_file);
    if (!DateSetToGraph(grp_date, axisflag_array, view_rect, h_shift, v_shift, ZoomPercent(),
                        ax_title, date_title, mrk_kind, data_color, data_style, data_size,
                        mrk_color, mrk_size, x_divnum, y_divnum)) {
        return 0;
    }
    sinfo_flag = 1;
    return 1;
}

int GraphOnWin::DateSetToGraph(GrpDate2D* grp_date, const int* axisflag_array, tagRECT* view_rect,
                               LONG h_shift, LONG v_shift, int zoom_val,
                               const char* const* ax_title, const char* date_title,
                               ArrayCls<int>* mrk_kind, ArrayCls<COLORREF>* data_color,
                               ArrayCls<int>* data_style, ArrayCls<int>* data_size,
                               ArrayCls<COLORREF>* mrk_color, ArrayCls<int>* mrk_size, int x_divnum,
                               int y_divnum) {
    tagRECT rect = view_rect != nullptr ? *view_rect : Default_View();
    ArrayCls<double> x_array;
    ArrayCls<double> y_array;
    DateAnalysis(grp_date, x_divnum, y_divnum, &x_array, &y_array);
    const int ux = axisflag_array[0];
    const int uy = axisflag_array[1];
    ArrayCls<double>* values[4] = {nullptr, nullptr, nullptr, nullptr};
    if (ux >= 0 && ux < 4) values[ux] = &x_array;
    if (uy >= 0 && uy < 4) values[uy] = &y_array;

    // The label frames decide whether the layout can be made at all: check them before
    // anything of the document changes.
    geometry_failed_ = false;
    graph_view = std::make_unique<GraphView>(h_pWnd, &rect, h_shift, v_shift, zoom_val);
    if (!CreateAxisObject(&rect, values, h_shift, v_shift, zoom_val)) {
        DeleteAllObject();
        return 0;
    }
    const double x_span = x_array[x_array.ArrayNum() - 1] - x_array[0];
    const double y_span = y_array[y_array.ArrayNum() - 1] - y_array[0];
    PointDbl factors;
    // The scales the axes keep (and the file stores), so that a document read back maps its
    // points exactly as they were mapped here.
    factors.x = Storable_Scale(Twip_ToPixel(rect.right - rect.left, h_pWnd, 100, 1) / x_span);
    factors.y = Storable_Scale(Twip_ToPixel(rect.bottom - rect.top, h_pWnd, 100, 0) / y_span);
    PointDbl origin;
    origin.x = x_array[0];
    origin.y = y_array[y_array.ArrayNum() - 1];
    AddNewGrpDate(grp_date, origin, factors, mrk_kind, data_color, data_style, data_size, mrk_color,
                  mrk_size, 1, 0);
    SetAxisTitle(ax_title, h_shift, v_shift, zoom_val, nullptr);
    if (date_title != nullptr) CreateGraphTitle(date_title, h_shift, v_shift, zoom_val, nullptr);
    AllTitleShow();
    for (int axis = 0; axis < 4; ++axis) {
        if (Exists(axis)) graph_view->SetGridLine(axis_tick[axis].get());
    }
    graph_view->DrawAllObject();
    tagRECT legend_rect;
    legend_rect.right = rect.right / 4;
    legend_rect.bottom = rect.bottom / 5;
    glist_frame = std::make_unique<GListFrame>(h_pWnd, *graph_view->PutGrpLnLink(), rect,
                                               legend_rect, h_shift, v_shift, zoom_val);
    return 1;
}

void GraphOnWin::CalcDateMaxMin(GrpDate2D* grp_date, double* x_min, double* x_max, double* y_min,
                                double* y_max) {
    (*grp_date)[0].CalcMaxMin(x_min, x_max, y_min, y_max);
    for (int i = 1; i < grp_date->ArrayNum(); ++i) {
        double a_min = 0.0;
        double a_max = 0.0;
        double b_min = 0.0;
        double b_max = 0.0;
        (*grp_date)[i].CalcMaxMin(&a_min, &a_max, &b_min, &b_max);
        if (a_min < *x_min) *x_min = a_min;
        if (a_max > *x_max) *x_max = a_max;
        if (b_min < *y_min) *y_min = b_min;
        if (b_max > *y_max) *y_max = b_max;
    }
}

void GraphOnWin::CreateAxisArray(double min_value, double div_value, int div_num,
                                 ArrayCls<double>* values) {
    if (div_num < 1) div_num = 1;
    std::vector<double> array(static_cast<size_t>(div_num) + 1);
    array[0] = min_value;
    // Repeated addition, as the labels have always been made.
    for (int i = 1; i <= div_num; ++i)
        array[static_cast<size_t>(i)] = array[static_cast<size_t>(i) - 1] + div_value;
    *values = ArrayCls<double>(div_num + 1, array.data());
}

int GraphOnWin::DateAnalysis(GrpDate2D* grp_date, int x_divnum, int y_divnum,
                             ArrayCls<double>* x_array, ArrayCls<double>* y_array) {
    double x_min = 0.0;
    double x_max = 0.0;
    double y_min = 0.0;
    double y_max = 0.0;
    CalcDateMaxMin(grp_date, &x_min, &x_max, &y_min, &y_max);
    // A series lying on an axis gets a symmetric range as wide as the other axis.
    if (x_min == 0.0 && x_max == 0.0) {
        x_min = -(y_max - y_min) / 2;
        x_max = (y_max - y_min) / 2;
    } else if (y_min == 0.0 && y_max == 0.0) {
        y_min = -(x_max - x_min) / 2;
        y_max = (x_max - x_min) / 2;
    }
    // Nothing finite, or a single point at the origin: -1 ... 1.
    Usable_Range(&x_min, &x_max);
    Usable_Range(&y_min, &y_max);
    double axis_min = 0.0;
    double axis_max = 0.0;
    double step = 0.0;
    int divisions = x_divnum;
    Determin_Axis_Range(x_min, x_max, &axis_min, &axis_max, &step, &divisions);
    CreateAxisArray(axis_min, step, divisions, x_array);
    divisions = y_divnum;
    Determin_Axis_Range(y_min, y_max, &axis_min, &axis_max, &step, &divisions);
    CreateAxisArray(axis_min, step, divisions, y_array);
    return 1;
}

int GraphOnWin::CreateAxisData(int axis, double* min_value, double* max_value, int divnum,
                               ArrayCls<double>* values) {
    const bool finite = std::isfinite(*min_value) && std::isfinite(*max_value);
    if (!finite && !Exists(axis)) {
        // New data without a finite value on a new axis: -1 ... 1.
        *min_value = -1.0;
        *max_value = 1.0;
    } else if (!finite) {
        // ... and on an existing axis: the axis stays as it is.
        double axis_min = 0.0;
        double axis_max = 0.0;
        axis_frame[axis]->CalcMxMinNumStrObj(&axis_min, &axis_max);
        *min_value = axis_max;
        *max_value = axis_min;
    }
    if (Exists(axis)) {
        double axis_min = 0.0;
        double axis_max = 0.0;
        axis_frame[axis]->CalcMxMinNumStrObj(&axis_min, &axis_max);
        const bool low_inside = axis_min <= *min_value;
        const bool high_inside = axis_max >= *max_value;
        if (low_inside) *min_value = axis_min;
        if (high_inside) *max_value = axis_max;
        if (low_inside && high_inside) {
            CopyToArrayCls(axis_frame[axis].get(), values);
            return 0;
        }
    }
    double axis_min = 0.0;
    double axis_max = 0.0;
    double step = 0.0;
    int divisions = divnum;
    Determin_Axis_Range(*min_value, *max_value, &axis_min, &axis_max, &step, &divisions);
    CreateAxisArray(axis_min, step, divisions, values);
    return 1;
}

int GraphOnWin::AddDateAnalysis(GrpDate2D* grp_date, int ux, int uy, int x_divnum, int y_divnum,
                                ArrayCls<double>* x_array, ArrayCls<double>* y_array) {
    double x_min = 0.0;
    double x_max = 0.0;
    double y_min = 0.0;
    double y_max = 0.0;
    CalcDateMaxMin(grp_date, &x_min, &x_max, &y_min, &y_max);
    int changed = 0;
    if (CreateAxisData(ux, &x_min, &x_max, x_divnum, x_array)) changed += 1;
    if (CreateAxisData(uy, &y_min, &y_max, y_divnum, y_array)) changed += 2;
    return changed;
}

int GraphOnWin::AddAxisObject(int axis, tagRECT* view_rect, ArrayCls<double>* values, LONG h_shift,
                              LONG v_shift, int zoom_val) {
    const int direction = kTitleDirection[axis + 1];
    double trans_value = 0.0;
    tagRECT frame_rect;
    if (!AxisFrame::CalcParameters(h_pWnd, axis, direction, values->ArrayNum(), values->PutArray(),
                                   &trans_value, view_rect, view_rect, &frame_rect, 0, 0, 3, 5, 5,
                                   nullptr)) {
        Geometry_Failed();
        return 0;
    }
    tagPOINT start;
    start.x = 5;
    start.y = 5;
    axis_frame[axis] = std::make_unique<AxisFrame>(h_pWnd, axis, direction, values->ArrayNum(),
                                                   values->PutArray(), trans_value, &frame_rect,
                                                   h_shift, v_shift, zoom_val, 0, 0, 3, start);
    double min_value = 0.0;
    double max_value = 0.0;
    double step = 0.0;
    CalcMaxMin_Of_Array(values->PutArray(), values->ArrayNum(), &min_value, &max_value, &step);
    tagRECT tick_rect = AxisTick::FirstAxisTick(view_rect, static_cast<short>(axis), h_pWnd);
    axis_tick[axis] =
        std::make_unique<AxisTick>(h_pWnd, static_cast<short>(axis), min_value, max_value, step,
                                   &tick_rect, h_shift, v_shift, zoom_val, 0);
    return 1;
}

int GraphOnWin::CreateAxisObject(tagRECT* view_rect, ArrayCls<double>* values[4], LONG h_shift,
                                 LONG v_shift, int zoom_val) {
    for (int axis = 0; axis < 4; ++axis) {
        if (!Exists(axis) || values[axis] == nullptr) continue;
        if (!AddAxisObject(axis, view_rect, values[axis], h_shift, v_shift, zoom_val)) return 0;
    }
    return 1;
}

void GraphOnWin::SetAxisFlag(const int* axisflag_array) {
    for (int& flag : axis_flag) flag = 0;
    for (int i = 0; i < 2; ++i) {
        if (axisflag_array[i] >= 0 && axisflag_array[i] < 4) axis_flag[axisflag_array[i]] = 1;
    }
}

const char* GraphOnWin::SetDefAxTitle(int axis) {
    return axis >= 0 && axis < 4 ? kDefaultAxisTitle[axis] : "";
}

tagRECT GraphOnWin::PutViewRect() const {
    return graph_view ? graph_view->GetRectOnTwip() : Default_View();
}

tagRECT GraphOnWin::CalForTltFrame(tagRECT graph_rect) const {
    tagRECT bound = graph_rect;
    if (Exists(0)) bound.left = axis_frame[0]->GetLeftOnScrTwip();
    if (Exists(1)) {
        bound.bottom =
            static_cast<LONG>(axis_frame[1]->GetTopOnScrTwip() + axis_frame[1]->GetBoxHeight());
    }
    if (Exists(2)) {
        bound.right =
            static_cast<LONG>(axis_frame[2]->GetLeftOnScrTwip() + axis_frame[2]->GetBoxWidth());
    }
    if (Exists(3)) bound.top = axis_frame[3]->GetTopOnScrTwip();
    return bound;
}

void GraphOnWin::CalcViewTickRect(tagRECT* result, int flag) const {
    if (flag == 1) *result = PutViewRect();
    if (Exists(0)) result->left -= axis_tick[0]->PutOutLng();
    if (Exists(1)) result->bottom += axis_tick[1]->PutOutLng();
    if (Exists(2)) result->right += axis_tick[2]->PutOutLng();
    if (Exists(3)) result->top -= axis_tick[3]->PutOutLng();
}

LONG GraphOnWin::GraphTitleGap() const {
    LONG gap = Pixel_ToTwip(10, h_pWnd, 100, 0);
    if (Exists(3) && title_on_win[4]) gap += static_cast<LONG>(title_on_win[4]->GetBoxHeight());
    return gap;
}

int GraphOnWin::CreateAxisTitle(int add_index, const char* set_title, LONG h_shift, LONG v_shift,
                                int zoom_val, FontSet* font_set) {
    if (add_index < 1 || add_index > 4) return 0;
    const char* text = set_title != nullptr ? set_title : SetDefAxTitle(add_index - 1);
    FontSet default_font(h_pWnd, 12);
    FontSet* font = font_set != nullptr ? font_set : &default_font;
    const int direction = kTitleDirection[add_index];
    tagPOINT size = TitleOnWin::GetContentsSize(h_pWnd, text, font, direction);
    const LONG width = Pixel_ToTwip(size.x, h_pWnd, 100, 1);
    const LONG height = Pixel_ToTwip(size.y, h_pWnd, 100, 0);
    const tagRECT view = PutViewRect();
    const tagRECT bound = CalForTltFrame(view);
    tagRECT place = TitleOnWin::CalcObjPos(&view, &bound, add_index, width, height, 0);
    title_on_win[add_index] = std::make_unique<TitleOnWin>(
        h_pWnd, text, direction, add_index, place.left, place.top, place.right - place.left,
        place.bottom - place.top, h_shift, v_shift, zoom_val);
    if (font_set != nullptr) {
        title_on_win[add_index]->PutFontSet()->SetLogFont(font_set->PutLogFont());
    }
    return 1;
}

void GraphOnWin::SetAxisTitle(const char* const* ax_title, LONG h_shift, LONG v_shift, int zoom_val,
                              FontSet* font_set) {
    for (int index = 1; index <= 4; ++index) {
        if (Exists(index - 1)) {
            const char* text = ax_title != nullptr ? ax_title[index - 1] : nullptr;
            CreateAxisTitle(index, text, h_shift, v_shift, zoom_val, font_set);
        } else {
            title_on_win[index].reset();
        }
    }
}

int GraphOnWin::CreateGraphTitle(const char* title_lett, LONG h_shift, LONG v_shift, int zoom_val,
                                 FontSet* font_set) {
    if (title_lett == nullptr) return 0;
    FontSet default_font(h_pWnd, 12);
    FontSet* font = font_set != nullptr ? font_set : &default_font;
    tagPOINT size = TitleOnWin::GetContentsSize(h_pWnd, title_lett, font, 0);
    const LONG width = Pixel_ToTwip(size.x, h_pWnd, 100, 1);
    const LONG height = Pixel_ToTwip(size.y, h_pWnd, 100, 0);
    const tagRECT view = PutViewRect();
    const tagRECT bound = CalForTltFrame(view);
    tagRECT place = TitleOnWin::CalcObjPos(&view, &bound, 0, width, height, GraphTitleGap());
    title_on_win[0] = std::make_unique<TitleOnWin>(
        h_pWnd, title_lett, 0, 0, place.left, place.top, place.right - place.left,
        place.bottom - place.top, h_shift, v_shift, zoom_val);
    return 1;
}

void SetDefaultMark(int n, int current, ArrayCls<int>** mrk_kind, ArrayCls<COLORREF>** mrk_color,
                    ArrayCls<int>** mrk_size, DefaultProps* made) {
    const int count = n > 0 ? n : 1;
    if (*mrk_kind == nullptr) {
        made->mrk_kind = std::make_unique<ArrayCls<int>>(count);
        for (int i = 0; i < count; ++i) (*made->mrk_kind)[i] = 0;
        *mrk_kind = made->mrk_kind.get();
    }
    if (*mrk_color == nullptr) {
        made->mrk_color = std::make_unique<ArrayCls<COLORREF>>(count);
        for (int i = 0; i < count; ++i) (*made->mrk_color)[i] = Defalt_Color(current + i);
        *mrk_color = made->mrk_color.get();
    }
    if (*mrk_size == nullptr) {
        made->mrk_size = std::make_unique<ArrayCls<int>>(count);
        for (int i = 0; i < count; ++i) (*made->mrk_size)[i] = 3;
        *mrk_size = made->mrk_size.get();
    }
}

void SetDefaultLnProp(int n, int current, ArrayCls<COLORREF>** data_color,
                      ArrayCls<int>** data_style, ArrayCls<int>** data_size, DefaultProps* made) {
    const int count = n > 0 ? n : 1;
    if (*data_color == nullptr) {
        made->data_color = std::make_unique<ArrayCls<COLORREF>>(count);
        for (int i = 0; i < count; ++i) (*made->data_color)[i] = Defalt_Color(current + i);
        *data_color = made->data_color.get();
    }
    if (*data_style == nullptr) {
        made->data_style = std::make_unique<ArrayCls<int>>(count);
        for (int i = 0; i < count; ++i) (*made->data_style)[i] = PS_SOLID;
        *data_style = made->data_style.get();
    }
    if (*data_size == nullptr) {
        made->data_size = std::make_unique<ArrayCls<int>>(count);
        for (int i = 0; i < count; ++i) (*made->data_size)[i] = 1;
        *data_size = made->data_size.get();
    }
}

void CopyToArrayCls(AxisFrame* frame, ArrayCls<double>* values) {
    const int count = frame->PutNumDspObj();
    std::vector<double> labels(static_cast<size_t>(count > 0 ? count : 1));
    frame->PutNumObjDblArray(labels.data());
    *values = ArrayCls<double>(count > 0 ? count : 1, labels.data());
}

void GraphOnWin::AddInfGrpLine(GraphLine* line, COLORREF color, int pen_style, int pen_width,
                               const char* name) {
    line->ColorInfo()->SetRGBdata(color);
    line->LineInfo()->SetPenStyle(static_cast<unsigned>(pen_style));
    line->LineInfo()->SetPenSize(pen_width);
    line->SetDateTitle(name);
}

void GraphOnWin::AddInfGrpMark(GraphLine* line, COLORREF color, int marker_kind, int radius,
                               const char* name) {
    line->ColorInfo()->SetRGBPntdata(color);
    line->LineInfo()->SetMarker(marker_kind);
    line->LineInfo()->SetPenRadius(radius);
    line->SetDateTitle(name);
}

void GraphOnWin::AddNewGrpDate(GrpDate2D* target_date, PointDbl start_point, PointDbl trfc_point,
                               ArrayCls<int>* mrk_kind, ArrayCls<COLORREF>* data_color,
                               ArrayCls<int>* data_style, ArrayCls<int>* data_size,
                               ArrayCls<COLORREF>* mrk_color, ArrayCls<int>* mrk_size,
                               int x_axisnum, int y_axisnum) {
    const int n = target_date->ArrayNum();
    const int current = graph_view->PutElementNum();
    DefaultProps made;
    SetDefaultMark(n, current, &mrk_kind, &mrk_color, &mrk_size, &made);
    SetDefaultLnProp(n, current, &data_color, &data_style, &data_size, &made);
    for (int i = 0; i < n; ++i) {
        // A caller's array shorter than the data set gives the defaults for the rest.
        const COLORREF default_color = Defalt_Color(current + i);
        const char* kept_name = target_date->PutTheName(i);
        const std::string name_text = kept_name != nullptr ? kept_name : "";
        const char* name = kept_name != nullptr ? name_text.c_str() : nullptr;
        // The caller's data set is made for this call: its points move into the line.
        auto line = std::make_unique<GraphLine>(h_pWnd, std::move((*target_date)[i]), start_point,
                                                trfc_point, nullptr, 1, 0);
        GraphLine* appended = line.get();
        graph_view->Append(std::move(line));
        AddInfGrpLine(appended, Value_Or<COLORREF>(data_color, i, default_color),
                      Value_Or<int>(data_style, i, PS_SOLID), Value_Or<int>(data_size, i, 1), name);
        AddInfGrpMark(appended, Value_Or<COLORREF>(mrk_color, i, default_color),
                      Value_Or<int>(mrk_kind, i, 0), Value_Or<int>(mrk_size, i, 3), name);
        appended->HoriAxis() = x_axisnum;
        appended->VerAxis() = y_axisnum;
    }
}

int GraphOnWin::AddGraphLine(GrpDate2D* grp_date, ArrayCls<int>* mrk_kind,
                             ArrayCls<COLORREF>* data_color, ArrayCls<int>* data_style,
                             ArrayCls<int>* data_size, ArrayCls<COLORREF>* mrk_color,
                             ArrayCls<int>* mrk_size, const int* axisflag_array,
                             const char* const* ax_title, int x_divnum, int y_divnum, LONG h_shift,
                             LONG v_shift, FontSet* font_set) {
    if (grp_date == nullptr || axisflag_array == nullptr || !graph_view) return 0;
    const int ux = axisflag_array[0];
    const int uy = axisflag_array[1];
    if (ux < 0 || ux > 3 || uy < 0 || uy > 3) return 0;
    ArrayCls<double> x_array;
    ArrayCls<double> y_array;
    const int changed = AddDateAnalysis(grp_date, ux, uy, x_divnum, y_divnum, &x_array, &y_array);
    struct Side {
        int axis;
        ArrayCls<double>* values;
        bool changed;
        int failure;
    } sides[2] = {{ux, &x_array, (changed & 1) != 0, -1}, {uy, &y_array, (changed & 2) != 0, -2}};
    for (const Side& side : sides) {
        if (!Exists(side.axis)) {
            const char* title = ax_title != nullptr ? ax_title[side.axis] : nullptr;
            if (AddGraphForNewAxis(side.axis, side.values, h_shift, v_shift, title, font_set) < 0) {
                return side.failure;
            }
        } else if (side.changed) {
            double min_value = 0.0;
            double max_value = 0.0;
            double step = 0.0;
            CalcMaxMin_Of_Array(side.values->PutArray(), side.values->ArrayNum(), &min_value,
                                &max_value, &step);
            axis_tick[side.axis]->SetATValues(min_value, max_value, step);
            ChangeGraphObjForNum(side.axis, side.values, h_shift, v_shift);
        }
    }
    PointDbl origin;
    origin.x = x_array[0];
    origin.y = y_array[y_array.ArrayNum() - 1];
    PointDbl factors;
    factors.x = axis_frame[ux]->DateScTrns();
    factors.y = axis_frame[uy]->DateScTrns();
    AddNewGrpDate(grp_date, origin, factors, mrk_kind, data_color, data_style, data_size, mrk_color,
                  mrk_size, ux, uy);
    if (glist_frame) {
        const tagRECT before = glist_frame->GetRectOnTwip();
        glist_frame->AddObject(h_shift, v_shift);
        KeepLegendInPlot(before, h_shift, v_shift);
        glist_frame->DrawAllObject();
    }
    graph_view->DrawAllObject();
    sinfo_flag = 1;
    return 1;
}

int GraphOnWin::AddGraphForNewAxis(int axis, ArrayCls<double>* values, LONG h_shift, LONG v_shift,
                                   const char* title, FontSet* font_set) {
    tagRECT view = PutViewRect();
    if (!AddAxisObject(axis, &view, values, h_shift, v_shift, ZoomPercent())) return -1;
    axis_flag[axis] = 1;
    graph_view->SetGridLine(axis_tick[axis].get());
    if (AddAxisTitle(axis, title, h_shift, v_shift, font_set) < 0) return -1;
    if (axis == 3 && title_on_win[0] && title_on_win[4]) {
        // The graph title moves up out of the way of the new top labels and title: to where
        // a graph composed with a top axis would have it, when that is higher.
        const tagRECT graph_title = title_on_win[0]->GetRectOnTwip();
        const tagRECT view = PutViewRect();
        const tagRECT bound = CalForTltFrame(view);
        tagRECT place = title_on_win[0]->CalcOfRectForNewParaSet(&view, &bound, GraphTitleGap());
        if (place.bottom < graph_title.bottom) {
            const LONG overlap = place.bottom - graph_title.bottom;
            tagRECT moved = graph_title;
            moved.top += overlap;
            moved.bottom += overlap;
            title_on_win[0]->MoveObjectWithOutMouse(&moved, h_shift, v_shift);
            title_on_win[0]->ForceDraw();
        }
    }
    if (title_on_win[axis + 1]) title_on_win[axis + 1]->ForceDraw();
    return 1;
}

int GraphOnWin::AddAxisTitle(int axis, const char* title, LONG h_shift, LONG v_shift,
                             FontSet* font_set) {
    if (title_on_win[axis + 1]) return 0;
    return CreateAxisTitle(axis + 1, title, h_shift, v_shift, ZoomPercent(), font_set) ? 1 : -1;
}

int GraphOnWin::ChangeGraphObjForNum(int axis, ArrayCls<double>* values, LONG h_shift,
                                     LONG v_shift) {
    if (!Exists(axis)) return 0;
    tagRECT view = PutViewRect();
    double min_value = axis_tick[axis]->PutMinValue();
    double max_value = axis_tick[axis]->PutMaxValue();
    axis_frame[axis]->CalcDateSctrns(&view, &min_value, &max_value, 1);
    axis_tick[axis]->ReDrawContent(view, h_shift, v_shift);
    graph_view->SetGridLine(axis_tick[axis].get());
    tagRECT tick_rect;
    CalcViewTickRect(&tick_rect, 1);
    if (axis_frame[axis]->ChangeNumDate(values->PutArray(), values->ArrayNum(), &view, &tick_rect,
                                        h_shift, v_shift)) {
        ChngObjPosForAFchng(axis, &view, h_shift, v_shift);
        ChngViewFrame(&view, h_shift, v_shift);
    }
    return 1;
}

int GraphOnWin::ChngObjPosForAFchng(int obj_num, tagRECT* view_rect, LONG h_shift, LONG v_shift) {
    if (obj_num < 0 || obj_num > 3) return 0;
    const tagRECT bound = CalForTltFrame(*view_rect);
    if (TitleOnWin* title = title_on_win[obj_num + 1].get()) {
        tagRECT place = title->CalcOfRectForNewParaSet(view_rect, &bound, 0);
        title->MoveObjectWithOutMouse(&place, h_shift, v_shift);
    }
    if (obj_num == 3 && title_on_win[0]) {
        tagRECT place =
            title_on_win[0]->CalcOfRectForNewParaSet(view_rect, &bound, GraphTitleGap());
        title_on_win[0]->MoveObjectWithOutMouse(&place, h_shift, v_shift);
    }
    return 1;
}

int GraphOnWin::ChngViewFrame(tagRECT* rect, LONG h_shift, LONG v_shift) {
    if (!graph_view) return 0;
    double factors[4] = {0.0, 0.0, 0.0, 0.0};
    double origins[4] = {0.0, 0.0, 0.0, 0.0};
    for (int axis = 0; axis < 4; ++axis) {
        if (!Exists(axis)) continue;
        factors[axis] = axis_frame[axis]->DateScTrns();
        // The data value at the plot area's top (vertical axes) or left edge: the first or
        // last label, as a document read back maps its points.
        origins[axis] =
            Horizontal_Axis(axis) ? axis_tick[axis]->PutMinValue() : axis_tick[axis]->PutMaxValue();
        const int count = axis_frame[axis]->PutNumDspObj();
        if (count > 0) {
            std::vector<double> labels(static_cast<size_t>(count));
            axis_frame[axis]->PutNumObjDblArray(labels.data());
            origins[axis] = Horizontal_Axis(axis) ? labels.front() : labels.back();
        }
    }
    graph_view->ChngViewFrame(rect, ArrayCls<double>(4, factors), ArrayCls<double>(4, origins),
                              h_shift, v_shift);
    graph_view->DrawAllObject();
    return 1;
}

void GraphOnWin::AllTitleShow() {
    for (auto& title : title_on_win) {
        if (title) title->ForceDraw();
    }
}

int GraphOnWin::ReDraw(HDC win_dc, unsigned long wr_mode, int the_timer) {
    if (title_on_win[0]) title_on_win[0]->ReDraw(win_dc, wr_mode, the_timer);
    for (int axis = 0; axis < 4; ++axis) {
        if (!Exists(axis)) continue;
        if (title_on_win[axis + 1]) title_on_win[axis + 1]->ReDraw(win_dc, wr_mode, the_timer);
        if (axis_frame[axis]) axis_frame[axis]->ReDraw(win_dc, wr_mode, the_timer);
        if (axis_tick[axis]) axis_tick[axis]->ReDraw(win_dc, wr_mode, the_timer);
    }
    if (graph_view) graph_view->ReDraw(win_dc, wr_mode, the_timer);
    if (glist_frame) glist_frame->ReDraw(win_dc, wr_mode, the_timer);
    // The repaint wiped the band of a drag: put it back.
    if (the_timer == 1 && selectobject != nullptr) selectobject->DrawErase();
    return 1;
}

int GraphOnWin::WriteImageOfGraph(HDC target_hdc, LONG zoom_val, unsigned long wr_mode) {
    if (title_on_win[0]) title_on_win[0]->WriteImageToDC(target_hdc, zoom_val, wr_mode);
    for (int axis = 0; axis < 4; ++axis) {
        if (!Exists(axis)) continue;
        if (title_on_win[axis + 1]) {
            title_on_win[axis + 1]->WriteImageToDC(target_hdc, zoom_val, wr_mode);
        }
        if (axis_frame[axis]) axis_frame[axis]->WriteImageToDC(target_hdc, zoom_val, wr_mode);
        if (axis_tick[axis]) axis_tick[axis]->WriteImageToDC(target_hdc, zoom_val, wr_mode);
    }
    if (graph_view) graph_view->WriteImageToDC(target_hdc, zoom_val, wr_mode);
    if (glist_frame) glist_frame->WriteImageToDC(target_hdc, zoom_val, wr_mode);
    return 1;
}

void GraphOnWin::DeleteAllObject() {
    title_on_win[0].reset();
    for (int axis = 0; axis < 4; ++axis) {
        title_on_win[axis + 1].reset();
        axis_frame[axis].reset();
        axis_tick[axis].reset();
        axis_flag[axis] = 0;
    }
    glist_frame.reset();
    graph_view.reset();
    event_obj = nullptr;
    selectobject = nullptr;
    move_flag = 0;
    reference_file.clear();
    sinfo_flag = 0;
    if (h_pWnd != nullptr) h_pWnd->InvalidateRect(nullptr, true);
}

int GraphOnWin::GetSelObjectKind() const {
    if (selectobject == nullptr) return -1;
    const int kind = selectobject->ObjectType();
    if (kind == 5 && glist_frame) {
        // A selected line sample or series name inside the legend.
        const int part = glist_frame->PutSelObjectKind();
        if (part == 6) return 6;
        if (part == 1) return 7;
    }
    return kind;
}

int GraphOnWin::MoveObjectToPoint(tagRECT* new_rect) {
    BaseFrame::MoveObjectToPoint(new_rect);
    return 1;
}

int GraphOnWin::MoveObjectToPoint2(tagRECT* new_rect, tagRECT*) {
    return MoveObjectToPoint(new_rect);
}

int Hand_ToGraphDocument(GraphRequest& request) {
    if (g_object_array == nullptr) return 0;
    return g_object_array->AddNewGraphDate(request.data, request.axisflag_array, nullptr, g_shifth,
                                           g_shiftv, request.mrk_kind, nullptr, nullptr, nullptr,
                                           nullptr, nullptr, request.x_divnum, request.y_divnum,
                                           request.ax_title, request.date_title, nullptr, nullptr);
}

void Install_GraphDocumentReceiver() { Set_GraphReceiver(Hand_ToGraphDocument); }

void GraphOnWin::KeepLegendInPlot(const tagRECT& before, LONG h_shift, LONG v_shift) {
    if (!glist_frame || !graph_view) return;
    const tagRECT plot = graph_view->GetRectOnTwip();
    const tagRECT now = glist_frame->GetRectOnTwip();
    const bool was_inside = before.left >= plot.left && before.right <= plot.right;
    if (!was_inside || now.right <= plot.right) return;
    const int64_t room = int64_t(now.left) - plot.left;
    const int64_t shift = std::min<int64_t>(int64_t(now.right) - plot.right, room);
    if (shift <= 0) return;
    tagRECT moved = now;
    moved.left = static_cast<LONG>(now.left - shift);
    moved.right = static_cast<LONG>(now.right - shift);
    glist_frame->MoveObjectWithOutMouse(&moved, h_shift, v_shift);
}
