// Device contexts over Qt: the drawing record that lets a memory context be drawn again
// enlarged, the drawing objects, pens and strokes, and the primitives (lines, rectangles,
// ellipses). Text and bit-block transfers are in gdi_qt_text.cpp.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/numeric.h"

#include "platform/cp932.h"
#include "platform/qt/gdi_qt_internal.h"
#include "platform/qt/qt_gdi.h"

namespace {
Pen stock_pens[3];       // white, black, null
Brush stock_brushes[3];  // white, black, null
}  // namespace

namespace gdi_qt {

HPEN Default_Pen() { return GetStockPen(BLACK_PEN); }
HBRUSH Default_Brush() { return GetStockBrush(WHITE_BRUSH); }

bool Will_Keep(HDC hdc, size_t size) {
    if (!hdc->record || hdc->record->overflowed) return false;
    if (hdc->record->bytes + size + DrawingRecord::kCallBytes > DrawingRecord::kMaxBytes) {
        Stop_Keeping(hdc);
        return false;
    }
    return true;
}

void Keep(HDC hdc, unsigned uses, size_t size, std::function<void(HDC)> draw) {
    if (Will_Keep(hdc, size)) hdc->record->Add(hdc, uses, size, std::move(draw));
}

void Stop_Keeping(HDC hdc) {
    if (!hdc->record || hdc->record->overflowed) return;
    hdc->record->calls = {};
    hdc->record->bytes = 0;
    hdc->record->overflowed = true;
    hdc->record->Changed();
}

void Forget_When_Covered(HDC hdc, const QRect& area) {
    if (hdc->record && hdc->image && !hdc->clipped && area.contains(hdc->image->rect())) {
        hdc->record->Clear();
    }
}

bool Xor(HDC hdc) { return hdc->rop2 == R2_XORPEN && hdc->image; }

QPainter::CompositionMode Blt_Mode(DWORD rop, bool* ok) {
    *ok = true;
    switch (rop) {
        case SRCCOPY: return QPainter::CompositionMode_Source;
        case SRCAND: return QPainter::RasterOp_SourceAndDestination;
        case SRCPAINT: return QPainter::RasterOp_SourceOrDestination;
        case SRCINVERT: return QPainter::RasterOp_SourceXorDestination;
        default: *ok = false; return QPainter::CompositionMode_Source;
    }
}

}  // namespace gdi_qt

using namespace gdi_qt;

