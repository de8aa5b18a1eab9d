// What the files of the Qt device contexts share: the drawing record that lets a memory
// context be drawn again enlarged, the painter of one drawing call, and the keeping of calls.
#pragma once

#include <QPainter>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

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

namespace gdi_qt {

HPEN Default_Pen();
HBRUSH Default_Brush();

// Whether a call copying size bytes is to be kept: the context keeps its drawing and the
// record stays within its bound (beyond it the context stops keeping).
bool Will_Keep(HDC hdc, size_t size);
// Adds a drawing call to the context's record, when it keeps one. Called before the call
// draws, with the size of what the call copies.
void Keep(HDC hdc, unsigned uses, size_t size, std::function<void(HDC)> draw);
// A call that cannot be drawn again (a copy into the context): from now on it is copied as
// pixels.
void Stop_Keeping(HDC hdc);
// A fill over the whole bitmap makes what was kept before it invisible.
void Forget_When_Covered(HDC hdc, const QRect& area);
bool Xor(HDC hdc);
// Makes every kept call again on another context (which keeps nothing itself).
void Replay(DrawingRecord& record, HDC target);
// The composition of a bit-block transfer's raster operation; *ok false for one not drawn.
QPainter::CompositionMode Blt_Mode(DWORD rop, bool* ok);

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

}  // namespace gdi_qt
