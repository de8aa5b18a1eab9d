// Conversions between numbers and 8-bit text. Every function returns 1 on success and
// 0 on failure. Formatting and parsing never depend on the process locale: a decimal
// point is always ".". Writers take the size of their buffer and never write past it.
#pragma once

#include <cstddef>
#include <string>

#include "platform/win_types.h"

// format_specify: 0 automatic (exponent form outside 0.1 ... 1000), 1 exponent form,
// 2 (or anything else) fixed form. digit_number: digits after the decimal point, 0 ... 16.
// When the fixed form of a very large value would not fit the buffer, the exponent form
// is written instead.
int Double_To_C(double in_double, char* edit_char, short digit_number, short format_specify,
                size_t edit_size);

// Appends ".<digits>e" or ".<digits>f" to s_format (which the caller starts as "%").
int Make_Trans_Format(char* s_format, short digit_number, short format_specify, size_t format_size);

int Long_To_C(LONG in_long, char* edit_char, size_t edit_size);
int Short_To_C(short in_short, char* edit_char, size_t edit_size);

// The whole text must be one number (no trailing blank); the empty text is 0. The value
// read is stored even when the text has trailing characters.
int C_To_Double(const char* the_char, double* the_double);
// Base 0: "0x" selects hexadecimal and a leading 0 octal. A value outside 32 bits stores
// -2147483648 and fails.
int C_To_Long(const char* the_char, LONG* the_long);

// printf-style formatting into a string of whatever length it needs, always with "." as
// the decimal point.
std::string Format_CText(const char* format, ...) __attribute__((format(printf, 1, 2)));
