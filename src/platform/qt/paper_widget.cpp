#include "platform/qt/paper_widget.h"

#include <QPaintEvent>
#include <QTimer>

PaperWidget::PaperWidget(QWidget* parent) : QWidget(parent), ImageWindow(1, 1) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void PaperWidget::SetCursorShape(int cursor_id) {
    ImageWindow::SetCursorShape(cursor_id);
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (cursor_id) {
        case IDC_SIZENWSE: shape = Qt::SizeFDiagCursor; break;
        case IDC_SIZENESW: shape = Qt::SizeBDiagCursor; break;
        case IDC_SIZEWE: shape = Qt::SizeHorCursor; break;
        case IDC_SIZENS: shape = Qt::SizeVerCursor; break;
        case IDC_SIZEALL: shape = Qt::SizeAllCursor; break;
        case IDC_CROSS: shape = Qt::CrossCursor; break;
        case IDC_WAIT: shape = Qt::WaitCursor; break;
        case IDC_IBEAM: shape = Qt::IBeamCursor; break;
        default: break;
    }
    setCursor(shape);
}

void PaperWidget::SetTimer(UINT timer_id, UINT elapse_ms) {
    ImageWindow::SetTimer(timer_id, elapse_ms);
    QTimer*& timer = qt_timers_[timer_id];
    if (!timer) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, timer_id] {
            if (timer_handler) timer_handler(timer_id);
        });
    }
    timer->start(static_cast<int>(elapse_ms));
}

void PaperWidget::KillTimer(UINT timer_id) {
    ImageWindow::KillTimer(timer_id);
    auto it = qt_timers_.find(timer_id);
    if (it != qt_timers_.end()) it->second->stop();
}

void PaperWidget::SetTitle(const std::string& title) {
    ImageWindow::SetTitle(title);
    setWindowTitle(QString::fromStdString(title));
}

void PaperWidget::SetCapture() {
    ImageWindow::SetCapture();
    grabMouse();
}

void PaperWidget::ReleaseCapture() {
    ImageWindow::ReleaseCapture();
    releaseMouse();
}

void PaperWidget::paintEvent(QPaintEvent*) {
    // Drawn at the screen's own pixels (the ratio changes when the window moves to another
    // screen).
    SetDeviceRatio(devicePixelRatioF());
    Paint();
    QPainter painter(this);
    painter.drawImage(0, 0, Surface());
}

void PaperWidget::resizeEvent(QResizeEvent* event) {
    Resize(qMax(1, event->size().width()), qMax(1, event->size().height()));
}
