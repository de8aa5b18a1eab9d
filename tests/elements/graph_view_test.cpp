// Series and the plot area: gaps, markers, grid lines, rescaling, the menu edits and
// printing.
#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

#include "elements/graph_view.h"
#include "platform/numeric.h"
#include "platform/qt/image_window.h"
#include "platform/qt/qt_gdi.h"
#include "platform/recording_message_sink.h"
#include "platform/scripted_choosers.h"
#include "platform/scripted_dialogs.h"

namespace {

const double NaN = std::nan("");

PointArray Series(std::initializer_list<std::pair<double, double>> points,
                  const char* name = nullptr) {
    std::vector<double> xs, ys;
    for (auto& p : points) {
        xs.push_back(p.first);
        ys.push_back(p.second);
    }
    return PointArray(static_cast<int>(xs.size()), xs.data(), ys.data(), name);
}

// A series on a 20-pixels-per-unit scale with y = 5 at the top: (x, y) -> (20x, 100 - 20y).
std::unique_ptr<GraphLine> Make_Line(HWND hwnd, const PointArray& data) {
    return std::make_unique<GraphLine>(hwnd, &data, PointDbl(0, 5), PointDbl(20, 20), nullptr, 1,
                                       0);
}

struct Canvas {
    Canvas() : image(New_Image(200, 120, Qt::white)), dc(Create_ImageDC(&image, 96, 96)) {}
    ~Canvas() { DeleteDC(dc); }
    QImage image;
    HDC dc;
};

// The expected picture: the given segments in a 1-pixel black pen, and black discs.
QImage Expected(const std::vector<std::pair<tagPOINT, tagPOINT>>& segments,
                const std::vector<tagPOINT>& discs = {}, LONG radius = 3) {
    Canvas canvas;
    for (auto& s : segments) {
        MoveToEx(canvas.dc, s.first.x, s.first.y, nullptr);
        LineTo(canvas.dc, s.second.x, s.second.y);
    }
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    HBRUSH brush = CreateSolidBrush(0);
    HPEN old_pen = SelectObject(canvas.dc, pen);
    HBRUSH old_brush = SelectObject(canvas.dc, brush);
    for (auto& d : discs)
        Ellipse(canvas.dc, d.x - radius, d.y - radius, d.x + radius, d.y + radius);
    SelectObject(canvas.dc, old_pen);
    SelectObject(canvas.dc, old_brush);
    DeleteObject(pen);
    DeleteObject(brush);
    return canvas.image.copy();
}

tagPOINT P(LONG x, LONG y) { return tagPOINT{x, y}; }

}  // namespace

TEST(GraphLine, PixelPositionsAndGaps) {
    HeadlessWindow window(100, 100);
    PointArray data = Series({{0, 0}, {1, NaN}, {2.5, 1}, {1e300, 2}, {-0.01, 5.01}});
    auto line = Make_Line(&window, data);
    ASSERT_EQ(line->PutDateNum(), 5);
    PointDate& px = *line->PutPointDate();
    EXPECT_EQ(px[0].x, 0);
    EXPECT_EQ(px[0].y, 100);
    EXPECT_EQ(px[1].x, 20);
    EXPECT_EQ(px[1].y, GAP_VALUE);
    EXPECT_EQ(px[2].x, 50);
    EXPECT_EQ(px[2].y, 80);
    EXPECT_EQ(px[3].x, GAP_VALUE);  // does not fit in 32 bits
    EXPECT_EQ(px[4].x, 0);          // truncated toward zero, not floored
    EXPECT_EQ(px[4].y, 0);
    EXPECT_EQ(line->PutUsbFlag(), 1);
    EXPECT_EQ(line->PutDateTitle(), nullptr);
    EXPECT_EQ(line->MarkerDev(), GraphLine::PutDefMrkdev());

    GraphLine empty(&window, static_cast<const PointArray*>(nullptr), PointDbl(), PointDbl(), "x",
                    1, 0);
    EXPECT_EQ(empty.PutUsbFlag(), 0);
    EXPECT_EQ(empty.PutDateTitle(), nullptr);
    Canvas canvas;
    EXPECT_EQ(empty.DrawLine(&window, canvas.dc), 0);
}

