// The samplers of the four formula kinds and their one-off evaluation (see the header).
#include "kinds/samplers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "formula/calc_bin_tree.h"
#include "formula/number_text.h"
#include "platform/message_box.h"

namespace {

const char kRangeMessage[] = "最小値、最大値が変です";
const char kEvaluationMessage[] = "関数計算中にエラーが発生しました.終了します";
const char kGridMessage[] = "格子点の数が多すぎます（一億点まで）。\n分割数を減らしてください";

HWND Owner(DialogControls* hdwnd) { return hdwnd ? hdwnd->Handle() : g_mhDlg; }

void Show(DialogControls* hdwnd, const char* text, const char* caption) {
    MessageBoxA(Owner(hdwnd), text, caption, MB_OK);
}

// A failed evaluation abandons the drawing after its message; the document keeps what it
// had and the program goes on (ending it would lose the user's unsaved graph).
bool Evaluate(DialogControls* hdwnd, MathForm* form, CompForm* root, UsrFuncArray& ufunc_list,
              double* value) {
    int flag = 1;
    *value = BinTreeFunc(root, &flag, form->var_array, ufunc_list, EmptyArray);
    if (flag == 0) {
        Show(hdwnd, kEvaluationMessage, "invalid value");
        return false;
    }
    return true;
}

// A sampling range: min below max, both finite, a finite step, at least one division.
bool Range_Ok(double min_value, double max_value, long divisions) {
    if (!(min_value < max_value) || divisions < 1) return false;
    if (!std::isfinite(min_value) || !std::isfinite(max_value)) return false;
    return std::isfinite((max_value - min_value) / static_cast<double>(divisions));
}

// The value cell of a variable of the formula; a name the formula does not have gets a
// scratch cell, so sampling never adds a row to the formula's variables.
double* Cell(MathForm* form, const char* name) {
    static double scratch = 0.0;
    if (name == nullptr || !form->var_array(name)) return &scratch;
    return &form->var_array[name];
}

int Hand_Over(GrpDate2D& grp, const char* graph_title, ArrayCls<int>* mrk_kind) {
    GraphRequest request;
    request.data = &grp;
    std::strncpy(request.date_title, graph_title, sizeof request.date_title - 1);
    request.mrk_kind = mrk_kind;
    return Hand_ToReceiver(request);
}

// The selected list entry's whole text, or false when none is selected.
bool Selected_Text(DialogControls* hdwnd, std::string* text) {
    if (hdwnd == nullptr) return false;
    int selected = hdwnd->ListBox_GetCurSel(IDC_FORMULA_LIST);
    if (selected < 0) return false;
    *text = hdwnd->ListBox_GetText(IDC_FORMULA_LIST, selected);
    return true;
}

// Samples a one-variable formula at n + 1 points, the last exactly at the stored maximum.
// Returns false after a message when the range is refused or an evaluation fails.
template <class Sample>
bool Sweep(DialogControls* hdwnd, double min_value, double max_value, long divisions,
           Sample sample) {
    if (!Range_Ok(min_value, max_value, divisions)) {
        Show(hdwnd, kRangeMessage, "invalid value");
        return false;
    }
    const double step = (max_value - min_value) / static_cast<double>(divisions);
    SamplingProgress progress;
    for (long i = 0; i < divisions; ++i) {
        if (!progress.Continue(static_cast<double>(i), static_cast<double>(divisions)))
            return false;
        if (!sample(i, static_cast<double>(i) * step + min_value)) return false;
    }
    return sample(divisions, max_value);
}

// The n + 1 sample slots of a one-variable curve, after the range was checked (a refused
// range shows its message and gives false).
bool Prepare_Samples(DialogControls* hdwnd, const MathForm* form, std::vector<double>* x,
                     std::vector<double>* y) {
    const long n = form->stepnumber_g;
    if (!Range_Ok(form->var_min, form->var_max, n)) {
        Show(hdwnd, kRangeMessage, "invalid value");
        return false;
    }
    x->assign(static_cast<size_t>(n) + 1, 0.0);
    y->assign(static_cast<size_t>(n) + 1, 0.0);
    return true;
}

// Packs the samples as the one series of a data set and hands it to the graph.
int Draw_Samples(const std::vector<double>& x, const std::vector<double>& y, const char* grp_name,
                 const char* graph_title) {
    GrpDate2D grp(GrpDate2D::DefElmNumber, nullptr);
    MakeOneGrpDateObj(&grp, x.data(), y.data(), static_cast<int>(x.size()), grp_name);
    return Hand_Over(grp, graph_title, nullptr);
}

}  // namespace

