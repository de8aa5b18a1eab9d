// Tick frames: counts and places of the ticks, the frame along each edge of the plot area,
// the outer part, the range adjustments, drawing and printing.
#include <gtest/gtest.h>

#include <QImage>

#include <memory>

#include "axes/axis_tick.h"
#include "support/widgets_app.h"
#include "platform/qt/image_window.h"
#include "platform/qt/qt_gdi.h"

namespace {

// Plot area 100 ... 600 x 100 ... 400 pixels (500 x 300) at 96 dpi.
tagRECT Plot() {
    tagRECT plot;
    SetRect(&plot, 1500, 1500, 9000, 6000);
    return plot;
}

std::unique_ptr<AxisTick> Make_Tick(HWND window, short axis, double min, double max, double div) {
    tagRECT plot = Plot();
    const tagRECT rect = AxisTick::FirstAxisTick(&plot, axis, window);
    return std::make_unique<AxisTick>(window, axis, min, max, div, &rect, 0, 0, 100, 0);
}

tagPOINT On_Screen(const AxisTick& tick, tagPOINT point) {
    point.x += tick.PutFrmLeft();
    point.y += tick.PutFrmTop();
    return point;
}

TEST(AxisTick, DefaultsOfANewFrame) {
    HeadlessWindow window(700, 500);
    auto tick = Make_Tick(&window, 1, 0.0, 10.0, 2.5);
    EXPECT_EQ(tick->ObjectType(), 3);
    EXPECT_EQ(tick->PutShowFlag(), 1);
    EXPECT_EQ(tick->PutAutoFlag(), 1);
    EXPECT_EQ(tick->PutInPartLng(), 13);
    const TickProp main = tick->PutMainTick();
    const TickProp sub = tick->PutSubTick();
    EXPECT_EQ(main.line_lngh, 10);
    EXPECT_EQ(main.line_drct, 1);
    EXPECT_NE(main.line_visible, 0);
    EXPECT_EQ(main.line_width, 1);
    EXPECT_EQ(sub.line_lngh, 5);
    EXPECT_EQ(sub.line_drct, 1);
    EXPECT_EQ(sub.line_visible, 0);
    EXPECT_EQ(sub.line_width, 1);
    EXPECT_EQ(tick->PutOutLng(), 0);
}

TEST(AxisTick, TickCountsAndPlaces) {
    HeadlessWindow window(700, 500);
    struct Row {
        double min, max, div;
        int main_count, sub_count;
        double first_sub;  // value of the first sub tick above min
    } rows[] = {
        {0.0, 12.5, 2.5, 6, 5, 1.25},       {0.0, 1.0, 0.3, 4, 3, 0.15},
        {-3.25, 3.25, 0.65, 11, 10, 0.325},  // 6.5 / 0.65 rounds below 10
        {0.0, 2.1, 0.7, 4, 3, 0.35},        {0.0, 10.0, 0.0, 0, 0, 0.0},  // no step
        {5.0, 5.0, 1.0, 0, 0, 0.0},                                       // no range
        {0.0, 1.0, 2.0, 0, 0, 0.0},                                       // step beyond the range
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.min << " ... " << r.max << " step " << r.div);
        auto tick = Make_Tick(&window, 1, r.min, r.max, r.div);
        const TickPos* main = tick->PutMainTickPos();
        const TickPos* sub = tick->PutSubTickPos();
        if (r.main_count == 0) {
            EXPECT_EQ(main, nullptr);
            std::unique_ptr<LONG[]> none;
            short count = -1;
            EXPECT_EQ(tick->TickPosInfo(&none, &count), 0);
            EXPECT_EQ(count, 0);
            continue;
        }
        ASSERT_NE(main, nullptr);
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(main->PutTickNum(), r.main_count);
        EXPECT_EQ(sub->PutTickNum(), r.sub_count);
        // 500 pixels for the whole range, starting 3 pixels into the frame.
        const double factor = 500.0 / (r.max - r.min);
        EXPECT_EQ(main->PutArray(0).x, 3);
        EXPECT_EQ(main->PutArray(1).x, 3 + LONG(r.div * factor));
        EXPECT_EQ(sub->PutArray(0).x, 3 + LONG(r.first_sub * factor));
        std::unique_ptr<LONG[]> positions;
        short count = 0;
        ASSERT_EQ(tick->TickPosInfo(&positions, &count), 1);
        ASSERT_EQ(count, r.main_count);
        for (int k = 0; k < count; ++k) EXPECT_EQ(positions[k], main->PutArray(k).x);
    }
}

