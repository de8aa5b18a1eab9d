// Block evaluation of a compiled formula (see the header). The stack holds lanes of points:
// slot d is the lane of values at stack depth d.
#include "formula/block_formula.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

using namespace compiled_op;

// Points per lane: the stack's lanes stay in the first-level cache.
constexpr size_t kLane = 256;

struct Lane {
    const CompiledFormula& program;
    const std::vector<int>& binding;
    const BlockFormula::Input* inputs;
    size_t offset;  // the lane's first point within the inputs
    size_t n;       // points in the lane
    double* slots;  // (stack_size + 2) lanes
    double* locals;

    double* Slot(int depth) const { return slots + static_cast<size_t>(depth) * kLane; }
};

// A cell operand: per point, or one value for the lane.
struct Operand {
    const double* values;
    double value;
};

Operand Cell_Operand(const Lane& lane, size_t pc) {
    const int input = lane.binding[pc];
    if (input < 0) return {nullptr, *lane.program.code[pc].cell};
    const BlockFormula::Input& source = lane.inputs[input];
    if (source.per_point) return {source.values + lane.offset, 0.0};
    return {nullptr, source.values[0]};
}

template <class F>
void Each(double* a, size_t n, F f) {
    for (size_t i = 0; i < n; ++i) a[i] = f(a[i]);
}
template <class F>
void Each(double* a, const double* b, size_t n, F f) {
    for (size_t i = 0; i < n; ++i) a[i] = f(a[i], b[i]);
}
template <class F>
void Each(double* a, Operand b, size_t n, F f) {
    if (b.values != nullptr) {
        Each(a, b.values, n, f);
    } else {
        const double value = b.value;
        for (size_t i = 0; i < n; ++i) a[i] = f(a[i], value);
    }
}

void Fill(double* a, size_t n, double value) { std::fill(a, a + n, value); }

// Square_As_Pow over a lane: the product and its tie test for every point in one loop, then
// pow itself for the points the test sends there. out may be v.
template <int kVariant>
__attribute__((always_inline)) inline void Square_LaneBody(const double* v, double* out, size_t n) {
    uint64_t slow[kLane];
    double saved[kLane];
    for (size_t i = 0; i < n; ++i) {
        const double x = v[i];
        saved[i] = x;
        const double magnitude = std::fabs(x);
        const double product = x * x;
        const double error = std::fma(x, x, -product);
        uint64_t bits = 0;
        std::memcpy(&bits, &product, sizeof bits);
        const uint64_t gap_bits = (((bits >> 52) & 0x7ff) - 52) << 52;
        double gap = 0.0;
        std::memcpy(&gap, &gap_bits, sizeof gap);
        gap = (bits & ((uint64_t{1} << 52) - 1)) == 0 ? gap * 0.5 : gap;
        const bool fast =
            (magnitude >= 0x1p-400) & (magnitude <= 0x1p+500) & (std::fabs(error) < 0.45 * gap);
        out[i] = product;
        slow[i] = fast ? 0 : 1;
    }
    for (size_t i = 0; i < n; ++i) {
        if (slow[i] != 0) out[i] = Square_As_Pow(saved[i]);
    }
}

void Square_LanePlain(const double* v, double* out, size_t n) { Square_LaneBody<0>(v, out, n); }

#if defined(__x86_64__) && defined(__GNUC__)
// Processors with AVX2 and fused multiply-add take the error term from one instruction, four
// points at a time; the choice is made once.
__attribute__((target("avx2,fma"))) void Square_LaneWide(const double* v, double* out, size_t n) {
    Square_LaneBody<1>(v, out, n);
}
using SquareLane = void (*)(const double*, double*, size_t);
const SquareLane Square_Lane = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") ? Square_LaneWide
                                                                           : Square_LanePlain;
}();
#else
void Square_Lane(const double* v, double* out, size_t n) { Square_LanePlain(v, out, n); }
#endif

double Htan(double a) { return 1.0 - 2.0 / (std::exp(2.0 * a) + 1.0); }

