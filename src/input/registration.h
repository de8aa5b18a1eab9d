// Registration of formulas from the input dialog and the display of a formula's variables:
// the list box of registered formulas (entry i is element i of g_mathlist), the variable
// list view and the two rows of name / minimum / maximum boxes.
#pragma once

#include <string>

#include "kinds/math_form.h"
#include "platform/dialog.h"

enum : int {
    IDC_VAR_LIST = 2000,
    IDC_VAR_NAME = 2010,
    IDC_VAR_MIN = 2020,
    IDC_VAR_MAX = 2030,
    IDC_DPND_NAME = 2031,
    IDC_DPND_MIN = 2032,
    IDC_DPND_MAX = 2033,
    IDC_LIST_BOX = 2060,
    IDC_FORMULA_BOX = 2070,
};

int NewRegist_ExplExpr(DialogControls* hdwnd, const char* formula_line, const char* operand_label,
                       double min_value, double max_value, int step_numb);
int NewRegist_ParamExpr(DialogControls* hdwnd, const char* list_line, const char* formula_line,
                        const char* formula_line_y, const char* operand_label, double min_value,
                        double max_value, int step_numb);
int NewRegist_PolarExpr(DialogControls* hdwnd, const char* list_line, const char* formula_line,
                        const char* operand_label, double min_value, double max_value,
                        int step_numb);
int NewRegist_InplExpr(DialogControls* hdwnd, const char* list_line, const char* formula_line,
                       const char* operand_label, double min_value, double max_value, int step_numb,
                       const char* dpnd_label, double min_dpnd, double max_dpnd, int step_num_dpnd);
int SetRegist_ExplExpr(DialogControls* hdwnd, int list_num, const char* operand_label,
                       double min_value, double max_value, int step_numb);
int SetRegist_PolarExpr(DialogControls* hdwnd, int list_num, const char* operand_label,
                        double min_value, double max_value, int step_numb);
int SetRegist_InplExpr(DialogControls* hdwnd, int list_num, const char* operand_label,
                       double min_value, double max_value, int step_numb, const char* dpnd_label,
                       double min_dpnd, double max_dpnd, int step_num_dpnd);

int ShowRgst_ExplExpr(DialogControls* hdwnd, int list_num);
void AddVariables_ToLView(DialogControls* hdwnd, int item_num);
void AddParam_ToEdit(DialogControls* hdwnd, const char* operand_label, double min_value,
                     double max_value, int vnm_editid, int min_editid, int max_editid);
void AddDpdVar_ToEdit(DialogControls* hdwnd, const char* dpnd_label, double min_value,
                      double max_value);
int Clear_Variables(DialogControls* hdwnd);
bool SetNewVal_ToAscArray(DialogControls* hdwnd, const char* num_char, int item_num);
int ChangeRgst_VarName(DialogControls* hdwnd, int sel_form);
int ChangeRgst_DpVName(DialogControls* hdwnd, int sel_form);

// What the program last wrote into a variable box; an edit is stored only when the box
// says something else (a bound shown with three digits must not replace the exact one).
void Forget_WrittenBoxes();
