// Zooming into the data with the mouse in the real window: Shift + drag over the plot area
// gives the axes the band's range (one undo step), 軸の範囲をデータに合わせる gives every axis
// its data's range back, a double click on an axis's numbers or ticks opens its dialog, and
// a selected series' nearest point is read in the status bar and marked by a cross.
#include <gtest/gtest.h>

#include <QCursor>
#include <QScrollBar>

#include <QAction>
#include <QImage>

#include <cmath>
#include <string>

#include "axes/axis_tick_dialog.h"
#include "platform/scripted_dialogs.h"
#include "shell/paper_state.h"
#include "shell/picture_export.h"
#include "shell/undo_history.h"
#include "window_fixture.h"

namespace {

class DataZoom : public WindowFixture {
protected:
    std::string Bytes() {
        UndoHistory::State state;
        EXPECT_TRUE(UndoHistory::Snapshot(window_->Graph(), &state));
        return state.document + "|" + state.view;
    }
    struct Range {
        double low, high, step;
    };
    Range AxisRange(int axis) {
        Range r{};
        Graph().axis_tick[axis]->PutATValues(&r.low, &r.high, &r.step);
        return r;
    }
    // Where the bottom and left axes put a value now.
    QPoint PixelOf(double x, double y) {
        const tagRECT plot = Graph().graph_view->PutFrmRect();
        const Range h = AxisRange(1), v = AxisRange(0);
        return QPoint(
            std::lround(plot.left + (x - h.low) / (h.high - h.low) * (plot.right - plot.left)),
            std::lround(plot.bottom - (y - v.low) / (v.high - v.low) * (plot.bottom - plot.top)));
    }
    void ShiftDrag(QPoint from, QPoint to) {
        Hover(from);
        Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
        for (int i = 1; i <= 4; ++i) MoveHeld(from + (to - from) * i / 4, Qt::ShiftModifier);
        Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
    }
    void DoubleClick(QPoint at) {
        Hover(at);
        Press(at);
        Release(at);
        Mouse(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
        Release(at);
    }
    // The tidy range covers [low, high], starts and ends on whole round steps and is narrower
    // than the range it came from.
    static void ExpectTidyCover(const Range& r, double low, double high, double slack,
                                double narrower_than, const char* what) {
        EXPECT_LE(r.low, low + slack) << what;
        EXPECT_GE(r.high, high - slack) << what;
        EXPECT_LT(r.high - r.low, narrower_than) << what;
        ASSERT_GT(r.step, 0.0) << what;
        // A round step: 1, 2 or 5 times a power of ten.
        const double mantissa = r.step / std::pow(10.0, std::floor(std::log10(r.step) + 1e-9));
        EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 ||
                    std::fabs(mantissa - 5) < 1e-9)
            << what << ": step " << r.step;
        EXPECT_NEAR(r.low / r.step, std::round(r.low / r.step), 1e-9) << what;
        EXPECT_NEAR(r.high / r.step, std::round(r.high / r.step), 1e-9) << what;
    }
};

TEST_F(DataZoom, ShiftDragGivesTheAxesTheBandsRangeInOneUndoStep) {
    Draw("x^2:x(-3,3)[60]");
    const Range bottom = AxisRange(1), left = AxisRange(0);
    const std::string before = Bytes();
    const size_t steps = window_->Undo().Steps();
    const double x_pixel = (bottom.high - bottom.low) / 600.0;
    ShiftDrag(PixelOf(1.0, 4.0), PixelOf(2.0, 1.0));
    EXPECT_FALSE(window_->Banding());
    ExpectTidyCover(AxisRange(1), 1.0, 2.0, 2 * x_pixel, (bottom.high - bottom.low) / 2, "x");
    ExpectTidyCover(AxisRange(0), 1.0, 4.0, 0.05, (left.high - left.low) / 2, "y");
    EXPECT_EQ(Graph().RsinfoFlag(), 1);
    EXPECT_EQ(window_->Undo().Steps(), steps + 1);
    // The series is mapped again: the point x = 1.5, y = 2.25 reads back as itself.
    GraphLine* line = Graph().graph_view->Array(0);
    const tagRECT plot = Graph().graph_view->PutFrmRect();
    const tagPOINT drawn = (*line->PutPointDate())[45];
    ASSERT_DOUBLE_EQ(line->PutPointArray()->Points()[45].x, 1.5);
    PlotReading reading;
    ASSERT_TRUE(
        Read_PlotPoint(window_->Graph(), plot.left + drawn.x, plot.top + drawn.y, &reading));
    const Range x = AxisRange(1), y = AxisRange(0);
    EXPECT_NEAR(reading.value[1], 1.5, 1.01 * (x.high - x.low) / (plot.right - plot.left));
    EXPECT_NEAR(reading.value[0], 2.25, 1.01 * (y.high - y.low) / (plot.bottom - plot.top));
    window_->Command(300);
    EXPECT_TRUE(Bytes() == before);
    EXPECT_EQ(AxisRange(1).low, bottom.low);
    EXPECT_EQ(AxisRange(1).high, bottom.high);
    EXPECT_EQ(window_->Undo().Steps(), steps);
}

TEST_F(DataZoom, TinyBandsAndShiftOutsideThePlotChangeNoRange) {
    Draw("sin(x):x(-5,5)[100]");
    const std::string before = Bytes();
    const size_t steps = window_->Undo().Steps();
    const QPoint middle = Center(*Graph().graph_view);
    ShiftDrag(middle, middle + QPoint(4, 40));   // four pixels wide
    ShiftDrag(middle, middle + QPoint(40, -4));  // four pixels high
    ShiftDrag(middle, middle);                   // a Shift-click
    // Esc during the band: it goes, and the release changes nothing.
    Mouse(QEvent::MouseButtonPress, middle, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    MoveHeld(middle + QPoint(80, 60), Qt::ShiftModifier);
    ASSERT_TRUE(window_->Banding());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(window_->Banding());
    Release(middle + QPoint(80, 60));
    EXPECT_TRUE(Bytes() == before);
    EXPECT_EQ(window_->Undo().Steps(), steps);
    // Over the title, Shift + press is the ordinary press: it selects the title.
    const QPoint title = Center(*Graph().title_on_win[0]);
    Hover(title);
    Mouse(QEvent::MouseButtonPress, title, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_FALSE(window_->Banding());
    Release(title);
    EXPECT_EQ(Graph().selectobject, Graph().title_on_win[0].get());
}

// The range a graph composed from its data gets, and the one the command gives back after a
// zoom, come by different roads: they must agree.
TEST_F(DataZoom, FitToDataGivesBackTheComposedRanges) {
    window_->UpdateMenus();
    EXPECT_FALSE(window_->Action(1480)->isEnabled());  // no graph
    Draw("x^3-x:x(-2,2)[80]");
    window_->UpdateMenus();
    EXPECT_TRUE(window_->Action(1480)->isEnabled());
    const Range bottom = AxisRange(1), left = AxisRange(0);
    window_->Command(1480);  // already the data's range: nothing to do
    EXPECT_EQ(AxisRange(1).low, bottom.low);
    ShiftDrag(PixelOf(-0.5, 2.0), PixelOf(0.5, -2.0));
    ASSERT_NE(AxisRange(1).low, bottom.low);
    const std::string zoomed = Bytes();
    window_->Command(1480);
    for (int axis : {0, 1}) {
        const Range r = AxisRange(axis), composed = axis == 1 ? bottom : left;
        EXPECT_DOUBLE_EQ(r.low, composed.low) << axis;
        EXPECT_DOUBLE_EQ(r.high, composed.high) << axis;
        EXPECT_DOUBLE_EQ(r.step, composed.step) << axis;
    }
    window_->Command(300);
    EXPECT_TRUE(Bytes() == zoomed);
}

TEST_F(DataZoom, DoubleClickOnNumbersOrTicksOpensThatAxisDialog) {
    Draw("-x:x(0,10)[10]");
    ScriptedDialogRunner dialogs;  // every dialog cancelled
    DoubleClick(Center(*Graph().axis_frame[1]));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].name, AxSetDlg_Template().name);
    // The bottom axis's own range (x runs 0 … 10; the left axis would say otherwise).
    EXPECT_DOUBLE_EQ(std::stod(dialogs.shown[0].initial_texts[IDC_AXMAX]), AxisRange(1).high);
    EXPECT_DOUBLE_EQ(std::stod(dialogs.shown[0].initial_texts[IDC_AXMIN]), AxisRange(1).low);
    EXPECT_EQ(Graph().selectobject, Graph().axis_tick[1].get());
    DoubleClick(Center(*Graph().axis_tick[0]));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(Graph().selectobject, Graph().axis_tick[0].get());
    // Elsewhere a double click opens nothing.
    DoubleClick(Center(*Graph().title_on_win[0]));
    DoubleClick(Center(*Graph().graph_view));
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

// A scroll moves the paper under a mouse that stays where it is: the status bar reads the
// new place (a wheel step scrolls without moving the mouse).
TEST_F(DataZoom, AScrollUnderAStillMouseReadsTheNewPlace) {
    Draw("x^2:x(-3,3)[6]");
    QWidget* paper = window_->Paper();
    const QPoint at = PixelOf(0.0, 4.0);
    Hover(at);
    const std::string before = window_->StatusText().toStdString();
    ASSERT_EQ(before.rfind("x = ", 0), 0u) << before;
    // The mouse rests there: Qt knows it is over the paper and where.
    paper->setAttribute(Qt::WA_UnderMouse);
    QCursor::setPos(paper->mapToGlobal(at));
    if (paper->mapFromGlobal(QCursor::pos()) != at) {
        GTEST_SKIP() << "this platform does not place the mouse pointer";
    }
    QScrollBar* bar = window_->VerticalBar();
    ASSERT_GT(bar->maximum(), bar->value() + 40) << "the paper must be taller than the window";
    bar->setValue(bar->value() + 40);
    const std::string after = window_->StatusText().toStdString();
    EXPECT_NE(after, before) << "the reading stayed where the paper was";
    Hover(at);  // what a mouse move there reads now
    EXPECT_EQ(after, window_->StatusText().toStdString());
    paper->setAttribute(Qt::WA_UnderMouse, false);
}

TEST_F(DataZoom, TheSelectedSeriesNearestPointIsReadAndMarkedOnTheWindowOnly) {
    Draw("x^2:x(-3,3)[6]");  // the points x = -3, -2, … 3
    const QPoint near_one = PixelOf(1.0, 1.0) + QPoint(3, -2);
    Hover(near_one);
    EXPECT_EQ(window_->PointText(), "") << "no series selected";
    auto& samples = *Graph().glist_frame->PutGListLink();
    const QPoint sample = Center(**samples.begin());
    Hover(sample);
    Press(sample);
    Release(sample);
    ASSERT_EQ(Selected_Series(window_->Graph()), 0);
    Hover(near_one);
    EXPECT_TRUE(window_->PointText().startsWith("5 番目の点  x = "))
        << window_->PointText().toStdString();
    const SeriesPoint marked = window_->MarkedPoint();
    EXPECT_EQ(marked.index, 4);
    EXPECT_LE(std::abs(marked.at.x - PixelOf(1.0, 1.0).x()), 1);
    EXPECT_LE(std::abs(marked.at.y - PixelOf(1.0, 1.0).y()), 1);
    window_->Paper()->Paint();
    const QRgb red = qRgb(255, 0, 0);
    EXPECT_EQ(window_->Paper()->Surface().pixel(marked.at.x - 5, marked.at.y), red);
    EXPECT_EQ(window_->Paper()->Surface().pixel(marked.at.x, marked.at.y + 5), red);
    // Never in a picture of the sheet.
    const QImage picture = GetBitmap_ToGraph(window_->Graph(), 1122, 793);
    bool any_red = false;
    for (int y = 0; y < picture.height() && !any_red; ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) == red) {
                any_red = true;
                break;
            }
        }
    }
    EXPECT_FALSE(any_red);
    // Off the plot area the reading and the cross go.
    Hover(Center(*Graph().title_on_win[0]));
    EXPECT_EQ(window_->PointText(), "");
    EXPECT_EQ(window_->MarkedPoint().series, -1);
    window_->Paper()->Paint();
    EXPECT_NE(window_->Paper()->Surface().pixel(marked.at.x - 5, marked.at.y), red);
    // At other zooms the cross still sits on the point (the plot's bitmap is stretched).
    window_->resize(2300, 1500);
    QCoreApplication::processEvents();
    for (int zoom : {50, 200}) {
        Change_Zoom(window_.get(), zoom, window_->Graph(), &window_->State(), &g_shifth, &g_shiftv);
        const QPoint one = PixelOf(1.0, 1.0);
        Hover(one + QPoint(2, -1));
        EXPECT_EQ(window_->MarkedPoint().index, 4) << zoom;
        EXPECT_LE(std::abs(window_->MarkedPoint().at.x - one.x()), 1) << zoom;
        EXPECT_LE(std::abs(window_->MarkedPoint().at.y - one.y()), 1) << zoom;
    }
    Change_Zoom(window_.get(), 100, window_->Graph(), &window_->State(), &g_shifth, &g_shiftv);
    // Nor while a band is dragged.
    Hover(near_one);
    ASSERT_GE(window_->MarkedPoint().series, 0);
    Mouse(QEvent::MouseButtonPress, near_one, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    MoveHeld(near_one + QPoint(40, 30), Qt::ShiftModifier);
    ASSERT_TRUE(window_->Banding());
    EXPECT_EQ(window_->MarkedPoint().series, -1);
    Key(Qt::Key_Escape);
    Release(near_one + QPoint(40, 30));
    // Nor while the legend is dragged over the plot area.
    Hover(sample);
    Press(sample);
    MoveHeld(near_one);
    EXPECT_EQ(window_->MarkedPoint().series, -1);
    EXPECT_EQ(window_->PointText(), "");
    Release(near_one);
}

}  // namespace
