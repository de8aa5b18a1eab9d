// Text and bit-block transfers on the Qt device contexts: text out and its extent, pattern
// fills, copies between contexts, enlarged copies drawn again from a context's record.
#include <QFontMetrics>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <utility>

#include "platform/cp932.h"
#include "platform/numeric.h"
#include "platform/qt/gdi_qt_internal.h"
#include "platform/qt/qt_gdi.h"

using namespace gdi_qt;

namespace {

QFont Dc_Font(HDC hdc) {
    if (hdc->font) return hdc->font->font;
    tagLOGFONTA lf;
    lf.lfHeight = -16;
    return Qt_Font(lf);
}

QString Text_Of(const char* text, int length) {
    if (!text || length <= 0) return QString();
    return QString::fromUtf8(text, length);
}

}  // namespace

int TextOutA(HDC hdc, int x, int y, const char* text, int length) {
    if (!hdc || !text) return 0;
    if (hdc->record) {
        Keep(hdc, DrawingRecord::kFont, length > 0 ? size_t(length) : 0,
             [=, copy = std::string(text, length > 0 ? size_t(length) : 0)](HDC again) {
                 TextOutA(again, x, y, copy.c_str(), length > 0 ? length : 0);
             });
    }
    const QString s = Text_Of(text, length);
    DcPainter painter(hdc);
    if (!painter.ok()) return 0;
    const QFont font = Dc_Font(hdc);
    painter->setFont(font);
    const QFontMetrics metrics(font, painter->device());
    const int escapement = hdc->font ? hdc->font->log_font.lfEscapement : 0;
    painter->translate(x, y);
    // Escapement is in tenths of a degree, counter-clockwise.
    // (Negated as a double: a stored escapement may be the smallest int.)
    if (escapement != 0) painter->rotate(-(escapement / 10.0));
    const QRect box(0, 0, metrics.horizontalAdvance(s), metrics.height());
    if (hdc->bk_mode == OPAQUE) painter->fillRect(box, Qt_Color(hdc->bk_color));
    painter->setPen(Qt_Color(hdc->text_color));
    // TextOut places the top-left corner of the text box; drawText takes the baseline.
    painter->drawText(QPoint(0, metrics.ascent()), s);
    return 1;
}

int GetTextExtentPoint32A(HDC hdc, const char* text, int length, tagSIZE* size) {
    if (!hdc || !size) return 0;
    const QString s = Text_Of(text, length);
    const QFont font = Dc_Font(hdc);
    QPaintDevice* device = hdc->image            ? static_cast<QPaintDevice*>(hdc->image)
                           : hdc->device_painter ? hdc->device_painter->device()
                                                 : nullptr;
    const QFontMetrics metrics = device ? QFontMetrics(font, device) : QFontMetrics(font);
    size->cx = metrics.horizontalAdvance(s);
    size->cy = metrics.height();
    return 1;
}

int PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
    if (!hdc) return 0;
    QRect area(x, y, width, height);
    area = area.normalized();
    QColor color;
    QPainter::CompositionMode mode = QPainter::CompositionMode_Source;
    const Brush* brush = hdc->brush ? hdc->brush : Default_Brush();
    switch (rop) {
        case PATCOPY:
            if (brush->null) return 1;
            color = Qt_Color(brush->color);
            break;
        case PATINVERT:
            if (brush->null) return 1;
            color = Qt_Color(brush->color);
            mode = QPainter::RasterOp_SourceXorDestination;
            break;
        case WHITENESS: color = Qt::white; break;
        case BLACKNESS: color = Qt::black; break;
        default: return 0;
    }
    if (rop != PATINVERT) Forget_When_Covered(hdc, area);
    Keep(hdc, DrawingRecord::kBrush, 0,
         [=](HDC again) { PatBlt(again, x, y, width, height, rop); });
    DcPainter painter(hdc);
    if (!painter.ok()) return 0;
    if (hdc->image) painter->setCompositionMode(mode);
    painter->fillRect(area, color);
    return 1;
}

int BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int x_src, int y_src,
           DWORD rop) {
    return StretchBlt(dest, x, y, width, height, src, x_src, y_src, width, height, rop);
}

QImage Shrink_BlackOnWhite(const QImage& source, int width, int height) {
    QImage in = source.convertToFormat(QImage::Format_RGB32);
    // Columns first: each source column falls onto column s * width / width_src.
    if (width > 0 && width < in.width()) {
        QImage out(width, in.height(), QImage::Format_RGB32);
        out.fill(0xffffffffu);
        out.setDotsPerMeterX(in.dotsPerMeterX());
        out.setDotsPerMeterY(in.dotsPerMeterY());
        const int64_t from = in.width();
        for (int row = 0; row < in.height(); ++row) {
            const QRgb* src = reinterpret_cast<const QRgb*>(in.constScanLine(row));
            QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(row));
            for (int64_t s = 0; s < from; ++s) dst[s * width / from] &= src[s];
        }
        in = out;
    }
    // Then rows, the same way.
    if (height > 0 && height < in.height()) {
        QImage out(in.width(), height, QImage::Format_RGB32);
        out.fill(0xffffffffu);
        out.setDotsPerMeterX(in.dotsPerMeterX());
        out.setDotsPerMeterY(in.dotsPerMeterY());
        const int64_t from = in.height();
        for (int64_t s = 0; s < from; ++s) {
            const QRgb* src = reinterpret_cast<const QRgb*>(in.constScanLine(static_cast<int>(s)));
            QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(static_cast<int>(s * height / from)));
            for (int col = 0; col < in.width(); ++col) dst[col] &= src[col];
        }
        in = out;
    }
    return in;
}

