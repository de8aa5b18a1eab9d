#include "frames/font_set.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/cp932.h"

UINT_PTR Font_Hook(HWND hdlg, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        SetWindowTextA(hdlg, "フォントの設定");
        return 1;
    }
    return 0;
}

FontSet::FontSet(HWND hwnd, short point_size, const tagLOGFONTA* log_font) {
    if (log_font) {
        glog_font = *log_font;
    } else {
        const int dpi_y = hwnd ? hwnd->LogPixelsY() : 96;
        glog_font.lfHeight = -MulDiv(point_size, dpi_y, 72);
        glog_font.lfCharSet = SHIFTJIS_CHARSET;
        Copy_ToBuffer(glog_font.lfFaceName, sizeof glog_font.lfFaceName, "ＭＳ ゴシック");
    }
    static COLORREF font_color = 0;
    chs_fnt.lStructSize = 60;
    chs_fnt.hwndOwner = hwnd;
    chs_fnt.lpLogFont = &glog_font;
    chs_fnt.Flags = 0x149;
    chs_fnt.rgbColors = font_color;
    chs_fnt.nFontType = 0x2000;
    chs_fnt.lpfnHook = Font_Hook;
}

FontSet::FontSet(const FontSet& source) : chs_fnt(source.chs_fnt), glog_font(source.glog_font) {
    chs_fnt.lpLogFont = &glog_font;
}

FontSet& FontSet::operator=(const FontSet& source) {
    chs_fnt = source.chs_fnt;
    glog_font = source.glog_font;
    chs_fnt.lpLogFont = &glog_font;
    return *this;
}

int LogFont_ToBytes(const tagLOGFONTA* log_font, unsigned char bytes[60]) {
    std::memset(bytes, 0, 60);
    const LONG ints[5] = {log_font->lfHeight, log_font->lfWidth, log_font->lfEscapement,
                          log_font->lfOrientation, log_font->lfWeight};
    for (int i = 0; i < 5; ++i) {
        const uint32_t v = static_cast<uint32_t>(ints[i]);
        for (int b = 0; b < 4; ++b) bytes[4 * i + b] = static_cast<unsigned char>(v >> (8 * b));
    }
    const BYTE small[8] = {log_font->lfItalic,       log_font->lfUnderline,
                           log_font->lfStrikeOut,    log_font->lfCharSet,
                           log_font->lfOutPrecision, log_font->lfClipPrecision,
                           log_font->lfQuality,      log_font->lfPitchAndFamily};
    std::memcpy(bytes + 20, small, 8);
    const std::string face(log_font->lfFaceName,
                           strnlen(log_font->lfFaceName, sizeof log_font->lfFaceName));
    std::string cp932;
    if (!Utf8_ToCp932(face, &cp932) || cp932.size() > FACE_NAME_CP932_BYTES) return 0;
    // At most 31 bytes into the zero-filled 32 of the field: the name stays terminated.
    // NOLINTNEXTLINE(bugprone-not-null-terminated-result)
    std::memcpy(bytes + 28, cp932.data(), cp932.size());
    return 1;
}

int LogFont_FromBytes(const unsigned char bytes[60], tagLOGFONTA* log_font) {
    const unsigned char* face = bytes + 28;
    const void* end = std::memchr(face, '\0', 32);
    if (end == nullptr) return 0;
    std::string utf8;
    const size_t face_length = static_cast<size_t>(static_cast<const unsigned char*>(end) - face);
    if (!Cp932_ToUtf8(std::string(reinterpret_cast<const char*>(face), face_length), &utf8)) {
        return 0;
    }
    LONG ints[5];
    for (int i = 0; i < 5; ++i) {
        uint32_t v = 0;
        for (int b = 0; b < 4; ++b) v |= uint32_t(bytes[4 * i + b]) << (8 * b);
        ints[i] = static_cast<LONG>(v);
    }
    log_font->lfHeight = ints[0];
    log_font->lfWidth = ints[1];
    log_font->lfEscapement = ints[2];
    log_font->lfOrientation = ints[3];
    log_font->lfWeight = ints[4];
    log_font->lfItalic = bytes[20];
    log_font->lfUnderline = bytes[21];
    log_font->lfStrikeOut = bytes[22];
    log_font->lfCharSet = bytes[23];
    log_font->lfOutPrecision = bytes[24];
    log_font->lfClipPrecision = bytes[25];
    log_font->lfQuality = bytes[26];
    log_font->lfPitchAndFamily = bytes[27];
    if (utf8.size() < sizeof log_font->lfFaceName) {
        std::memset(log_font->lfFaceName, 0, sizeof log_font->lfFaceName);
        std::memcpy(log_font->lfFaceName, utf8.data(), utf8.size());
    }
    return 1;
}

bool Put_LogFont(DocWriter* stream, const tagLOGFONTA* log_font) {
    unsigned char bytes[60];
    if (!stream->keeps_utf8) {
        if (!LogFont_ToBytes(log_font, bytes)) return false;
        stream->PutBytes(bytes, sizeof bytes);
        return true;
    }
    tagLOGFONTA faceless = *log_font;
    std::memset(faceless.lfFaceName, 0, sizeof faceless.lfFaceName);
    LogFont_ToBytes(&faceless, bytes);
    stream->PutBytes(bytes, sizeof bytes);
    const size_t length = strnlen(log_font->lfFaceName, sizeof log_font->lfFaceName);
    stream->Put32(static_cast<int32_t>(length));
    stream->PutBytes(log_font->lfFaceName, length);
    return true;
}

bool Get_LogFont(DocReader* stream, tagLOGFONTA* log_font) {
    unsigned char bytes[60];
    if (!stream->GetBytes(bytes, sizeof bytes)) return false;
    if (!LogFont_FromBytes(bytes, log_font)) {
        stream->Fail();
        return false;
    }
    if (!stream->keeps_utf8) return true;
    int32_t length = 0;
    if (!stream->Get32(&length) || length < 0 ||
        static_cast<size_t>(length) >= sizeof log_font->lfFaceName) {
        stream->Fail();
        return false;
    }
    std::memset(log_font->lfFaceName, 0, sizeof log_font->lfFaceName);
    return stream->GetBytes(log_font->lfFaceName, static_cast<size_t>(length));
}
