// Helpers shared by the formula tests: analyse a formula side into an owned element
// array, render elements and trees as short texts, evaluate a tree. The literal reference
// evaluator the program's evaluator is compared with is in reference_evaluator.h.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "formula/analysis.h"
#include "formula/calc_bin_tree.h"
#include "formula/comp_form.h"
#include "formula/create_bin_tree.h"
#include "formula/usr_func.h"

namespace formula_test {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Formulas of every operation, function and summation shape, for the tests that hold two
// evaluators to the same bits.
inline const char* const kFormulaRows[] = {
    "x^2+1",
    "sin(x)*cos(x)+x/3",
    "sqrt(x^2+y^2)-1",
    "exp(-x^2)*sin(10*x)",
    "log(2,x)",
    "sigma[n(1,100),x^n/n]",
    "x^3-2*x^2+x-7",
    "x^2.0*y^2",
    "(x+y)^2/(x-y)",
    "tanh(x)*atan(y)-asin(x/10)",
    "log10(abs(x))+ln(y)",
    "cosh(x)-sinh(y)+tan(x*y)",
    "a*b/c-d",
    "-x^2^2",
    "sigma[n(1,5),sigma[m(1,3),x^m/(n+y)]]",
    "sigma[k(0,20),(-1)^k*x^(2*k+1)/(2*k+1)]",
    "sigma[n(1,4),y]*x",
    "2.5e+2*x-1.25E-3/y",
    "log(0.5,x)+log(10,2*x)-log(1,y)+log(0,x)",  // literal bases, folded once
    "log(x,2)*log(y,x)",
};

// The same double to the bit; any two NaNs count as the same.
inline bool Same_Bits(double a, double b) {
    if (std::isnan(a) && std::isnan(b)) return true;
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// One analysed formula side. The elements stay in place so that a tree built over them
// keeps valid pointers.
struct Analysed {
    explicit Analysed(const std::string& text, int limit = 300) : elements(300) {
        ok = Analysis_Formula(elements.data(), limit, text.c_str(), &error, EmptyArray);
        count = ok ? current_number + 1 : 0;
    }
    Analysed(const Analysed&) = delete;
    Analysed& operator=(const Analysed&) = delete;

    // "text:kind" of every element, separated by blanks.
    std::string Tokens() const {
        std::string out;
        for (int i = 0; i < count; ++i) {
            if (i > 0) out += ' ';
            out += elements[i].CompArray;
            out += ':' + std::to_string(elements[i].kind);
        }
        return out;
    }

    CompForm* Tree() {
        int index = 0;
        return Create_BinTree(&index, 0, nullptr, nullptr, elements.data(), count);
    }

    std::vector<CompForm> elements;
    ErrorInfo error;
    int ok = 0;
    int count = 0;
};

// Renders a tree as operator(left,right), function(arg,...), sigma(range,body) or a leaf.
inline std::string Render(const CompForm* node) {
    if (node == nullptr) return "null";
    switch (node->kind) {
        case KIND_OPERATOR:
        case KIND_MULTI_OPERATOR:
            return std::string(node->CompArray) + "(" + Render(node->left) + "," +
                   Render(node->right) + ")";
        case KIND_FUNCTION:
        case KIND_USER_FUNCTION: {
            std::string out = std::string(node->CompArray) + "(";
            CFList& slots = const_cast<CFList&>(node->list_fnarg);
            for (int i = 0; i < slots.PutElementNum(); ++i) {
                if (i > 0) out += ",";
                out += Render(slots[i]);
            }
            return out + ")";
        }
        default:
            if (node->left != nullptr || node->right != nullptr) return "leaf-with-children";
            return node->CompArray;
    }
}

// Analyses, builds and evaluates text with the given variable values. *flag receives the
// evaluation flag (1 valid).
inline double Evaluate(const std::string& text, const std::map<std::string, double>& values,
                       int* flag, bool* analysed = nullptr) {
    Analysed formula(text);
    if (analysed != nullptr) *analysed = formula.ok != 0;
    if (!formula.ok) {
        *flag = 0;
        return 0.0;
    }
    CompForm* root = formula.Tree();
    AscArray<double> table;
    Create_SymbolTable<double>(formula.elements.data(), formula.count, table);
    for (const auto& [name, value] : values) table[name.c_str()] = value;
    *flag = 1;
    return BinTreeFunc(root, flag, table, g_ufunc_list, EmptyArray);
}

// A formula analysed with an array of one element per character plus one per possible
// sign, its tree built and its variables bound.
struct ParsedFormula {
    std::unique_ptr<CompForm[]> elements;
    int count = 0;
    CompForm* root = nullptr;
    AscArray<double> variables;
    ErrorInfo error;
    bool ok = false;

    double Eval(int* flag) { return BinTreeFunc(root, flag, variables, g_ufunc_list, EmptyArray); }
};

// sigma[5(1,2),2] made by hand in elements[0 ... 5]: its range element does not read as
// name(min,max), which no formula text gives. elements[0] is the summation node.
inline void Make_UnreadableSigma(CompForm* elements) {
    const char* texts[] = {"sigma", "[", "5(1,2)", ",", "2", "]"};
    const int kinds[] = {KIND_MULTI_OPERATOR, KIND_OPEN_BRK, KIND_RANGE,
                         KIND_SEPARATOR,      KIND_NUMBER,   KIND_CLOSE_BRK};
    for (int i = 0; i < 6; ++i) {
        std::snprintf(elements[i].CompArray, sizeof elements[i].CompArray, "%s", texts[i]);
        elements[i].kind = kinds[i];
    }
    elements[0].operator_kind = OP_SIGMA;
    elements[0].left = &elements[2];
    elements[0].right = &elements[4];
}

// Analyses with an array of one element per character plus one per possible sign.
inline std::unique_ptr<ParsedFormula> Parse(const std::string& text) {
    auto parsed = std::make_unique<ParsedFormula>();
    int size = static_cast<int>(text.size()) * 2 + 2;
    parsed->elements.reset(new CompForm[size]);
    parsed->ok = Analysis_Formula(parsed->elements.get(), size, text.c_str(), &parsed->error,
                                  EmptyArray) == 1;
    if (!parsed->ok) return parsed;
    parsed->count = current_number + 1;
    int index = 0;
    parsed->root =
        Create_BinTree(&index, 0, nullptr, nullptr, parsed->elements.get(), parsed->count);
    Create_SymbolTable<double>(parsed->elements.get(), parsed->count, parsed->variables);
    return parsed;
}

}  // namespace formula_test
