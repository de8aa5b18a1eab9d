#include "formula/formula_input.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "formula/analysis.h"
#include "formula/calc_bin_tree.h"
#include "platform/cp932.h"
#include "platform/message_box.h"

namespace {

bool Is_Blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void Show(const char* text, const char* caption) { MessageBoxA(g_mhDlg, text, caption, MB_OK); }

// Reads the formula field of the explicit, polar and implicit forms.
int Read_FormulaField(const char* edit_letter, char* formula_line, int* position) {
    int result = Input_Formula(edit_letter, formula_line, position, FORMULA_FIELD_SIZE);
    if (result < 0) Show("数式が入力されていません", "no formula");
    return result;
}

int Read_RangeField(const char* edit_letter, char* var_lett, int* position, const char* message) {
    int result = Input_Formula(edit_letter, var_lett, position, FORMULA_FIELD_SIZE);
    if (result < 0) Show(message, "wrong variable");
    return result;
}

int Check_Header(const char* edit_letter, const char* header, int* position, const char* message) {
    if (Formula_Header(edit_letter, header, position)) return 1;
    Show(message, "no formula");
    return 0;
}

// Explicit and polar forms share the rest of the line: formula, then an optional range.
int Formula_ThenRange(const char* edit_letter, int* position, char* formula_line, char* var_lett,
                      const char* range_message) {
    int result = Read_FormulaField(edit_letter, formula_line, position);
    if (result < 0) return result;
    if (result == 0) {
        var_lett[0] = '\0';
        return 0;
    }
    return Read_RangeField(edit_letter, var_lett, position, range_message);
}

}  // namespace

int Input_Formula(const char* source, char* line_formula, int* sor_position, int max_size) {
    int copied = 0;
    int pos = *sor_position;
    if (max_size < 1) return -3;
    for (;;) {
        char c = source[pos];
        if (c == '\0' || c == ':') {
            line_formula[copied] = '\0';
            *sor_position = c == '\0' ? pos : pos + 1;
            if (copied == 0) return c == '\0' ? -1 : -2;
            return c == '\0' ? 0 : 1;
        }
        ++pos;
        if (Is_Blank(c)) continue;
        if (copied >= max_size - 1) {
            line_formula[copied] = '\0';
            *sor_position = pos;
            return -3;
        }
        line_formula[copied++] = c;
    }
}

int Formula_Header(const char* source, const char* header, int* sor_position) {
    size_t wanted = std::strlen(header);
    size_t read = 0;
    int pos = *sor_position;
    bool same = true;
    while (read < wanted) {
        char c = source[pos];
        if (c == '\0') {
            *sor_position = pos;
            return 0;
        }
        ++pos;
        if (Is_Blank(c)) continue;
        if (c != header[read]) same = false;
        ++read;
    }
    *sor_position = pos;
    return same ? 1 : 0;
}

int EditLetter_Analysis(const char* edit_letter, char* formula_line, char* var_lett) {
    int position = 0;
    return Formula_ThenRange(edit_letter, &position, formula_line, var_lett,
                             "可変変数部の入力が変です");
}

int EditLetter_Analysis_Para(const char* edit_letter, char* formula_line_x, char* formula_line_y,
                             char* var_lett) {
    int position = 0;
    if (!Check_Header(edit_letter, "x=", &position, "先頭がx=で始まっていません。")) return -4;
    int result = Input_Formula(edit_letter, formula_line_x, &position, FORMULA_FIELD_SIZE);
    if (result < 0) {
        Show("数式が入力されていません", "no formula");
        return result;
    }
    if (result == 0) {
        Show("y成分が入力されていません", "insufficient formula");
        return -3;
    }
    if (!Check_Header(edit_letter, "y=", &position, "先頭がy=で始まっていません。")) return -4;
    result = Input_Formula(edit_letter, formula_line_y, &position, FORMULA_FIELD_SIZE);
    if (result < 0) {
        Show("数式が入力されていません", "no formula");
        return result;
    }
    if (result == 0) {
        var_lett[0] = '\0';
        return 0;
    }
    return Read_RangeField(edit_letter, var_lett, &position, "媒介変数部の入力が変です");
}

