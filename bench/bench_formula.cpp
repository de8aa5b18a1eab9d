// Nanoseconds per evaluation of a formula over a sweep of x values: the program's evaluator,
// muparser (for comparison only) and the same expression written as native C++.
//   ./build/bench/bench_formula
// The column per_eval (seconds, with an SI prefix: 6.1n is 6.1 ns) is the figure to compare.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "formula/analysis.h"
#include "formula/block_formula.h"
#include "formula/calc_bin_tree.h"
#include "formula/create_bin_tree.h"

namespace {

constexpr int kSweep = 1000;

std::vector<double> Sweep(double low, double high) {
    std::vector<double> xs(kSweep);
    for (int i = 0; i < kSweep; ++i) xs[i] = low + (high - low) * i / (kSweep - 1);
    return xs;
}

struct Case {
    const char* name;
    const char* ours;
    const char* muparser;  // null: muparser has no such operation
    double (*native)(double x, double y);
    double low;
    double high;
};

const Case kCases[] = {
    {"x^2+1", "x^2+1", "x^2+1", [](double x, double) { return x * x + 1; }, -5, 5},
    {"x*x+1", "x*x+1", "x*x+1", [](double x, double) { return x * x + 1; }, -5, 5},
    {"sin(x)*cos(x)+x/3", "sin(x)*cos(x)+x/3", "sin(x)*cos(x)+x/3",
     [](double x, double) { return std::sin(x) * std::cos(x) + x / 3; }, -5, 5},
    {"sqrt(x^2+y^2)-1", "sqrt(x^2+y^2)-1", "sqrt(x^2+y^2)-1",
     [](double x, double y) { return std::sqrt(x * x + y * y) - 1; }, -5, 5},
    {"exp(-x^2)*sin(10*x)", "exp(-x^2)*sin(10*x)", "exp(-(x^2))*sin(10*x)",
     [](double x, double) { return std::exp(0 - x * x) * std::sin(10 * x); }, -5, 5},
    {"log(2,x)", "log(2,x)", "ln(x)/ln(2)",
     [](double x, double) { return std::log(x) / std::log(2.0); }, 0.01, 10},
    {"sigma[n(1,100),x^n/n]", "sigma[n(1,100),x^n/n]", nullptr,
     [](double x, double) {
         double sum = 0.0;
         for (int n = 1; n <= 100; ++n) sum += std::pow(x, n) / n;
         return sum;
     },
     -0.9, 0.9},
};

void Report(benchmark::State& state) {
    state.counters["per_eval"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kSweep,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A case's formula analysed, built into a tree and bound to its cells; y is 0.5.
struct Parsed {
    std::unique_ptr<CompForm[]> elements;
    CompForm* root = nullptr;
    AscArray<double> variables;
    double* x = nullptr;
};

bool Parse_Case(const Case& c, Parsed* parsed) {
    const std::string text = c.ours;
    const int size = static_cast<int>(text.size() * 2 + 2);
    parsed->elements.reset(new CompForm[static_cast<size_t>(size)]);
    ErrorInfo error;
    if (!Analysis_Formula(parsed->elements.get(), size, text.c_str(), &error, EmptyArray)) {
        return false;
    }
    const int count = current_number + 1;
    int index = 0;
    parsed->root = Create_BinTree(&index, 0, nullptr, nullptr, parsed->elements.get(), count);
    Create_SymbolTable<double>(parsed->elements.get(), count, parsed->variables);
    parsed->x = &parsed->variables["x"];
    parsed->variables["y"] = 0.5;
    return true;
}

void Bench_Plotari(benchmark::State& state, const Case& c) {
    Parsed parsed;
    if (!Parse_Case(c, &parsed)) {
        state.SkipWithError("analysis failed");
        return;
    }
    std::vector<double> xs = Sweep(c.low, c.high);
    for (auto _ : state) {
        for (double value : xs) {
            *parsed.x = value;
            int flag = 1;
            benchmark::DoNotOptimize(
                BinTreeFunc(parsed.root, &flag, parsed.variables, g_ufunc_list, EmptyArray));
        }
    }
    Report(state);
}

// The samplers' way: the whole sweep as one block.
void Bench_PlotariBlock(benchmark::State& state, const Case& c) {
    Parsed parsed;
    if (!Parse_Case(c, &parsed)) {
        state.SkipWithError("analysis failed");
        return;
    }
    BlockFormula formula(parsed.root, {parsed.x});
    if (!formula.Ready()) {
        state.SkipWithError("not compiled for blocks");
        return;
    }
    std::vector<double> xs = Sweep(c.low, c.high);
    std::vector<double> results(xs.size());
    const BlockFormula::Input input{xs.data(), true};
    for (auto _ : state) {
        formula.Run(&input, results.data(), xs.size());
        benchmark::DoNotOptimize(results.data());
        benchmark::ClobberMemory();
    }
    Report(state);
}

void Bench_Muparser(benchmark::State& state, const Case& c) {
    double x = 0.0;
    double y = 0.5;
    mu::Parser parser;
    parser.DefineVar("x", &x);
    parser.DefineVar("y", &y);
    parser.SetExpr(c.muparser);
    std::vector<double> xs = Sweep(c.low, c.high);
    for (auto _ : state) {
        for (double value : xs) {
            x = value;
            benchmark::DoNotOptimize(parser.Eval());
        }
    }
    Report(state);
}

void Bench_Native(benchmark::State& state, const Case& c) {
    std::vector<double> xs = Sweep(c.low, c.high);
    double y = 0.5;
    benchmark::DoNotOptimize(y);
    for (auto _ : state) {
        for (double value : xs) {
            benchmark::DoNotOptimize(value);
            benchmark::DoNotOptimize(c.native(value, y));
        }
    }
    Report(state);
}

int Register() {
    for (const Case& c : kCases) {
        benchmark::RegisterBenchmark((std::string("plotari/") + c.name).c_str(), Bench_Plotari, c);
        benchmark::RegisterBenchmark((std::string("block/") + c.name).c_str(), Bench_PlotariBlock,
                                     c);
        if (c.muparser != nullptr) {
            benchmark::RegisterBenchmark((std::string("muparser/") + c.name).c_str(),
                                         Bench_Muparser, c);
        }
        benchmark::RegisterBenchmark((std::string("native/") + c.name).c_str(), Bench_Native, c);
    }
    return 0;
}

const int registered = Register();

}  // namespace

BENCHMARK_MAIN();
