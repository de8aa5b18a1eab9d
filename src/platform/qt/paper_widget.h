// The paper window of the program: a widget showing an image window.
#pragma once

#include <QWidget>

#include <map>

#include "platform/qt/image_window.h"

class QTimer;

class PaperWidget : public QWidget, public ImageWindow {
    Q_OBJECT
public:
    explicit PaperWidget(QWidget* parent = nullptr);
    void SetCursorShape(int cursor_id) override;
    void SetTimer(UINT timer_id, UINT elapse_ms) override;
    void KillTimer(UINT timer_id) override;
    void SetTitle(const std::string& title) override;
    void SetCapture() override;
    void ReleaseCapture() override;

protected:
    void SurfaceChanged() override { update(); }
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::map<UINT, QTimer*> qt_timers_;
};
