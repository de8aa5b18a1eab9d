#include "formula/compiled_formula.h"

#include <cmath>
#include <string>
#include <utility>

#include "formula/calc_bin_tree.h"
#include "formula/number_text.h"
#include "platform/numeric.h"

namespace {

constexpr int kMaxStack = 64;

using namespace compiled_op;

struct Compiler {
    explicit Compiler(CompiledFormula* target, bool with_summations = false)
        : program(target), summations(with_summations) {}

    CompiledFormula* program;
    bool summations;  // a block program: summations and their variables compile
    int depth = 0;
    // The summation variables in scope, innermost last: name and local index.
    std::vector<std::pair<std::string, int>> scope;

    void Emit(uint8_t op, double value = 0.0, const double* cell = nullptr, int32_t index = 0) {
        program->code.push_back({op, index, value, cell});
    }
    bool Push() {
        ++depth;
        if (depth > program->stack_size) program->stack_size = depth;
        return depth <= kMaxStack;
    }

    static double Literal(const CompForm* node) {
        double value = 0.0;
        C_To_Double(node->CompArray, &value);
        return value;
    }
    static bool Is_Leaf(const CompForm* node) {
        return node != nullptr &&
               (node->kind == KIND_NUMBER || (node->kind == KIND_VARIABLE && node->argm_num != -1 &&
                                              node->number_source != nullptr));
    }

    bool Leaf(const CompForm* node) {
        if (node->kind == KIND_NUMBER) {
            Emit(PUSH_CONST, Literal(node));
        } else {
            Emit(PUSH_VAR, 0.0, static_cast<const double*>(node->number_source));
        }
        return Push();
    }

    bool Node(const CompForm* node) {
        if (node == nullptr) return false;
        switch (node->kind) {
            case KIND_NUMBER: return Leaf(node);
            case KIND_VARIABLE:
                if (node->argm_num == -1) return summations && Summation_Variable(node);
                if (node->number_source == nullptr) return false;
                return Leaf(node);
            case KIND_OPERATOR:
                if (node->operator_kind == OP_SIGMA) return summations && Summation(node);
                return Binary(node);
            case KIND_FUNCTION:
                if (node->operator_kind == OP_SIGMA) return summations && Summation(node);
                return Function(node);
            case KIND_MULTI_OPERATOR:
                return node->operator_kind == OP_SIGMA && summations && Summation(node);
            default: return false;
        }
    }

    // A summation variable reads the innermost summation of that name; outside every one of
    // them it reads 0, as the tree walk's lookup in an empty table does.
    bool Summation_Variable(const CompForm* node) {
        for (auto it = scope.rbegin(); it != scope.rend(); ++it) {
            if (it->first == node->CompArray) {
                Emit(PUSH_LOCAL, 0.0, nullptr, it->second);
                return Push();
            }
        }
        Emit(PUSH_CONST, 0.0);
        return Push();
    }

    // sigma[n(first,last),body]: the running sum is pushed, the body's value lands above it.
    // Ranges that do not read are errors of the tree walk, which reports them.
    bool Summation(const CompForm* node) {
        char name[256];
        double min_value = 0.0;
        double max_value = 0.0;
        if (node->left == nullptr || node->right == nullptr ||
            !Get_VariableRange(node->left, name, sizeof name, &min_value, &max_value)) {
            return false;
        }
        CompiledFormula::Loop loop{};
        loop.first = Trunc_ToInt32(min_value);
        loop.last = Trunc_ToInt32(max_value);
        loop.body_uses_variable = SerchRight_Var(node, name, '[', ']') != 0;
        const int local = program->locals++;
        loop.local = local;
        const auto loop_index = static_cast<int32_t>(program->loops.size());
        program->loops.push_back(loop);
        Emit(SIGMA, 0.0, nullptr, loop_index);
        if (!Push()) return false;
        const size_t body_start = program->code.size();
        scope.emplace_back(name, local);
        const bool body = Node(node->right);
        scope.pop_back();
        if (!body) return false;
        --depth;
        program->loops[static_cast<size_t>(loop_index)].body_length =
            static_cast<int>(program->code.size() - body_start);
        return true;
    }

    bool Binary(const CompForm* node) {
        int code = node->operator_kind;
        if (code < OP_PLUS || code > OP_POWER) return false;
        const CompForm* right = node->right;
        if (code == OP_POWER && right != nullptr && right->kind == KIND_NUMBER &&
            Literal(right) == 2.0) {
            // a * a, checked against a tie, gives what pow(a, 2) gives (Square_As_Pow).
            const CompForm* left = node->left;
            if (left != nullptr && left->kind == KIND_VARIABLE && Is_Leaf(left)) {
                Emit(PUSH_VAR_SQUARE, 0.0, static_cast<const double*>(left->number_source));
                return Push();
            }
            if (!Node(left)) return false;
            Emit(SQUARE);
            return true;
        }
        if (!Node(node->left)) return false;
        if (Is_Leaf(right)) {
            // The right operand is read straight from its literal or cell.
            if (right->kind == KIND_NUMBER) {
                Emit(static_cast<uint8_t>(ADD_C + code), Literal(right));
            } else {
                Emit(static_cast<uint8_t>(ADD_V + code), 0.0,
                     static_cast<const double*>(right->number_source));
            }
            return true;
        }
        if (!Node(right)) return false;
        Emit(static_cast<uint8_t>(ADD + code));
        --depth;
        return true;
    }

