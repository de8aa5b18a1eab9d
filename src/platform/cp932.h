// Texts are UTF-8 in memory and CP932 (Shift-JIS) in files; byte limits are counted in
// CP932 bytes so that whatever fits in memory also fits in the file.
#pragma once

#include <string>

// Number of bytes the text takes in CP932. A character that CP932 cannot hold counts
// with its UTF-8 bytes (the file writer reports it when saving).
int Cp932_ByteLength(const std::string& utf8);

// Converts to CP932; false when a character cannot be converted (out is then incomplete).
bool Utf8_ToCp932(const std::string& utf8, std::string* out);
// Converts from CP932; false on an invalid byte sequence.
bool Cp932_ToUtf8(const std::string& cp932, std::string* out);
