// A top-level Qt widget (a dialog, a chooser) seen as a window handle: message boxes and
// nested dialogs take it as their owner, and hooks may set its caption.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/window.h"

class QtWidgetOwner {
public:
    virtual ~QtWidgetOwner() = default;
    virtual QWidget* OwnerWidget() = 0;
};

// The Qt widget behind a window handle, or null.
QWidget* Owner_Widget(HWND owner);

class WidgetWindow : public CaptionOnlyWindow, public QtWidgetOwner {
public:
    explicit WidgetWindow(QWidget* widget) : widget_(widget) {}

    QWidget* OwnerWidget() override { return widget_; }

    tagRECT ClientRect() const override;
    void InvalidateRect(const tagRECT*, bool) override;
    void InvalidateRgn(HRGN, bool) override;
    void SetTitle(const std::string& title) override;

private:
    QPointer<QWidget> widget_;
};
