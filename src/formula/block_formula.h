// One formula evaluated over blocks of values, the samplers' inner loop: each instruction of
// the compiled program runs over a whole lane of points before the next one, in loops the
// compiler can vectorise, and every value is the one the point-by-point evaluator gives, bit
// for bit (the same libm calls, squares as pow(v, 2)).
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "formula/comp_form.h"
#include "formula/compiled_formula.h"

class BlockFormula {
public:
    // Where one bound variable's values come from in a block: one value per point, or one
    // value for the whole block.
    struct Input {
        const double* values = nullptr;
        bool per_point = false;
    };

    // `cells` are variable cells (as bound by Create_SymbolTable) whose values Run takes from
    // its inputs, in the same order. Every other cell is read as it is, so it must not change
    // while blocks run.
    BlockFormula(const CompForm* root, std::vector<const double*> cells);
    ~BlockFormula();
    BlockFormula(const BlockFormula&) = delete;
    BlockFormula& operator=(const BlockFormula&) = delete;

    // False when the formula holds what only the tree walk evaluates (a user function, a
    // summation range that does not read, a malformed node): evaluate it point by point,
    // where its error is reported.
    bool Ready() const { return program_ != nullptr; }

    // results[i] = the formula's value at point i, for i < count. A compiled formula cannot
    // fail, so there is no error flag. Several threads may run the same formula at once.
    void Run(const Input* inputs, double* results, size_t count) const;

private:
    std::unique_ptr<CompiledFormula> program_;
    std::vector<int> binding_;  // per instruction: the input its cell is, or -1
};
