#include "platform/cp932.h"

#include <iconv.h>

#include <cerrno>

namespace {

// Converts as much as possible; returns the number of input bytes that had to be skipped
// (counted through skipped_bytes) and whether everything converted.
bool Convert(const char* to, const char* from, const std::string& in, std::string* out,
             size_t* skipped_bytes) {
    out->clear();
    if (skipped_bytes) *skipped_bytes = 0;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    bool ok = true;
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    char buffer[256];
    while (src_left > 0) {
        char* dst = buffer;
        size_t dst_left = sizeof buffer;
        size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
        out->append(buffer, static_cast<size_t>(dst - buffer));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            ok = false;
            if (!skipped_bytes) break;
            // Skip one UTF-8 (or one CP932) character and go on counting.
            size_t step = 1;
            const unsigned char lead = static_cast<unsigned char>(*src);
            if (lead >= 0xF0)
                step = 4;
            else if (lead >= 0xE0)
                step = 3;
            else if (lead >= 0xC0)
                step = 2;
            if (step > src_left) step = src_left;
            *skipped_bytes += step;
            src += step;
            src_left -= step;
        }
    }
    iconv_close(cd);
    return ok;
}

}  // namespace

int Cp932_ByteLength(const std::string& utf8) {
    std::string converted;
    size_t skipped = 0;
    Convert("CP932", "UTF-8", utf8, &converted, &skipped);
    return static_cast<int>(converted.size() + skipped);
}

namespace {
thread_local std::string unwritable;

size_t Character_Length(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}
}  // namespace

const std::string& Cp932_Unwritable() { return unwritable; }

bool Utf8_ToCp932(const std::string& utf8, std::string* out) {
    unwritable.clear();
    std::string back;
    if (Convert("CP932", "UTF-8", utf8, out, nullptr) &&
        Convert("UTF-8", "CP932", *out, &back, nullptr) && back == utf8) {
        return true;
    }
    // Character by character: the first that does not come back as itself.
    for (size_t at = 0; at < utf8.size();) {
        const size_t length = Character_Length(static_cast<unsigned char>(utf8[at]));
        const std::string one = utf8.substr(at, length);
        std::string bytes, again;
        if (!Convert("CP932", "UTF-8", one, &bytes, nullptr) ||
            !Convert("UTF-8", "CP932", bytes, &again, nullptr) || again != one) {
            unwritable = one;
            break;
        }
        at += length;
    }
    if (unwritable.empty()) unwritable = "?";
    return false;
}

std::string Cut_ToCp932Bytes(const std::string& utf8, size_t max_bytes) {
    size_t at = 0;
    size_t bytes = 0;
    while (at < utf8.size()) {
        const size_t length = Character_Length(static_cast<unsigned char>(utf8[at]));
        const int more = Cp932_ByteLength(utf8.substr(at, length));
        if (bytes + static_cast<size_t>(more) > max_bytes) break;
        bytes += static_cast<size_t>(more);
        at += length;
    }
    return utf8.substr(0, at < utf8.size() ? at : utf8.size());
}

bool Cp932_ToUtf8(const std::string& cp932, std::string* out) {
    return Convert("UTF-8", "CP932", cp932, out, nullptr);
}

std::string Fold_FullWidth(const std::string& utf8) {
    std::string folded;
    folded.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = [&utf8](size_t at) { return static_cast<unsigned char>(utf8[at]); };
        // Both ranges are three-byte sequences: EF BC 81 … EF BD 9E and E3 80 80.
        if (i + 2 < utf8.size() && byte(i) == 0xEF &&
            (byte(i + 1) == 0xBC || byte(i + 1) == 0xBD) && (byte(i + 2) & 0xC0) == 0x80) {
            const unsigned code = 0xF000u | ((byte(i + 1) & 0x3Fu) << 6) | (byte(i + 2) & 0x3Fu);
            if (code >= 0xFF01 && code <= 0xFF5E) {
                folded += static_cast<char>(code - 0xFF01 + 0x21);
                i += 2;
                continue;
            }
        }
        if (i + 2 < utf8.size() && byte(i) == 0xE3 && byte(i + 1) == 0x80 && byte(i + 2) == 0x80) {
            folded += ' ';
            i += 2;
            continue;
        }
        folded += utf8[i];
    }
    return folded;
}
