// A formula tree flattened into a postfix program for the evaluator's inner loop. Only
// trees of operators, built-in functions, numbers and bound variables are compiled; the
// program performs the same operations in the same order as the tree walk, so results are
// identical to the bit.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "formula/comp_form.h"

struct CompiledFormula {
    struct Instruction {
        uint8_t op;
        double value;        // a literal operand
        const double* cell;  // a variable operand
    };
    std::vector<Instruction> code;
    int stack_size = 0;
};

// Null when the tree holds anything the program cannot express (summation, user functions,
// unbound variables, malformed nodes): the tree walk then evaluates it.
CompiledFormula* Compile_Formula(const CompForm* root);
double Run_Formula(const CompiledFormula& program);

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
