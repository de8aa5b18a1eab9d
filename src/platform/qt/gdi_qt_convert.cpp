// Conversions between the platform's plain types and Qt's: colours, rectangles, fonts (with
// the substitutions of the Windows face names) and new pictures.
#include <cmath>
#include <QFont>
#include <QString>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/cp932.h"
#include "platform/qt/qt_gdi.h"

QColor Qt_Color(COLORREF color) {
    return QColor(static_cast<int>(color & 0xff), static_cast<int>((color >> 8) & 0xff),
                  static_cast<int>((color >> 16) & 0xff));
}

COLORREF Colorref_Of(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

QRect Qt_Rect(const tagRECT& rect) {
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

tagRECT Rect_Of(const QRect& rect) {
    tagRECT r;
    r.left = rect.left();
    r.top = rect.top();
    r.right = rect.left() + rect.width();
    r.bottom = rect.top() + rect.height();
    return r;
}

void Install_FontSubstitutions() {
    static bool done = false;
    if (done) return;
    done = true;
    QFont::insertSubstitution(QString::fromUtf8("ＭＳ ゴシック"), "IPAGothic");
    QFont::insertSubstitution(QString::fromUtf8("ＭＳ Ｐゴシック"), "IPAPGothic");
    QFont::insertSubstitution("MS Gothic", "IPAGothic");
    QFont::insertSubstitution("MS PGothic", "IPAPGothic");
}

QFont Qt_Font(const tagLOGFONTA& log_font) {
    Install_FontSubstitutions();
    char face[sizeof log_font.lfFaceName + 1] = {};
    std::memcpy(face, log_font.lfFaceName, sizeof log_font.lfFaceName);
    // The installed family a stored face name stands for: vector output (SVG) then names a
    // font that exists, and the screen draws the same glyphs as before.
    QFont font(QFont::substitute(QString::fromUtf8(face)));
    font.setStyleHint(QFont::SansSerif);
    LONG height = log_font.lfHeight;
    if (height < 0) {
        font.setPixelSize(height == INT32_MIN ? 1 : -height);
    } else if (height > 0) {
        // A positive height is the cell height: scale the character height to fit it.
        font.setPixelSize(height);
        const int cell = QFontMetrics(font).height();
        if (cell > 0) font.setPixelSize(qMax(1, static_cast<int>(int64_t(height) * height / cell)));
    } else {
        font.setPixelSize(16);
    }
    if (log_font.lfWeight > 0) {
        font.setWeight(static_cast<QFont::Weight>(qBound(1, int(log_font.lfWeight), 1000)));
    }
    font.setItalic(log_font.lfItalic != 0);
    font.setUnderline(log_font.lfUnderline != 0);
    font.setStrikeOut(log_font.lfStrikeOut != 0);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

tagLOGFONTA LogFont_Of(const QFont& font, int dpi_y) {
    tagLOGFONTA lf;
    if (font.pixelSize() > 0) {
        lf.lfHeight = -font.pixelSize();
    } else {
        lf.lfHeight = -static_cast<LONG>(std::lround(font.pointSizeF() * dpi_y / 72.0));
    }
    lf.lfWeight = static_cast<LONG>(font.weight());
    lf.lfItalic = font.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    // As much of the name as the document file can keep, whole characters only.
    const std::string face = Cut_ToCp932Bytes(font.family().toStdString(), FACE_NAME_CP932_BYTES);
    std::memcpy(lf.lfFaceName, face.data(), std::min(face.size(), sizeof lf.lfFaceName - 1));
    return lf;
}

QImage New_Image(int width, int height, QColor fill) {
    QImage image(qMax(1, width), qMax(1, height), QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(fill);
    return image;
}
