#include "platform/qt/image_window.h"

ImageWindow::ImageWindow(int width, int height) : surface_(New_Image(width, height, Qt::white)) {}

tagRECT ImageWindow::ClientRect() const {
    tagRECT rect;
    rect.right = surface_.width();
    rect.bottom = surface_.height();
    return rect;
}

void ImageWindow::AddUpdate(const QRegion& area, bool erase) {
    const QRegion clipped = area.intersected(QRect(0, 0, surface_.width(), surface_.height()));
    if (clipped.isEmpty()) return;
    pending_ += clipped;
    pending_erase_ = pending_erase_ || erase;
    SurfaceChanged();
}

void ImageWindow::InvalidateRect(const tagRECT* rect, bool erase) {
    if (!rect) {
        AddUpdate(QRegion(surface_.rect()), erase);
    } else if (rect->right > rect->left && rect->bottom > rect->top) {
        AddUpdate(QRegion(Qt_Rect(*rect)), erase);
    }
}

void ImageWindow::InvalidateRgn(HRGN rgn, bool erase) {
    if (!rgn) {
        AddUpdate(QRegion(surface_.rect()), erase);
    } else {
        AddUpdate(rgn->rgn, erase);
    }
}

void ImageWindow::ValidateRect(const tagRECT* rect) {
    if (!rect) {
        pending_ = QRegion();
    } else if (rect->right > rect->left && rect->bottom > rect->top) {
        pending_ -= QRegion(Qt_Rect(*rect));
    }
    if (pending_.isEmpty()) pending_erase_ = false;
}

HDC ImageWindow::GetDC() {
    HDC hdc = Create_ImageDC(&surface_, LogPixelsX(), LogPixelsY());
    hdc->kind = DeviceContext::Kind::Window;
    hdc->window = this;
    return hdc;
}

void ImageWindow::ReleaseDC(HDC hdc) {
    DeleteDC(hdc);
    SurfaceChanged();
}

bool ImageWindow::Paint() {
    if (pending_.isEmpty()) return false;
    const QRegion area = pending_;
    const bool erase = pending_erase_;
    pending_ = QRegion();
    pending_erase_ = false;
    if (erase) {
        QPainter painter(&surface_);
        painter.setClipRegion(area);
        painter.fillRect(surface_.rect(), Qt::white);
    }
    if (paint_handler) {
        HDC hdc = GetDC();
        hdc->clip = area;
        hdc->clipped = true;
        paint_handler(hdc, Rect_Of(area.boundingRect()));
        DeleteDC(hdc);
    }
    return true;
}

void ImageWindow::Resize(int width, int height) {
    QImage resized = New_Image(width, height, Qt::white);
    {
        QPainter painter(&resized);
        painter.drawImage(0, 0, surface_);
    }
    surface_ = resized;
    InvalidateRect(nullptr, true);
}

void HeadlessWindow::InvalidateRect(const tagRECT* rect, bool erase) {
    invalidations.push_back(
        {rect ? QRegion(Qt_Rect(*rect)) : QRegion(Surface().rect()), erase});
    ImageWindow::InvalidateRect(rect, erase);
}

void HeadlessWindow::InvalidateRgn(HRGN rgn, bool erase) {
    invalidations.push_back({rgn ? rgn->rgn : QRegion(Surface().rect()), erase});
    ImageWindow::InvalidateRgn(rgn, erase);
}