TEST(AxisTick, LastMainTickOfAnInexactRangeEndsTheAxis) {
    HeadlessWindow window(700, 500);
    auto tick = Make_Tick(&window, 1, -3.25, 3.25, 0.65);
    const TickPos* main = tick->PutMainTickPos();
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(main->PutTickNum(), 11);
    EXPECT_NEAR(On_Screen(*tick, main->PutArray(10)).x, 600, 1);
}

// Every axis: the first and last main ticks sit on the plot edge at the ends of the axis,
// the minimum at the left or bottom, and inward ticks point into the plot area.
TEST(AxisTick, FramesAlongEachEdge) {
    HeadlessWindow window(700, 500);
    struct Row {
        short axis;
        tagRECT frame;         // pixels
        tagPOINT first, last;  // screen start of the min and max ticks
        tagPOINT first_end;    // screen end of the min tick (inward, 10 long)
    } rows[] = {
        {0, {100, 97, 113, 403}, {100, 400}, {100, 100}, {110, 400}},
        {1, {97, 387, 603, 400}, {100, 400}, {600, 400}, {100, 390}},
        {2, {587, 97, 600, 403}, {600, 400}, {600, 100}, {590, 400}},
        {3, {97, 100, 603, 113}, {100, 100}, {600, 100}, {100, 110}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "axis " << r.axis);
        auto tick = Make_Tick(&window, r.axis, 0.0, 10.0, 2.0);
        const tagRECT frame = tick->PutFrmRect();
        // The default frame has only an inner part of 13 pixels, inside the plot area.
        EXPECT_EQ(frame.left, r.frame.left);
        EXPECT_EQ(frame.top, r.frame.top);
        EXPECT_EQ(frame.right, r.frame.right);
        EXPECT_EQ(frame.bottom, r.frame.bottom);
        const TickPos* main = tick->PutMainTickPos();
        ASSERT_NE(main, nullptr);
        ASSERT_EQ(main->PutTickNum(), 6);
        const tagPOINT first = On_Screen(*tick, main->PutArray(0));
        const tagPOINT last = On_Screen(*tick, main->PutArray(5));
        const tagPOINT first_end = On_Screen(*tick, main->PutEndArray(0));
        EXPECT_EQ(first.x, r.first.x);
        EXPECT_EQ(first.y, r.first.y);
        EXPECT_EQ(last.x, r.last.x);
        EXPECT_EQ(last.y, r.last.y);
        EXPECT_EQ(first_end.x, r.first_end.x);
        EXPECT_EQ(first_end.y, r.first_end.y);
    }
}