int EditLetter_Analysis_Polar(const char* edit_letter, char* formula_line, char* var_lett) {
    int position = 0;
    if (!Check_Header(edit_letter, "r=", &position, "先頭がr=で始まっていません。")) return -4;
    return Formula_ThenRange(edit_letter, &position, formula_line, var_lett,
                             "角度変数部の入力が変です");
}

int EditLetter_Analysis_Inpl(const char* edit_letter, char* formula_line, char* var_lett,
                             char* dpnd_var) {
    int position = 0;
    if (!Check_Header(edit_letter, "0=", &position, "先頭が0=で始まっていません。")) return -4;
    int result = Read_FormulaField(edit_letter, formula_line, &position);
    if (result < 0) return result;
    if (result == 0) {
        var_lett[0] = '\0';
        dpnd_var[0] = '\0';
        return 0;
    }
    result = Read_RangeField(edit_letter, var_lett, &position, "独立変数部の入力が変です");
    if (result < 0) return result;
    if (result == 0) {
        dpnd_var[0] = '\0';
        return 0;
    }
    result = Read_RangeField(edit_letter, dpnd_var, &position, "従属変数部の入力が変です");
    if (result < 0) return result;
    return 1;
}

int Analysis_VarRangeValue(const char* varia_info, char* operand_label, double* min_value,
                           double* max_value, int* step_numb) {
    if (varia_info[0] == '\0') {
        operand_label[0] = '\0';
        *min_value = 0.0;
        *max_value = 0.0;
        return 2;
    }
    int steps = *step_numb;
    bool step_given = false;
    int result = Analysis_Variable(varia_info, operand_label, FORMULA_FIELD_SIZE, min_value,
                                   max_value, &steps, &step_given);
    // A division count outside 1 ... 1000000 would reach the samplers as nothing to draw
    // or as an allocation of gigabytes: the range part is as unreadable as a typo.
    if (result >= 1 && step_given && (steps < MIN_DIVISIONS || steps > MAX_DIVISIONS)) {
        result = 0;
    }
    if (result < 1) {
        operand_label[0] = '\0';
        *min_value = 0.0;
        *max_value = 0.0;
        *step_numb = 100;
        Show("変数、範囲の与え方が間違っています", "変数範囲解析失敗");
        return 0;
    }
    *step_numb = steps;
    return 1;
}

CompForm* Create_TempCompForm(const char* line_array, int* array_length) {
    int length = static_cast<int>(std::strlen(line_array));
    int signs = (line_array[0] == '-' || line_array[0] == '+') ? 1 : 0;
    // A sign may also open a parenthesised group, a function argument or a sigma body,
    // each adding the number element "0".
    for (int i = 0; i + 1 < length; ++i) {
        char c = line_array[i];
        char next = line_array[i + 1];
        if ((c == '(' || c == ',' || c == '[') && (next == '-' || next == '+')) ++signs;
    }
    *array_length = length + signs;
    return new CompForm[*array_length > 0 ? *array_length : 1];
}

int Copy_CompFormArray(const CompForm* the_source, CompForm* the_copy, int array_num) {
    for (int i = 0; i < array_num; ++i) the_copy[i] = the_source[i];
    // Tree links and argument slots point into the source array: move them to the copy.
    auto relocate = [&](CompForm* pointer) -> CompForm* {
        if (pointer == nullptr) return nullptr;
        if (pointer >= the_source && pointer < the_source + array_num) {
            return the_copy + (pointer - the_source);
        }
        return pointer;
    };
    for (int i = 0; i < array_num; ++i) {
        the_copy[i].left = relocate(the_copy[i].left);
        the_copy[i].right = relocate(the_copy[i].right);
        for (int s = 0; s < the_copy[i].list_fnarg.element_num; ++s) {
            the_copy[i].list_fnarg.CompList[s] = relocate(the_copy[i].list_fnarg.CompList[s]);
        }
    }
    return 1;
}

