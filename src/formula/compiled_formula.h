// A formula tree flattened into a postfix program for the evaluator's inner loop. Only
// trees of operators, built-in functions, numbers and bound variables are compiled; the
// program performs the same operations in the same order as the tree walk, so results are
// identical to the bit.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "formula/comp_form.h"

struct CompiledFormula {
    struct Instruction {
        uint8_t op;
        double value;          // a literal operand
        const double* cell;    // a variable operand
    };
    std::vector<Instruction> code;
    int stack_size = 0;
};

// Null when the tree holds anything the program cannot express (summation, user functions,
// unbound variables, malformed nodes): the tree walk then evaluates it.
CompiledFormula* Compile_Formula(const CompForm* root);
double Run_Formula(const CompiledFormula& program);

// pow(v, 2) by a product where the product is provably the same double. v * v is rounded
// correctly; libm's pow is within 0.52 of a unit in the last place, so it can round an exact
// or near tie the other way (94906297^2 lies halfway between two doubles). The exact
// rounding error of the product (fma) tells how far the true square is from that product:
// within a quarter of the smaller neighbouring gap, pow cannot land on another double. Ties,
// near ties, non-finite values and products small enough for the error to lose bits go to
// pow itself.
inline double Square_As_Pow(double v) {
    const double product = v * v;
    const double magnitude = std::fabs(product);
    if (magnitude >= 0x1p-900 && magnitude <= 0x1p+1000) {
        const double error = std::fma(v, v, -product);
        // magnitude * 2^-55 is at most a quarter of the gap below product (a power of two
        // has a gap below half its gap above) and of the gap above it.
        if (std::fabs(error) < magnitude * 0x1p-55) return product;
    }
    // A volatile exponent keeps the compiler from turning pow(v, 2.0) back into v * v.
    volatile double two = 2.0;
    return std::pow(v, two);
}
