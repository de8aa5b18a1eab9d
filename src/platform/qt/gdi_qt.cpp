// Device contexts over Qt: the drawing record that lets a memory context be drawn again
// enlarged, pens and strokes, the primitives, text and bit-block transfers.
#include <QFontMetrics>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/numeric.h"

#include "platform/cp932.h"
#include "platform/qt/qt_gdi.h"

// The drawing calls made on a memory context since its bitmap was last wholly painted over,
// each with the state it was made in, and the last enlarged drawing made from them.
class DrawingRecord {
public:
    struct State {
        Pen pen;
        Brush brush;
        bool has_pen = false;
        bool has_brush = false;
        bool has_font = false;
        Font font;
        int rop2 = R2_COPYPEN;
        int bk_mode = OPAQUE;
        COLORREF bk_color = 0xFFFFFF;
        COLORREF text_color = 0;
        QPoint position;
    };
    struct Call {
        State state;
        std::function<void(HDC)> draw;
    };
    // Beyond this the context is only copied as pixels (until it is painted over again).
    static constexpr size_t kMaxBytes = size_t(192) << 20;
    // What a call costs beside the data it copies.
    static constexpr size_t kCallBytes = sizeof(Call) + 64;

    struct Enlarged {
        int width = 0, height = 0;  // the whole enlarged copy, in device pixels
        QRect from;                 // the part of the context copied
        QRect part;                 // the part of the enlarged copy drawn
        uint64_t generation = 0;
        bool operator==(const Enlarged& o) const {
            return width == o.width && height == o.height && from == o.from && part == o.part &&
                   generation == o.generation;
        }
    };

    void Clear() {
        calls.clear();
        bytes = 0;
        overflowed = false;
        Changed();
    }
    // What of the selected objects a call draws with: only those are copied (another may
    // already be deleted while still selected).
    enum Uses : unsigned { kPen = 1, kBrush = 2, kFont = 4 };
    void Add(HDC hdc, unsigned uses, size_t size, std::function<void(HDC)> draw);
    void Changed() {
        ++generation;
        cache = QImage();
    }

    std::vector<Call> calls;
    size_t bytes = 0;
    bool overflowed = false;
    uint64_t generation = 0;
    QImage cache;
    Enlarged cache_key;
};

