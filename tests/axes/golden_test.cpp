// A bottom axis (0 ... 10 step 2.5) and a left axis (-1 ... 1 step 0.5 with sub ticks),
// each a tick frame and a number frame in the default 12-point font, copied onto a white
// window around an outlined plot area. Regenerate the reference (and look at it) with
//   cd tests/axes && PLOTARI_REGENERATE=1 QT_QPA_PLATFORM=offscreen
//   ../../build/tests/test_axes --gtest_filter=Golden.*
#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <memory>
#include <vector>

#include "axes/axis_frame.h"
#include "axes/axis_tick.h"
#include "platform/qt/image_window.h"
#include "support/golden.h"

namespace {

std::vector<double> Values(double min, double max, double div) {
    std::vector<double> values;
    for (double v = min; v <= max + div * 1e-9; v += div) values.push_back(v);
    return values;
}

}  // namespace

TEST(Golden, BottomAndLeftAxes) {
    HeadlessWindow window(460, 300);
    tagRECT plot;
    SetRect(&plot, 1500, 600, 6000, 3600);  // 100 ... 400 x 40 ... 240 pixels
    tagRECT bottom_rect = AxisTick::FirstAxisTick(&plot, 1, &window);
    tagRECT left_rect = AxisTick::FirstAxisTick(&plot, 0, &window);
    AxisTick bottom(&window, 1, 0.0, 10.0, 2.5, &bottom_rect, 0, 0, 100, 0);
    AxisTick left(&window, 0, -1.0, 1.0, 0.5, &left_rect, 0, 0, 100, 0);
    left.SetSubTick(5, 1, 1, 1);
    ASSERT_EQ(left.ReDrawContent(plot, 0, 0), 1);

    tagRECT graph;
    SetRect(&graph, left_rect.left, left_rect.top, bottom_rect.right, bottom_rect.bottom);
    tagPOINT start;
    start.x = 5;
    start.y = 5;
    const std::vector<double> xs = Values(0.0, 10.0, 2.5);
    const std::vector<double> ys = Values(-1.0, 1.0, 0.5);
    double x_factor = 0.0, y_factor = 0.0;
    tagRECT x_rect, y_rect;
    ASSERT_EQ(AxisFrame::CalcParameters(&window, 1, 0, int(xs.size()), xs.data(), &x_factor, &plot,
                                        &graph, &x_rect, 0, 0, 1, 5, 5, nullptr),
              1);
    ASSERT_EQ(AxisFrame::CalcParameters(&window, 0, 1, int(ys.size()), ys.data(), &y_factor, &plot,
                                        &graph, &y_rect, 0, 2, 1, 5, 5, nullptr),
              1);
    AxisFrame x_numbers(&window, 1, 0, int(xs.size()), xs.data(), x_factor, &x_rect, 0, 0, 100, 0,
                        0, 1, start);
    AxisFrame y_numbers(&window, 0, 1, int(ys.size()), ys.data(), y_factor, &y_rect, 0, 0, 100, 0,
                        2, 1, start);

    HDC hdc = GetDC(&window);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
    HPEN old_pen = SelectObject(hdc, pen);
    HBRUSH old_brush = SelectObject(hdc, GetStockBrush(NULL_BRUSH));
    Rectangle(hdc, 100, 40, 401, 241);
    SelectObject(hdc, old_pen);
    SelectObject(hdc, old_brush);
    DeleteObject(pen);
    for (MoveFrame* frame :
         std::initializer_list<MoveFrame*>{&x_numbers, &y_numbers, &bottom, &left}) {
        EXPECT_EQ(frame->ReDraw(hdc, SRCAND, 0), 1);
    }
    ReleaseDC(&window, hdc);
    const QImage picture = window.Surface().convertToFormat(QImage::Format_RGB32);

    // Independent of the reference: the ends of the axes carry black ticks.
    EXPECT_EQ(QColor(picture.pixel(100, 235)), QColor(Qt::black));
    EXPECT_EQ(QColor(picture.pixel(400, 235)), QColor(Qt::black));
    EXPECT_EQ(QColor(picture.pixel(105, 40)), QColor(Qt::black));

    golden::Expect_Golden(picture, "golden/bottom_left_axes.png");
}
