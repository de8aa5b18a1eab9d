// The window handle seen by the drawing and frame code: a small interface over the paper
// window (Qt widget in the program, an image-backed host in tests).
#pragma once

#include <string>

#include "platform/win_types.h"

class DeviceContext;
using HDC = DeviceContext*;
class Region;
using HRGN = Region*;

class Window {
public:
    virtual ~Window() = default;

    // Client area in pixels, left and top 0.
    virtual tagRECT ClientRect() const = 0;
    // Marks an area (null: the whole client area) for repainting; erase fills it with the
    // background first.
    virtual void InvalidateRect(const tagRECT* rect, bool erase) = 0;
    virtual void InvalidateRgn(HRGN rgn, bool erase) = 0;
    // Removes an area from the pending repaint.
    virtual void ValidateRect(const tagRECT* rect) = 0;

    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HasCapture() const = 0;
    virtual void SetCursorShape(int cursor_id) = 0;
    virtual void SetTimer(UINT timer_id, UINT elapse_ms) = 0;
    virtual void KillTimer(UINT timer_id) = 0;
    virtual void SetTitle(const std::string& title) = 0;

    // Brings the window to the top of the others (a drawn graph is then seen).
    virtual void BringToTop() {}

    // Dots per inch of the window (LOGPIXELSX / LOGPIXELSY): fixed at 96 on every machine.
    virtual int LogPixelsX() const { return 96; }
    virtual int LogPixelsY() const { return 96; }

    // A device context drawing on the window; given back with ReleaseDC.
    virtual HDC GetDC() = 0;
    virtual void ReleaseDC(HDC hdc) = 0;
};

// A window that only has a caption: the base of handles that stand for dialogs and
// choosers, which are drawn and repainted by their own toolkit.
class CaptionOnlyWindow : public Window {
public:
    tagRECT ClientRect() const override { return tagRECT(); }
    void InvalidateRect(const tagRECT*, bool) override {}
    void InvalidateRgn(HRGN, bool) override {}
    void ValidateRect(const tagRECT*) override {}
    void SetCapture() override {}
    void ReleaseCapture() override {}
    bool HasCapture() const override { return false; }
    void SetCursorShape(int) override {}
    void SetTimer(UINT, UINT) override {}
    void KillTimer(UINT) override {}
    void SetTitle(const std::string& title) override { caption = title; }
    HDC GetDC() override { return nullptr; }
    void ReleaseDC(HDC) override {}

    std::string caption;
};

inline int SetWindowTextA(HWND hwnd, const char* text) {
    if (!hwnd) return 0;
    hwnd->SetTitle(text ? text : "");
    return 1;
}
