#include "platform/qt/widget_window.h"

#include <QString>

QWidget* Owner_Widget(HWND owner) {
    auto* holder = dynamic_cast<QtWidgetOwner*>(owner);
    return holder ? holder->OwnerWidget() : nullptr;
}

tagRECT WidgetWindow::ClientRect() const {
    tagRECT rect;
    if (widget_) {
        rect.right = widget_->width();
        rect.bottom = widget_->height();
    }
    return rect;
}

void WidgetWindow::InvalidateRect(const tagRECT*, bool) {
    if (widget_) widget_->update();
}

void WidgetWindow::InvalidateRgn(HRGN, bool) {
    if (widget_) widget_->update();
}

void WidgetWindow::SetTitle(const std::string& title) {
    caption = title;
    if (widget_) widget_->setWindowTitle(QString::fromStdString(title));
}
