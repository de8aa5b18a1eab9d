// Every typed-line splitter: the formula box's text for each form, the list line rebuilt from
// the pieces, and that line read back as the list entry is read when it is drawn.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "formula/formula_input.h"
#include "fuzz_support.h"
#include "kinds/math_form.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Install_SilentSink();
    if (size < 1 || size > 700) return 0;
    const int form = data[0] % 4;
    std::string line(reinterpret_cast<const char*>(data + 1), size - 1);
    line = line.c_str();
    char a[FORMULA_FIELD_SIZE] = {};
    char b[FORMULA_FIELD_SIZE] = {};
    char range[FORMULA_FIELD_SIZE] = {};
    char list_line[2 * FORMULA_FIELD_SIZE + 16] = {};
    double low = 0.0, high = 0.0, low2 = 0.0, high2 = 0.0;
    int steps = 100, steps2 = 100;
    char name[256] = {};
    char name2[256] = {};
    switch (form) {
        case 0:
            if (EditLetter_Analysis(line.c_str(), a, range) >= 0) {
                Get_FormulaInfo(line.c_str(), b, name, &low, &high, &steps);
            }
            break;
        case 1:
            if (EditLetter_Analysis_Para(line.c_str(), a, b, range) >= 0 &&
                Create_ParamInputFrm(list_line, sizeof list_line, a, b)) {
                char x[256], y[256];
                Get_FormulaInfo_Para(list_line, x, y, name, &low, &high, &steps);
            }
            break;
        case 2:
            if (EditLetter_Analysis_Polar(line.c_str(), a, range) >= 0 &&
                Create_PolarInputFrm(list_line, sizeof list_line, a, "r=")) {
                Get_FormulaInfo_Polar(list_line, b, name, &low, &high, &steps);
            }
            break;
        default:
            if (EditLetter_Analysis_Inpl(line.c_str(), a, range, b) >= 0) {
                char formula[256];
                Get_FormulaInfo_Inpl(line.c_str(), formula, name, &low, &high, &steps, name2, &low2,
                                     &high2, &steps2);
            }
            break;
    }
    return 0;
}
