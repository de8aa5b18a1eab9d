// Little-endian fields of the document file, written and read one by one.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>

inline bool Write_LE32(std::FILE* file, int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    const unsigned char bytes[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                    static_cast<unsigned char>(v >> 16),
                                    static_cast<unsigned char>(v >> 24)};
    return std::fwrite(bytes, 1, 4, file) == 4;
}

inline bool Write_LEDouble(std::FILE* file, double value) {
    uint64_t v = 0;
    std::memcpy(&v, &value, 8);
    unsigned char bytes[8];
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<unsigned char>(v >> (8 * i));
    return std::fwrite(bytes, 1, 8, file) == 8;
}

inline bool Read_LE32(std::FILE* file, int32_t* value) {
    unsigned char bytes[4];
    if (std::fread(bytes, 1, 4, file) != 4) return false;
    const uint32_t v = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                       uint32_t(bytes[3]) << 24;
    *value = static_cast<int32_t>(v);
    return true;
}

inline bool Read_LEDouble(std::FILE* file, double* value) {
    unsigned char bytes[8];
    if (std::fread(bytes, 1, 8, file) != 8) return false;
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v |= uint64_t(bytes[i]) << (8 * i);
    std::memcpy(value, &v, 8);
    return true;
}
