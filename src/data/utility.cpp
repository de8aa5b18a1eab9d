#include "data/utility.h"

#include <cmath>

#include "platform/choosers.h"
#include "platform/numeric.h"

namespace {

// A whole count kept in a double (a count of steps can exceed 32 bits); never -0.0.
double Whole_Count(double value) { return std::trunc(value) + 0.0; }

// Truncation through single precision, as the decomposition defines it.
double Single_Trunc(double value) {
    return std::trunc(static_cast<double>(static_cast<float>(value)));
}

}  // namespace

void Get_Sign_of_Value(double value_onaxis, int* sign_value) {
    *sign_value = value_onaxis >= 0.0 ? 1 : -1;
}

void Calc_Power_Expr(double given_number, double* log_part, int* mantissa_part) {
    const double a = std::fabs(given_number);
    int e = Trunc_ToInt32(Single_Trunc(std::log10(a)));
    if (a > 0.1 && a < 1.0) e = -1;
    if (e < 0 && std::pow(10.0, e - 1) <= a && a < std::pow(10.0, e)) e = e - 1;
    double m = std::pow(10.0, -e) * a;
    if (m < 1.0) {
        m = m * 10.0;
        e = e - 1;
    }
    if (given_number < 0.0) m = -m;
    *log_part = m;
    *mantissa_part = e;
}

void Get_Number_of_AnyDigit(double mantissa_part, double* new_dig_value, int* integer_digit,
                            int digit_of_number) {
    double kept = 0.0;
    double m = mantissa_part;
    double d = Single_Trunc(m);
    for (int i = 0; i <= digit_of_number - 2; ++i) {
        kept = kept + d * std::pow(10.0, -i);
        m = (m - d) * 10.0;
        d = std::trunc(m);
    }
    *new_dig_value = kept;
    *integer_digit = Trunc_ToInt32(d);
}

void PreProce_For_Div(double* first_div, int digit_of_number) {
    double mantissa = 0.0;
    int e = 0;
    Calc_Power_Expr(*first_div, &mantissa, &e);
    double kept = 0.0;
    int next = 0;
    Get_Number_of_AnyDigit(mantissa, &kept, &next, digit_of_number);
    // A mantissa just below ten can round to the digit 10 in single precision: carry it
    // into the exponent so the step stays tidy (1.5 x 10^(e+1), not 10.5 x 10^e).
    if (kept >= 10.0) {
        kept = 1.0;
        next = 0;
        e = e + 1;
    }
    if (next <= 4) {
        *first_div = kept * std::pow(10.0, e) + 5.0 * std::pow(10.0, e - digit_of_number + 1);
    } else {
        *first_div = kept * std::pow(10.0, e) + std::pow(10.0, e - digit_of_number + 2);
    }
}

void Get_MaxMin_OnAxis(double div_value, double* min_value, double* max_value, int sign_min,
                       int sign_max, int* num_of_div) {
    const double d = div_value;
    double n_start = 0.0;
    double n_end = 0.0;
    double divisions = 0.0;
    if (sign_min > 0) {
        n_start = Whole_Count(*min_value / d);
        *min_value = n_start * d;
        n_end = Whole_Count(*max_value / d + 1.0);
        *max_value = n_end * d;
        divisions = n_end - n_start;
    } else if (sign_max > 0) {
        n_start = Whole_Count(std::fabs(*min_value) / d + 1.0);
        *min_value = (0.0 - n_start) * d;
        n_end = Whole_Count(*max_value / d + 1.0);
        *max_value = n_end * d;
        divisions = n_end + n_start;
    } else {
        n_start = Whole_Count(std::fabs(*min_value) / d + 1.0);
        *min_value = (0.0 - n_start) * d;
        n_end = Whole_Count(std::fabs(*max_value) / d);
        *max_value = (0.0 - n_end) * d;
        divisions = n_start - n_end;
    }
    *num_of_div = Trunc_ToInt32(divisions);
}

void Determin_Axis_Range(double min_value_onaxis, double max_value_onaxis, double* new_min_on_axis,
                         double* new_max_on_axis, double* dim_of_div, int* num_of_div) {
    double min = min_value_onaxis;
    double max = max_value_onaxis;
    if (min == max) {
        const double w = std::fabs(max);
        min = min - 0.1 * w;
        max = max + 0.1 * w;
    }
    double first_div = (max - min) / *num_of_div;
    // No decomposition exists for an empty, unbounded or undefined range (the logarithm of
    // zero is not finite): such a range becomes -1 ... 1.
    if (!std::isfinite(min) || !std::isfinite(max) || !std::isfinite(first_div) ||
        first_div == 0.0) {
        min = -1.0;
        max = 1.0;
        if (*num_of_div < 1) *num_of_div = 1;
        first_div = (max - min) / *num_of_div;
    }
    int sign_min = 0;
    int sign_max = 0;
    Get_Sign_of_Value(min, &sign_min);
    Get_Sign_of_Value(max, &sign_max);
    PreProce_For_Div(&first_div, 2);
    *dim_of_div = first_div;
    Get_MaxMin_OnAxis(first_div, &min, &max, sign_min, sign_max, num_of_div);
    *new_min_on_axis = min;
    *new_max_on_axis = max;
}

