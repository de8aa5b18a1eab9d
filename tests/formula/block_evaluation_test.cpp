// Block evaluation gives, bit for bit, what the point-by-point evaluator gives: over the
// formula rows, over values where a product and pow, or a lane and its edge, could differ, and
// for every block size from one point to more than the work.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "formula/block_formula.h"
#include "formula_support.h"
#include "reference_evaluator.h"

using formula_test::kInf;
using formula_test::kNaN;
using formula_test::Parse;
using formula_test::Same_Bits;

namespace {

// Beyond the shared rows: products, leaves, computed squares, more summation shapes.
const char* const kMoreFormulas[] = {
    "x*x+1",
    "(x+0)^2",
    "acos(x/1e6)+y^x-x^y",
    "x",
    "7.5",
    "sigma[n(3,1),x]+x",  // an empty range
    "sigma[n(1,3),n]*sigma[n(1,2),n]",
    "sigma[n(1,2),sigma[m(1,3),m*n+x]+n]",
    "n+sigma[n(1,2),n*x]",  // a variable named like the summation's, outside it
};

// Values where paths could differ: signed zeros, ties of squares (94906297^2 lies halfway
// between two doubles), the ends of the fast square's range, tiny and huge values, NaN and
// both infinities.
std::vector<double> Awkward_Values() {
    std::vector<double> values = {0.0,        -0.0,        1.0,           -1.0,     0.5,
                                  3.0,        -2.75,       1e-300,        1e300,    7e-5,
                                  123.456,    -1e10,       kInf,          -kInf,    kNaN,
                                  94906297.0, -94906297.0, 0x1p-400,      0x1p+500, 0x1.0p+511,
                                  0x1p-1074,  1e154,       1.0 + 0x1p-52, 2.0,      -0.9};
    std::mt19937_64 generator(20261210);
    std::uniform_int_distribution<int64_t> tie_range(int64_t{1} << 26, int64_t{1} << 27);
    std::uniform_real_distribution<double> ordinary(-10.0, 10.0);
    for (int i = 0; i < 200; ++i) values.push_back(static_cast<double>(tie_range(generator)));
    for (int i = 0; i < 200; ++i) values.push_back(ordinary(generator));
    return values;
}

// The point evaluator over xs with y fixed, and the block evaluator over blocks of `block`
// points; returns how many values differ (reporting the first few).
int Differences(const char* text, const std::vector<double>& xs, double y, size_t block) {
    auto parsed = Parse(text);
    EXPECT_TRUE(parsed->ok) << text;
    if (!parsed->ok) return 1;
    double* x_cell = &parsed->variables["x"];
    double* y_cell = &parsed->variables["y"];
    *y_cell = y;
    BlockFormula formula(parsed->root, {x_cell});
    EXPECT_TRUE(formula.Ready()) << text;
    if (!formula.Ready()) return 1;
    std::vector<double> blocked(xs.size(), -12345.0);
    const BlockFormula::Input input{xs.data(), true};
    for (size_t start = 0; start < xs.size(); start += block) {
        const size_t n = std::min(block, xs.size() - start);
        const BlockFormula::Input shifted{input.values + start, true};
        formula.Run(&shifted, blocked.data() + start, n);
    }
    int differences = 0;
    for (size_t i = 0; i < xs.size(); ++i) {
        *x_cell = xs[i];
        int flag = 1;
        const double pointwise = parsed->Eval(&flag);
        EXPECT_EQ(flag, 1) << text;
        if (!Same_Bits(pointwise, blocked[i]) && ++differences <= 3) {
            ADD_FAILURE() << text << " block " << block << " x=" << xs[i] << " y=" << y << ": "
                          << blocked[i] << " vs " << pointwise;
        }
    }
    return differences;
}

TEST(BlockEvaluation, EqualsPointEvaluationOnEveryFormulaRow) {
    const std::vector<double> xs = Awkward_Values();
    std::vector<const char*> texts(std::begin(formula_test::kFormulaRows),
                                   std::end(formula_test::kFormulaRows));
    texts.insert(texts.end(), std::begin(kMoreFormulas), std::end(kMoreFormulas));
    for (const char* text : texts) {
        for (double y : {2.0, -0.5, 0.0, kNaN, 1e200}) {
            EXPECT_EQ(Differences(text, xs, y, 4096), 0) << text << " y=" << y;
        }
    }
}

// Block sizes 1, 2, odd, the lane's edges and more than the work; NaN and infinities at the
// first, a middle and the last point of each block.
TEST(BlockEvaluation, BlockSizesAndNonFiniteValuesAtBlockEdges) {
    const size_t sizes[] = {1, 2, 3, 7, 255, 256, 257, 511, 1000, 5000};
    std::mt19937_64 generator(7);
    std::uniform_real_distribution<double> ordinary(-3.0, 3.0);
    for (size_t block : sizes) {
        std::vector<double> xs(1000);
        for (double& x : xs) x = ordinary(generator);
        for (size_t start = 0; start < xs.size(); start += block) {
            const size_t last = std::min(xs.size(), start + block) - 1;
            xs[start] = kNaN;
            xs[last] = (start / block) % 2 ? kInf : -kInf;
            xs[(start + last) / 2] = 94906297.0;  // a tie of the square
        }
        for (const char* text : {"x^2+1", "sqrt(x^2+y^2)-1", "exp(-x^2)*sin(10*x)",
                                 "sigma[n(1,7),x^n/n]", "log(2,x)*(x+0)^2"}) {
            EXPECT_EQ(Differences(text, xs, 0.5, block), 0) << text << " block " << block;
        }
    }
}

// Both variables may vary per point, or come as one value for the block; a cell that is
// not an input is read where it is.
TEST(BlockEvaluation, InputsPerPointPerBlockAndOtherCells) {
    auto parsed = Parse("sqrt(x^2+y^2)-a*x+y/a");
    ASSERT_TRUE(parsed->ok);
    double* x = &parsed->variables["x"];
    double* y = &parsed->variables["y"];
    double* a = &parsed->variables["a"];
    *a = 1.5;
    BlockFormula formula(parsed->root, {x, y});
    ASSERT_TRUE(formula.Ready());
    std::vector<double> xs = {-2.0, -1.0, 0.0, 1.0, 94906297.0, kNaN};
    std::vector<double> ys = {3.0, kInf, 0.5, -0.0, 2.0, 1.0};
    std::vector<double> out(xs.size());
    const BlockFormula::Input both[] = {{xs.data(), true}, {ys.data(), true}};
    formula.Run(both, out.data(), xs.size());
    for (size_t i = 0; i < xs.size(); ++i) {
        *x = xs[i];
        *y = ys[i];
        int flag = 1;
        EXPECT_TRUE(Same_Bits(out[i], parsed->Eval(&flag))) << i;
    }
    const double fixed_y = -4.25;
    const BlockFormula::Input row[] = {{xs.data(), true}, {&fixed_y, false}};
    formula.Run(row, out.data(), xs.size());
    *y = fixed_y;
    for (size_t i = 0; i < xs.size(); ++i) {
        *x = xs[i];
        int flag = 1;
        EXPECT_TRUE(Same_Bits(out[i], parsed->Eval(&flag))) << i;
    }
}

// What only the tree walk evaluates (and reports as an error) is not compiled for blocks.
TEST(BlockEvaluation, FormulasThatCanFailStayWithThePointEvaluator) {
    CompForm elements[8];
    formula_test::Make_UnreadableSigma(elements);
    EXPECT_FALSE(BlockFormula(&elements[0], {}).Ready());  // the range does not read
    EXPECT_FALSE(BlockFormula(nullptr, {}).Ready());
    EXPECT_FALSE(BlockFormula(&elements[1], {}).Ready());  // a bracket as an operand
}

// One formula may run on several threads at once, each with its own inputs.
TEST(BlockEvaluation, ThreadsShareOneFormula) {
    auto parsed = Parse("sigma[n(1,30),x^n/n]+exp(-x^2)");
    ASSERT_TRUE(parsed->ok);
    double* x = &parsed->variables["x"];
    BlockFormula formula(parsed->root, {x});
    ASSERT_TRUE(formula.Ready());
    std::vector<double> xs(20000);
    for (size_t i = 0; i < xs.size(); ++i) xs[i] = -0.95 + 1.9 * static_cast<double>(i) / 20000.0;
    std::vector<double> single(xs.size());
    const BlockFormula::Input all{xs.data(), true};
    formula.Run(&all, single.data(), xs.size());
    std::vector<double> shared(xs.size());
    std::vector<std::thread> threads;
    for (size_t t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            const size_t begin = t * xs.size() / 4;
            const size_t end = (t + 1) * xs.size() / 4;
            const BlockFormula::Input part{xs.data() + begin, true};
            formula.Run(&part, shared.data() + begin, end - begin);
        });
    }
    for (auto& thread : threads) thread.join();
    for (size_t i = 0; i < xs.size(); ++i) {
        ASSERT_TRUE(Same_Bits(single[i], shared[i])) << i;
    }
    // And the point evaluator agrees at a sample of the points.
    for (size_t i = 0; i < xs.size(); i += 997) {
        *x = xs[i];
        int flag = 1;
        EXPECT_TRUE(Same_Bits(single[i], parsed->Eval(&flag))) << xs[i];
    }
}

}  // namespace
