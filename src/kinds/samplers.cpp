// The samplers of the four formula kinds and their one-off evaluation (see the header).
#include "kinds/samplers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "formula/block_formula.h"
#include "formula/calc_bin_tree.h"
#include "formula/number_text.h"
#include "kinds/parallel_sampling.h"
#include "platform/large_array.h"
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

bool point_by_point = false;

// Whether the formula is sampled in blocks (on the sampling threads).
bool In_Blocks(const BlockFormula& formula) { return !point_by_point && formula.Ready(); }

// Points per chunk of the threaded samplers: big enough that a chunk's bookkeeping is nothing
// beside its evaluation, small enough that every core gets many.
constexpr long kChunkPoints = 8192;

// Sweep's n + 1 values of the variable, each computed as Sweep computes it.
double Sweep_Value(long i, long divisions, double min_value, double max_value, double step) {
    return i == divisions ? max_value : static_cast<double>(i) * step + min_value;
}

// Sweep for formulas that run as blocks: fill(begin, end, values) computes the points
// [begin, end) from their variable values, on any sampling thread. The range message, the
// progress and 中止 are Sweep's, and `cell` (when given) is left with the value Sweep leaves
// in it: the last point's, or after 中止 the last point sampled before it.
template <class Fill>
bool Sweep_Blocks(DialogControls* hdwnd, double min_value, double max_value, long divisions,
                  double* cell, Fill fill) {
    if (!Range_Ok(min_value, max_value, divisions)) {
        Show(hdwnd, kRangeMessage, "invalid value");
        return false;
    }
    const double step = (max_value - min_value) / static_cast<double>(divisions);
    SamplingProgress progress;
    const long points = divisions + 1;
    const auto chunks = static_cast<size_t>((points + kChunkPoints - 1) / kChunkPoints);
    auto first = [](size_t c) { return static_cast<long>(c) * kChunkPoints; };
    long refused_at = -1;
    const bool done = Run_Chunks(
        chunks, Sampling_Threads(),
        [&](size_t c) {
            const long begin = first(c);
            const long end = std::min(points, begin + kChunkPoints);
            std::vector<double> values(static_cast<size_t>(end - begin));
            for (long i = begin; i < end; ++i) {
                values[static_cast<size_t>(i - begin)] =
                    Sweep_Value(i, divisions, min_value, max_value, step);
            }
            fill(begin, end, values.data());
        },
        [&](size_t c) {
            // Sweep asks before every point but the last.
            const long begin = first(c);
            const long end = std::min(divisions, begin + kChunkPoints);
            long refused = 0;
            if (begin >= end ||
                progress.ContinueRun(
                    end - begin, static_cast<double>(divisions),
                    [begin](long m) { return static_cast<double>(begin + m); }, &refused)) {
                return true;
            }
            refused_at = begin + refused;
            return false;
        });
    if (cell != nullptr) {
        const long last = done ? divisions : refused_at - 1;
        if (last >= 0) *cell = Sweep_Value(last, divisions, min_value, max_value, step);
    }
    return done;
}

// The n + 1 sample slots of a one-variable curve, after the range was checked (a refused
// range shows its message and gives false).
bool Prepare_Samples(DialogControls* hdwnd, const MathForm* form, LargeVector<double>* x,
                     LargeVector<double>* y) {
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
int Draw_Samples(const LargeVector<double>& x, const LargeVector<double>& y, const char* grp_name,
                 const char* graph_title) {
    GrpDate2D grp(GrpDate2D::DefElmNumber, nullptr);
    MakeOneGrpDateObj(&grp, x.data(), y.data(), static_cast<int>(x.size()), grp_name);
    return Hand_Over(grp, graph_title, nullptr);
}

}  // namespace