namespace {

// How the selected pen draws an outline. A styled pen fills its gaps with the background
// colour while the background mode is opaque, as the desktop does; in XOR mode the dots
// are then drawn with pen ^ background so that they combine to pen ^ destination.
struct StrokeStyle {
    bool visible = false;
    bool gap_pass = false;  // the background-coloured pass under a styled pen
    // Drawn enlarged: the pen is as wide as a pixel of the context, and its centre lies in the
    // middle of the pixels it covers there (strokes at 100 % cover the pixel right of and
    // below their coordinates).
    bool enlarged = false;
    QPen gap_pen;
    QPen pen;
};

StrokeStyle Stroke_Style(HDC hdc) {
    StrokeStyle style;
    const Pen* pen = hdc->pen ? hdc->pen : Default_Pen();
    if (pen->style == PS_NULL) return style;
    style.visible = true;
    // A high-density window surface is drawn enlarged as well, so its lines are as wide as
    // the elements' lines copied onto it.
    style.enlarged = hdc->transformed || (hdc->image && hdc->image->devicePixelRatio() != 1.0);
    const int width = pen->width < 1 ? 1 : pen->width;
    const bool styled = pen->style != PS_SOLID && width == 1;
    COLORREF dots = pen->color;
    if (styled && hdc->bk_mode == OPAQUE) {
        style.gap_pass = true;
        style.gap_pen = QPen(Qt_Color(hdc->bk_color), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        dots = Xor(hdc) ? (pen->color ^ hdc->bk_color) : pen->color;
    }
    QPen qpen(Qt_Color(dots), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    if (width == 1 && !style.enlarged) qpen.setCosmetic(true);
    if (styled) {
        switch (pen->style) {
            case PS_DOT: qpen.setDashPattern({1, 1}); break;
            case PS_DASH: qpen.setDashPattern({6, 2}); break;
            case PS_DASHDOT: qpen.setDashPattern({6, 2, 1, 2}); break;
            default: qpen.setDashPattern({6, 2, 1, 2, 1, 2}); break;
        }
    }
    style.pen = qpen;
    return style;
}

template <typename Shape>
void Stroke_With(QPainter& painter, const StrokeStyle& style, Shape shape, bool centred = true) {
    if (!style.visible) return;
    if (style.enlarged && centred) {
        painter.save();
        painter.translate(0.5, 0.5);
    }
    painter.setBrush(Qt::NoBrush);
    if (style.gap_pass) {
        painter.setPen(style.gap_pen);
        shape(painter);
    }
    painter.setPen(style.pen);
    shape(painter);
    if (style.enlarged && centred) painter.restore();
}

// A line as drawn enlarged. At 100 % a line covers the pixels from its smaller end along its
// longer axis up to, not including, its larger end; enlarged, the stroke runs from the near
// edge of the one to the near edge of the other, through the middle of the pixels across it.
QLineF Enlarged_Line(QPoint from, QPoint to) {
    const bool along_x =
        std::abs(int64_t(to.x()) - from.x()) >= std::abs(int64_t(to.y()) - from.y());
    if (along_x ? to.x() < from.x() : to.y() < from.y()) std::swap(from, to);
    const double dx = double(to.x()) - from.x(), dy = double(to.y()) - from.y();
    const double length = std::hypot(dx, dy);
    if (!(length > 0.0)) return QLineF(QPointF(from), QPointF(from));
    const QPointF shift(0.5 - 0.5 * dx / length, 0.5 - 0.5 * dy / length);
    return QLineF(QPointF(from) + shift, QPointF(to) + shift);
}

// One segment with the style's pen (and its gap pass).
void Stroke_Line(QPainter& painter, const StrokeStyle& style, const QPoint& from,
                 const QPoint& to) {
    if (style.enlarged) {
        const QLineF line = Enlarged_Line(from, to);
        Stroke_With(
            painter, style, [&](QPainter& q) { q.drawLine(line); }, false);
    } else {
        Stroke_With(painter, style, [&](QPainter& q) { q.drawLine(from, to); });
    }
}

// Draws an outline with the selected pen.
template <typename Shape>
void Stroke(HDC hdc, QPainter& painter, Shape shape) {
    Stroke_With(painter, Stroke_Style(hdc), shape);
}

// Whether drawing a shape a second time leaves a picture as it was: everything is drawn in
// one opaque colour by plain copying, so the pixels touched only ever take that colour.
bool Redraw_ChangesNothing(HDC hdc, const StrokeStyle& style) {
    return hdc->image && !Xor(hdc) && !style.gap_pass;
}

// The shapes already drawn in a batch, by their four coordinates (open addressing; a key
// with the gap value in its first place marks an empty slot, as no drawn shape has one).
class DrawnShapes {
public:
    struct Key {
        int32_t a, b, c, d;
        bool operator==(const Key& o) const { return a == o.a && b == o.b && c == o.c && d == o.d; }
    };
    // True when the key was not there before (it is now).
    bool Insert(const Key& key) {
        if ((count_ + 1) * 2 > slots_.size()) Grow();
        size_t i = Hash(key) & (slots_.size() - 1);
        while (slots_[i].a != GAP_VALUE) {
            if (slots_[i] == key) return false;
            i = (i + 1) & (slots_.size() - 1);
        }
        slots_[i] = key;
        ++count_;
        return true;
    }

private:
    static size_t Hash(const Key& k) {
        uint64_t h = (uint64_t(uint32_t(k.a)) << 32 | uint32_t(k.b)) * 0x9E3779B97F4A7C15ull;
        h ^= (uint64_t(uint32_t(k.c)) << 32 | uint32_t(k.d)) * 0xC2B2AE3D27D4EB4Full;
        return static_cast<size_t>(h ^ (h >> 29));
    }
    void Grow() {
        std::vector<Key> old(slots_.empty() ? 0 : slots_.size() * 2, Key{GAP_VALUE, 0, 0, 0});
        old.swap(slots_);
        if (slots_.empty()) slots_.assign(1024, Key{GAP_VALUE, 0, 0, 0});
        count_ = 0;
        for (const Key& k : old) {
            if (k.a != GAP_VALUE) Insert(k);
        }
    }
    std::vector<Key> slots_;
    size_t count_ = 0;
};

void Fill(HDC hdc, QPainter& painter, const QRectF& area, bool ellipse) {
    const Brush* brush = hdc->brush ? hdc->brush : Default_Brush();
    if (brush->null) return;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt_Color(brush->color));
    if (ellipse) {
        painter.drawEllipse(area);
    } else {
        painter.drawRect(area);
    }
}

}  // namespace

HDC Create_ImageDC(QImage* image, int dpi_x, int dpi_y) {
    HDC hdc = new DeviceContext;
    hdc->kind = DeviceContext::Kind::Printer;
    hdc->image = image;
    hdc->dpi_x = dpi_x;
    hdc->dpi_y = dpi_y;
    return hdc;
}

HDC Create_PainterDC(QPainter* painter, int dpi_x, int dpi_y) {
    HDC hdc = new DeviceContext;
    hdc->kind = DeviceContext::Kind::Printer;
    hdc->device_painter = painter;
    hdc->dpi_x = dpi_x;
    hdc->dpi_y = dpi_y;
    return hdc;
}

QImage* Dc_Image(HDC hdc) { return hdc ? hdc->image : nullptr; }

int SetAbortProc(HDC hdc, ABORTPROC proc) {
    if (hdc == nullptr) return 0;
    hdc->abort_proc = proc;
    hdc->aborted = false;
    return 1;
}

HDC GetDC(HWND hwnd) { return hwnd ? hwnd->GetDC() : nullptr; }

int ReleaseDC(HWND hwnd, HDC hdc) {
    if (!hwnd || !hdc) return 0;
    hwnd->ReleaseDC(hdc);
    return 1;
}

void DrawingRecord::Add(HDC hdc, unsigned uses, size_t size, std::function<void(HDC)> draw) {
    Call call;
    if (uses & kPen) {
        call.state.has_pen = true;
        call.state.pen = *(hdc->pen ? hdc->pen : Default_Pen());
    }
    if (uses & kBrush) {
        call.state.has_brush = true;
        call.state.brush = *(hdc->brush ? hdc->brush : Default_Brush());
    }
    if ((uses & kFont) && hdc->font) {
        call.state.has_font = true;
        call.state.font = *hdc->font;
    }
    call.state.rop2 = hdc->rop2;
    call.state.bk_mode = hdc->bk_mode;
    call.state.bk_color = hdc->bk_color;
    call.state.text_color = hdc->text_color;
    call.state.position = hdc->position;
    call.draw = std::move(draw);
    calls.push_back(std::move(call));
    bytes += size + kCallBytes;
    Changed();
}

namespace gdi_qt {

void Replay(DrawingRecord& record, HDC target) {
    for (DrawingRecord::Call& call : record.calls) {
        DrawingRecord::State& state = call.state;
        target->pen = state.has_pen ? &state.pen : nullptr;
        target->brush = state.has_brush ? &state.brush : nullptr;
        target->font = state.has_font ? &state.font : nullptr;
        target->rop2 = state.rop2;
        target->bk_mode = state.bk_mode;
        target->bk_color = state.bk_color;
        target->text_color = state.text_color;
        target->position = state.position;
        call.draw(target);
    }
    target->pen = nullptr;
    target->brush = nullptr;
    target->font = nullptr;
}

}  // namespace gdi_qt

size_t Kept_Drawing_Bytes(HDC memory_dc) {
    return memory_dc && memory_dc->record ? memory_dc->record->bytes : 0;
}

void Keep_Drawing(HDC memory_dc) {
    if (memory_dc && memory_dc->kind == DeviceContext::Kind::Memory && !memory_dc->record) {
        memory_dc->record = std::make_shared<DrawingRecord>();
    }
}

HDC CreateCompatibleDC(HDC hdc) {
    HDC mem = new DeviceContext;
    mem->kind = DeviceContext::Kind::Memory;
    if (hdc) {
        mem->dpi_x = hdc->dpi_x;
        mem->dpi_y = hdc->dpi_y;
    }
    mem->own_bitmap.image = New_Image(1, 1, Qt::black);
    mem->image = &mem->own_bitmap.image;
    return mem;
}

int DeleteDC(HDC hdc) {
    if (!hdc) return 0;
    if (hdc->bitmap) hdc->bitmap->selected_in = nullptr;
    delete hdc;
    return 1;
}

int GetDeviceCaps(HDC hdc, int index) {
    if (!hdc) return 0;
    switch (index) {
        case LOGPIXELSX: return hdc->dpi_x;
        case LOGPIXELSY: return hdc->dpi_y;
        case HORZRES:
            if (hdc->image) return hdc->image->width();
            return hdc->device_painter && hdc->device_painter->device()
                       ? hdc->device_painter->device()->width()
                       : 0;
        case VERTRES:
            if (hdc->image) return hdc->image->height();
            return hdc->device_painter && hdc->device_painter->device()
                       ? hdc->device_painter->device()->height()
                       : 0;
        default: return 0;
    }
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    HBITMAP bitmap = new Bitmap;
    bitmap->image = New_Image(width, height, Qt::black);
    return bitmap;
}

HPEN CreatePen(int style, int width, COLORREF color) {
    HPEN pen = new Pen;
    pen->style = style;
    pen->width = width;
    pen->color = color & 0xFFFFFF;
    return pen;
}

HBRUSH CreateSolidBrush(COLORREF color) {
    HBRUSH brush = new Brush;
    brush->color = color & 0xFFFFFF;
    return brush;
}

HFONT CreateFontIndirectA(const tagLOGFONTA* log_font) {
    if (!log_font) return nullptr;
    HFONT font = new Font;
    font->log_font = *log_font;
    font->font = Qt_Font(*log_font);
    return font;
}

HPEN GetStockPen(int index) {
    static bool ready = false;
    if (!ready) {
        ready = true;
        for (Pen& p : stock_pens) p.stock = true;
        stock_pens[0].color = 0xFFFFFF;
        stock_pens[2].style = PS_NULL;
    }
    switch (index) {
        case WHITE_PEN: return &stock_pens[0];
        case NULL_PEN: return &stock_pens[2];
        default: return &stock_pens[1];
    }
}

HBRUSH GetStockBrush(int index) {
    static bool ready = false;
    if (!ready) {
        ready = true;
        for (Brush& b : stock_brushes) b.stock = true;
        stock_brushes[0].color = 0xFFFFFF;
        stock_brushes[2].null = true;
    }
    switch (index) {
        case BLACK_BRUSH: return &stock_brushes[1];
        case NULL_BRUSH: return &stock_brushes[2];
        default: return &stock_brushes[0];
    }
}

HPEN SelectObject(HDC hdc, HPEN pen) {
    if (!hdc || !pen) return nullptr;
    HPEN previous = hdc->pen ? hdc->pen : Default_Pen();
    hdc->pen = pen;
    return previous;
}

HBRUSH SelectObject(HDC hdc, HBRUSH brush) {
    if (!hdc || !brush) return nullptr;
    HBRUSH previous = hdc->brush ? hdc->brush : Default_Brush();
    hdc->brush = brush;
    return previous;
}

HFONT SelectObject(HDC hdc, HFONT font) {
    if (!hdc || !font) return nullptr;
    HFONT previous = hdc->font;
    hdc->font = font;
    return previous;
}

HBITMAP SelectObject(HDC hdc, HBITMAP bitmap) {
    if (!hdc || !bitmap || hdc->kind != DeviceContext::Kind::Memory) return nullptr;
    if (bitmap->selected_in && bitmap->selected_in != hdc) return nullptr;
    HBITMAP previous = hdc->bitmap;
    if (previous) previous->selected_in = nullptr;
    hdc->bitmap = bitmap;
    bitmap->selected_in = hdc;
    hdc->image = &bitmap->image;
    if (hdc->record) hdc->record->Clear();
    return previous;
}

int DeleteObject(HPEN pen) {
    if (!pen || pen->stock) return 0;
    delete pen;
    return 1;
}

int DeleteObject(HBRUSH brush) {
    if (!brush || brush->stock) return 0;
    delete brush;
    return 1;
}

int DeleteObject(HFONT font) {
    if (!font) return 0;
    delete font;
    return 1;
}

int DeleteObject(HBITMAP bitmap) {
    if (!bitmap || bitmap->selected_in) return 0;
    delete bitmap;
    return 1;
}

int DeleteObject(HRGN rgn) {
    if (!rgn) return 0;
    delete rgn;
    return 1;
}

int SetROP2(HDC hdc, int mode) {
    if (!hdc) return 0;
    const int previous = hdc->rop2;
    hdc->rop2 = mode;
    return previous;
}

int SetBkMode(HDC hdc, int mode) {
    if (!hdc) return 0;
    const int previous = hdc->bk_mode;
    hdc->bk_mode = mode;
    return previous;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    if (!hdc) return CLR_INVALID;
    const COLORREF previous = hdc->bk_color;
    hdc->bk_color = color & 0xFFFFFF;
    return previous;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    if (!hdc) return CLR_INVALID;
    const COLORREF previous = hdc->text_color;
    hdc->text_color = color & 0xFFFFFF;
    return previous;
}

int Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    if (!hdc || right <= left || bottom <= top) return 0;
    Keep(hdc, DrawingRecord::kPen | DrawingRecord::kBrush, 0,
         [=](HDC again) { Rectangle(again, left, top, right, bottom); });
    DcPainter painter(hdc);
    if (!painter.ok()) return 0;
    const Pen* pen = hdc->pen ? hdc->pen : Default_Pen();
    const double inset = pen->style == PS_NULL ? 0.0 : 1.0;
    // Interior first, then the outline over its edge pixels.
    Fill(hdc, *painter,
         QRectF(left + inset, top + inset, double(right) - left - 1 - inset,
                double(bottom) - top - 1 - inset),
         false);
    const QRectF outline(left, top, double(right) - left - 1, double(bottom) - top - 1);
    Stroke(hdc, *painter, [&](QPainter& p) { p.drawRect(outline); });
    return 1;
}

int Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    if (!hdc || right <= left || bottom <= top) return 0;
    Keep(hdc, DrawingRecord::kPen | DrawingRecord::kBrush, 0,
         [=](HDC again) { Ellipse(again, left, top, right, bottom); });
    DcPainter painter(hdc);
    if (!painter.ok()) return 0;
    const QRectF box(left, top, double(right) - left - 1, double(bottom) - top - 1);
    Fill(hdc, *painter, box, true);
    Stroke(hdc, *painter, [&](QPainter& p) { p.drawEllipse(box); });
    return 1;
}

int FillRect(HDC hdc, const tagRECT* rect, HBRUSH brush) {
    if (!hdc || !rect || !brush || brush->null) return 0;
    if (rect->right <= rect->left || rect->bottom <= rect->top) return 1;
    Forget_When_Covered(hdc, Qt_Rect(*rect));
    Keep(hdc, 0, 0,
         [area = *rect, fill = *brush](HDC again) mutable { FillRect(again, &area, &fill); });
    DcPainter painter(hdc);
    if (!painter.ok()) return 0;
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    painter->fillRect(Qt_Rect(*rect), Qt_Color(brush->color));
    return 1;
}

int MoveToEx(HDC hdc, int x, int y, tagPOINT* previous) {
    if (!hdc) return 0;
    if (previous) {
        previous->x = hdc->position.x();
        previous->y = hdc->position.y();
    }
    hdc->position = QPoint(x, y);
    return 1;
}