// Which segments a series draws around gaps: exactly the ones between neighbours that are
// both defined; the pen stays up across one gap or many.
TEST(GraphLine, GapsBreakTheLine) {
    HeadlessWindow window(100, 100);
    struct Row {
        const char* name;
        PointArray data;
        std::vector<std::pair<tagPOINT, tagPOINT>> segments;
    } rows[] = {
        {"single gap", Series({{0, 0}, {1, NaN}, {2, 1}, {3, 2}}), {{P(40, 80), P(60, 60)}}},
        {"first point a gap",
         Series({{0, NaN}, {1, 1}, {2, 2}, {3, 1}}),
         {{P(20, 80), P(40, 60)}, {P(40, 60), P(60, 80)}}},
        {"two gaps in a row",
         Series({{0, 1}, {1, 1}, {2, NaN}, {3, NaN}, {4, 2}, {5, 1}}),
         {{P(0, 80), P(20, 80)}, {P(80, 60), P(100, 80)}}},
        {"starts with gaps",
         Series({{0, NaN}, {1, NaN}, {2, NaN}, {3, 2}, {4, 1}}),
         {{P(60, 60), P(80, 80)}}},
        {"ends with gaps", Series({{0, 1}, {1, 2}, {2, NaN}, {3, NaN}}), {{P(0, 80), P(20, 60)}}},
        {"x gap", Series({{0, 1}, {NaN, 2}, {2, 1}, {3, 2}}), {{P(40, 80), P(60, 60)}}},
        {"all gaps", Series({{NaN, NaN}, {1, NaN}}), {}},
    };
    for (Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto line = Make_Line(&window, row.data);
        Canvas canvas;
        EXPECT_EQ(line->DrawLine(&window, canvas.dc), 1);
        EXPECT_EQ(canvas.image, Expected(row.segments));
    }
}

TEST(GraphLine, MarkerTypesAndInterval) {
    HeadlessWindow window(100, 100);
    std::vector<double> xs, ys;
    for (int i = 0; i < 12; ++i) {
        xs.push_back(i * 0.75);  // 15 pixels apart
        ys.push_back(i % 2 ? 2 : 1);
    }
    const PointArray data(12, xs.data(), ys.data());
    std::vector<tagPOINT> all;
    std::vector<std::pair<tagPOINT, tagPOINT>> polyline;
    for (int i = 0; i < 12; ++i) all.push_back(P(i * 15, i % 2 ? 60 : 80));
    for (int i = 0; i + 1 < 12; ++i) polyline.push_back({all[i], all[i + 1]});
    const std::vector<tagPOINT> every_fifth = {all[0], all[5], all[10]};
    struct Row {
        LONG marker;
        LONG interval;
        std::vector<std::pair<tagPOINT, tagPOINT>> segments;
        std::vector<tagPOINT> discs;
    } rows[] = {
        {0, 5, polyline, {}}, {1, 5, polyline, every_fifth},   {-1, 5, {}, every_fifth},
        {-1, 1, {}, all},     {-1, 11, {}, {all[0], all[11]}}, {-1, 12, {}, {all[0]}},
    };
    for (Row& row : rows) {
        SCOPED_TRACE(row.marker * 100 + row.interval);
        auto line = Make_Line(&window, data);
        line->LineInfo()->SetMarker(row.marker);
        line->ColorInfo()->SetRGBPntdata(0);
        line->MarkerDev() = row.interval;
        Canvas canvas;
        line->DrawLine(&window, canvas.dc);
        // Markers are drawn after the line, as in the expected picture.
        EXPECT_EQ(canvas.image, Expected(row.segments, row.discs));
    }
}

