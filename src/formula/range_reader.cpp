// The range text of a variable, "name(min,max)" with an optional "[steps]": the formula
// text front-end and the summation operator read it alike.
#include "formula/range_reader.h"

#include "formula/characters.h"
#include "formula/number_text.h"
#include "platform/numeric.h"

namespace {
constexpr int RANGE_PART_SIZE = 80;
}  // namespace

int Analysis_Variable(const char* formula, char* var_name, int var_size, double* min_val,
                      double* max_val, int* step_num, bool* step_given) {
    if (step_given != nullptr) *step_given = false;
    if (var_size > 0) var_name[0] = '\0';
    if (formula[0] == '\0') return -1;
    char parts[3][RANGE_PART_SIZE] = {};
    int lengths[3] = {0, 0, 0};
    int name_length = 0;
    int sub_state = 0;
    for (const char* p = formula; *p != '\0'; ++p) {
        char c = *p;
        switch (sub_state) {
            case 0:
                if (Is_Blank(c)) break;
                if (!Is_Letter(c)) return -2;
                if (var_size < 2) return -2;
                var_name[name_length++] = c;
                var_name[name_length] = '\0';
                sub_state = 1;
                break;
            case 1:
                if (Is_Blank(c)) break;
                if (c == '(') {
                    sub_state = 2;
                    break;
                }
                if (!Is_Letter(c) && !Is_Digit(c)) return -2;
                if (name_length >= var_size - 1) return -2;
                var_name[name_length++] = c;
                var_name[name_length] = '\0';
                break;
            case 2:
            case 3:
            case 5: {
                int part = sub_state == 2 ? 0 : (sub_state == 3 ? 1 : 2);
                char end = sub_state == 2 ? ',' : (sub_state == 3 ? ')' : ']');
                if (c == end) {
                    sub_state = sub_state == 2 ? 3 : (sub_state == 3 ? 4 : 6);
                    break;
                }
                if (Is_Blank(c)) break;
                if (lengths[part] >= RANGE_PART_SIZE - 1) return -3 - part;
                parts[part][lengths[part]++] = c;
                break;
            }
            case 4:
                if (c == '[') sub_state = 5;
                break;
            default: break;
        }
    }
    if (sub_state != 4 && sub_state != 6) return 0;
    if (!C_To_Double(parts[0], min_val)) return -3;
    if (!C_To_Double(parts[1], max_val)) return -4;
    if (sub_state == 6) {
        double steps = 0.0;
        if (!C_To_Double(parts[2], &steps)) return -5;
        *step_num = Trunc_ToInt32(steps);
        if (step_given != nullptr) *step_given = true;
    }
    return 1;
}
