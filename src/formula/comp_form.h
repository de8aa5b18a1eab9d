// Formula elements: one token of an analysed formula, later also one node of its
// expression tree; the argument slots of a function element; the syntax error record.
#pragma once

#include <cstdint>
#include <string>

class CompForm;

// Argument slots of a function element. The slots point at elements of the same element
// array and are not owned.
class CFList {
public:
    CFList() = default;
    explicit CFList(int slot_count);
    CFList(const CFList& source);
    CFList& operator=(const CFList& source);
    ~CFList() { DelElement(); }

    int DelElement();
    // An index outside the slots gives a shared dummy slot, reset to null on every call.
    CompForm*& operator[](int index);
    int PutElementNum() const { return element_num; }

    int element_num = 0;
    CompForm** CompList = nullptr;
};

// Element kinds.
enum : int32_t {
    KIND_OPERATOR = 1,
    KIND_VARIABLE = 2,
    KIND_OPEN_PAR = 3,
    KIND_CLOSE_PAR = 4,
    KIND_NUMBER = 5,
    KIND_CLOSE_BRK = 6,
    KIND_OPEN_BRK = 7,
    KIND_FUNCTION = 8,
    KIND_USER_FUNCTION = 9,
    KIND_MULTI_OPERATOR = 10,
    KIND_SEPARATOR = 11,
    KIND_RANGE = 12,
};

// Operation codes (indices of the operation table).
enum : int32_t {
    OP_PLUS = 0,
    OP_MINUS = 1,
    OP_MULTI = 2,
    OP_DIVIDE = 3,
    OP_POWER = 4,
    OP_SIN = 5,
    OP_COS = 6,
    OP_TAN = 7,
    OP_EXP = 8,
    OP_LOG10 = 9,
    OP_LN = 10,
    OP_ABS = 11,
    OP_ASIN = 12,
    OP_ACOS = 13,
    OP_ATAN = 14,
    OP_SINH = 15,
    OP_COSH = 16,
    OP_TANH = 17,
    OP_SQRT = 18,
    OP_LOGA = 19,
    OP_SIGMA = 20,
};

struct CompiledFormula;

// A tree root's flat program, made on its first evaluation. Copies of an element start
// without one: a copied array may be bound to other variable cells.
class CompiledSlot {
public:
    CompiledSlot() = default;
    CompiledSlot(const CompiledSlot&) {}
    CompiledSlot& operator=(const CompiledSlot& other) {
        if (this != &other) Reset();
        return *this;
    }
    ~CompiledSlot() { Reset(); }
    void Reset();

    int8_t state = 0;  // 0 not tried, 1 compiled, -1 not compilable
    CompiledFormula* program = nullptr;
};

// What the evaluator learns once about an element and keeps: a literal's value, a
// summation range read from its text, whether a summation body uses its variable, the
// compiled program of a tree root. Filled on first evaluation; cleared whenever the
// element is (re)written or its formula's variables are bound again.
struct EvalCache {
    bool number_ready = false;
    double number = 0.0;
    int8_t range_state = 0;  // 0 not read, 1 readable, -1 unreadable
    double range_min = 0.0;
    double range_max = 0.0;
    std::string range_name;
    int8_t body_uses_var = -1;  // -1 not known yet
    bool power_of_two = false;  // "^" whose exponent is the literal 2: x*x equals pow(x, 2)
    bool power_checked = false;
    CompiledSlot compiled;
};

class CompForm {
public:
    CompForm() = default;
    CompForm(const CompForm&) = default;
    CompForm& operator=(const CompForm&) = default;

    void Initialize();
    int SetOperatorKind();
    int GetSuperior() const;
    int SetOperatorFunc();
    int SetMltOperator();

    char CompArray[256] = {};
    int32_t kind = 0;
    int32_t argm_num = 1;
    int32_t operator_kind = -1;
    CFList list_fnarg;
    void* number_source = nullptr;
    CompForm* left = nullptr;
    CompForm* right = nullptr;

    mutable EvalCache eval_cache;
};

struct ErrorInfo {
    int32_t formula_position = -1;
    int32_t error_kind = 0;
};

void Initialize_CompForm(CompForm* the_formlist, int elem_number);
void Set_ErrorInfo(ErrorInfo* the_error, int position, int kind);
int Is_Operator(char letter);