void MakeOneGrpDateObj(GrpDate2D* target_obj, const double* x_date, const double* y_date,
                       int element, const char* date_name) {
    PointArray series(PointArray::DefElmNumber, nullptr, nullptr, nullptr);
    series.SetDateArray(element, x_date, y_date);
    if (date_name != nullptr) series.SetTheName(date_name);
    // The series is this function's own: hand its points over rather than copy them.
    target_obj->MoveDateArray(1, &series);
}

int ShowResult_Graph_Expl(DialogControls* hdwnd, MathForm* the_target, const char* grp_name,
                          UsrFuncArray& ufunc_list) {
    std::vector<double> x;
    std::vector<double> y;
    if (!Prepare_Samples(hdwnd, the_target, &x, &y)) return 0;
    double* variable = Cell(the_target, the_target->var);
    bool ok = Sweep(hdwnd, the_target->var_min, the_target->var_max, the_target->stepnumber_g,
                    [&](long i, double value) {
                        x[static_cast<size_t>(i)] = value;
                        *variable = value;
                        return Evaluate(hdwnd, the_target, the_target->the_formtop, ufunc_list,
                                        &y[static_cast<size_t>(i)]);
                    });
    return ok ? Draw_Samples(x, y, grp_name, "関数グラフ") : 0;
}

int ShowResult_Calc_Expl(DialogControls* hdwnd, MathForm* the_target, UsrFuncArray& ufunc_list) {
    double value = 0.0;
    if (!Evaluate(hdwnd, the_target, the_target->the_formtop, ufunc_list, &value)) return 0;
    std::string list_text;
    if (!Selected_Text(hdwnd, &list_text)) return 0;
    hdwnd->SetDlgItemText(IDC_FORMULA_EDIT, Format_CText("%s =%f", list_text.c_str(), value));
    return 2;
}

int ShowResult_Graph_Param(DialogControls* hdwnd, MathForm* the_target, const char* grp_name,
                           UsrFuncArray& ufunc_list) {
    std::vector<double> x;
    std::vector<double> y;
    if (!Prepare_Samples(hdwnd, the_target, &x, &y)) return 0;
    const long n = the_target->stepnumber_g;
    double* parameter = Cell(the_target, the_target->var);
    bool ok = Sweep(hdwnd, the_target->var_min, the_target->var_max, n, [&](long i, double t) {
        *parameter = t;
        int x_flag = 1;
        int y_flag = 1;
        // Both components are evaluated before either failure is reported.
        x[static_cast<size_t>(i)] = BinTreeFunc(the_target->the_formtop, &x_flag,
                                                the_target->var_array, ufunc_list, EmptyArray);
        y[static_cast<size_t>(i)] = BinTreeFunc(the_target->the_form_ytop, &y_flag,
                                                the_target->var_array, ufunc_list, EmptyArray);
        if (x_flag == 0 || y_flag == 0) {
            Show(hdwnd, kEvaluationMessage, "invalid value");
            return false;
        }
        return true;
    });
    return ok ? Draw_Samples(x, y, grp_name, "関数グラフ") : 0;
}