int LineTo(HDC hdc, int x, int y) {
    if (!hdc) return 0;
    Keep(hdc, DrawingRecord::kPen, 0, [=](HDC again) { LineTo(again, x, y); });
    DcPainter painter(hdc);
    if (!painter.ok()) return 0;
    const QPoint from = hdc->position;
    const QPoint to(x, y);
    Stroke_Line(*painter, Stroke_Style(hdc), from, to);
    hdc->position = to;
    return 1;
}

int Polyline(HDC hdc, const tagPOINT* points, int count) {
    if (!hdc || !points || count < 2) return 0;
    if (Will_Keep(hdc, sizeof(tagPOINT) * size_t(count))) {
        Keep(hdc, DrawingRecord::kPen, sizeof(tagPOINT) * size_t(count),
             [copy = std::vector<tagPOINT>(points, points + count)](HDC again) {
                 Polyline(again, copy.data(), static_cast<int>(copy.size()));
             });
    }
    DcPainter painter(hdc);
    if (!painter.ok()) return 0;
    QPolygon polygon(count);
    for (int i = 0; i < count; ++i) polygon.setPoint(i, points[i].x, points[i].y);
    const StrokeStyle style = Stroke_Style(hdc);
    if (style.enlarged) {
        // Segment by segment: each covers its start pixel and not its end, as at 100 %.
        for (int i = 1; i < count; ++i) {
            Stroke_Line(*painter, style, polygon.point(i - 1), polygon.point(i));
        }
    } else {
        Stroke_With(*painter, style, [&](QPainter& p) { p.drawPolyline(polygon); });
    }
    return 1;
}

