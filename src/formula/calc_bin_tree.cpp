#include "formula/calc_bin_tree.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "formula/range_reader.h"
#include "formula/compiled_formula.h"
#include "formula/number_text.h"
#include "platform/numeric.h"

AscArray<double> EmptyArray;
OperationFunction OprFun[20] = {};

namespace {
bool regis_function = false;

// The operations themselves, shared by the table and the evaluator's direct dispatch so
// both give the same bits.
inline double Op_Htan(double a) { return 1.0 - 2.0 / (std::exp(2.0 * a) + 1.0); }
inline double Op_LogA(double base, double value) { return std::log(value) / std::log(base); }
}  // namespace

double Num_Plus_func(double* a) { return a[0] + a[1]; }
double Num_Minus_function(double* a) { return a[0] - a[1]; }
double Num_Multi_function(double* a) { return a[0] * a[1]; }
double Num_Divide_function(double* a) { return a[0] / a[1]; }
double Num_Power_function(double* a) { return std::pow(a[0], a[1]); }
double Num_Sin_function(double* a) { return std::sin(a[0]); }
double Num_Cos_function(double* a) { return std::cos(a[0]); }
double Num_Tan_function(double* a) { return std::tan(a[0]); }
double Num_Exp_function(double* a) { return std::exp(a[0]); }
double Num_Log_function(double* a) { return std::log10(a[0]); }
double Num_Ln_function(double* a) { return std::log(a[0]); }
double Num_Abs_function(double* a) { return std::fabs(a[0]); }
double Num_Asin_function(double* a) { return std::asin(a[0]); }
double Num_Acos_function(double* a) { return std::acos(a[0]); }
double Num_Atan_function(double* a) { return std::atan(a[0]); }
double Num_Hsin_function(double* a) { return std::sinh(a[0]); }
double Num_Hcos_function(double* a) { return std::cosh(a[0]); }
double Num_Htan_function(double* a) { return Op_Htan(a[0]); }
double Num_Sqrt_function(double* a) { return std::sqrt(a[0]); }
double Num_LogA_function(double* a) { return Op_LogA(a[0], a[1]); }

int Set_Operator_Function() {
    if (regis_function) return 0;
    OperationFunction table[20] = {
        Num_Plus_func,      Num_Minus_function, Num_Multi_function, Num_Divide_function,
        Num_Power_function, Num_Sin_function,   Num_Cos_function,   Num_Tan_function,
        Num_Exp_function,   Num_Log_function,   Num_Ln_function,    Num_Abs_function,
        Num_Asin_function,  Num_Acos_function,  Num_Atan_function,  Num_Hsin_function,
        Num_Hcos_function,  Num_Htan_function,  Num_Sqrt_function,  Num_LogA_function,
    };
    for (int i = 0; i < 20; ++i) OprFun[i] = table[i];
    regis_function = true;
    return 1;
}

int Get_VariableRange(const CompForm* the_right, char* var_name, int var_size, double* min_value,
                      double* max_value) {
    if (the_right == nullptr || the_right->kind != KIND_RANGE) return 0;
    int steps = 0;
    return Analysis_Variable(the_right->CompArray, var_name, var_size, min_value, max_value,
                             &steps) > 0
               ? 1
               : 0;
}

int SerchRight_Var(const CompForm* the_target, const char* var_name, char open_lett,
                   char close_lett) {
    int depth = 1;
    // The body starts after "[", the range element and ",".
    for (const CompForm* element = the_target + 4;; ++element) {
        if (element->kind == KIND_VARIABLE && std::strcmp(element->CompArray, var_name) == 0) {
            return 1;
        }
        if (element->CompArray[0] == open_lett) ++depth;
        if (element->CompArray[0] == close_lett) --depth;
        if (depth == 0) return 0;
    }
}