int ShowResult_Calc_Param(DialogControls* hdwnd, MathForm* the_target, UsrFuncArray& ufunc_list) {
    int x_flag = 1;
    int y_flag = 1;
    double xv = BinTreeFunc(the_target->the_formtop, &x_flag, the_target->var_array, ufunc_list,
                            EmptyArray);
    double yv = BinTreeFunc(the_target->the_form_ytop, &y_flag, the_target->var_array, ufunc_list,
                            EmptyArray);
    if (x_flag == 0 || y_flag == 0) {
        Show(hdwnd, kEvaluationMessage, "invalid value");
        return 0;
    }
    std::string list_text;
    if (!Selected_Text(hdwnd, &list_text)) return 0;
    char formula_x[256];
    char formula_y[256];
    char name[256];
    double min_value = 0.0;
    double max_value = 0.0;
    int steps = 100;
    if (!Get_FormulaInfo_Para(list_text.c_str(), formula_x, formula_y, name, &min_value, &max_value,
                              &steps)) {
        return 0;
    }
    hdwnd->SetDlgItemText(IDC_FORMULA_EDIT,
                          Format_CText("%s =%f %s =%f", formula_x, xv, formula_y, yv));
    return 2;
}

int PolarCalc_argInfrm(DialogControls* hdwnd, double* x_value, double* y_value,
                       MathForm* the_target, int step_numb, UsrFuncArray& ufunc_list) {
    double* angle = Cell(the_target, the_target->var);
    return Sweep(hdwnd, the_target->var_min, the_target->var_max, step_numb,
                 [&](long i, double theta) {
                     *angle = theta;
                     double r = 0.0;
                     if (!Evaluate(hdwnd, the_target, the_target->the_formtop, ufunc_list, &r)) {
                         return false;
                     }
                     x_value[i] = std::cos(theta) * r;
                     y_value[i] = std::sin(theta) * r;
                     return true;
                 })
               ? 1
               : 0;
}

int PolarCalc_argNofrm(DialogControls* hdwnd, double* x_value, double* y_value,
                       MathForm* the_target, int step_numb, UsrFuncArray& ufunc_list) {
    if (!Range_Ok(the_target->var_min, the_target->var_max, step_numb)) {
        Show(hdwnd, kRangeMessage, "invalid value");
        return 0;
    }
    double r = 0.0;
    if (!Evaluate(hdwnd, the_target, the_target->the_formtop, ufunc_list, &r)) return 0;
    return Sweep(hdwnd, the_target->var_min, the_target->var_max, step_numb,
                 [&](long i, double theta) {
                     x_value[i] = std::cos(theta) * r;
                     y_value[i] = std::sin(theta) * r;
                     return true;
                 })
               ? 1
               : 0;
}

int ShowResult_Graph_Polar(DialogControls* hdwnd, MathForm* the_target, const char* grp_name,
                           UsrFuncArray& ufunc_list) {
    std::vector<double> x;
    std::vector<double> y;
    if (!Prepare_Samples(hdwnd, the_target, &x, &y)) return 0;
    const int n = static_cast<int>(the_target->stepnumber_g);
    int sampled = the_target->DoVariExist(the_target->var)
                      ? PolarCalc_argInfrm(hdwnd, x.data(), y.data(), the_target, n, ufunc_list)
                      : PolarCalc_argNofrm(hdwnd, x.data(), y.data(), the_target, n, ufunc_list);
    return sampled ? Draw_Samples(x, y, grp_name, "極座標表示グラフ") : 0;
}

int ShowResult_Calc_Polar(DialogControls* hdwnd, MathForm* the_target, UsrFuncArray& ufunc_list) {
    double r = 0.0;
    if (!Evaluate(hdwnd, the_target, the_target->the_formtop, ufunc_list, &r)) return 0;
    const double theta = the_target->var_min;
    const double x = std::cos(theta) * r;
    const double y = std::sin(theta) * r;
    std::string list_text;
    if (!Selected_Text(hdwnd, &list_text)) return 0;
    char formula[256];
    char name[256];
    double min_value = 0.0;
    double max_value = 0.0;
    int steps = 100;
    if (!Get_FormulaInfo_Polar(list_text.c_str(), formula, name, &min_value, &max_value, &steps)) {
        return 0;
    }
    hdwnd->SetDlgItemText(IDC_FORMULA_EDIT, Format_CText("r =%f :x=%f :y=%f", r, x, y));
    return 2;
}