namespace {

// What a kept copy of a polyline drawn with an opaque solid pen needs: of a run of consecutive
// points on one pixel column only the first, the lowest, the highest and the last, in their
// order. The segments left out lie on that column within the span the kept ones cover, and a
// flat-capped pen covers a union of spans on one column exactly as it covers the span, so the
// drawing enlarged is the same; a dense series keeps a few points per column.
std::vector<tagPOINT> Column_Extremes(const tagPOINT* points, int count) {
    std::vector<tagPOINT> kept;
    auto gap = [](const tagPOINT& p) { return p.x == GAP_VALUE || p.y == GAP_VALUE; };
    int i = 0;
    while (i < count) {
        if (gap(points[i])) {
            kept.push_back(points[i++]);
            continue;
        }
        int end = i + 1;
        while (end < count && !gap(points[end]) && points[end].x == points[i].x) ++end;
        if (end - i <= 4) {
            kept.insert(kept.end(), points + i, points + end);
        } else {
            int low = i;
            int high = i;
            for (int k = i + 1; k < end; ++k) {
                if (points[k].y < points[low].y) low = k;
                if (points[k].y > points[high].y) high = k;
            }
            kept.push_back(points[i]);
            for (int k : {std::min(low, high), std::max(low, high)}) {
                if (k != i && k != end - 1) kept.push_back(points[k]);
            }
            kept.push_back(points[end - 1]);
        }
        i = end;
    }
    return kept;
}

}  // namespace

