// The whole formula path on arbitrary text: front-end split, analysis, tree, binding,
// evaluation at a few variable values. Anything the sanitizers object to is a finding.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "formula/analysis.h"
#include "formula/calc_bin_tree.h"
#include "formula/create_bin_tree.h"
#include "formula/formula_input.h"
#include "platform/message_box.h"
#include "platform/numeric.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Install_SilentSink();
    if (size > 600) return 0;
    std::string line(reinterpret_cast<const char*>(data), size);
    line = line.c_str();  // up to the first NUL, as the text boxes give it

    char formula[FORMULA_FIELD_SIZE];
    char range[FORMULA_FIELD_SIZE];
    if (EditLetter_Analysis(line.c_str(), formula, range) < 0) return 0;
    char name[FORMULA_FIELD_SIZE];
    double min_value = 0.0;
    double max_value = 0.0;
    int steps = 100;
    Analysis_VarRangeValue(range, name, &min_value, &max_value, &steps);

    CompForm* elements = nullptr;
    if (!Analysis_InputFormula(&elements, formula)) return 0;
    int count = current_number + 1;
    int index = 0;
    CompForm* root = Create_BinTree(&index, 0, nullptr, nullptr, elements, count);
    AscArray<double> variables;
    Create_SymbolTable<double>(elements, count, variables);
    // A summation over millions of terms is correct but would stall the fuzzer: evaluate
    // only when all sums together stay small.
    double terms = 1.0;
    for (int i = 0; i < count; ++i) {
        char range_name[256];
        double low = 0.0;
        double high = 0.0;
        if (Get_VariableRange(&elements[i], range_name, sizeof range_name, &low, &high)) {
            // The bounds as the evaluator converts them.
            const double span = static_cast<double>(Trunc_ToInt32(high)) - Trunc_ToInt32(low) + 1.0;
            if (span > 1.0) terms *= span;
        }
    }
    const double samples[] = {0.0, -1.5, 2.0, 1e300};
    for (double value : samples) {
        if (name[0] != '\0' && variables(name)) variables[name] = value;
        if (terms > 20000.0) break;
        int flag = 1;
        volatile double result = BinTreeFunc(root, &flag, variables, g_ufunc_list, EmptyArray);
        (void)result;
    }
    delete[] elements;
    return 0;
}