namespace {

// The evaluator proper. Flags are only ever cleared, so every operand can share the
// caller's flag; the summation table is only read, except by sigma, which works on its
// own copy. Results are those of the operation table, in the same order.
double Eval(const CompForm* node, int* flag, AscArray<double>& array, UsrFuncArray& ufunc_list,
            const AscArray<double>& sumv);

double Literal(const CompForm* node) {
    EvalCache& cache = node->eval_cache;
    if (!cache.number_ready) {
        C_To_Double(node->CompArray, &cache.number);
        cache.number_ready = true;
    }
    return cache.number;
}

bool Is_PowerOfTwo(const CompForm* node) {
    EvalCache& cache = node->eval_cache;
    if (!cache.power_checked) {
        const CompForm* exponent = node->right;
        cache.power_of_two =
            exponent != nullptr && exponent->kind == KIND_NUMBER && Literal(exponent) == 2.0;
        cache.power_checked = true;
    }
    return cache.power_of_two;
}

double Sigma_Eval(const CompForm* the_target, const CompForm* the_left, const CompForm* the_right,
                  AscArray<double>& array, int* left_error, int* right_error,
                  UsrFuncArray& ufunc_list, const AscArray<double>& sumv) {
    // The range text is read once and kept with its element.
    EvalCache& range = the_left != nullptr ? the_left->eval_cache : the_target->eval_cache;
    if (the_left == nullptr) {
        *left_error = 0;
        return 0.0;
    }
    if (range.range_state == 0) {
        char name[256];
        double min_value = 0.0;
        double max_value = 0.0;
        if (Get_VariableRange(the_left, name, sizeof name, &min_value, &max_value)) {
            range.range_state = 1;
            range.range_min = min_value;
            range.range_max = max_value;
            range.range_name = name;
        } else {
            range.range_state = -1;
        }
    }
    if (range.range_state < 0) {
        *left_error = 0;
        return 0.0;
    }
    // The bounds are converted like every number: a bound that is not a number or does not
    // fit in 32 bits is -2147483648 (so sigma[n(1,inf),x] is an empty sum).
    const int64_t first = Trunc_ToInt32(range.range_min);
    const int64_t last = Trunc_ToInt32(range.range_max);

    EvalCache& sigma = the_target->eval_cache;
    if (sigma.body_uses_var < 0) {
        sigma.body_uses_var =
            static_cast<int8_t>(SerchRight_Var(the_target, range.range_name.c_str(), '[', ']'));
    }
    if (last < first) return 0.0;  // an empty range sums to nothing
    if (!sigma.body_uses_var) {
        double body = Eval(the_right, right_error, array, ufunc_list, sumv);
        return static_cast<double>(last - first + 1) * body;
    }
    AscArray<double> terms(sumv);
    double& variable = terms[range.range_name.c_str()];
    double sum = 0.0;
    for (int64_t k = first; k <= last; ++k) {
        variable = static_cast<double>(k);
        sum += Eval(the_right, right_error, array, ufunc_list, terms);
    }
    return sum;
}

double User_Call(const CompForm* node, int* flag, AscArray<double>& array, UsrFuncArray& ufunc_list,
                 const AscArray<double>& sumv) {
    int count = node->argm_num;
    AscArray<double> arguments;
    char name[16];
    for (int i = 0; i < count; ++i) {
        const CompForm* slot =
            i < node->list_fnarg.element_num ? node->list_fnarg.CompList[i] : nullptr;
        double value = Eval(slot, flag, array, ufunc_list, sumv);
        std::snprintf(name, sizeof name, "a%d", i);
        arguments[name] = value;
    }
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "a%d", i);
        ufunc_argArray[name] = arguments[name];
    }
    return Eval(ufunc_list[node->CompArray], flag, ufunc_argArray, ufunc_list, sumv);
}

