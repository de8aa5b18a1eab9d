// Texts are UTF-8 in memory and CP932 (Shift-JIS) in files; byte limits are counted in
// CP932 bytes so that whatever fits in memory also fits in the file.
#pragma once

#include <cstddef>
#include <string>

// Number of bytes the text takes in CP932. A character that CP932 cannot hold counts
// with its UTF-8 bytes (the file writer reports it when saving).
int Cp932_ByteLength(const std::string& utf8);

// Converts to CP932; false when a character cannot be converted, or would read back as
// another character (U+00A5 ¥ would come back as \, U+301C 〜 as ～): out is then
// incomplete and Cp932_Unwritable() names the character.
bool Utf8_ToCp932(const std::string& utf8, std::string* out);
// The first character of the last text Utf8_ToCp932 refused (UTF-8), empty when none was.
const std::string& Cp932_Unwritable();
// The longest start of the text, in whole characters, whose CP932 form has at most
// max_bytes bytes.
std::string Cut_ToCp932Bytes(const std::string& utf8, size_t max_bytes);
// Converts from CP932; false on an invalid byte sequence.
bool Cp932_ToUtf8(const std::string& cp932, std::string* out);

// What an input method types in full width read as the ASCII it stands for: U+FF01 … U+FF5E
// (！ … ～) become ! … ~ and the ideographic space U+3000 a space; every other character stays.
// Formulas, ranges and values are read this way; titles and names keep what was typed.
std::string Fold_FullWidth(const std::string& utf8);
