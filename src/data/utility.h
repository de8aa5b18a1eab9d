// Helpers shared by the graph and dialog code: tidy axis ranges, decomposition of numbers,
// value-to-pixel transfer, default series colours and the file-name dialogs.
#pragma once

#include "platform/choosers.h"
#include "platform/win_types.h"

// Turns a data range into a tidy axis range. *num_of_div is the wanted number of divisions
// on entry and the number produced on return.
void Determin_Axis_Range(double min_value_onaxis, double max_value_onaxis, double* new_min_on_axis,
                         double* new_max_on_axis, double* dim_of_div, int* num_of_div);
// +1 for a value >= 0, -1 for a negative value or NaN.
void Get_Sign_of_Value(double value_onaxis, int* sign_value);
// given_number = *log_part x 10^*mantissa_part with 1 <= |*log_part| < 10.
void Calc_Power_Expr(double given_number, double* log_part, int* mantissa_part);
// Keeps the leading digit_of_number - 1 digits of a mantissa and reports the next digit.
void Get_Number_of_AnyDigit(double mantissa_part, double* new_dig_value, int* integer_digit,
                            int digit_of_number);
// Rounds a raw division step up to a tidy value, in place.
void PreProce_For_Div(double* first_div, int digit_of_number);
// Snaps a range outward to multiples of the step and counts the divisions.
void Get_MaxMin_OnAxis(double div_value, double* min_value, double* max_value, int sign_min,
                       int sign_max, int* num_of_div);

int CalcMaxMin_Of_Array(const double* target_array, int element_number, double* min_number,
                        double* max_number, double* div_value);
// initial_value + (real_value - standard_start) x trns_fc, truncated; the gap value when
// the result is not a number or does not fit in 32 bits.
LONG ValueTransfer_To_OnScreen(LONG initial_value, double real_value, double standard_start,
                               double trns_fc);
tagPOINT SetArrbPoint(LONG x_pos, LONG y_pos);
int Is_SpaceArray(const char* target_lett);
COLORREF Defalt_Color(int line_num);

// Open and save dialogs. file_fullname holds MAX_PATH bytes (its content is the initial
// name), file_title 64 bytes. The filter is pairs of NUL-terminated texts ended by an
// empty one. Non-zero when a file was chosen.
// A file-name buffer long enough for any Linux path; the dialogs take its size as their
// last argument (260 bytes when not given).
constexpr int FILE_NAME_SIZE = 4096;
int GetOpen_FilePath(HWND hdwnd, char* file_fullname, char* file_title, const char* file_filter,
                     const char* def_extn, const char* open_title, int name_size = MAX_PATH);
int Save_FilePath(HWND hdwnd, char* file_fullname, char* file_title, int* select_file,
                  const char* file_filter, const char* def_extn, const char* open_title,
                  int name_size = MAX_PATH);
// The same with a choice beside the file name (see OPENFILENAMEA): *choice in, the chosen
// item out; *select_file, when above 0, is the filter shown first.
int Save_FilePathWithChoice(HWND hdwnd, char* file_fullname, char* file_title, int* select_file,
                            const char* file_filter, const char* def_extn, const char* open_title,
                            int name_size, const char* choice_label, const char* const* choices,
                            int* choice);
