#include "formula/analysis.h"

#include <cstring>

#include "formula/calc_bin_tree.h"
#include "formula/characters.h"
#include "formula/range_reader.h"
#include "formula/number_text.h"
#include "formula/usr_func.h"
#include "platform/numeric.h"

int current_number = 0;
int opn_count = 0;

namespace {

constexpr int TOKEN_SIZE = 256;

enum State : int {
    ST_INITIAL = 0,
    ST_OPERATOR = 1,
    ST_OPERAND = 2,
    ST_OPEN_PAR = 3,
    ST_CLOSE_PAR = 4,
    ST_NUMBER = 5,
    ST_CLOSE_BRK = 6,
    ST_OPEN_BRK = 7,
};

enum NumberState : int {
    NUM_NONE = 0,
    NUM_MANTISSA = 1,
    NUM_DOT = 3,
    NUM_EXPONENT = 4,
    NUM_SIGN = 5,
    NUM_DECIMAL = 6,
    NUM_POWNUM = 7,
};

// Everything one (sub)analysis shares between its handlers.
struct Analyser {
    CompForm* the_formlist;
    int elem_number;
    const char* formula;
    int position;  // index of the character being handled
    ErrorInfo* the_error;
    AscArray<double>* sumv_list;
    char temp_array[TOKEN_SIZE];
    int pos_array;
    int state;
    int state_inter;
    bool error_placed;  // a multi-argument handler has already placed the error
    bool overflow;      // a write found the element array full
};

using Handler = int (*)(char, Analyser&);

// Writes the pending text as the element at current_number. A full array refuses the write.
CompForm* Write_Element(Analyser& a, const char* text, int num_kind) {
    if (current_number < 0 || current_number >= a.elem_number) {
        a.overflow = true;
        return nullptr;
    }
    CompForm& element = a.the_formlist[current_number];
    std::strncpy(element.CompArray, text, sizeof element.CompArray - 1);
    element.CompArray[sizeof element.CompArray - 1] = '\0';
    element.kind = num_kind;
    element.eval_cache = EvalCache();
    return &element;
}

CompForm* Make_ListArray(Analyser& a, int num_kind) {
    a.temp_array[a.pos_array] = '\0';
    CompForm* element = Write_Element(a, a.temp_array, num_kind);
    if (element == nullptr) return nullptr;
    ++current_number;
    a.pos_array = 0;
    return element;
}

CompForm* Make_ListEnd(Analyser& a, int num_kind) {
    a.temp_array[a.pos_array] = '\0';
    return Write_Element(a, a.temp_array, num_kind);
}

int Set_OneCharacter(Analyser& a, char letter) {
    a.temp_array[0] = letter;
    a.pos_array = 1;
    return 1;
}

int React_Alnum(Analyser& a, char letter) {
    if (a.pos_array >= TOKEN_SIZE - 1) return 0;
    a.temp_array[a.pos_array++] = letter;
    a.state = ST_OPERAND;
    return 1;
}

int React_Operator(Analyser& a, char letter) {
    Set_OneCharacter(a, letter);
    a.state = ST_OPERATOR;
    return 1;
}

int React_OpenPar(Analyser& a) {
    Set_OneCharacter(a, '(');
    a.state = ST_OPEN_PAR;
    ++opn_count;
    return 1;
}

int React_ClosePar(Analyser& a) {
    Set_OneCharacter(a, ')');
    a.state = ST_CLOSE_PAR;
    --opn_count;
    return opn_count < 0 ? 0 : 1;
}

int React_OpenBrk(Analyser& a) {
    Set_OneCharacter(a, '[');
    a.state = ST_OPEN_BRK;
    return 1;
}

int React_CloseBrk(Analyser& a) {
    Set_OneCharacter(a, ']');
    a.state = ST_CLOSE_BRK;
    return 1;
}

// A unary sign: the number "0" is written and the sign becomes a binary operator.
int React_SngOperator(Analyser& a, char letter) {
    Set_OneCharacter(a, '0');
    if (Make_ListArray(a, KIND_NUMBER) == nullptr) return 0;
    return React_Operator(a, letter);
}

int React_Digit(Analyser& a, char letter) {
    Set_OneCharacter(a, letter);
    a.state = ST_NUMBER;
    a.state_inter = NUM_MANTISSA;
    return 1;
}

int React_Letter(Analyser& a, char letter) {
    Set_OneCharacter(a, letter);
    a.state = ST_OPERAND;
    return 1;
}

// The pending name becomes a variable element; a name bound by an enclosing sigma is
// marked as a summation variable.
CompForm* Finish_Variable(Analyser& a, bool last) {
    a.temp_array[a.pos_array] = '\0';
    bool summation = (*a.sumv_list)(a.temp_array) != 0;
    CompForm* element = last ? Make_ListEnd(a, KIND_VARIABLE) : Make_ListArray(a, KIND_VARIABLE);
    if (element != nullptr && summation) element->argm_num = -1;
    return element;
}

int Start_Operand(Analyser& a, char letter) {
    if (letter == '(') return React_OpenPar(a);
    if (Is_Letter(letter)) return React_Letter(a, letter);
    if (Is_Digit(letter)) return React_Digit(a, letter);
    return 0;
}

int Handle_For_Initial(char letter, Analyser& a) {
    if (letter == '+' || letter == '-') return React_SngOperator(a, letter);
    return Start_Operand(a, letter);
}

int Handle_For_Operator(char letter, Analyser& a) {
    CompForm* element = Make_ListArray(a, KIND_OPERATOR);
    if (element == nullptr) return 0;
    element->SetOperatorKind();
    return Start_Operand(a, letter);
}

int Handle_For_OpenPar(char letter, Analyser& a) {
    if (Make_ListArray(a, KIND_OPEN_PAR) == nullptr) return 0;
    if (letter == '+' || letter == '-') return React_SngOperator(a, letter);
    return Start_Operand(a, letter);
}

int Analyse_Sub(Analyser& a, const char* text, int text_start, AscArray<double>& sumv) {
    int begin = current_number;
    // A sub-analysis gets the room left in the array, so an argument that starts with a sign
    // (and so has one element more than characters) still fits.
    int room = a.elem_number - begin;
    if (room < 0) room = 0;
    int saved_opn = opn_count;
    ErrorInfo sub_error;
    int result = Analysis_Formula(a.the_formlist + begin, room, text, &sub_error, sumv);
    if (result == 0) {
        Set_ErrorInfo(a.the_error, text_start + sub_error.formula_position, 1);
        a.error_placed = true;
        return 0;
    }
    current_number = begin + current_number + 1;
    opn_count = saved_opn;
    return 1;
}

int Cut_Failed(Analyser& a, int argument_start) {
    Set_ErrorInfo(a.the_error, argument_start - 1, 1);
    a.error_placed = true;
    return 0;
}

int Write_Separator(Analyser& a) {
    Set_OneCharacter(a, ',');
    return Make_ListArray(a, KIND_SEPARATOR) != nullptr ? 1 : 0;
}

// The argument list of a function of n > 1 arguments; the text position is on its "(".
int Handle_For_MultArgFunc(Analyser& a, int arg_count) {
    char argument[TOKEN_SIZE];
    int text_pos = a.position + 1;
    for (int i = 0; i < arg_count - 1; ++i) {
        int start = text_pos;
        if (!Get_Argument(a.formula, &text_pos, argument, TOKEN_SIZE, '(', ')', '[', ']')) {
            return Cut_Failed(a, start);
        }
        AscArray<double> sumv(*a.sumv_list);
        if (!Analyse_Sub(a, argument, start, sumv)) return 0;
        if (!Write_Separator(a)) return 0;
        ++text_pos;  // past the comma
    }
    int start = text_pos;
    if (!Get_EndArgument(a.formula, &text_pos, argument, TOKEN_SIZE, '(', ')')) {
        return Cut_Failed(a, start);
    }
    AscArray<double> sumv(*a.sumv_list);
    if (!Analyse_Sub(a, argument, start, sumv)) return 0;
    a.position = text_pos;  // on the closing ")"; the main loop reads the next character
    return React_ClosePar(a);
}

int Handle_FunctionCall(Analyser& a) {
    CompForm* function = Make_ListArray(a, KIND_FUNCTION);
    if (function == nullptr) return 0;
    int arg_count = function->SetOperatorFunc();
    if (arg_count == 0) {
        if (g_ufunc_list(function->CompArray) != 2) return 0;
        arg_count = g_ufunc_list.PutArgNum(function->CompArray);
        if (arg_count < 1) return 0;
        function->kind = KIND_USER_FUNCTION;
        function->list_fnarg = CFList(arg_count);
    }
    React_OpenPar(a);
    if (arg_count > 1) {
        function->argm_num = arg_count;
        if (Make_ListArray(a, KIND_OPEN_PAR) == nullptr) return 0;
        return Handle_For_MultArgFunc(a, arg_count);
    }
    return 1;
}

// The first argument of sigma: reads the range and puts the summation variable in scope.
int Make_LArgList(Analyser& a, const char* former_arg, AscArray<double>& the_list) {
    char name[TOKEN_SIZE];
    double min_val = 0.0;
    double max_val = 0.0;
    int steps = 0;
    if (Analysis_Variable(former_arg, name, TOKEN_SIZE, &min_val, &max_val, &steps) <= 0) {
        return 0;
    }
    if (the_list(name)) return 0;  // a nested sigma may not reuse an enclosing variable
    the_list[name] = min_val;
    std::strncpy(a.temp_array, former_arg, TOKEN_SIZE - 1);
    a.temp_array[TOKEN_SIZE - 1] = '\0';
    a.pos_array = static_cast<int>(std::strlen(a.temp_array));
    return Make_ListArray(a, KIND_RANGE) != nullptr ? 1 : 0;
}

// sigma[range,body]; the text position is on the "[".
int Handle_For_MultArgOprt(Analyser& a) {
    char argument[TOKEN_SIZE];
    int text_pos = a.position + 1;
    int start = text_pos;
    if (!Get_Argument(a.formula, &text_pos, argument, TOKEN_SIZE, '[', ']', '(', ')')) {
        return Cut_Failed(a, start);
    }
    AscArray<double> sumv(*a.sumv_list);
    if (!Make_LArgList(a, argument, sumv)) {
        if (!a.overflow) {
            Set_ErrorInfo(a.the_error, text_pos - 1, 1);
            a.error_placed = true;
        }
        return 0;
    }
    if (!Write_Separator(a)) return 0;
    ++text_pos;
    start = text_pos;
    if (!Get_EndArgument(a.formula, &text_pos, argument, TOKEN_SIZE, '[', ']')) {
        return Cut_Failed(a, start);
    }
    if (!Analyse_Sub(a, argument, start, sumv)) return 0;
    a.position = text_pos;  // on the closing "]"
    return React_CloseBrk(a);
}

int Handle_Summation(Analyser& a) {
    CompForm* sigma = Make_ListArray(a, KIND_MULTI_OPERATOR);
    if (sigma == nullptr) return 0;
    if (sigma->SetMltOperator() == 0) return 0;
    React_OpenBrk(a);
    sigma->argm_num = 2;
    if (Make_ListArray(a, KIND_OPEN_BRK) == nullptr) return 0;
    return Handle_For_MultArgOprt(a);
}

int Handle_For_Operand(char letter, Analyser& a) {
    a.state_inter = NUM_NONE;
    if (Is_Operator(letter)) {
        if (Finish_Variable(a, false) == nullptr) return 0;
        return React_Operator(a, letter);
    }
    if (Is_Letter(letter) || Is_Digit(letter)) return React_Alnum(a, letter);
    if (letter == ')') {
        if (Finish_Variable(a, false) == nullptr) return 0;
        return React_ClosePar(a);
    }
    if (letter == '(') return Handle_FunctionCall(a);
    if (letter == '[') return Handle_Summation(a);
    return 0;
}

int After_Closing(char letter, Analyser& a) {
    if (Is_Operator(letter)) return React_Operator(a, letter);
    if (letter == ')') return React_ClosePar(a);
    return 0;
}

int Handle_For_ClosePar(char letter, Analyser& a) {
    a.state_inter = NUM_NONE;
    if (Make_ListArray(a, KIND_CLOSE_PAR) == nullptr) return 0;
    return After_Closing(letter, a);
}

int Handle_For_CloseBrk(char letter, Analyser& a) {
    a.state_inter = NUM_NONE;
    if (Make_ListArray(a, KIND_CLOSE_BRK) == nullptr) return 0;
    return After_Closing(letter, a);
}

int Append_Number(Analyser& a, char letter, int next_inter) {
    if (a.pos_array >= TOKEN_SIZE - 1) return 0;
    a.temp_array[a.pos_array++] = letter;
    a.state_inter = next_inter;
    return 1;
}

// An operator or ")" ends a complete literal.
int End_Number(char letter, Analyser& a) {
    if (!Is_Operator(letter) && letter != ')') return 0;
    if (Make_ListArray(a, KIND_NUMBER) == nullptr) return 0;
    a.state_inter = NUM_NONE;
    if (letter == ')') return React_ClosePar(a);
    return React_Operator(a, letter);
}

int Handle_For_Number(char letter, Analyser& a) {
    switch (a.state_inter) {
        case NUM_MANTISSA:
            if (Is_Digit(letter)) return Append_Number(a, letter, NUM_MANTISSA);
            if (letter == '.') return Append_Number(a, letter, NUM_DOT);
            if (letter == 'e' || letter == 'E') return Append_Number(a, letter, NUM_EXPONENT);
            return End_Number(letter, a);
        case NUM_DOT:
            if (Is_Digit(letter)) return Append_Number(a, letter, NUM_DECIMAL);
            return 0;
        case NUM_EXPONENT:
            if (letter == '+' || letter == '-') return Append_Number(a, letter, NUM_SIGN);
            if (letter >= '1' && letter <= '9') return Append_Number(a, letter, NUM_POWNUM);
            return 0;
        case NUM_SIGN:
            if (letter >= '1' && letter <= '9') return Append_Number(a, letter, NUM_POWNUM);
            return 0;
        case NUM_DECIMAL:
            if (Is_Digit(letter)) return Append_Number(a, letter, NUM_DECIMAL);
            if (letter == 'e' || letter == 'E') return Append_Number(a, letter, NUM_EXPONENT);
            return End_Number(letter, a);
        case NUM_POWNUM:
            if (Is_Digit(letter)) return Append_Number(a, letter, NUM_POWNUM);
            return End_Number(letter, a);
        default: return 0;
    }
}

int Handle_For_NumEnd(Analyser& a) {
    if (a.state_inter != NUM_MANTISSA && a.state_inter != NUM_DECIMAL &&
        a.state_inter != NUM_POWNUM) {
        return 0;
    }
    return Make_ListEnd(a, KIND_NUMBER) != nullptr ? 1 : 0;
}

int Handle_For_End(Analyser& a) {
    if (opn_count != 0) return 0;
    switch (a.state) {
        case ST_OPERAND: return Finish_Variable(a, true) != nullptr ? 1 : 0;
        case ST_CLOSE_PAR: return Make_ListEnd(a, KIND_CLOSE_PAR) != nullptr ? 1 : 0;
        case ST_CLOSE_BRK: return Make_ListEnd(a, KIND_CLOSE_BRK) != nullptr ? 1 : 0;
        case ST_NUMBER: return Handle_For_NumEnd(a);
        default: return 0;
    }
}

constexpr Handler kHandlers[] = {
    Handle_For_Initial,  Handle_For_Operator, Handle_For_Operand,  Handle_For_OpenPar,
    Handle_For_ClosePar, Handle_For_Number,   Handle_For_CloseBrk,
};

void Place_Error(Analyser& a, int position, int kind) {
    if (!a.error_placed) Set_ErrorInfo(a.the_error, position, a.overflow ? 2 : kind);
}

}  // namespace