namespace {

// A copy enlarged from a context that keeps its drawing: the calls are made again on an image
// at the size the copy has on the destination's device pixels. Only the part that lies on the
// destination is drawn when the whole copy would be very large (a high zoom); the result is
// kept for the next copy of the same kind.
int Draw_Enlarged(HDC dest, const QRect& shown, HDC src, const QRect& from, double ratio,
                  QPainter::CompositionMode mode) {
    DrawingRecord& record = *src->record;
    const QSizeF logical = dest->image->deviceIndependentSize();
    const QRect visible =
        shown.intersected(QRect(0, 0, static_cast<int>(std::ceil(logical.width())),
                                static_cast<int>(std::ceil(logical.height()))));
    if (visible.isEmpty()) return 1;
    DrawingRecord::Enlarged key;
    key.width = qMax(1, qRound(shown.width() * ratio));
    key.height = qMax(1, qRound(shown.height() * ratio));
    key.from = from;
    key.generation = record.generation;
    constexpr int64_t kWholeCopyPixels = int64_t(16) << 20;
    if (int64_t(key.width) * key.height <= kWholeCopyPixels) {
        key.part = QRect(0, 0, key.width, key.height);
    } else {
        // In device pixels from the copy's corner, widened to whole pixels.
        auto device = [ratio](double units, bool up) {
            return static_cast<int>(up ? std::ceil(units * ratio) : std::floor(units * ratio));
        };
        const int left = device(visible.left() - shown.left(), false);
        const int top = device(visible.top() - shown.top(), false);
        const int right = device(visible.right() + 1.0 - shown.left(), true);
        const int bottom = device(visible.bottom() + 1.0 - shown.top(), true);
        key.part = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1))
                       .intersected(QRect(0, 0, key.width, key.height));
        if (key.part.isEmpty()) return 1;
    }
    if (record.cache.isNull() || !(record.cache_key == key)) {
        QImage enlarged = New_Image(key.part.width(), key.part.height(), Qt::white);
        DeviceContext again;
        again.kind = DeviceContext::Kind::Memory;
        again.image = &enlarged;
        again.dpi_x = src->dpi_x;
        again.dpi_y = src->dpi_y;
        again.transformed = true;
        again.transform =
            QTransform()
                .translate(-key.part.left(), -key.part.top())
                .scale(double(key.width) / from.width(), double(key.height) / from.height())
                .translate(-from.left(), -from.top());
        Replay(record, &again);
        record.cache = enlarged;
        record.cache_key = key;
    }
    record.cache.setDevicePixelRatio(ratio);
    DcPainter painter(dest);
    if (!painter.ok()) return 0;
    painter->setCompositionMode(mode);
    painter->drawImage(
        QPointF(shown.left() + key.part.left() / ratio, shown.top() + key.part.top() / ratio),
        record.cache);
    return 1;
}

}  // namespace

int StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int x_src, int y_src,
               int width_src, int height_src, DWORD rop) {
    if (!dest || !src || !src->image || width <= 0 || height <= 0 || width_src <= 0 ||
        height_src <= 0) {
        return 0;
    }
    bool ok = false;
    const QPainter::CompositionMode mode = Blt_Mode(rop, &ok);
    if (!ok) return 0;
    // A copy into a context that keeps its drawing cannot be made again from the record.
    Stop_Keeping(dest);
    // The size the copy takes in the destination's own pixels (a high-density screen has
    // more than one per unit).
    const double ratio = dest->image ? dest->image->devicePixelRatio() : 1.0;
    const int device_width = ratio == 1.0 ? width : qMax(1, qRound(width * ratio));
    const int device_height = ratio == 1.0 ? height : qMax(1, qRound(height * ratio));
    if (dest->image && src->record && !src->record->overflowed && src != dest &&
        device_width >= width_src && device_height >= height_src &&
        (device_width > width_src || device_height > height_src)) {
        return Draw_Enlarged(dest, QRect(x, y, width, height), src,
                             QRect(x_src, y_src, width_src, height_src), ratio, mode);
    }
    // Copy the source first: the destination may be the same image.
    QImage part = src->image->copy(x_src, y_src, width_src, height_src);
    // A shrinking stretch keeps dark lines and text on white: the source pixels that meet on
    // one destination pixel are combined with AND. Enlarging repeats pixels.
    if (device_width < width_src || device_height < height_src) {
        part = Shrink_BlackOnWhite(part, device_width, device_height);
    }
    DcPainter painter(dest);
    if (!painter.ok()) return 0;
    // Raster operations work on images; on a printer the copy onto white paper is the same.
    if (dest->image) painter->setCompositionMode(mode);
    if (width == part.width() && height == part.height()) {
        painter->drawImage(QPoint(x, y), part);
    } else {
        painter->drawImage(QRect(x, y, width, height), part);
    }
    return 1;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    if (!hdc || !hdc->image || !hdc->image->valid(x, y)) return CLR_INVALID;
    return Colorref_Of(QColor(hdc->image->pixel(x, y)));
}