TEST(GraphLine, DefaultMarkerIntervalIsProcessWide) {
    HeadlessWindow window(10, 10);
    EXPECT_EQ(GraphLine::PutDefMrkdev(), 5);
    GraphLine::SetDefMrkdev(8);
    const PointArray data = Series({{0, 0}});
    EXPECT_EQ(Make_Line(&window, data)->MarkerDev(), 8);
    GraphLine::SetDefMrkdev(0);
    EXPECT_EQ(GraphLine::PutDefMrkdev(), 1);
    GraphLine::SetDefMrkdev(5);
}

namespace {

tagRECT Twips(LONG l, LONG t, LONG r, LONG b) {
    tagRECT rect;
    SetRect(&rect, l, t, r, b);
    return rect;
}

}  // namespace

TEST(GraphView, ConstructionAndGridLines) {
    HeadlessWindow window(400, 300);
    tagRECT rect = Twips(1500, 1500, 1500 + 3000, 1500 + 1500);  // 200 x 100 pixels
    GraphView view(&window, &rect, 0, 0, 100);
    EXPECT_EQ(view.ObjectType(), 4);
    EXPECT_EQ(view.BoderFlag(), 1);
    EXPECT_EQ(view.PutUsbFlag(), 1);
    EXPECT_EQ(view.PutVirFrame().x, 200);
    EXPECT_EQ(view.PutVirFrame().y, 100);

    tagRECT none = Twips(0, 0, 0, 0);
    GraphView unused(&window, &none, 0, 0, 100);
    EXPECT_EQ(unused.PutUsbFlag(), 0);
    EXPECT_EQ(unused.PutVirDC(), nullptr);

    // Six ticks of a left axis, bitmap positions 3 (top) ... 103: four inner lines,
    // relative to the top tick.
    const LONG left[6] = {103, 83, 63, 43, 23, 3};
    EXPECT_EQ(view.GridFlag(0), 0);
    ASSERT_EQ(view.SetGridLinePos(0, left, 6), 1);
    GrpLnLink* grid = view.PutGridLines(0);
    ASSERT_EQ(grid->PutElementNum(), 4);
    for (short i = 0; i < 4; ++i) {
        PointDate& ends = *grid->Array(i)->PutPointDate();
        EXPECT_EQ(ends.GetArraySize(), 2);
        EXPECT_EQ(ends[0].x, 0);
        EXPECT_EQ(ends[1].x, 200);
        EXPECT_EQ(ends[0].y, left[i + 1] - 3);
        EXPECT_EQ(ends[1].y, left[i + 1] - 3);
    }
    // A bottom axis relative to its left tick.
    const LONG bottom[3] = {3, 103, 203};
    ASSERT_EQ(view.SetGridLinePos(1, bottom, 3), 1);
    ASSERT_EQ(view.PutGridLines(1)->PutElementNum(), 1);
    EXPECT_EQ((*view.PutGridLines(1)->Array(0)->PutPointDate())[0].x, 100);
    EXPECT_EQ((*view.PutGridLines(1)->Array(0)->PutPointDate())[1].y, 100);
    // Rebuilding replaces the lines; no positions give 0.
    ASSERT_EQ(view.SetGridLinePos(0, left, 4), 1);
    EXPECT_EQ(grid->PutElementNum(), 2);
    EXPECT_EQ(view.SetGridLinePos(2, nullptr, 0), 0);

    // Flags: real for an axis with lines, a value reset on every call otherwise.
    view.GridFlag(0) = 1;
    EXPECT_EQ(view.GridFlag(0), 1);
    for (int axis : {2, 3, 4, -1}) {
        view.GridFlag(axis) = 1;
        EXPECT_EQ(view.GridFlag(axis), 0) << axis;
    }
}