int Analysis_Formula(CompForm* the_formlist, int elem_number, const char* formula,
                     ErrorInfo* the_error, AscArray<double> sumv_list) {
    Set_Operator_Function();
    Set_ErrorInfo(the_error, -1, 0);
    opn_count = 0;
    current_number = 0;
    Initialize_CompForm(the_formlist, elem_number);

    Analyser a;
    a.the_formlist = the_formlist;
    a.elem_number = elem_number;
    a.formula = formula;
    a.position = 0;
    a.the_error = the_error;
    a.sumv_list = &sumv_list;
    a.temp_array[0] = '\0';
    a.pos_array = 0;
    a.state = ST_INITIAL;
    a.state_inter = NUM_NONE;
    a.error_placed = false;
    a.overflow = false;

    if (formula[0] == '\0') return 0;
    if (!Handle_For_Initial(formula[0], a)) {
        Place_Error(a, 0, 1);
        return 0;
    }
    for (a.position = 1;; ++a.position) {
        char letter = formula[a.position];
        if (letter == '\0') {
            if (!Handle_For_End(a)) {
                Place_Error(a, a.position, 1);
                return 0;
            }
            return 1;
        }
        int index = a.position;
        if (a.state < 0 || a.state > ST_CLOSE_BRK || !kHandlers[a.state](letter, a)) {
            Place_Error(a, index, 1);
            return 0;
        }
        if (current_number >= elem_number) {
            Set_ErrorInfo(the_error, index, 2);
            return 0;
        }
    }
}

