#include "platform/qt/image_window.h"

#include <cmath>

ImageWindow::ImageWindow(int width, int height)
    : width_(qMax(1, width)), height_(qMax(1, height)), surface_(New_Surface()) {}

QImage ImageWindow::New_Surface() const {
    if (ratio_ == 1.0) return New_Image(width_, height_, Qt::white);
    QImage surface = New_Image(static_cast<int>(std::ceil(width_ * ratio_)),
                               static_cast<int>(std::ceil(height_ * ratio_)), Qt::white);
    surface.setDevicePixelRatio(ratio_);
    return surface;
}

tagRECT ImageWindow::ClientRect() const {
    tagRECT rect;
    rect.right = width_;
    rect.bottom = height_;
    return rect;
}

void ImageWindow::AddUpdate(const QRegion& area, bool erase) {
    const QRegion clipped = area.intersected(Area());
    if (clipped.isEmpty()) return;
    pending_ += clipped;
    pending_erase_ = pending_erase_ || erase;
    SurfaceChanged();
}

void ImageWindow::InvalidateRect(const tagRECT* rect, bool erase) {
    if (!rect) {
        AddUpdate(QRegion(Area()), erase);
    } else if (rect->right > rect->left && rect->bottom > rect->top) {
        AddUpdate(QRegion(Qt_Rect(*rect)), erase);
    }
}

void ImageWindow::InvalidateRgn(HRGN rgn, bool erase) {
    if (!rgn) {
        AddUpdate(QRegion(Area()), erase);
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
        painter.fillRect(Area(), Qt::white);
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
    width_ = qMax(1, width);
    height_ = qMax(1, height);
    QImage resized = New_Surface();
    {
        QPainter painter(&resized);
        painter.drawImage(0, 0, surface_);
    }
    surface_ = resized;
    InvalidateRect(nullptr, true);
}

void ImageWindow::SetDeviceRatio(double ratio) {
    if (!(ratio > 0.0) || ratio > 8.0 || ratio == ratio_) return;
    ratio_ = ratio;
    surface_ = New_Surface();
    InvalidateRect(nullptr, true);
}

void HeadlessWindow::InvalidateRect(const tagRECT* rect, bool erase) {
    invalidations.push_back({rect ? QRegion(Qt_Rect(*rect)) : QRegion(Area()), erase});
    ImageWindow::InvalidateRect(rect, erase);
}

void HeadlessWindow::InvalidateRgn(HRGN rgn, bool erase) {
    invalidations.push_back({rgn ? rgn->rgn : QRegion(Area()), erase});
    ImageWindow::InvalidateRgn(rgn, erase);
}