TEST(GraphView, SeriesUnderGridLines) {
    HeadlessWindow window(400, 300);
    tagRECT rect = Twips(0, 0, 1500, 1500);  // 100 x 100 pixels
    GraphView view(&window, &rect, 0, 0, 100);
    PointArray data = Series({{0, 2.5}, {5, 2.5}});  // horizontal line at y = 50
    auto line = Make_Line(&window, data);
    line->SetRGBdata(RGB(255, 0, 0));
    view.Append(std::move(line));
    const LONG ticks[3] = {0, 50, 100};  // one vertical grid line at x = 50
    view.SetGridLinePos(1, ticks, 3);
    view.DrawAllObject();
    HDC dc = view.PutVirDC();
    EXPECT_EQ(GetPixel(dc, 20, 50), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 50, 20), RGB(255, 255, 255));  // grid lines hidden
    view.GridFlag(1) = 1;
    view.DrawAllObject();
    EXPECT_EQ(GetPixel(dc, 50, 20), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 50, 50), RGB(0, 0, 0));  // the grid line lies over the series
}

TEST(GraphView, RescalingAndPlacementKeepTheTwipSize) {
    HeadlessWindow window(400, 300);
    tagRECT rect = Twips(0, 0, 1500, 1500);
    GraphView view(&window, &rect, 0, 0, 100);
    PointArray left_scale = Series({{1, 1}});
    view.Append(Make_Line(&window, left_scale));
    auto right = Make_Line(&window, left_scale);
    right->VerAxis() = 2;
    view.Append(std::move(right));
    const double factors[4] = {10, 4, 0, 0};  // axis 2 has no scale yet
    const double starts[4] = {3, -1, 0, 0};
    tagRECT bigger = Twips(0, 0, 3000, 2250);  // 200 x 150 pixels
    ASSERT_EQ(view.ChngViewFrame(&bigger, ArrayCls<double>(4, factors), ArrayCls<double>(4, starts),
                                 0, 0),
              1);
    EXPECT_EQ((*view.Array(0)->PutPointDate())[0].x, 8);   // (1 - -1) x 4
    EXPECT_EQ((*view.Array(0)->PutPointDate())[0].y, 20);  // (3 - 1) x 10
    EXPECT_EQ((*view.Array(1)->PutPointDate())[0].x, 20);  // untouched
    EXPECT_EQ(view.PutVirFrame().x, 200);
    EXPECT_EQ(view.PutVirFrame().y, 150);

    // A zoom of 33 % and back: pixel placement never changes the twip size.
    view.ChangeMag(33, 0, 0);
    view.WinChngSize(0, 0);
    view.ChangeMag(100, 0, 0);
    EXPECT_EQ(view.GetBoxWidth(), 3000);
    EXPECT_EQ(view.GetBoxHeight(), 2250);
    tagRECT moved = Twips(150, 150, 150 + 3001, 150 + 2250);
    view.MoveObjectWithOutMouse(&moved, 0, 0);
    EXPECT_EQ(view.GetBoxWidth(), 3001);
    EXPECT_EQ(view.MoveEnd(0, 0, 1), 0);
}

