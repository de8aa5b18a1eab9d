// Sampling of the four formula kinds and their one-off evaluation. Drawing packs the points
// into a one-series data set and hands it to the graph document through the installed
// graph receiver; evaluating writes the value into the formula box of the input dialog.
#pragma once

#include <functional>

#include "data/array_cls.h"
#include "data/grp_date2d.h"
#include "formula/usr_func.h"
#include "kinds/math_form.h"
#include "platform/dialog.h"

// Controls of the formula input dialog the results go to.
constexpr int IDC_FORMULA_LIST = 2060;
constexpr int IDC_FORMULA_EDIT = 2070;

// What a sampler hands to the graph document.
struct GraphRequest {
    GrpDate2D* data = nullptr;
    int axisflag_array[2] = {1, 0};
    const char* ax_title[4] = {"関数の値", "変数の値", nullptr, nullptr};
    char date_title[80] = {};
    ArrayCls<int>* mrk_kind = nullptr;
    int x_divnum = 10;
    int y_divnum = 10;
};

// The graph document's entry for sampled data (AddNewGraphDate with the window's scroll
// offsets); installed by the program that owns the document. Returns what it returns.
using GraphReceiver = std::function<int(GraphRequest& request)>;
void Set_GraphReceiver(GraphReceiver receiver);

// Sampling tells the installed hook how far it is: 0 as it starts, 1 as it ends (whatever the
// outcome), and the fraction done every few hundred samples. A hook that answers false
// abandons the drawing: nothing is handed to the graph, and no message is shown. Without a
// hook sampling runs to its end.
using ProgressHook = std::function<bool(double done)>;
void Set_ProgressHook(ProgressHook hook);

// The most points an implicit curve collects (grid points, or the lines of a one-variable
// scan): beyond it sampling would run for minutes and fill the memory.
constexpr double MAX_IMPLICIT_POINTS = 100000000.0;

// Shown when memory runs out while a graph is sampled or composed; the drawing is abandoned.
inline constexpr char OUT_OF_MEMORY_MESSAGE[] = "メモリが足りないため描画を中止しました";

void MakeOneGrpDateObj(GrpDate2D* target_obj, const double* x_date, const double* y_date,
                       int element, const char* date_name);

int ShowResult_Graph_Expl(DialogControls* hdwnd, MathForm* the_target, const char* grp_name,
                          UsrFuncArray& ufunc_list);
int ShowResult_Calc_Expl(DialogControls* hdwnd, MathForm* the_target, UsrFuncArray& ufunc_list);

int ShowResult_Graph_Param(DialogControls* hdwnd, MathForm* the_target, const char* grp_name,
                           UsrFuncArray& ufunc_list);
int ShowResult_Calc_Param(DialogControls* hdwnd, MathForm* the_target, UsrFuncArray& ufunc_list);

int ShowResult_Graph_Polar(DialogControls* hdwnd, MathForm* the_target, const char* grp_name,
                           UsrFuncArray& ufunc_list);
int PolarCalc_argInfrm(DialogControls* hdwnd, double* x_value, double* y_value,
                       MathForm* the_target, int step_numb, UsrFuncArray& ufunc_list);
int PolarCalc_argNofrm(DialogControls* hdwnd, double* x_value, double* y_value,
                       MathForm* the_target, int step_numb, UsrFuncArray& ufunc_list);
int ShowResult_Calc_Polar(DialogControls* hdwnd, MathForm* the_target, UsrFuncArray& ufunc_list);

// One recorded point of an implicit curve.
class ElmDblArray {
public:
    ElmDblArray(double x, double y) : x_comp(x), y_comp(y) {}
    double x_comp;
    double y_comp;
    ElmDblArray* the_next = nullptr;
};

// The points of an implicit curve in the order they were found. Appending keeps a pointer
// to the last node, so collecting m points costs m steps.
class AnyNumArray {
public:
    AnyNumArray() = default;
    ~AnyNumArray() { AllDelete(); }
    AnyNumArray(const AnyNumArray&) = delete;
    AnyNumArray& operator=(const AnyNumArray&) = delete;

    void AllDelete();
    void Append(const ElmDblArray& the_source);
    // -1 for an empty list; 1 when all points fit, 0 when the arrays were too short.
    int PutArrayCont(double* x_array, double* y_array, int array_num) const;

    ElmDblArray* the_first = nullptr;
    int num_of_element = 0;

private:
    ElmDblArray* the_last_ = nullptr;
};

int InplCalc_BothInfrm(DialogControls* hdwnd, AnyNumArray& calc_values, int* calcpnt_number,
                       MathForm* the_target, UsrFuncArray& ufunc_list);
int InplCalc_IndpdInfrm(DialogControls* hdwnd, AnyNumArray& calc_values, int* calcpnt_number,
                        MathForm* the_target, UsrFuncArray& ufunc_list);
int InplCalc_DpdInfrm(DialogControls* hdwnd, AnyNumArray& calc_values, int* calcpnt_number,
                      MathForm* the_target, UsrFuncArray& ufunc_list);
int ShowResult_Graph_Inpl(DialogControls* hdwnd, MathForm* the_target, const char* grp_name,
                          UsrFuncArray& ufunc_list);