int GapPolyline(HDC hdc, const tagPOINT* points, int count) {
    if (!hdc || !points) return 0;
    if (count > 0 && Will_Keep(hdc, 0)) {
        const Pen* pen = hdc->pen ? hdc->pen : Default_Pen();
        const bool solid = pen->style == PS_SOLID || pen->width > 1;
        std::vector<tagPOINT> copy = solid && !Xor(hdc) && hdc->image
                                         ? Column_Extremes(points, count)
                                         : std::vector<tagPOINT>(points, points + count);
        const size_t bytes = sizeof(tagPOINT) * copy.size();
        Keep(hdc, DrawingRecord::kPen, bytes, [copy = std::move(copy)](HDC again) {
            GapPolyline(again, copy.data(), static_cast<int>(copy.size()));
        });
    }
    auto gap = [](const tagPOINT& p) { return p.x == GAP_VALUE || p.y == GAP_VALUE; };
    DcPainter painter(hdc);
    const StrokeStyle style = Stroke_Style(hdc);
    const bool skip_repeats = painter.ok() && Redraw_ChangesNothing(hdc, style);
    DrawnShapes drawn;
    DrawnShapes::Key last{GAP_VALUE, 0, 0, 0};
    if (painter.ok() && style.visible && !style.gap_pass) {
        painter->setBrush(Qt::NoBrush);
        painter->setPen(style.pen);
    }
    bool pen_down = false;
    for (int i = 0; i < count; ++i) {
        const tagPOINT& p = points[i];
        if (gap(p)) {
            pen_down = false;
            continue;
        }
        const QPoint to(p.x, p.y);
        if (pen_down && painter.ok() && style.visible) {
            const QPoint from = hdc->position;
            const DrawnShapes::Key key{from.x(), from.y(), to.x(), to.y()};
            if (!skip_repeats || (!(key == last) && drawn.Insert(key))) {
                if (style.gap_pass) {
                    Stroke_Line(*painter, style, from, to);
                } else if (style.enlarged) {
                    painter->drawLine(Enlarged_Line(from, to));
                } else {
                    painter->drawLine(from, to);
                }
            }
            last = key;
        }
        // Without a painter LineTo leaves the position where the run began.
        if (!pen_down || painter.ok()) hdc->position = to;
        pen_down = true;
    }
    return 1;
}