namespace {

Pen stock_pens[3];      // white, black, null
Brush stock_brushes[3];  // white, black, null

HPEN Default_Pen() { return GetStockPen(BLACK_PEN); }
HBRUSH Default_Brush() { return GetStockBrush(WHITE_BRUSH); }

void Stop_Keeping(HDC hdc);

// Whether a call copying size bytes is to be kept: the context keeps its drawing and the
// record stays within its bound (beyond it the context stops keeping).
bool Will_Keep(HDC hdc, size_t size) {
    if (!hdc->record || hdc->record->overflowed) return false;
    if (hdc->record->bytes + size + DrawingRecord::kCallBytes > DrawingRecord::kMaxBytes) {
        Stop_Keeping(hdc);
        return false;
    }
    return true;
}

// Adds a drawing call to the context's record, when it keeps one. Called before the call
// draws, with the size of what the call copies.
void Keep(HDC hdc, unsigned uses, size_t size, std::function<void(HDC)> draw) {
    if (Will_Keep(hdc, size)) hdc->record->Add(hdc, uses, size, std::move(draw));
}

// A call that cannot be drawn again (a copy into the context): from now on it is copied as
// pixels.
void Stop_Keeping(HDC hdc) {
    if (!hdc->record || hdc->record->overflowed) return;
    hdc->record->calls = {};
    hdc->record->bytes = 0;
    hdc->record->overflowed = true;
    hdc->record->Changed();
}

// A fill over the whole bitmap makes what was kept before it invisible.
void Forget_When_Covered(HDC hdc, const QRect& area) {
    if (hdc->record && hdc->image && !hdc->clipped && area.contains(hdc->image->rect())) {
        hdc->record->Clear();
    }
}

// A painter over a context for one drawing call (or the context's own painter).
class DcPainter {
public:
    explicit DcPainter(HDC hdc) {
        if (hdc->abort_proc != nullptr && !hdc->aborted) {
            // A long print keeps its cancel dialog answering between drawing calls.
            const auto now = std::chrono::steady_clock::now();
            if (now - hdc->last_poll >= std::chrono::milliseconds(30)) {
                hdc->last_poll = now;
                if (hdc->abort_proc(hdc, 0) == 0) hdc->aborted = true;
            }
        }
        if (hdc->aborted) return;
        if (hdc->device_painter) {
            painter_ = hdc->device_painter;
            painter_->save();
        } else if (hdc->image && !hdc->image->isNull()) {
            own_ = std::make_unique<QPainter>(hdc->image);
            painter_ = own_.get();
        }
        if (painter_) {
            painter_->setRenderHint(QPainter::Antialiasing, false);
            painter_->setRenderHint(QPainter::TextAntialiasing, false);
            painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
            if (hdc->clipped) painter_->setClipRegion(hdc->clip);
            if (hdc->transformed) painter_->setTransform(hdc->transform, true);
            if (hdc->rop2 == R2_XORPEN && hdc->image) {
                painter_->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            }
        }
    }
    ~DcPainter() {
        if (own_) {
            own_->end();
        } else if (painter_) {
            painter_->restore();
        }
    }
    DcPainter(const DcPainter&) = delete;
    DcPainter& operator=(const DcPainter&) = delete;
    bool ok() const { return painter_ != nullptr; }
    QPainter* operator->() { return painter_; }
    QPainter& operator*() { return *painter_; }

private:
    QPainter* painter_ = nullptr;
    std::unique_ptr<QPainter> own_;
};

bool Xor(HDC hdc) { return hdc->rop2 == R2_XORPEN && hdc->image; }


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
    style.enlarged =
        hdc->transformed || (hdc->image && hdc->image->devicePixelRatio() != 1.0);
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
void Stroke_With(QPainter& painter, const StrokeStyle& style, Shape shape,
                 bool centred = true) {
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
        Stroke_With(painter, style, [&](QPainter& q) { q.drawLine(line); }, false);
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

namespace {

// Makes every kept call again on another context (which keeps nothing itself).
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

}  // namespace

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
                       ? hdc->device_painter->device()->width() : 0;
        case VERTRES:
            if (hdc->image) return hdc->image->height();
            return hdc->device_painter && hdc->device_painter->device()
                       ? hdc->device_painter->device()->height() : 0;
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
    Keep(hdc, 0, 0, [area = *rect, fill = *brush](HDC again) mutable {
        FillRect(again, &area, &fill);
    });
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

int GapPolyline(HDC hdc, const tagPOINT* points, int count) {
    if (!hdc || !points) return 0;
    if (count > 0 && Will_Keep(hdc, sizeof(tagPOINT) * size_t(count))) {
        Keep(hdc, DrawingRecord::kPen, sizeof(tagPOINT) * size_t(count),
             [copy = std::vector<tagPOINT>(points, points + count)](HDC again) {
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
    const bool one_colour =
        brush->null || !style.visible || brush->color == (hdc->pen ? hdc->pen : Default_Pen())->color;
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
    QPaintDevice* device = hdc->image ? static_cast<QPaintDevice*>(hdc->image)
                           : hdc->device_painter ? hdc->device_painter->device() : nullptr;
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
        again.transform = QTransform()
                              .translate(-key.part.left(), -key.part.top())
                              .scale(double(key.width) / from.width(),
                                     double(key.height) / from.height())
                              .translate(-from.left(), -from.top());
        Replay(record, &again);
        record.cache = enlarged;
        record.cache_key = key;
    }
    record.cache.setDevicePixelRatio(ratio);
    DcPainter painter(dest);
    if (!painter.ok()) return 0;
    painter->setCompositionMode(mode);
    painter->drawImage(QPointF(shown.left() + key.part.left() / ratio,
                               shown.top() + key.part.top() / ratio),
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