double Operation(const CompForm* node, int* flag, AscArray<double>& array, UsrFuncArray& ufunc_list,
                 const AscArray<double>& sumv) {
    int code = node->operator_kind;
    if (code >= OP_PLUS && code <= OP_POWER) {
        double a = Eval(node->left, flag, array, ufunc_list, sumv);
        // A square by the product where that is provably pow's own result.
        if (code == OP_POWER && Is_PowerOfTwo(node)) return Square_As_Pow(a);
        double b = Eval(node->right, flag, array, ufunc_list, sumv);
        switch (code) {
            case OP_PLUS: return a + b;
            case OP_MINUS: return a - b;
            case OP_MULTI: return a * b;
            case OP_DIVIDE: return a / b;
            default: return std::pow(a, b);
        }
    }
    if (code >= OP_SIN && code <= OP_LOGA) {
        const CFList& slots = node->list_fnarg;
        int count = node->argm_num;
        if (count < 1 || count > 2) {
            // Built-in functions take one or two arguments; anything else is malformed.
            *flag = 0;
            return 0.0;
        }
        double a0 = Eval(slots.element_num > 0 ? slots.CompList[0] : nullptr, flag, array,
                         ufunc_list, sumv);
        switch (code) {
            case OP_SIN: return std::sin(a0);
            case OP_COS: return std::cos(a0);
            case OP_TAN: return std::tan(a0);
            case OP_EXP: return std::exp(a0);
            case OP_LOG10: return std::log10(a0);
            case OP_LN: return std::log(a0);
            case OP_ABS: return std::fabs(a0);
            case OP_ASIN: return std::asin(a0);
            case OP_ACOS: return std::acos(a0);
            case OP_ATAN: return std::atan(a0);
            case OP_SINH: return std::sinh(a0);
            case OP_COSH: return std::cosh(a0);
            case OP_TANH: return Op_Htan(a0);
            case OP_SQRT: return std::sqrt(a0);
            default: {
                double a1 = Eval(slots.element_num > 1 ? slots.CompList[1] : nullptr, flag, array,
                                 ufunc_list, sumv);
                return Op_LogA(a0, a1);
            }
        }
    }
    if (code == OP_SIGMA) {
        return Sigma_Eval(node, node->left, node->right, array, flag, flag, ufunc_list, sumv);
    }
    // An operator or function element without an operation cannot be evaluated.
    *flag = 0;
    return 0.0;
}

double Eval(const CompForm* node, int* flag, AscArray<double>& array, UsrFuncArray& ufunc_list,
            const AscArray<double>& sumv) {
    if (node == nullptr) {
        *flag = 0;
        return 0.0;
    }
    switch (node->kind) {
        case KIND_VARIABLE:
            if (node->argm_num == -1) {
                const double* value = sumv.Find(node->CompArray);
                return value != nullptr ? *value : 0.0;
            }
            if (node->number_source == nullptr) {
                *flag = 0;
                return 0.0;
            }
            return *static_cast<const double*>(node->number_source);
        case KIND_NUMBER: return Literal(node);
        case KIND_OPERATOR:
        case KIND_FUNCTION:
        case KIND_MULTI_OPERATOR: return Operation(node, flag, array, ufunc_list, sumv);
        case KIND_USER_FUNCTION: return User_Call(node, flag, array, ufunc_list, sumv);
        default: *flag = 0; return 0.0;
    }
}

}  // namespace

namespace {
// A tree evaluated from its root more than once runs as a flat program when it can.
double Eval_Root(const CompForm* root, int* flag, AscArray<double>& array, UsrFuncArray& ufunc_list,
                 const AscArray<double>& sumv) {
    if (root != nullptr && root->kind != KIND_VARIABLE && root->kind != KIND_NUMBER) {
        CompiledSlot& slot = root->eval_cache.compiled;
        if (slot.state == 0) {
            slot.program = Compile_Formula(root);
            slot.state = slot.program != nullptr ? 1 : -1;
        }
        if (slot.state > 0) return Run_Formula(*slot.program);
    }
    return Eval(root, flag, array, ufunc_list, sumv);
}
}  // namespace

double CalcValue(CompForm* target, int* error_num, AscArray<double>& array,
                 UsrFuncArray& ufunc_list, const AscArray<double>& sumv_list) {
    return Eval_Root(target, error_num, array, ufunc_list, sumv_list);
}

double BinTreeFunc(CompForm* the_target, int* error_num, AscArray<double>& array,
                   UsrFuncArray& ufunc_list, const AscArray<double>& sumv_list) {
    return Eval_Root(the_target, error_num, array, ufunc_list, sumv_list);
}

double SigmaCalc(CompForm* the_target, CompForm* the_left, CompForm* the_right,
                 AscArray<double>& array, int* left_error, int* right_error,
                 UsrFuncArray& ufunc_list, const AscArray<double>& sumv_list) {
    return Sigma_Eval(the_target, the_left, the_right, array, left_error, right_error, ufunc_list,
                      sumv_list);
}