void Set_PointByPointSampling(bool on) { point_by_point = on; }

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
    LargeVector<double> x;
    LargeVector<double> y;
    if (!Prepare_Samples(hdwnd, the_target, &x, &y)) return 0;
    double* variable = Cell(the_target, the_target->var);
    BlockFormula formula(the_target->the_formtop, {variable});
    if (In_Blocks(formula)) {
        const bool ok = Sweep_Blocks(
            hdwnd, the_target->var_min, the_target->var_max, the_target->stepnumber_g, variable,
            [&](long begin, long end, const double* values) {
                const auto at = static_cast<size_t>(begin);
                std::copy(values, values + (end - begin), x.begin() + static_cast<ptrdiff_t>(at));
                const BlockFormula::Input input{values, true};
                formula.Run(&input, y.data() + at, static_cast<size_t>(end - begin));
            });
        return ok ? Draw_Samples(x, y, grp_name, "関数グラフ") : 0;
    }
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
    LargeVector<double> x;
    LargeVector<double> y;
    if (!Prepare_Samples(hdwnd, the_target, &x, &y)) return 0;
    const long n = the_target->stepnumber_g;
    double* parameter = Cell(the_target, the_target->var);
    BlockFormula x_formula(the_target->the_formtop, {parameter});
    BlockFormula y_formula(the_target->the_form_ytop, {parameter});
    if (In_Blocks(x_formula) && In_Blocks(y_formula)) {
        const bool ok = Sweep_Blocks(hdwnd, the_target->var_min, the_target->var_max, n, parameter,
                                     [&](long begin, long end, const double* values) {
                                         const auto at = static_cast<size_t>(begin);
                                         const auto count = static_cast<size_t>(end - begin);
                                         const BlockFormula::Input input{values, true};
                                         x_formula.Run(&input, x.data() + at, count);
                                         y_formula.Run(&input, y.data() + at, count);
                                     });
        return ok ? Draw_Samples(x, y, grp_name, "関数グラフ") : 0;
    }
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
    BlockFormula formula(the_target->the_formtop, {angle});
    if (In_Blocks(formula)) {
        return Sweep_Blocks(
                   hdwnd, the_target->var_min, the_target->var_max, step_numb, angle,
                   [&](long begin, long end, const double* thetas) {
                       const auto count = static_cast<size_t>(end - begin);
                       std::vector<double> r(count);
                       const BlockFormula::Input input{thetas, true};
                       formula.Run(&input, r.data(), count);
                       for (size_t k = 0; k < count; ++k) {
                           x_value[static_cast<size_t>(begin) + k] = std::cos(thetas[k]) * r[k];
                           y_value[static_cast<size_t>(begin) + k] = std::sin(thetas[k]) * r[k];
                       }
                   })
                   ? 1
                   : 0;
    }
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
    return Sweep_Blocks(hdwnd, the_target->var_min, the_target->var_max, step_numb, nullptr,
                        [&](long begin, long end, const double* thetas) {
                            for (long i = begin; i < end; ++i) {
                                const double theta = thetas[i - begin];
                                x_value[i] = std::cos(theta) * r;
                                y_value[i] = std::sin(theta) * r;
                            }
                        })
               ? 1
               : 0;
}