    bool Function(const CompForm* node) {
        int code = node->operator_kind;
        if (code < OP_SIN || code > OP_LOGA) return false;
        int args = code == OP_LOGA ? 2 : 1;
        if (node->argm_num != args || node->list_fnarg.element_num < args) return false;
        const CompForm* base = node->list_fnarg.CompList[0];
        if (code == OP_LOGA && base != nullptr && base->kind == KIND_NUMBER) {
            // log(b, x) = ln x / ln b; ln b of a literal is the same double every time.
            if (!Node(node->list_fnarg.CompList[1])) return false;
            Emit(F_LOGA_C, std::log(Literal(base)));
            return true;
        }
        for (int i = 0; i < args; ++i) {
            if (!Node(node->list_fnarg.CompList[i])) return false;
        }
        Emit(static_cast<uint8_t>(F_SIN + (code - OP_SIN)));
        depth -= args - 1;
        return true;
    }
};

inline double Htan(double a) { return 1.0 - 2.0 / (std::exp(2.0 * a) + 1.0); }

}  // namespace

CompiledFormula* Compile_Formula(const CompForm* root) {
    auto* program = new CompiledFormula;
    Compiler compiler(program);
    if (!compiler.Node(root) || program->stack_size > kMaxStack || compiler.depth != 1) {
        delete program;
        return nullptr;
    }
    return program;
}

std::unique_ptr<CompiledFormula> Compile_BlockProgram(const CompForm* root) {
    auto program = std::make_unique<CompiledFormula>();
    Compiler compiler(program.get(), true);
    if (!compiler.Node(root) || program->stack_size > kMaxStack || compiler.depth != 1) {
        return nullptr;
    }
    return program;
}

// On x86-64 a second copy for processors with fused multiply-add, chosen once at load time:
// its squares take the product's error from one instruction instead of a call.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("fma", "default")))
#endif
double
Run_Formula(const CompiledFormula& program) {
    // The top of the stack lives in acc; below[1 …] holds the values under it (a push
    // stores the old top, so below[1] receives the unused starting 0.0). The operations and
    // their order are those of the tree walk.
    double below[kMaxStack + 1];
    double* under = below;
    double acc = 0.0;
    for (const CompiledFormula::Instruction& in : program.code) {
        switch (in.op) {
            case PUSH_CONST:
                *++under = acc;
                acc = in.value;
                break;
            case PUSH_VAR:
                *++under = acc;
                acc = *in.cell;
                break;
            case PUSH_VAR_SQUARE:
                *++under = acc;
                acc = Square_As_Pow(*in.cell);
                break;
            case SQUARE: acc = Square_As_Pow(acc); break;
            case ADD: acc = *under-- + acc; break;
            case SUB: acc = *under-- - acc; break;
            case MUL: acc = *under-- * acc; break;
            case DIV: acc = *under-- / acc; break;
            case POW: acc = std::pow(*under--, acc); break;
            case ADD_C: acc = acc + in.value; break;
            case SUB_C: acc = acc - in.value; break;
            case MUL_C: acc = acc * in.value; break;
            case DIV_C: acc = acc / in.value; break;
            case POW_C: acc = std::pow(acc, in.value); break;
            case ADD_V: acc = acc + *in.cell; break;
            case SUB_V: acc = acc - *in.cell; break;
            case MUL_V: acc = acc * *in.cell; break;
            case DIV_V: acc = acc / *in.cell; break;
            case POW_V: acc = std::pow(acc, *in.cell); break;
            case F_SIN: acc = std::sin(acc); break;
            case F_COS: acc = std::cos(acc); break;
            case F_TAN: acc = std::tan(acc); break;
            case F_EXP: acc = std::exp(acc); break;
            case F_LOG10: acc = std::log10(acc); break;
            case F_LN: acc = std::log(acc); break;
            case F_ABS: acc = std::fabs(acc); break;
            case F_ASIN: acc = std::asin(acc); break;
            case F_ACOS: acc = std::acos(acc); break;
            case F_ATAN: acc = std::atan(acc); break;
            case F_SINH: acc = std::sinh(acc); break;
            case F_COSH: acc = std::cosh(acc); break;
            case F_TANH: acc = Htan(acc); break;
            case F_SQRT: acc = std::sqrt(acc); break;
            case F_LOGA: acc = std::log(acc) / std::log(*under--); break;
            case F_LOGA_C: acc = std::log(acc) / in.value; break;
            // The compiler above emits no other code: no range check before the jump.
            default: __builtin_unreachable();
        }
    }
    return acc;
}

void CompiledSlot::Reset() {
    delete program;
    program = nullptr;
    state = 0;
}