// Runs code[begin, end) with the stack at `depth`; the result lands in slot depth + 1.
void Run_Range(const Lane& lane, size_t begin, size_t end, int depth) {
    const size_t n = lane.n;
    const auto& code = lane.program.code;
    for (size_t pc = begin; pc < end; ++pc) {
        const CompiledFormula::Instruction& in = code[pc];
        double* top = lane.Slot(depth);
        switch (in.op) {
            case PUSH_CONST: Fill(lane.Slot(++depth), n, in.value); break;
            case PUSH_VAR: {
                const Operand operand = Cell_Operand(lane, pc);
                double* to = lane.Slot(++depth);
                if (operand.values != nullptr) {
                    std::copy(operand.values, operand.values + n, to);
                } else {
                    Fill(to, n, operand.value);
                }
                break;
            }
            case PUSH_VAR_SQUARE: {
                const Operand operand = Cell_Operand(lane, pc);
                double* to = lane.Slot(++depth);
                if (operand.values != nullptr) {
                    Square_Lane(operand.values, to, n);
                } else {
                    Fill(to, n, Square_As_Pow(operand.value));
                }
                break;
            }
            case PUSH_LOCAL: Fill(lane.Slot(++depth), n, lane.locals[in.index]); break;
            case SQUARE: Square_Lane(top, top, n); break;
            case ADD:
                Each(lane.Slot(--depth), top, n, [](double a, double b) { return a + b; });
                break;
            case SUB:
                Each(lane.Slot(--depth), top, n, [](double a, double b) { return a - b; });
                break;
            case MUL:
                Each(lane.Slot(--depth), top, n, [](double a, double b) { return a * b; });
                break;
            case DIV:
                Each(lane.Slot(--depth), top, n, [](double a, double b) { return a / b; });
                break;
            case POW:
                Each(lane.Slot(--depth), top, n, [](double a, double b) { return std::pow(a, b); });
                break;
            case ADD_C:
                Each(top, {nullptr, in.value}, n, [](double a, double b) { return a + b; });
                break;
            case SUB_C:
                Each(top, {nullptr, in.value}, n, [](double a, double b) { return a - b; });
                break;
            case MUL_C:
                Each(top, {nullptr, in.value}, n, [](double a, double b) { return a * b; });
                break;
            case DIV_C:
                Each(top, {nullptr, in.value}, n, [](double a, double b) { return a / b; });
                break;
            case POW_C:
                Each(top, {nullptr, in.value}, n,
                     [](double a, double b) { return std::pow(a, b); });
                break;
            case ADD_V:
                Each(top, Cell_Operand(lane, pc), n, [](double a, double b) { return a + b; });
                break;
            case SUB_V:
                Each(top, Cell_Operand(lane, pc), n, [](double a, double b) { return a - b; });
                break;
            case MUL_V:
                Each(top, Cell_Operand(lane, pc), n, [](double a, double b) { return a * b; });
                break;
            case DIV_V:
                Each(top, Cell_Operand(lane, pc), n, [](double a, double b) { return a / b; });
                break;
            case POW_V:
                Each(top, Cell_Operand(lane, pc), n,
                     [](double a, double b) { return std::pow(a, b); });
                break;
            case F_SIN: Each(top, n, [](double a) { return std::sin(a); }); break;
            case F_COS: Each(top, n, [](double a) { return std::cos(a); }); break;
            case F_TAN: Each(top, n, [](double a) { return std::tan(a); }); break;
            case F_EXP: Each(top, n, [](double a) { return std::exp(a); }); break;
            case F_LOG10: Each(top, n, [](double a) { return std::log10(a); }); break;
            case F_LN: Each(top, n, [](double a) { return std::log(a); }); break;
            case F_ABS: Each(top, n, [](double a) { return std::fabs(a); }); break;
            case F_ASIN: Each(top, n, [](double a) { return std::asin(a); }); break;
            case F_ACOS: Each(top, n, [](double a) { return std::acos(a); }); break;
            case F_ATAN: Each(top, n, [](double a) { return std::atan(a); }); break;
            case F_SINH: Each(top, n, [](double a) { return std::sinh(a); }); break;
            case F_COSH: Each(top, n, [](double a) { return std::cosh(a); }); break;
            case F_TANH: Each(top, n, Htan); break;
            case F_SQRT: Each(top, n, [](double a) { return std::sqrt(a); }); break;
            case F_LOGA:
                // log(base, value): the base lies below the value.
                Each(lane.Slot(--depth), top, n,
                     [](double base, double value) { return std::log(value) / std::log(base); });
                break;
            case F_LOGA_C:
                Each(top, {nullptr, in.value}, n,
                     [](double value, double log_base) { return std::log(value) / log_base; });
                break;
            case SIGMA: {
                const CompiledFormula::Loop& loop =
                    lane.program.loops[static_cast<size_t>(in.index)];
                const size_t body_end = pc + 1 + static_cast<size_t>(loop.body_length);
                double* sum = lane.Slot(++depth);
                const double* body = lane.Slot(depth + 1);
                if (loop.last < loop.first) {
                    Fill(sum, n, 0.0);  // an empty range sums to nothing, its body unread
                } else if (!loop.body_uses_variable) {
                    Run_Range(lane, pc + 1, body_end, depth);
                    const auto terms = static_cast<double>(loop.last - loop.first + 1);
                    for (size_t i = 0; i < n; ++i) sum[i] = terms * body[i];
                } else {
                    Fill(sum, n, 0.0);
                    for (int64_t k = loop.first; k <= loop.last; ++k) {
                        lane.locals[loop.local] = static_cast<double>(k);
                        Run_Range(lane, pc + 1, body_end, depth);
                        for (size_t i = 0; i < n; ++i) sum[i] += body[i];
                    }
                }
                pc = body_end - 1;
                break;
            }
            // The compiler emits no other code.
            default: __builtin_unreachable();
        }
    }
}

}  // namespace

BlockFormula::BlockFormula(const CompForm* root, std::vector<const double*> cells)
    : program_(Compile_BlockProgram(root)) {
    if (!program_) return;
    binding_.assign(program_->code.size(), -1);
    for (size_t pc = 0; pc < program_->code.size(); ++pc) {
        const double* cell = program_->code[pc].cell;
        if (cell == nullptr) continue;
        auto found = std::find(cells.begin(), cells.end(), cell);
        if (found != cells.end()) binding_[pc] = static_cast<int>(found - cells.begin());
    }
}

BlockFormula::~BlockFormula() = default;

void BlockFormula::Run(const Input* inputs, double* results, size_t count) const {
    if (!program_ || count == 0) return;
    std::vector<double> slots((static_cast<size_t>(program_->stack_size) + 2) * kLane);
    std::vector<double> locals(static_cast<size_t>(program_->locals) + 1);
    for (size_t offset = 0; offset < count; offset += kLane) {
        const size_t n = std::min(kLane, count - offset);
        const Lane lane{*program_, binding_, inputs, offset, n, slots.data(), locals.data()};
        Run_Range(lane, 0, program_->code.size(), 0);
        std::copy(slots.data() + kLane, slots.data() + kLane + n, results + offset);
    }
}
