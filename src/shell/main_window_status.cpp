// The main window's readings and marks: the title that names the document, the status bar
// (what is under the mouse, the nearest point of the selected line, the zoom), and what is
// drawn on the window only (the cross on that point, the rubber band of a Shift + drag).
#include "shell/main_window.h"

#include <QCursor>
#include <QFileInfo>
#include <QLabel>

#include "document/graph_readout.h"
#include "platform/gdi.h"

QString MainWindow::StatusText() const { return readout_->text(); }

QString MainWindow::ZoomText() const { return zoom_label_->text(); }

QString MainWindow::PointText() const { return point_label_->text(); }

void MainWindow::UpdateTitle() {
    const QString program = "Plotari Ver.2.2";
    const GraphOnWin* graph = graph_.get();
    if (graph == nullptr || (!graph->graph_view && graph->reference_file.empty())) {
        setWindowTitle(program);
        return;
    }
    const QString name = graph->reference_file.empty()
                             ? QString("無題")
                             : QFileInfo(QString::fromStdString(graph->reference_file)).fileName();
    setWindowTitle((graph->RsinfoFlag() == 1 ? "*" : "") + name + " — " + program);
}

void MainWindow::UpdateStatus(const QPoint* mouse) {
    const int series = Selected_Series(graph_.get());
    SeriesPoint nearest;
    // A zoom, scroll or command under a mouse that did not move: read where it is now.
    QPoint under;
    if (mouse == nullptr && paper_->underMouse()) {
        under = paper_->mapFromGlobal(QCursor::pos());
        mouse = &under;
    }
    if (mouse != nullptr) {
        readout_->setText(
            QString::fromStdString(Paper_Readout(graph_.get(), mouse->x(), mouse->y())));
        PlotReading over;
        // Not while an element or a band is dragged: the cross would follow the mouse.
        if (series >= 0 && !graph_->Dragging() && !banding_ &&
            Read_PlotPoint(graph_.get(), mouse->x(), mouse->y(), &over)) {
            Nearest_SeriesPoint(graph_.get(), series, mouse->x(), mouse->y(), &nearest);
        }
    } else if (series >= 0 && series == marked_.series) {
        // Not moved: the same point, where the graph now draws it.
        Series_PointAt(graph_.get(), marked_.series, marked_.index, &nearest);
    }
    if (nearest.series != marked_.series || nearest.index != marked_.index ||
        nearest.at.x != marked_.at.x || nearest.at.y != marked_.at.y) {
        InvalidateCross(marked_);
        InvalidateCross(nearest);
        marked_ = nearest;
    }
    point_label_->setText(marked_.series < 0
                              ? QString()
                              : QString::fromStdString(SeriesPoint_Text(graph_.get(), marked_)));
    zoom_label_->setText(QString("倍率 %1%").arg(g_zoom));
    UpdateTitle();
}

namespace {
constexpr LONG kCrossArm = 6;  // pixels from the marked point to each end of the cross
}  // namespace

void MainWindow::InvalidateCross(const SeriesPoint& point) {
    if (point.series < 0) return;
    const tagRECT box = {point.at.x - kCrossArm - 1, point.at.y - kCrossArm - 1,
                         point.at.x + kCrossArm + 2, point.at.y + kCrossArm + 2};
    paper_->InvalidateRect(&box, false);
}

tagRECT MainWindow::BandRect() const {
    return {qMin(band_from_.x(), band_to_.x()), qMin(band_from_.y(), band_to_.y()),
            qMax(band_from_.x(), band_to_.x()), qMax(band_from_.y(), band_to_.y())};
}

void MainWindow::PaintMarks(HDC hdc) {
    if (banding_) {
        const tagRECT band = BandRect();
        HPEN pen = CreatePen(PS_DOT, 1, RGB(0, 0, 255));
        HPEN old_pen = SelectObject(hdc, pen);
        HBRUSH old_brush = SelectObject(hdc, GetStockBrush(NULL_BRUSH));
        Rectangle(hdc, band.left, band.top, band.right + 1, band.bottom + 1);
        SelectObject(hdc, old_brush);
        SelectObject(hdc, old_pen);
        DeleteObject(pen);
    }
    SeriesPoint point;
    if (marked_.series < 0 || marked_.series != Selected_Series(graph_.get()) ||
        !Series_PointAt(graph_.get(), marked_.series, marked_.index, &point)) {
        return;
    }
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HPEN old_pen = SelectObject(hdc, pen);
    MoveToEx(hdc, point.at.x - kCrossArm, point.at.y, nullptr);
    LineTo(hdc, point.at.x + kCrossArm + 1, point.at.y);
    MoveToEx(hdc, point.at.x, point.at.y - kCrossArm, nullptr);
    LineTo(hdc, point.at.x, point.at.y + kCrossArm + 1);
    SelectObject(hdc, old_pen);
    DeleteObject(pen);
}
