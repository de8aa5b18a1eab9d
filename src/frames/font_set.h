// The font of a text element together with the parameters of its font chooser, which also
// chooses the text colour.
#pragma once

#include "platform/doc_stream.h"
#include "platform/gdi.h"

UINT_PTR Font_Hook(HWND hdlg, UINT message, WPARAM wparam, LPARAM lparam);

class FontSet {
public:
    // Without a font: "ＭＳ ゴシック", Shift-JIS character set, point_size at the window's
    // vertical resolution.
    FontSet(HWND hwnd, short point_size, const tagLOGFONTA* log_font = nullptr);
    FontSet(const FontSet& source);
    FontSet& operator=(const FontSet& source);

    int ShowFontDlg() { return ChooseFontA(&chs_fnt); }
    tagLOGFONTA* PutLogFont() { return &glog_font; }
    const tagLOGFONTA* PutLogFont() const { return &glog_font; }
    void SetLogFont(const tagLOGFONTA* log_font) { glog_font = *log_font; }
    COLORREF PutColorInfo() const { return chs_fnt.rgbColors; }
    void SetFontColor(COLORREF color) { chs_fnt.rgbColors = color; }
    const tagCHOOSEFONTA& PutChooser() const { return chs_fnt; }

private:
    tagCHOOSEFONTA chs_fnt;
    tagLOGFONTA glog_font;
};

// The 60 bytes the document file stores for a font: the integers little-endian, the face
// name in CP932. 0 when the face name cannot be written in CP932 or does not fit.
int LogFont_ToBytes(const tagLOGFONTA* log_font, unsigned char bytes[60]);
// The font of 60 stored bytes. 0 when the face name has no NUL or is not CP932; a face
// name whose UTF-8 form does not fit in memory keeps the font's current face.
int LogFont_FromBytes(const unsigned char bytes[60], tagLOGFONTA* log_font);
// The font record of a stream: the 60 bytes of a file; in an undo copy the same 60 bytes
// with an empty face, then the face as it is (length and UTF-8 bytes). False when it cannot
// be written or read (the reader then failed).
bool Put_LogFont(DocWriter* stream, const tagLOGFONTA* log_font);
bool Get_LogFont(DocReader* stream, tagLOGFONTA* log_font);
