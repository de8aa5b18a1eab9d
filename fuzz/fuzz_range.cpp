// The range text "name(min,max)[steps]" as the variable boxes and the formula line
// give it: Analysis_Variable with every name-buffer size, then the range reader around it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "formula/analysis.h"
#include "formula/formula_input.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Install_SilentSink();
    if (size < 1 || size > 600) return 0;
    // The first byte chooses the size of the name buffer (1 … 256).
    const int name_size = 1 + data[0];
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    text = text.c_str();
    std::string name(static_cast<size_t>(name_size), '\x7f');
    double low = 0.0;
    double high = 0.0;
    int steps = 100;
    bool step_given = false;
    Analysis_Variable(text.c_str(), name.data(), name_size, &low, &high, &steps, &step_given);
    if (name.find('\0') == std::string::npos) __builtin_trap();  // the name was not ended
    char label[FORMULA_FIELD_SIZE];
    if (text.size() < FORMULA_FIELD_SIZE) {
        Analysis_VarRangeValue(text.c_str(), label, &low, &high, &steps);
    }
    return 0;
}