int CalcMaxMin_Of_Array(const double* target_array, int element_number, double* min_number,
                        double* max_number, double* div_value) {
    *min_number = target_array[0];
    *max_number = target_array[0];
    for (int i = 0; i < element_number; ++i) {
        if (target_array[i] < *min_number) *min_number = target_array[i];
        if (target_array[i] > *max_number) *max_number = target_array[i];
    }
    *div_value = element_number >= 2 ? target_array[1] - target_array[0] : 0.0;
    return 1;
}

LONG ValueTransfer_To_OnScreen(LONG initial_value, double real_value, double standard_start,
                               double trns_fc) {
    return Trunc_ToInt32(initial_value + (real_value - standard_start) * trns_fc);
}

tagPOINT SetArrbPoint(LONG x_pos, LONG y_pos) {
    tagPOINT point;
    point.x = x_pos;
    point.y = y_pos;
    return point;
}

int Is_SpaceArray(const char* target_lett) {
    if (!target_lett) return 1;
    for (const char* p = target_lett; *p; ++p) {
        switch (*p) {
            case ' ':
            case '\t':
            case '\n':
            case '\v':
            case '\f':
            case '\r': break;
            default: return 0;
        }
    }
    return 1;
}

COLORREF Defalt_Color(int line_num) {
    switch (line_num % 7) {
        case 1: return RGB(255, 0, 0);
        case 2: return RGB(0, 255, 0);
        case 3: return RGB(0, 0, 255);
        case 4: return RGB(255, 255, 0);
        case 5: return RGB(255, 0, 255);
        case 6: return RGB(0, 255, 246);
        default: return RGB(0, 0, 0);
    }
}

namespace {

OPENFILENAMEA File_Request(HWND hdwnd, char* file_fullname, char* file_title,
                           const char* file_filter, const char* def_extn, const char* open_title,
                           int name_size) {
    OPENFILENAMEA ofn;
    ofn.lStructSize = 76;
    ofn.hwndOwner = hdwnd;
    ofn.lpstrFilter = file_filter;
    ofn.nFilterIndex = 0;
    ofn.lpstrFile = file_fullname;
    ofn.nMaxFile = static_cast<DWORD>(name_size);
    ofn.lpstrFileTitle = file_title;
    ofn.nMaxFileTitle = 64;
    ofn.lpstrTitle = open_title;
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    ofn.lpstrDefExt = def_extn;
    return ofn;
}

}  // namespace

int GetOpen_FilePath(HWND hdwnd, char* file_fullname, char* file_title, const char* file_filter,
                     const char* def_extn, const char* open_title, int name_size) {
    OPENFILENAMEA ofn = File_Request(hdwnd, file_fullname, file_title, file_filter, def_extn,
                                     open_title, name_size);
    return GetOpenFileNameA(&ofn);
}

int Save_FilePath(HWND hdwnd, char* file_fullname, char* file_title, int* select_file,
                  const char* file_filter, const char* def_extn, const char* open_title,
                  int name_size) {
    OPENFILENAMEA ofn = File_Request(hdwnd, file_fullname, file_title, file_filter, def_extn,
                                     open_title, name_size);
    const int result = GetSaveFileNameA(&ofn);
    if (result && select_file) *select_file = static_cast<int>(ofn.nFilterIndex);
    return result;
}

int Save_FilePathWithChoice(HWND hdwnd, char* file_fullname, char* file_title, int* select_file,
                            const char* file_filter, const char* def_extn, const char* open_title,
                            int name_size, const char* choice_label, const char* const* choices,
                            int* choice) {
    OPENFILENAMEA ofn = File_Request(hdwnd, file_fullname, file_title, file_filter, def_extn,
                                     open_title, name_size);
    if (select_file != nullptr && *select_file > 0) {
        ofn.nFilterIndex = static_cast<DWORD>(*select_file);
    }
    ofn.lpstrChoiceLabel = choice_label;
    ofn.lpChoices = choices;
    ofn.nChoice = *choice;
    const int result = GetSaveFileNameA(&ofn);
    if (result && select_file) *select_file = static_cast<int>(ofn.nFilterIndex);
    if (result) *choice = ofn.nChoice;
    return result;
}