int ShowResult_Graph_Polar(DialogControls* hdwnd, MathForm* the_target, const char* grp_name,
                           UsrFuncArray& ufunc_list) {
    LargeVector<double> x;
    LargeVector<double> y;
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

// The grid of InplCalc_BothInfrm for a formula that runs as blocks: rows in chunks on the
// sampling threads, each row one block with its y fixed; the points found are stored, and
// progress asked, row after row in order on this thread.
int Grid_Blocks(DialogControls* hdwnd, AnyNumArray& calc_values, int* calcpnt_number,
                const BlockFormula& formula, SamplingProgress& progress, long nx, long ny,
                double x_min, double dx, double y_min, double dy, double* x_cell, double* y_cell) {
    const double total = (static_cast<double>(nx) + 1.0) * (static_cast<double>(ny) + 1.0);
    const auto row_points = static_cast<size_t>(nx) + 1;
    std::vector<double> xs(row_points);
    for (long i = 0; i <= nx; ++i) xs[static_cast<size_t>(i)] = static_cast<double>(i) * dx + x_min;
    const long rows_per_chunk = std::max(1L, kChunkPoints / (nx + 1));
    const auto chunks = static_cast<size_t>((ny + rows_per_chunk) / rows_per_chunk);
    // Per chunk: the found points' x and y, and where each of its rows' points end.
    struct Found {
        std::vector<double> points;
        std::vector<size_t> row_ends;
    };
    std::vector<Found> found(chunks);
    auto rows = [&](size_t c) {
        const long first = static_cast<long>(c) * rows_per_chunk;
        return std::make_pair(first, std::min(ny + 1, first + rows_per_chunk));
    };
    const bool ok = Run_Chunks(
        chunks, Sampling_Threads(),
        [&](size_t c) {
            std::vector<double> values(row_points);
            Found& out = found[c];
            const auto [first, end] = rows(c);
            for (long j = first; j < end; ++j) {
                const double y = static_cast<double>(j) * dy + y_min;
                const BlockFormula::Input inputs[] = {{xs.data(), true}, {&y, false}};
                formula.Run(inputs, values.data(), row_points);
                double previous = 0.0;
                for (size_t i = 0; i < row_points; ++i) {
                    if (Accepted(values[i], previous)) {
                        out.points.push_back(xs[i]);
                        out.points.push_back(y);
                    }
                    previous = values[i];
                }
                out.row_ends.push_back(out.points.size());
            }
        },
        [&](size_t c) {
            Found& out = found[c];
            const auto [first, end] = rows(c);
            size_t at = 0;
            for (long j = first; j < end; ++j) {
                const double row_start = static_cast<double>(j) * (static_cast<double>(nx) + 1.0);
                long refused = 0;
                if (!progress.ContinueRun(
                        nx + 1, total, [row_start](long i) { return row_start + i; }, &refused)) {
                    // The cells as the point-by-point scan leaves them: the row's y, the x of the
                    // last point evaluated.
                    *y_cell = static_cast<double>(j) * dy + y_min;
                    if (refused > 0) {
                        *x_cell = xs[static_cast<size_t>(refused - 1)];
                    } else if (j > 0) {
                        *x_cell = xs.back();
                    }
                    return false;
                }
                const size_t row_end = out.row_ends[static_cast<size_t>(j - first)];
                for (; at < row_end; at += 2) {
                    calc_values.Append(ElmDblArray(out.points[at], out.points[at + 1]));
                    ++*calcpnt_number;
                }
            }
            std::vector<double>().swap(out.points);  // stored now: free the chunk's copy
            return true;
        });
    if (!ok) return 0;
    *x_cell = xs.back();
    *y_cell = static_cast<double>(ny) * dy + y_min;
    return Finish_Scan(hdwnd, *calcpnt_number);
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
    BlockFormula formula(the_target->the_formtop, {cell});
    if (In_Blocks(formula)) {
        // The values in chunks on the sampling threads; the roots in order as they are reported.
        const long points = n + 1;
        const auto chunks = static_cast<size_t>((points + kChunkPoints - 1) / kChunkPoints);
        std::vector<double> ats(static_cast<size_t>(points));
        std::vector<double> values(static_cast<size_t>(points));
        const bool ok = Run_Chunks(
            chunks, Sampling_Threads(),
            [&](size_t c) {
                const long begin = static_cast<long>(c) * kChunkPoints;
                const long end = std::min(points, begin + kChunkPoints);
                for (long i = begin; i < end; ++i) {
                    ats[static_cast<size_t>(i)] = static_cast<double>(i) * step + min_value;
                }
                const BlockFormula::Input input{ats.data() + begin, true};
                formula.Run(&input, values.data() + begin, static_cast<size_t>(end - begin));
            },
            [&](size_t c) {
                const long begin = static_cast<long>(c) * kChunkPoints;
                const long end = std::min(points, begin + kChunkPoints);
                long refused = 0;
                if (!progress.ContinueRun(
                        end - begin, static_cast<double>(n),
                        [begin](long m) { return static_cast<double>(begin + m); }, &refused)) {
                    // The cell as the point-by-point scan leaves it: the last value evaluated.
                    if (begin + refused > 0) *cell = ats[static_cast<size_t>(begin + refused - 1)];
                    return false;
                }
                for (long i = begin; i < end; ++i) {
                    const double value = values[static_cast<size_t>(i)];
                    if (Accepted(value, previous)) roots.push_back(ats[static_cast<size_t>(i)]);
                    previous = value;
                }
                return true;
            });
        if (!ok) return 0;
        *cell = ats.back();
    } else {
        for (long i = 0; i <= n; ++i) {
            if (!progress.Continue(static_cast<double>(i), static_cast<double>(n))) return 0;
            const double at = static_cast<double>(i) * step + min_value;
            *cell = at;
            double value = 0.0;
            if (!Evaluate(hdwnd, the_target, the_target->the_formtop, ufunc_list, &value)) {
                return 0;
            }
            if (Accepted(value, previous)) roots.push_back(at);
            previous = value;
        }
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
    BlockFormula formula(the_target->the_formtop, {x_cell, y_cell});
    if (In_Blocks(formula)) {
        return Grid_Blocks(hdwnd, calc_values, calcpnt_number, formula, progress, nx, ny,
                           the_target->var_min, dx, the_target->vardpnd_min, dy, x_cell, y_cell);
    }
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
    LargeVector<double> x(static_cast<size_t>(count));
    LargeVector<double> y(static_cast<size_t>(count));
    points.PutArrayCont(x.data(), y.data(), count);
    MakeOneGrpDateObj(&grp, x.data(), y.data(), count, grp_name);
    // Scan order is not curve order: markers only, no connecting line.
    const int markers_only = -1;
    ArrayCls<int> mrk_kind(1, &markers_only);
    return Hand_Over(grp, "陰関数グラフ", &mrk_kind);
}