namespace {

size_t Utf8_CharLength(const char* text, size_t at, size_t length) {
    size_t end = at + 1;
    while (end < length && end - at < 4 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        ++end;
    }
    return end - at;
}

}  // namespace

std::string Failing_Part(const char* text, int byte_count) {
    if (text == nullptr || byte_count < 1) return std::string();
    const size_t length = std::strlen(text);
    std::string part;
    int cp932_bytes = 0;
    // Whole characters up to and including the one the count ends in, at most 255 bytes as
    // CP932 counts them (a character that falls beyond the limit is left out whole).
    for (size_t at = 0; at < length && at < static_cast<size_t>(byte_count);) {
        const size_t char_length = Utf8_CharLength(text, at, length);
        const std::string character(text + at, char_length);
        const int width = char_length == 1 ? 1 : Cp932_ByteLength(character);
        if (cp932_bytes + width > 255) break;
        cp932_bytes += width;
        part += character;
        at += char_length;
    }
    return part;
}

int Analysis_InputFormula(CompForm** the_formlist, const char* line_array) {
    int temp_length = 0;
    CompForm* temp = Create_TempCompForm(line_array, &temp_length);
    ErrorInfo the_error;
    int result = Analysis_Formula(temp, temp_length, line_array, &the_error, EmptyArray);
    if (result == 0) {
        if (the_error.error_kind == 1) {
            const std::string failing_part =
                Failing_Part(line_array, the_error.formula_position + 1);
            char message[1024];
            std::snprintf(message, sizeof message,
                          "これは式になってない。\nおかしいところは %s…なんです",
                          failing_part.c_str());
            Show(message, "式解析失敗");
        } else if (the_error.error_kind == 2) {
            Show("これの配列は、オーバーしとるぞ", "式解析失敗");
        } else {
            Show("式が入力されていません", "式解析失敗");
        }
        delete[] temp;
        return 0;
    }
    int count = current_number + 1;
    CompForm* kept = new CompForm[count];
    Copy_CompFormArray(temp, kept, count);
    delete[] temp;
    *the_formlist = kept;
    return 1;
}

bool Create_ParamInputFrm(char* list_line, int max_list, const char* formula_x,
                          const char* formula_y) {
    size_t needed = std::strlen(formula_y) + std::strlen(formula_x) + 6;
    if (max_list < 0 || needed > static_cast<size_t>(max_list)) {
        Show("式の文字数がオーバー", "formula lett over");
        return false;
    }
    std::string line = std::string("x=") + formula_x + ":y=" + formula_y;
    std::memcpy(list_line, line.c_str(), line.size() + 1);
    return true;
}

bool Create_PolarInputFrm(char* list_line, int max_list, const char* the_formula,
                          const char* the_head) {
    size_t needed = std::strlen(the_head) + std::strlen(the_formula) + 2;
    if (max_list < 0 || needed > static_cast<size_t>(max_list)) {
        Show("式の文字数がオーバー", "formula lett over");
        return false;
    }
    std::string line = std::string(the_head) + "=" + the_formula;
    std::memcpy(list_line, line.c_str(), line.size() + 1);
    return true;
}

int My_Strncpy(char* dest_array, const char* source_array, int copied_num, int dest_size) {
    if (copied_num < 1 || dest_size < 1) return 0;
    int limit = copied_num < dest_size - 1 ? copied_num : dest_size - 1;
    int i = 0;
    for (; i < limit && source_array[i] != '\0'; ++i) dest_array[i] = source_array[i];
    dest_array[i] = '\0';
    return 1;
}

int DeleteSpace_FromLetter(char* target) {
    if (target[0] == '\0') return -1;
    char* write = target;
    for (const char* read = target; *read != '\0'; ++read) {
        if (!Is_Blank(*read)) *write++ = *read;
    }
    *write = '\0';
    return target[0] == '\0' ? 0 : 1;
}
