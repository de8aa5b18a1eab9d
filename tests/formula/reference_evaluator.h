// The literal reference evaluator of the formula tests: it follows the language's rules
// as written (copies of the summation table, the operation table, literals converted from
// text at every visit), and the program's evaluator is compared with it bit for bit.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "formula/number_text.h"
#include "formula_support.h"

namespace reference {

double CalcValue(CompForm* target, int* error_num, AscArray<double>& array,
                 AscArray<double> sumv_list);

inline int BodyUsesVar(CompForm* the_target, const char* name) {
    int depth = 1;
    for (CompForm* element = the_target + 4;; ++element) {
        if (std::strcmp(element->CompArray, name) == 0 && element->kind == KIND_VARIABLE) return 1;
        if (element->CompArray[0] == '[') ++depth;
        if (element->CompArray[0] == ']') --depth;
        if (depth == 0) return 0;
    }
}

inline int32_t Truncate(double value) {
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(value);
}

inline double Sigma(CompForm* the_target, CompForm* the_left, CompForm* the_right,
                    AscArray<double>& array, int* left_error, int* right_error,
                    AscArray<double> sumv_list) {
    char name[256];
    double min_value = 0.0;
    double max_value = 0.0;
    if (!Get_VariableRange(the_left, name, 256, &min_value, &max_value) || std::isnan(min_value) ||
        std::isnan(max_value)) {
        *left_error = 0;
        return 0.0;
    }
    int64_t k0 = Truncate(min_value);
    int64_t k1 = Truncate(max_value);
    if (k1 < k0) return 0.0;
    if (!BodyUsesVar(the_target, name)) {
        double value = CalcValue(the_right, right_error, array, sumv_list);
        return static_cast<double>(k1 - k0 + 1) * value;
    }
    double sum = 0.0;
    int body_error = 1;
    for (int64_t k = k0; k <= k1; ++k) {
        sumv_list[name] = static_cast<double>(k);
        AscArray<double> copy(sumv_list);
        sum += CalcValue(the_right, &body_error, array, copy);
        *right_error *= body_error;
    }
    return sum;
}

inline double BinTreeFunc(CompForm* node, int* error_num, AscArray<double>& array,
                          AscArray<double> sumv_list) {
    double result = 0.0;
    int left_error = 1;
    int right_error = 1;
    int arg_error = 1;
    int code = node->operator_kind;
    if (code == -1) return CalcValue(node, error_num, array, sumv_list);
    if (code <= OP_POWER) {
        double* operands = new double[2];
        operands[0] = CalcValue(node->left, &left_error, array, sumv_list);
        operands[1] = CalcValue(node->right, &right_error, array, sumv_list);
        result = OprFun[code](operands);
        delete[] operands;
    } else if (code <= OP_LOGA) {
        double* operands = new double[node->argm_num];
        for (int i = 0; i < node->argm_num; ++i) {
            operands[i] = CalcValue(node->list_fnarg[i], &arg_error, array, sumv_list);
            left_error *= arg_error;
        }
        result = OprFun[code](operands);
        delete[] operands;
    } else {
        result = Sigma(node, node->left, node->right, array, &left_error, &right_error, sumv_list);
    }
    if (left_error == 0 || right_error == 0) *error_num = 0;
    return result;
}

inline double CalcValue(CompForm* target, int* error_num, AscArray<double>& array,
                        AscArray<double> sumv_list) {
    if (target == nullptr) {
        *error_num = 0;
        return 0.0;
    }
    switch (target->kind) {
        case KIND_VARIABLE:
            if (target->argm_num == -1) return sumv_list[target->CompArray];
            return *static_cast<double*>(target->number_source);
        case KIND_NUMBER: {
            double value = 0.0;
            C_To_Double(target->CompArray, &value);
            return value;
        }
        case KIND_OPERATOR:
        case KIND_FUNCTION:
        case KIND_MULTI_OPERATOR: return BinTreeFunc(target, error_num, array, sumv_list);
        default: *error_num = 0; return 0.0;
    }
}

}  // namespace reference