TEST(AxisTick, OutwardTicksMakeAnOuterPart) {
    HeadlessWindow window(700, 500);
    auto tick = Make_Tick(&window, 1, 0.0, 10.0, 2.0);
    // Only directions or invisible ticks changed: the frame keeps its geometry.
    EXPECT_EQ(tick->IsChangProp(10, 1, 1, 5, 1, 0), 3);
    EXPECT_EQ(tick->IsChangProp(10, 1, 1, 5, 0, 0), 3);
    EXPECT_EQ(tick->IsChangProp(10, 0, 0, 5, 1, 1), 3);
    EXPECT_EQ(tick->IsChangProp(10, 0, 1, 5, 1, 0), 2);
    EXPECT_EQ(tick->IsChangProp(10, 1, 1, 5, 0, 1), 2);

    tick->SetMainTick(10, 0, 1, 1);
    ASSERT_EQ(tick->ReDrawContent(Plot(), 0, 0), 1);
    EXPECT_EQ(tick->PutInPartLng(), 0);
    EXPECT_EQ(tick->PutFrmHeight(), 13);
    EXPECT_EQ(tick->PutFrmTop(), 400);  // entirely below the plot's bottom edge
    EXPECT_EQ(tick->PutOutLng(), 13 * 15);
    // Same outward extent: appearance only; a longer outward sub tick or none: rebuild.
    EXPECT_EQ(tick->IsChangProp(10, 0, 1, 5, 0, 1), 3);
    EXPECT_EQ(tick->IsChangProp(10, 0, 1, 12, 0, 1), 2);
    EXPECT_EQ(tick->IsChangProp(10, 1, 1, 5, 1, 0), 2);
    const TickPos* main = tick->PutMainTickPos();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(On_Screen(*tick, main->PutArray(0)).y, 400);
    EXPECT_EQ(On_Screen(*tick, main->PutEndArray(0)).y, 410);

    // Inward main and outward sub ticks: both parts.
    tick->SetMainTick(10, 1, 1, 1);
    tick->SetSubTick(5, 0, 1, 1);
    ASSERT_EQ(tick->ReDrawContent(Plot(), 0, 0), 1);
    EXPECT_EQ(tick->PutInPartLng(), 13);
    EXPECT_EQ(tick->PutFrmHeight(), 21);
    EXPECT_EQ(tick->PutOutLng(), 8 * 15);
}

TEST(AxisTick, ManualRangeEndsOnAWholeStep) {
    HeadlessWindow window(700, 500);
    auto tick = Make_Tick(&window, 1, 0.0, 1.0, 0.5);
    struct Row {
        double min, max, div, new_max;
    } rows[] = {
        {0.0, 1.0, 0.3, 1.2}, {0.0, 2.1, 0.7, 2.1},      {0.0, 10.0, 3.0, 12.0},
        {0.0, 9.0, 3.0, 9.0}, {-3.25, 3.25, 0.65, 3.25}, {2.0, 2.5, 1.0, 3.0},
    };
    for (const Row& r : rows) {
        double min = r.min, max = r.max, div = r.div;
        EXPECT_EQ(tick->ManuCalcOnAxisValues(&min, &max, &div), 1);
        EXPECT_EQ(min, r.min);
        EXPECT_EQ(div, r.div);
        EXPECT_DOUBLE_EQ(max, r.new_max) << r.min << " " << r.max << " " << r.div;
    }
}

TEST(AxisTick, AutomaticValuesAreTidiedOnlyWhenChanged) {
    HeadlessWindow window(700, 500);
    auto tick = Make_Tick(&window, 1, 0.0, 12.5, 2.5);
    double min = 0.0, max = 10.0, div = 1.0;
    EXPECT_EQ(tick->SetAxisValue(&min, &max, &div), 1);
    EXPECT_DOUBLE_EQ(min, 0.0);
    EXPECT_DOUBLE_EQ(max, 10.5);
    EXPECT_DOUBLE_EQ(div, 1.5);

    min = 0.0, max = 12.5, div = 2.5;
    EXPECT_EQ(tick->SetAxisValue(&min, &max, &div), 0);
    EXPECT_EQ(max, 12.5);

    tick->SetAutoFlag(0);
    min = 0.0, max = 1.0, div = 0.3;
    EXPECT_EQ(tick->SetAxisValue(&min, &max, &div), 1);
    EXPECT_DOUBLE_EQ(max, 1.2);
}

TEST(AxisTick, DrawsBlackTicksOnThePaintColour) {
    HeadlessWindow window(700, 500);
    auto tick = Make_Tick(&window, 1, 0.0, 10.0, 2.0);
    tick->SetSubTick(5, 0, 1, 2);
    tick->PutColorSet().SetRGBPntdata(RGB(255, 255, 0));
    tick->PutColorSet().SetRGBdata(RGB(255, 0, 0));  // stored only: ticks stay black
    ASSERT_EQ(tick->ReDrawContent(Plot(), 0, 0), 1);
    const QImage& image = *Dc_Image(tick->PutVirDC());
    const QColor black(0, 0, 0), yellow(255, 255, 0);
    // Main tick at x 3: from the axis line (y 13) up to y 4, one pixel wide.
    EXPECT_EQ(QColor(image.pixel(3, 12)), black);
    EXPECT_EQ(QColor(image.pixel(3, 4)), black);
    EXPECT_EQ(QColor(image.pixel(3, 2)), yellow);
    EXPECT_EQ(QColor(image.pixel(4, 8)), yellow);
    // Sub tick at x 53 (value 1), outward below the axis line, two pixels wide.
    EXPECT_EQ(QColor(image.pixel(53, 15)), black);
    EXPECT_EQ(QColor(image.pixel(53, 10)), yellow);

    // Shown on the window at 100 %.
    HDC hdc = GetDC(&window);
    EXPECT_EQ(tick->ReDraw(hdc, SRCCOPY, 0), 1);
    ReleaseDC(&window, hdc);
    EXPECT_EQ(QColor(window.Surface().pixel(100, 395)), black);
    EXPECT_EQ(QColor(window.Surface().pixel(101, 395)), yellow);
}

