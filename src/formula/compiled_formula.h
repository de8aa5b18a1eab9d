// A formula tree flattened into a postfix program for the evaluator's inner loop. Only
// trees of operators, built-in functions, numbers and bound variables are compiled; the
// program performs the same operations in the same order as the tree walk, so results are
// identical to the bit.
#pragma once

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
