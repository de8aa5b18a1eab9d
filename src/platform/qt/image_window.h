// A window whose client area is an image: window contexts draw on it, invalidated areas are
// repainted by the paint handler. The Qt paper widget shows the image; tests use it as is.
#pragma once

#include <QImage>
#include <QRegion>

#include <functional>
#include <map>
#include <string>

#include "platform/qt/qt_gdi.h"
#include "platform/window.h"

class ImageWindow : public Window {
public:
    ImageWindow(int width, int height);

    tagRECT ClientRect() const override;
    void InvalidateRect(const tagRECT* rect, bool erase) override;
    void InvalidateRgn(HRGN rgn, bool erase) override;
    void ValidateRect(const tagRECT* rect) override;
    void SetCapture() override { capture_ = true; }
    void ReleaseCapture() override { capture_ = false; }
    bool HasCapture() const override { return capture_; }
    void SetCursorShape(int cursor_id) override { cursor_id_ = cursor_id; }
    void SetTimer(UINT timer_id, UINT elapse_ms) override { timers_[timer_id] = elapse_ms; }
    void KillTimer(UINT timer_id) override { timers_.erase(timer_id); }
    void SetTitle(const std::string& title) override { title_ = title; }
    HDC GetDC() override;
    void ReleaseDC(HDC hdc) override;

    // Repaints the pending area: erased to white when asked, then drawn by the paint
    // handler through a context clipped to it. Returns false when nothing was pending.
    bool Paint();
    void Resize(int width, int height);
    // Device pixels per unit of the client area (1.5 or 2 on a high-density screen): the
    // surface gets that many more pixels and everything is drawn on it in units as before.
    // Changing it asks for the whole area to be painted again.
    void SetDeviceRatio(double ratio);
    double DeviceRatio() const { return ratio_; }
    // The client area in units.
    QRect Area() const { return QRect(0, 0, width_, height_); }

    std::function<void(HDC hdc, const tagRECT& area)> paint_handler;
    std::function<void(UINT timer_id)> timer_handler;

    const QImage& Surface() const { return surface_; }
    QImage& Surface() { return surface_; }
    const QRegion& PendingUpdate() const { return pending_; }
    bool PendingErase() const { return pending_erase_; }
    int CursorShape() const { return cursor_id_; }
    const std::map<UINT, UINT>& Timers() const { return timers_; }
    const std::string& Title() const { return title_; }

protected:
    // The surface changed (window context released, area invalidated): the Qt widget
    // schedules a repaint here.
    virtual void SurfaceChanged() {}

private:
    void AddUpdate(const QRegion& area, bool erase);

    QImage New_Surface() const;

    int width_;
    int height_;
    double ratio_ = 1.0;
    QImage surface_;
    QRegion pending_;
    bool pending_erase_ = false;
    bool capture_ = false;
    int cursor_id_ = IDC_ARROW;
    std::map<UINT, UINT> timers_;
    std::string title_;
};

// The test host: an image window that remembers every invalidation.
class HeadlessWindow : public ImageWindow {
public:
    struct Invalidation {
        QRegion area;
        bool erase;
    };
    HeadlessWindow(int width, int height) : ImageWindow(width, height) {}
    void InvalidateRect(const tagRECT* rect, bool erase) override;
    void InvalidateRgn(HRGN rgn, bool erase) override;
    void FireTimer(UINT timer_id) {
        if (timer_handler && Timers().count(timer_id)) timer_handler(timer_id);
    }
    std::vector<Invalidation> invalidations;
};