TEST(GraphView, MenuEditsAndOutOfRange) {
    HeadlessWindow window(400, 300);
    tagRECT rect = Twips(0, 0, 1500, 1500);
    GraphView view(&window, &rect, 0, 0, 100);
    PointArray data = Series({{0, 1}, {1, 2}});
    view.Append(Make_Line(&window, data));
    RecordingMessageSink sink;
    ScriptedChoosers choosers;
    choosers.color = RGB(1, 2, 3);
    EXPECT_EQ(view.ChangeColor(0), 1);
    EXPECT_EQ(view.Array(0)->ColorInfo()->PutRGBdata(), RGB(1, 2, 3));
    choosers.color = RGB(4, 5, 6);
    EXPECT_EQ(view.ChangePntColor(0), 1);
    EXPECT_EQ(view.Array(0)->ColorInfo()->PutRGBPntdata(), RGB(4, 5, 6));
    choosers.confirm = false;
    EXPECT_EQ(view.ChangeColor(0), 0);
    EXPECT_TRUE(sink.boxes.empty());

    ScriptedDialogRunner runner;
    runner.Then([](MemoryDialog& d) {
        d.Type(IDC_MARKER_INTERVAL, "3");
        d.Click(IDC_SELECT_MARKER);
        d.Click(IDOK);
    });
    EXPECT_EQ(view.ChangeLineProp(0), 1);
    EXPECT_EQ(view.Array(0)->MarkerDev(), 3);
    EXPECT_EQ(view.Array(0)->LineInfo()->PutMarker(), 1);
    EXPECT_EQ(view.ChangeLineProp(0), 0);  // no script: cancelled

    for (short bad : {1, -1}) {
        sink.Clear();
        EXPECT_EQ(view.ChangeColor(bad), 0);
        EXPECT_EQ(view.ChangePntColor(bad), 0);
        EXPECT_EQ(view.ChangeLineProp(bad), 0);
        EXPECT_EQ(view.Array(bad), view.Array(0));
        EXPECT_EQ(view.PutGrpLnLink()->Draw(0, bad, view.PutVirDC()), 0);
        ASSERT_EQ(sink.boxes.size(), 5u);
        for (auto& box : sink.boxes) {
            EXPECT_EQ(box.caption, "out of range");
            EXPECT_EQ(box.text, "指定オブジェクトの番号が範囲外です");
        }
    }
    sink.Clear();
    EXPECT_EQ(view.Remove(3), 0);
    EXPECT_EQ(view.PutElementNum(), 1);
    EXPECT_EQ(view.Remove(0), 1);
    EXPECT_EQ(view.Array(0), nullptr);
    EXPECT_EQ(sink.boxes.size(), 1u);
}

TEST(GraphViewPrint, GapsStayGapsAndThePageIsWhitenedAroundThePlot) {
    HeadlessWindow window(400, 300);
    // One inch from the page corner, one inch wide and high; 192-dpi page.
    tagRECT rect = Twips(1440, 1440, 2880, 2880);
    GraphView view(&window, &rect, 0, 0, 100);
    // x from 0 to 2 across the plot (96 dots per unit), y from 1 (top) to -1.
    PointArray data = Series({{-1, 0}, {0.5, 0}, {1, NaN}, {1.5, 0.5}, {3, 0.5}});
    view.Append(Make_Line(&window, data));
    const double trfc[4] = {96, 96, 96, 96};
    const double start[4] = {1, 0, 1, 0};
    GraphLine* line = view.Array(0);
    PointDate dots(5);
    const tagRECT on_page = Twips(192, 192, 384, 384);
    ASSERT_EQ(line->TransDataOnPnt(&dots, &on_page, start, trfc), 1);
    EXPECT_EQ(dots[1].x, 240);
    EXPECT_EQ(dots[1].y, 288);
    EXPECT_EQ(dots[2].x, 288);
    EXPECT_EQ(dots[2].y, GAP_VALUE);  // the corner is not added to a gap
    PointDate small(4);
    EXPECT_EQ(line->TransDataOnPnt(&small, &on_page, start, trfc), 0);

    QImage page = New_Image(600, 500, Qt::white);
    HDC printer = Create_ImageDC(&page, 192, 192);
    ASSERT_EQ(view.PrintGraph(printer, trfc, start), 1);
    DeleteDC(printer);
    // The plot is 192..384 on the page; the first segment runs from outside to x = 240.
    const auto ink = [&](int x, int y) { return QColor(page.pixel(x, y)) != QColor(Qt::white); };
    EXPECT_FALSE(ink(150, 288));  // left of the plot: whitened
    EXPECT_TRUE(ink(220, 288));   // inside, before the gap
    EXPECT_FALSE(ink(260, 270));  // across the gap: nothing
    EXPECT_TRUE(ink(350, 240));   // after the gap, at y = 0.5
    EXPECT_FALSE(ink(420, 240));  // right of the plot: whitened
    EXPECT_TRUE(ink(192, 300));   // the outline
    EXPECT_TRUE(ink(383, 300));
}