int Ellipses(HDC hdc, const tagRECT* boxes, int count) {
    if (!hdc || !boxes) return 0;
    if (count > 0 && Will_Keep(hdc, sizeof(tagRECT) * size_t(count))) {
        Keep(hdc, DrawingRecord::kPen | DrawingRecord::kBrush, sizeof(tagRECT) * size_t(count),
             [copy = std::vector<tagRECT>(boxes, boxes + count)](HDC again) {
                 Ellipses(again, copy.data(), static_cast<int>(copy.size()));
             });
    }
    DcPainter painter(hdc);
    if (!painter.ok()) return 0;
    const StrokeStyle style = Stroke_Style(hdc);
    const Brush* brush = hdc->brush ? hdc->brush : Default_Brush();
    const bool one_colour = brush->null || !style.visible ||
                            brush->color == (hdc->pen ? hdc->pen : Default_Pen())->color;
    const bool skip_repeats = one_colour && Redraw_ChangesNothing(hdc, style);
    DrawnShapes drawn;
    for (int i = 0; i < count; ++i) {
        const tagRECT& r = boxes[i];
        if (r.right <= r.left || r.bottom <= r.top) continue;
        if (skip_repeats && !drawn.Insert({r.left, r.top, r.right, r.bottom})) continue;
        const QRectF box(r.left, r.top, double(r.right) - r.left - 1, double(r.bottom) - r.top - 1);
        Fill(hdc, *painter, box, true);
        Stroke_With(*painter, style, [&](QPainter& q) { q.drawEllipse(box); });
    }
    return 1;
}
