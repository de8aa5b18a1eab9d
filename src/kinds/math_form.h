// The registry of formulas the user has registered, in registration order, and the
// per-kind functions that split a typed formula text and register a new formula.
#pragma once

#include "formula/asc_array.h"
#include "formula/comp_form.h"
#include "platform/win_types.h"

// Formula kinds.
enum : int {
    EXPR_NONE = 0,
    EXPR_EXPLICIT = 1,
    EXPR_IMPLICIT = 2,
    EXPR_POLAR = 3,
    EXPR_PARAMETRIC = 4,
};

constexpr int VAR_NAME_SIZE = 80;
constexpr LONG DEFAULT_DIVISIONS = 100;

class MathForm {
public:
    MathForm() = default;
    ~MathForm();
    MathForm(const MathForm&) = delete;
    MathForm& operator=(const MathForm&) = delete;

    int SetVar(const char* source);
    int SetVarDpnd(const char* source);
    void SetVarRange(double min_val, double max_val);
    void SetVarDpndRange(double min_val, double max_val);
    int DoVariExist(const char* operand_label) const;
    // Take ownership of analysed element arrays (from Analysis_InputFormula), build their
    // trees and bind their variables.
    int AddCompForm(CompForm* the_target, int num_of_target);
    int AddCompFormPara(CompForm* the_target, int num_of_target, CompForm* the_targetY,
                        int num_of_targetY);

    int expr_kind = EXPR_NONE;
    CompForm* the_form = nullptr;
    CompForm* the_formtop = nullptr;
    CompForm* the_form_y = nullptr;
    CompForm* the_form_ytop = nullptr;
    AscArray<double> var_array;
    int elem_num = 0;
    int elem_num_y = 0;
    char var[VAR_NAME_SIZE] = {};
    double var_min = 0.0;
    double var_max = 0.0;
    LONG stepnumber_g = DEFAULT_DIVISIONS;
    char vardpnd[VAR_NAME_SIZE] = {};
    double vardpnd_min = 0.0;
    double vardpnd_max = 0.0;
    LONG stepnumber_dpnd = DEFAULT_DIVISIONS;
    MathForm* the_next = nullptr;
};

class MathFormList {
public:
    MathFormList();
    ~MathFormList();
    MathFormList(const MathFormList&) = delete;
    MathFormList& operator=(const MathFormList&) = delete;

    void Clear();
    // Links a heap object at the end and takes ownership of it.
    void Append(MathForm& mfm_obj);
    void Remove(int the_number);
    // A bad index shows "指定オブジェクトの番号が範囲外です" and gives the default object.
    MathForm* Array(int the_number) const;
    MathForm* operator[](int index) const { return Array(index); }
    int PutElementNum() const { return num_of_element; }

    MathForm* the_first = nullptr;
    MathForm* the_last = nullptr;
    int num_of_element = 0;
    MathForm* dummy_obj = nullptr;
};

extern MathFormList g_mathlist;
// Index of the formula the dialog treats as current; -1 for none.
extern int g_selLB_item;

// Split a typed formula text and read its ranges. 1 on success, 0 when the split failed
// (its message has been shown). Buffers are 256 characters; the caller presets every
// division count to 100.
int Get_FormulaInfo(const char* edit_letter, char* formula_line, char* operand_label,
                    double* min_value, double* max_value, int* step_numb);
int Get_FormulaInfo_Para(const char* edit_letter, char* formula_line_x, char* formula_line_y,
                         char* operand_label, double* min_value, double* max_value, int* step_numb);
int Get_FormulaInfo_Polar(const char* edit_letter, char* formula_line, char* operand_label,
                          double* min_value, double* max_value, int* step_numb);
int Get_FormulaInfo_Inpl(const char* edit_letter, char* formula_line, char* operand_label,
                         double* min_value, double* max_value, int* step_numb, char* dpnd_label,
                         double* min_dpnd, double* max_dpnd, int* step_num_dpnd);

// Register a new formula at the end of g_mathlist. 1 when one was appended. A variable
// that does not occur in the formula is dropped, in the element and in the caller's
// arguments (polar formulas keep their angle: r = 2 is a circle).
int FnReg_Explicit(const char* formula_line, char* operand_label, double* min_value,
                   double* max_value, int* step_numb);
int FnReg_Param(const char* formula_line_x, const char* formula_line_y, char* operand_label,
                double* min_value, double* max_value, int* step_numb);
int FnReg_Polar(const char* formula_line, char* operand_label, double* min_value, double* max_value,
                int* step_numb);
int FnReg_Inplicit(const char* formula_line, char* operand_label, double* min_value,
                   double* max_value, int* step_numb, char* dpnd_label, double* min_dpnd,
                   double* max_dpnd, int* step_num_dpnd);
