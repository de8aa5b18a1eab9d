// Conversions of floating-point values to integers as the program defines them:
// truncation toward zero; a value that is not a number or does not fit gives the
// smallest 32-bit integer (also the gap value of series points).
#pragma once

#include <cmath>
#include <cstdint>

constexpr int32_t GAP_VALUE = INT32_MIN;

inline int32_t Trunc_ToInt32(double value) {
    // The comparison is false for NaN, so NaN falls through to the gap value.
    if (value > -2147483649.0 && value < 2147483648.0) {
        return static_cast<int32_t>(value);
    }
    return GAP_VALUE;
}

inline int64_t Trunc_ToInt64(double value) {
    if (value > -9223372036854775808.0 && value < 9223372036854775808.0) {
        return static_cast<int64_t>(value);
    }
    return INT64_MIN;
}
