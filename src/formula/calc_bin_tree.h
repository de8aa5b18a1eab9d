// Evaluation of expression trees against a symbol table, the operation table, the binding
// of variables to their cells, and the summation operator.
#pragma once

#include "formula/asc_array.h"
#include "formula/comp_form.h"
#include "formula/usr_func.h"

using OperationFunction = double (*)(double*);

// Indexed by operator_kind 0 ... 19; filled once by Set_Operator_Function.
extern OperationFunction OprFun[20];
int Set_Operator_Function();

double Num_Plus_func(double* a);
double Num_Minus_function(double* a);
double Num_Multi_function(double* a);
double Num_Divide_function(double* a);
double Num_Power_function(double* a);
double Num_Sin_function(double* a);
double Num_Cos_function(double* a);
double Num_Tan_function(double* a);
double Num_Exp_function(double* a);
double Num_Log_function(double* a);
double Num_Ln_function(double* a);
double Num_Abs_function(double* a);
double Num_Asin_function(double* a);
double Num_Acos_function(double* a);
double Num_Atan_function(double* a);
double Num_Hsin_function(double* a);
double Num_Hcos_function(double* a);
double Num_Htan_function(double* a);
double Num_Sqrt_function(double* a);
double Num_LogA_function(double* a);

// The table every analysis and evaluation starts from as its summation table: always empty.
extern AscArray<double> EmptyArray;

// Value of any node. error_num is set to 1 by the caller and cleared here when the value
// is not valid (an unevaluable node or an unreadable summation range); floating-point
// faults are not errors and give infinities or NaN.
double CalcValue(CompForm* target, int* error_num, AscArray<double>& array,
                 UsrFuncArray& ufunc_list, const AscArray<double>& sumv_list);
double BinTreeFunc(CompForm* the_target, int* error_num, AscArray<double>& array,
                   UsrFuncArray& ufunc_list, const AscArray<double>& sumv_list);
double SigmaCalc(CompForm* the_target, CompForm* the_left, CompForm* the_right,
                 AscArray<double>& array, int* left_error, int* right_error,
                 UsrFuncArray& ufunc_list, const AscArray<double>& sumv_list);

// 1 when the element is a summation range whose text reads as name(min,max).
int Get_VariableRange(const CompForm* the_right, char* var_name, int var_size, double* min_value,
                      double* max_value);
// Whether the body of the sigma element the_target uses var_name (scans the elements
// after it in the same array).
int SerchRight_Var(const CompForm* the_target, const char* var_name, char open_lett,
                   char close_lett);

// Binds every ordinary variable element to its cell in var_array (created with 0.0).
template <class T>
void Create_SymbolTable(CompForm* the_formlist, int elem_number, AscArray<T>& var_array) {
    for (int i = 0; i < elem_number; ++i) {
        CompForm& element = the_formlist[i];
        element.eval_cache.compiled.Reset();  // a compiled program holds the old cells
        if (element.kind != KIND_VARIABLE || element.argm_num == -1) continue;
        T& cell = var_array[element.CompArray];
        cell = T();
        element.number_source = &cell;
    }
}