int Get_Argument(const char* formula, int* start_pos, char* argument, int arg_size, char open_lett,
                 char close_lett, char open_lett2, char close_lett2) {
    int depth = 1;
    int depth2 = 0;
    int commas = 0;
    int copied = 0;
    for (int i = *start_pos;; ++i) {
        char c = formula[i];
        if (c == '\0') return 0;
        if (c == open_lett) {
            ++depth;
        } else if (c == close_lett) {
            --depth;
            commas = 0;
        } else if (c == open_lett2) {
            ++depth2;
        } else if (c == close_lett2) {
            --depth2;
            commas = 0;
        } else if (c == ',') {
            ++commas;
            if (commas == 1 && depth == 1 && depth2 == 0) {
                argument[copied] = '\0';
                *start_pos += copied;
                return 1;
            }
        }
        if (copied >= arg_size - 1) return 0;
        argument[copied++] = c;
    }
}

int Get_EndArgument(const char* formula, int* start_pos, char* argument, int arg_size,
                    char open_lett, char close_lett) {
    int depth = 1;
    int copied = 0;
    for (int i = *start_pos;; ++i) {
        char c = formula[i];
        if (c == '\0') return 0;
        if (c == open_lett) {
            ++depth;
        } else if (c == close_lett) {
            if (--depth == 0) {
                argument[copied] = '\0';
                *start_pos += copied;
                return 1;
            }
        }
        if (copied >= arg_size - 1) return 0;
        argument[copied++] = c;
    }
}