namespace {

// f is accepted at a grid point when it is exactly zero or has the opposite sign of the
// previous value of its row. Signs, not the product: 1e-200 * -1e-200 underflows to -0.
bool Accepted(double value, double previous) {
    return value == 0.0 || (value > 0.0 && previous < 0.0) || (value < 0.0 && previous > 0.0);
}

bool Grid_Ok(DialogControls* hdwnd, double min_value, double max_value, long divisions) {
    if (divisions < 1 || !std::isfinite(min_value) || !std::isfinite(max_value) ||
        !std::isfinite((max_value - min_value) / static_cast<double>(divisions))) {
        Show(hdwnd, kRangeMessage, "invalid value");
        return false;
    }
    return true;
}

int Finish_Scan(DialogControls* hdwnd, int found) {
    if (found == 0) {
        Show(hdwnd, "式を満たす点が一つもありません。", "No Graph");
        return 0;
    }
    return 1;
}

// A root along one variable becomes a line of points across the plot: the n + 1 grid
// values of the same variable's range, as the other coordinate. The roots are found first,
// so a scan whose lines would exceed the point limit is refused before anything is stored.
int Line_Scan(DialogControls* hdwnd, AnyNumArray& calc_values, int* calcpnt_number,
              MathForm* the_target, UsrFuncArray& ufunc_list, const char* name, double min_value,
              double max_value, long n, bool vertical) {
    *calcpnt_number = 0;
    if (!Grid_Ok(hdwnd, min_value, max_value, n)) return 0;
    const double step = (max_value - min_value) / static_cast<double>(n);
    double* cell = Cell(the_target, name);
    double previous = 0.0;
    std::vector<double> roots;
    SamplingProgress progress;
    for (long i = 0; i <= n; ++i) {
        if (!progress.Continue(static_cast<double>(i), static_cast<double>(n))) return 0;
        const double at = static_cast<double>(i) * step + min_value;
        *cell = at;
        double value = 0.0;
        if (!Evaluate(hdwnd, the_target, the_target->the_formtop, ufunc_list, &value)) return 0;
        if (Accepted(value, previous)) roots.push_back(at);
        previous = value;
    }
    const int64_t line_points = static_cast<int64_t>(n) + 1;
    if (static_cast<double>(static_cast<int64_t>(roots.size()) * line_points) >
        MAX_IMPLICIT_POINTS) {
        Show(hdwnd, kGridMessage, "invalid value");
        return 0;
    }
    for (double at : roots) {
        for (long k = 0; k <= n; ++k) {
            const double across = static_cast<double>(k) * step + min_value;
            calc_values.Append(vertical ? ElmDblArray(at, across) : ElmDblArray(across, at));
            ++*calcpnt_number;
        }
    }
    return Finish_Scan(hdwnd, *calcpnt_number);
}

}  // namespace

