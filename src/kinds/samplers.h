// Sampling of the four formula kinds and their one-off evaluation. Drawing packs the points
// into a one-series data set and hands it to the graph document through the installed
// graph receiver; evaluating writes the value into the formula box of the input dialog.
#pragma once

#include "data/array_cls.h"
#include "data/grp_date2d.h"
#include "formula/usr_func.h"
#include "kinds/math_form.h"
#include "platform/dialog.h"
#include "kinds/graph_handover.h"
#include "kinds/implicit_points.h"
#include "kinds/result_controls.h"

// The most points an implicit curve collects (grid points, or the lines of a one-variable
// scan): beyond it sampling would run for minutes and fill the memory.
constexpr double MAX_IMPLICIT_POINTS = 100000000.0;

// Shown when memory runs out while a graph is sampled or composed; the drawing is abandoned.
inline constexpr char OUT_OF_MEMORY_MESSAGE[] = "メモリが足りないため描画を中止しました";

// The tests' reference: every formula sampled point by point on the calling thread, the way a
// formula the block evaluator cannot run is sampled (false, the default: blocks where they can).
void Set_PointByPointSampling(bool on);

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

int InplCalc_BothInfrm(DialogControls* hdwnd, AnyNumArray& calc_values, int* calcpnt_number,
                       MathForm* the_target, UsrFuncArray& ufunc_list);
int InplCalc_IndpdInfrm(DialogControls* hdwnd, AnyNumArray& calc_values, int* calcpnt_number,
                        MathForm* the_target, UsrFuncArray& ufunc_list);
int InplCalc_DpdInfrm(DialogControls* hdwnd, AnyNumArray& calc_values, int* calcpnt_number,
                      MathForm* the_target, UsrFuncArray& ufunc_list);
int ShowResult_Graph_Inpl(DialogControls* hdwnd, MathForm* the_target, const char* grp_name,
                          UsrFuncArray& ufunc_list);
