#include "formula/comp_form.h"

#include <cstring>

namespace {
CompForm* dummy_slot = nullptr;

struct BuiltinFunction {
    const char* name;
    int32_t code;
    int args;
};

constexpr BuiltinFunction kBuiltins[] = {
    {"sin", OP_SIN, 1},     {"cos", OP_COS, 1},   {"tan", OP_TAN, 1},   {"exp", OP_EXP, 1},
    {"log10", OP_LOG10, 1}, {"ln", OP_LN, 1},     {"abs", OP_ABS, 1},   {"asin", OP_ASIN, 1},
    {"acos", OP_ACOS, 1},   {"atan", OP_ATAN, 1}, {"sinh", OP_SINH, 1}, {"cosh", OP_COSH, 1},
    {"tanh", OP_TANH, 1},   {"sqrt", OP_SQRT, 1}, {"log", OP_LOGA, 2},
};
}  // namespace

CFList::CFList(int slot_count) {
    if (slot_count < 1) return;
    element_num = slot_count;
    CompList = new CompForm*[slot_count]();
}

CFList::CFList(const CFList& source) { *this = source; }

CFList& CFList::operator=(const CFList& source) {
    if (this == &source) return *this;
    DelElement();
    if (source.element_num < 1) return *this;
    element_num = source.element_num;
    CompList = new CompForm*[element_num];
    for (int i = 0; i < element_num; ++i) CompList[i] = source.CompList[i];
    return *this;
}

int CFList::DelElement() {
    if (CompList == nullptr) {
        element_num = 0;
        return 0;
    }
    delete[] CompList;
    CompList = nullptr;
    element_num = 0;
    return 1;
}

CompForm*& CFList::operator[](int index) {
    if (index < 0 || index >= element_num) {
        dummy_slot = nullptr;
        return dummy_slot;
    }
    return CompList[index];
}

void CompForm::Initialize() {
    argm_num = 1;
    operator_kind = -1;
    list_fnarg.DelElement();
    number_source = nullptr;
    left = nullptr;
    right = nullptr;
    eval_cache = EvalCache();
}

int CompForm::SetOperatorKind() {
    switch (CompArray[0]) {
        case '+': operator_kind = OP_PLUS; break;
        case '-': operator_kind = OP_MINUS; break;
        case '*': operator_kind = OP_MULTI; break;
        case '/': operator_kind = OP_DIVIDE; break;
        case '^': operator_kind = OP_POWER; break;
        default: operator_kind = -1; break;
    }
    return operator_kind;
}

int CompForm::GetSuperior() const {
    switch (CompArray[0]) {
        case '+':
        case '-': return 1;
        case '*': return 2;
        case '/': return 3;
        case '^': return 4;
        default: return 0;
    }
}

int CompForm::SetOperatorFunc() {
    for (const BuiltinFunction& builtin : kBuiltins) {
        if (std::strcmp(CompArray, builtin.name) == 0) {
            operator_kind = builtin.code;
            list_fnarg = CFList(builtin.args);
            return builtin.args;
        }
    }
    return 0;
}

int CompForm::SetMltOperator() {
    if (std::strcmp(CompArray, "sigma") == 0) {
        operator_kind = OP_SIGMA;
        return 2;
    }
    return 0;
}

void Initialize_CompForm(CompForm* the_formlist, int elem_number) {
    for (int i = 0; i < elem_number; ++i) the_formlist[i].Initialize();
}

void Set_ErrorInfo(ErrorInfo* the_error, int position, int kind) {
    the_error->formula_position = position;
    the_error->error_kind = kind;
}

int Is_Operator(char letter) {
    return (letter == '+' || letter == '-' || letter == '*' || letter == '/' || letter == '^') ? 1
                                                                                               : 0;
}