TEST(AxisTick, EmptyRectangleGivesAHiddenUnusedFrame) {
    HeadlessWindow window(700, 500);
    tagRECT rect;
    SetRect(&rect, 1500, 1500, 1500, 1700);
    AxisTick tick(&window, 1, 0.0, 10.0, 2.0, &rect, 0, 0, 100, 0);
    EXPECT_EQ(tick.PutShowFlag(), 0);
    EXPECT_EQ(tick.PutUsbFlag(), 0);
    EXPECT_EQ(tick.PutVirDC(), nullptr);
    HDC hdc = GetDC(&window);
    EXPECT_EQ(tick.ReDraw(hdc, SRCCOPY, 0), 0);
    ReleaseDC(&window, hdc);
}

TEST(AxisTick, LogarithmicStyleIsLaidOutLinearly) {
    HeadlessWindow window(700, 500);
    tagRECT plot = Plot();
    const tagRECT rect = AxisTick::FirstAxisTick(&plot, 1, &window);
    AxisTick linear(&window, 1, 0.0, 10.0, 2.0, &rect, 0, 0, 100, 0);
    AxisTick logarithmic(&window, 1, 0.0, 10.0, 2.0, &rect, 0, 0, 100, 1);
    EXPECT_EQ(logarithmic.PutTickStyle(), 1);
    ASSERT_NE(logarithmic.PutMainTickPos(), nullptr);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(logarithmic.PutMainTickPos()->PutArray(k).x,
                  linear.PutMainTickPos()->PutArray(k).x);
    }
}

TEST(AxisTick, PrintsAtPrinterResolution) {
    HeadlessWindow window(700, 500);
    auto tick = Make_Tick(&window, 1, 0.0, 10.0, 2.0);
    QImage page = New_Image(2500, 1800, Qt::white);
    HDC printer = Create_ImageDC(&page, 300, 300);
    // Frame corner: 1455 twips -> 303.125 dots, 5805 twips -> 1209.375 dots.
    const tagPOINT corner = tick->CalcAddValToPos(printer);
    EXPECT_EQ(corner.x, 303);
    EXPECT_EQ(corner.y, 1209);
    std::unique_ptr<LONG[]> positions;
    short count = 0;
    ASSERT_EQ(tick->TickPosOnPrnt(printer, &positions, &count), 1);
    ASSERT_EQ(count, 6);
    // Tick k at 3 + 100 k pixels = 9.375 + 312.5 k dots from the corner.
    EXPECT_EQ(positions[0], 312);
    EXPECT_EQ(positions[1], 624);
    EXPECT_EQ(positions[5], 1874);
    EXPECT_EQ(tick->PrintObject(printer, 0), 1);
    DeleteDC(printer);
    // The axis line at 13 pixels = 40.6 dots below the corner; the tick is 10 pixels
    // (31 dots) long and 3 dots wide.
    int black_columns = 0;
    for (int x = 620; x < 630; ++x) {
        if (QColor(page.pixel(x, 1235)) == QColor(Qt::black)) ++black_columns;
    }
    EXPECT_EQ(black_columns, 3);
    EXPECT_EQ(QColor(page.pixel(positions[1], 1200)), QColor(Qt::white));
    EXPECT_EQ(QColor(page.pixel(positions[1], 1260)), QColor(Qt::white));
}

}  // namespace