int InplCalc_BothInfrm(DialogControls* hdwnd, AnyNumArray& calc_values, int* calcpnt_number,
                       MathForm* the_target, UsrFuncArray& ufunc_list) {
    *calcpnt_number = 0;
    const long nx = the_target->stepnumber_g;
    const long ny = the_target->stepnumber_dpnd;
    if (!Grid_Ok(hdwnd, the_target->var_min, the_target->var_max, nx) ||
        !Grid_Ok(hdwnd, the_target->vardpnd_min, the_target->vardpnd_max, ny)) {
        return 0;
    }
    if ((static_cast<double>(nx) + 1.0) * (static_cast<double>(ny) + 1.0) > MAX_IMPLICIT_POINTS) {
        Show(hdwnd, kGridMessage, "invalid value");
        return 0;
    }
    const double dx = (the_target->var_max - the_target->var_min) / static_cast<double>(nx);
    const double dy = (the_target->vardpnd_max - the_target->vardpnd_min) / static_cast<double>(ny);
    double* x_cell = Cell(the_target, the_target->var);
    double* y_cell = Cell(the_target, the_target->vardpnd);
    SamplingProgress progress;
    const double total = (static_cast<double>(nx) + 1.0) * (static_cast<double>(ny) + 1.0);
    for (long j = 0; j <= ny; ++j) {
        double previous = 0.0;
        const double y = static_cast<double>(j) * dy + the_target->vardpnd_min;
        *y_cell = y;
        for (long i = 0; i <= nx; ++i) {
            const double done = static_cast<double>(j) * (static_cast<double>(nx) + 1.0) + i;
            if (!progress.Continue(done, total)) return 0;
            const double x = static_cast<double>(i) * dx + the_target->var_min;
            *x_cell = x;
            double value = 0.0;
            if (!Evaluate(hdwnd, the_target, the_target->the_formtop, ufunc_list, &value)) {
                return 0;
            }
            if (Accepted(value, previous)) {
                calc_values.Append(ElmDblArray(x, y));
                ++*calcpnt_number;
            }
            previous = value;
        }
    }
    return Finish_Scan(hdwnd, *calcpnt_number);
}

int InplCalc_IndpdInfrm(DialogControls* hdwnd, AnyNumArray& calc_values, int* calcpnt_number,
                        MathForm* the_target, UsrFuncArray& ufunc_list) {
    return Line_Scan(hdwnd, calc_values, calcpnt_number, the_target, ufunc_list, the_target->var,
                     the_target->var_min, the_target->var_max, the_target->stepnumber_g, true);
}

int InplCalc_DpdInfrm(DialogControls* hdwnd, AnyNumArray& calc_values, int* calcpnt_number,
                      MathForm* the_target, UsrFuncArray& ufunc_list) {
    return Line_Scan(hdwnd, calc_values, calcpnt_number, the_target, ufunc_list,
                     the_target->vardpnd, the_target->vardpnd_min, the_target->vardpnd_max,
                     the_target->stepnumber_dpnd, false);
}

int ShowResult_Graph_Inpl(DialogControls* hdwnd, MathForm* the_target, const char* grp_name,
                          UsrFuncArray& ufunc_list) {
    AnyNumArray points;
    int count = 0;
    GrpDate2D grp(GrpDate2D::DefElmNumber, nullptr);
    const bool has_x = the_target->var[0] != '\0' && the_target->DoVariExist(the_target->var);
    const bool has_y =
        the_target->vardpnd[0] != '\0' && the_target->DoVariExist(the_target->vardpnd);
    int found = 0;
    if (has_x && has_y) {
        found = InplCalc_BothInfrm(hdwnd, points, &count, the_target, ufunc_list);
    } else if (has_x) {
        found = InplCalc_IndpdInfrm(hdwnd, points, &count, the_target, ufunc_list);
    } else if (has_y) {
        found = InplCalc_DpdInfrm(hdwnd, points, &count, the_target, ufunc_list);
    }
    if (found == 0) return 0;
    std::vector<double> x(static_cast<size_t>(count));
    std::vector<double> y(static_cast<size_t>(count));
    points.PutArrayCont(x.data(), y.data(), count);
    MakeOneGrpDateObj(&grp, x.data(), y.data(), count, grp_name);
    // Scan order is not curve order: markers only, no connecting line.
    const int markers_only = -1;
    ArrayCls<int> mrk_kind(1, &markers_only);
    return Hand_Over(grp, "陰関数グラフ", &mrk_kind);
}
