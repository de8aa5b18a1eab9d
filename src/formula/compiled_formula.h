// A formula tree flattened into a postfix program for the evaluator's inner loop. Only
// trees of operators, built-in functions, numbers, bound variables and (for block programs)
// summations are compiled; the program performs the same operations in the same order as the
// tree walk, so results are identical to the bit.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "formula/comp_form.h"

// The instructions. A suffix _C reads its right operand from a literal, _V from a cell.
namespace compiled_op {
enum Op : uint8_t {
    PUSH_CONST,
    PUSH_VAR,
    PUSH_VAR_SQUARE,
    SQUARE,
    ADD,
    SUB,
    MUL,
    DIV,
    POW,
    ADD_C,
    SUB_C,
    MUL_C,
    DIV_C,
    POW_C,
    ADD_V,
    SUB_V,
    MUL_V,
    DIV_V,
    POW_V,
    F_SIN,
    F_COS,
    F_TAN,
    F_EXP,
    F_LOG10,
    F_LN,
    F_ABS,
    F_ASIN,
    F_ACOS,
    F_ATAN,
    F_SINH,
    F_COSH,
    F_TANH,
    F_SQRT,
    F_LOGA,
    F_LOGA_C,  // log with a literal base: its logarithm computed once
    // Block programs only:
    PUSH_LOCAL,  // the current value of summation variable `index`
    SIGMA,       // summation `index` of CompiledFormula::loops; its body follows
};
}  // namespace compiled_op

struct CompiledFormula {
    struct Instruction {
        uint8_t op;
        int32_t index;       // a summation or its variable
        double value;        // a literal operand
        const double* cell;  // a variable operand
    };
    // A summation sigma[n(first,last),body]: its body is the body_length instructions after
    // its SIGMA, leaving one value above the running sum.
    struct Loop {
        int64_t first;
        int64_t last;
        bool body_uses_variable;  // false: the body is evaluated once and multiplied
        int local;                // the summation variable's slot
        int body_length;
    };
    std::vector<Instruction> code;
    std::vector<Loop> loops;
    int stack_size = 0;
    int locals = 0;  // summation variables
};

// Null when the tree holds anything the program cannot express (summation, user functions,
// unbound variables, malformed nodes): the tree walk then evaluates it.
CompiledFormula* Compile_Formula(const CompForm* root);
double Run_Formula(const CompiledFormula& program);

// The same for a program run over blocks of values, which may also hold summations whose
// range text reads and whose bodies compile; null when the tree walk must evaluate it.
std::unique_ptr<CompiledFormula> Compile_BlockProgram(const CompForm* root);

// pow(v, 2) by a product where the product is provably the same double. v * v is rounded
// correctly; libm's pow is within 0.52 of a unit in the last place (glibc's bound in
// round-to-nearest), so where the true square lies within 0.02 units of a tie pow may round
// the other way (94906297^2 lies exactly halfway between two doubles). The exact rounding
// error of the product tells how far the true square is from it: closer than 0.45 of the
// smaller neighbouring gap, no result within 0.55 units of the true square is another
// double. Near ties, non-finite values and magnitudes where the error term could overflow
// or lose bits go to pow itself. (std::fma is exact wherever it runs: an instruction where
// the processor has one, libm's exact software otherwise.)
inline double Square_As_Pow(double v) {
    const double magnitude = std::fabs(v);
    const double product = v * v;
    if (magnitude >= 0x1p-400 && magnitude <= 0x1p+500) {
        // The exact rounding error of the product: fma rounds v * v - product once, and
        // that difference is a double here (no overflow, no underflow in this range).
        const double error = std::fma(v, v, -product);
        // The gap between product and its lower neighbour (half the upper one at a power
        // of two): the exponent of product with 52 fewer bits, halved for a bare power.
        uint64_t bits = 0;
        std::memcpy(&bits, &product, sizeof bits);
        const uint64_t exponent = (bits >> 52) & 0x7ff;
        const uint64_t gap_bits = (exponent - 52) << 52;
        double gap = 0.0;
        std::memcpy(&gap, &gap_bits, sizeof gap);
        if ((bits & ((uint64_t{1} << 52) - 1)) == 0) gap *= 0.5;
        if (std::fabs(error) < 0.45 * gap) return product;
    }
    // A volatile exponent keeps the compiler from turning pow(v, 2.0) back into v * v.
    volatile double two = 2.0;
    return std::pow(v, two);
}
