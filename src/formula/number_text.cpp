#include "formula/number_text.h"

#include <clocale>

#include <cerrno>
#include <cstdarg>
#include <cmath>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

locale_t C_Locale() {
    static locale_t c_locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return c_locale;
}

// Formats under the C locale whatever the process locale is.
class CLocaleScope {
public:
    CLocaleScope() : previous_(uselocale(C_Locale())) {}
    ~CLocaleScope() { uselocale(previous_); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t previous_;
};

}  // namespace

int Make_Trans_Format(char* s_format, short digit_number, short format_specify,
                      size_t format_size) {
    size_t used = std::strlen(s_format);
    if (used >= format_size) return 0;
    int written = std::snprintf(s_format + used, format_size - used, ".%d%s",
                                static_cast<int>(digit_number), format_specify == 1 ? "e" : "f");
    return (written >= 0 && static_cast<size_t>(written) < format_size - used) ? 1 : 0;
}

int Double_To_C(double in_double, char* edit_char, short digit_number, short format_specify,
                size_t edit_size) {
    if (digit_number > 16 || digit_number < 0 || edit_size == 0) return 0;
    short form = format_specify;
    if (in_double == 0.0) {
        form = 2;
    } else if (form == 0) {
        double magnitude = std::fabs(in_double);
        form = (magnitude > 1000.0 || magnitude < 0.1) ? 1 : 2;
    }
    if (form != 1) form = 2;

    CLocaleScope c_numbers;
    char fmt[16] = "%";
    Make_Trans_Format(fmt, digit_number, form, sizeof fmt);
    int needed = std::snprintf(nullptr, 0, fmt, in_double);
    if (needed < 0) return 0;
    if (static_cast<size_t>(needed) >= edit_size && form == 2) {
        // The fixed form of a huge value runs to hundreds of digits.
        std::strcpy(fmt, "%");
        Make_Trans_Format(fmt, digit_number, 1, sizeof fmt);
        needed = std::snprintf(nullptr, 0, fmt, in_double);
        if (needed < 0) return 0;
    }
    if (static_cast<size_t>(needed) >= edit_size) return 0;
    std::snprintf(edit_char, edit_size, fmt, in_double);
    return 1;
}

int Long_To_C(LONG in_long, char* edit_char, size_t edit_size) {
    int written = std::snprintf(edit_char, edit_size, "%ld", static_cast<long>(in_long));
    return (written >= 0 && static_cast<size_t>(written) < edit_size) ? 1 : 0;
}

int Short_To_C(short in_short, char* edit_char, size_t edit_size) {
    int written = std::snprintf(edit_char, edit_size, "%d", static_cast<int>(in_short));
    return (written >= 0 && static_cast<size_t>(written) < edit_size) ? 1 : 0;
}

int C_To_Double(const char* the_char, double* the_double) {
    char* end = nullptr;
    *the_double = strtod_l(the_char, &end, C_Locale());
    return *end == '\0' ? 1 : 0;
}

int C_To_Long(const char* the_char, LONG* the_long) {
    char* end = nullptr;
    errno = 0;
    long long value = strtoll_l(the_char, &end, 0, C_Locale());
    if (errno == ERANGE || value < INT32_MIN || value > INT32_MAX) {
        *the_long = INT32_MIN;
        return 0;
    }
    *the_long = static_cast<LONG>(value);
    return *end == '\0' ? 1 : 0;
}

std::string Format_CText(const char* format, ...) {
    CLocaleScope c_numbers;
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int needed = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text;
    if (needed > 0) {
        text.resize(static_cast<size_t>(needed) + 1);
        std::vsnprintf(&text[0], text.size(), format, again);
        text.resize(static_cast<size_t>(needed));
    }
    va_end(again);
    return text;
}
