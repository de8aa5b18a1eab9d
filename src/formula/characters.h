// The classes of characters the formula language and its range texts are read with.
#pragma once

inline bool Is_Letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool Is_Digit(char c) { return c >= '0' && c <= '9'; }
inline bool Is_Blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
