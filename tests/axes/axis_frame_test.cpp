// Number frames: label places, the static layout beside the tick frames, the rebuilds after
// new values, styles and tick changes, and printing.
#include <gtest/gtest.h>

#include <QImage>

#include <cstring>
#include <memory>
#include <string>

#include "axes/axis_frame.h"
#include "formula/number_text.h"
#include "platform/numeric.h"
#include "platform/qt/image_window.h"
#include "platform/qt/qt_gdi.h"
#include "platform/scripted_dialogs.h"

namespace {

// Plot area 100 ... 600 x 100 ... 400 pixels; with the tick frames 87 ... 613 x 87 ... 413.
tagRECT View() {
    tagRECT rect;
    SetRect(&rect, 1500, 1500, 9000, 6000);
    return rect;
}
tagRECT Graph() {
    tagRECT rect;
    SetRect(&rect, 1305, 1305, 9195, 6195);
    return rect;
}

tagPOINT Start() {
    tagPOINT start;
    start.x = 5;
    start.y = 5;
    return start;
}

struct Built {
    tagRECT rect;
    double factor = 0.0;
    std::unique_ptr<AxisFrame> frame;
};

Built Build(HWND window, int axis, const std::vector<double>& values, int style = 0,
            int digits = 1) {
    Built built;
    const int direction = (axis == 0 || axis == 2) ? 1 : 0;
    const tagRECT view = View(), graph = Graph();
    EXPECT_EQ(AxisFrame::CalcParameters(window, axis, direction, int(values.size()), values.data(),
                                        &built.factor, &view, &graph, &built.rect, 0, style, digits,
                                        5, 5, nullptr),
              1);
    built.frame = std::make_unique<AxisFrame>(window, axis, direction, int(values.size()),
                                              values.data(), built.factor, &built.rect, 0, 0, 100,
                                              0, style, digits, Start());
    return built;
}

std::string Text_Of(double value, short digits, short style) {
    char text[64] = "";
    Double_To_C(value, text, digits, style, sizeof text);
    return text;
}

TEST(AxisFrame, LabelOffsetsAlongTheAxis) {
    HeadlessWindow window(700, 500);
    const double values[] = {0.0, 1.0, 2.0, 3.0};
    tagRECT rect;
    SetRect(&rect, 0, 0, 6000, 1500);
    struct Row {
        int direction;
        LONG x[4], y[4];
    } rows[] = {
        {0, {5, 105, 205, 305}, {5, 5, 5, 5}},
        {1, {5, 5, 5, 5}, {305, 205, 105, 5}},
    };
    for (const Row& r : rows) {
        AxisFrame frame(&window, r.direction ? 0 : 1, r.direction, 4, values, 100.0, &rect, 0, 0,
                        100, 0, 0, 1, Start());
        for (int i = 0; i < 4; ++i) {
            const tagPOINT pos = frame.PutNumStrObj(i)->PutPosVirWin();
            EXPECT_EQ(pos.x, r.x[i]) << r.direction << " " << i;
            EXPECT_EQ(pos.y, r.y[i]) << r.direction << " " << i;
        }
    }
    EXPECT_EQ(AxisFrame::TransToOnScreen(0, 3.0, 0.5, 100.0), 250);
    EXPECT_EQ(AxisFrame::TransToOnScreen(0, 0.0, 1e300, 1e10), GAP_VALUE);
}

TEST(AxisFrame, LayoutTouchesThePlotAndTickRectangle) {
    HeadlessWindow window(700, 500);
    const std::vector<double> values = {0.0, 2.5, 5.0, 7.5, 10.0};
    for (int axis = 0; axis < 4; ++axis) {
        SCOPED_TRACE(axis);
        Built b = Build(&window, axis, values);
        const tagRECT graph = Graph(), view = View();
        AxisFrame& frame = *b.frame;
        const LONG widest = frame.PutStringWidth(), tallest = frame.PutStringHight();
        ASSERT_GT(widest, 0);
        ASSERT_GT(tallest, 0);
        switch (axis) {
            case 0:
                EXPECT_EQ(b.rect.right, graph.left);
                EXPECT_EQ(b.rect.right - b.rect.left, (10 + widest) * 15);
                break;
            case 1:
                EXPECT_EQ(b.rect.top, graph.bottom);
                EXPECT_EQ(b.rect.bottom - b.rect.top, (10 + tallest) * 15);
                break;
            case 2: EXPECT_EQ(b.rect.left, graph.right); break;
            case 3: EXPECT_EQ(b.rect.bottom, graph.top); break;
        }
        const bool vertical = axis == 0 || axis == 2;
        // 500 or 300 pixels for the range 0 ... 10.
        EXPECT_DOUBLE_EQ(b.factor, vertical ? 30.0 : 50.0);
        // The first label of a row is centred on the plot's left edge, the top label of a
        // column on its top edge.
        if (vertical) {
            EXPECT_EQ(b.rect.top, view.top - 75 - (tallest * 15) / 2);
        } else {
            EXPECT_LT(b.rect.left, view.left - 75);
            EXPECT_GT(b.rect.left, view.left - 75 - widest * 15);
        }
        // The built frame covers the same pixels and its labels sit on the ticks.
        const tagRECT px = frame.PutFrmRect();
        EXPECT_EQ(px.left, b.rect.left / 15);
        EXPECT_EQ(px.right - px.left, (b.rect.right - b.rect.left) / 15);
        const tagPOINT vir = frame.PutVirFrame();
        EXPECT_EQ(vir.x, px.right - px.left);
        EXPECT_EQ(vir.y, px.bottom - px.top);
        const tagPOINT p0 = frame.PutNumStrObj(0)->PutPosVirWin();
        const tagPOINT p4 = frame.PutNumStrObj(4)->PutPosVirWin();
        if (vertical) {
            EXPECT_EQ(p0.y - p4.y, 300);
        } else {
            EXPECT_EQ(p4.x - p0.x, 500);
        }
    }
}

TEST(AxisFrame, NoLabelsGivesNothing) {
    HeadlessWindow window(700, 500);
    double factor = 7.0;
    tagRECT rect;
    const tagRECT view = View(), graph = Graph();
    EXPECT_EQ(AxisFrame::CalcParameters(&window, 1, 0, 0, nullptr, &factor, &view, &graph, &rect, 0,
                                        0, 1, 5, 5, nullptr),
              0);
    EXPECT_EQ(factor, 7.0);
    SetRect(&rect, 0, 0, 1500, 300);
    AxisFrame frame(&window, 1, 0, 0, nullptr, 1.0, &rect, 0, 0, 100, 0, 0, 1, Start());
    EXPECT_EQ(frame.PutUsbFlag(), 0);
    EXPECT_EQ(frame.ObjectType(), 2);
    EXPECT_EQ(frame.ChangeContent(&view, &graph, 0, 0), 0);
    EXPECT_EQ(frame.ChangeNumDate(nullptr, 3, &view, &graph, 0, 0), 0);
    double min = 0, max = 0;
    EXPECT_EQ(frame.CalcMxMinNumStrObj(&min, &max), 0);
}

TEST(AxisFrame, LabelTexts) {
    HeadlessWindow window(700, 500);
    struct Row {
        std::vector<double> values;
        int style, digits;
        std::vector<std::string> texts;
    } rows[] = {
        {{1234.0, 2000.0}, 2, 1, {"1234.0", "2000.0"}},
        {{0.5, 1.0}, 2, 2, {"0.50", "1.00"}},
        {{-0.2, 4.440892098500626e-16, 0.2}, 2, 2, {"-0.20", "0.00", "0.20"}},
        {{-0.2, 4.440892098500626e-16, 0.2}, 1, 1, {"-2.0e-01", Text_Of(0.0, 1, 1), "2.0e-01"}},
    };
    for (const Row& r : rows) {
        Built b = Build(&window, 1, r.values, r.style, r.digits);
        for (size_t i = 0; i < r.texts.size(); ++i) {
            EXPECT_EQ(b.frame->PutNumStrObj(int(i))->PutString(), r.texts[i]);
            EXPECT_EQ(b.frame->PutNumStrObj(int(i))->PutDblNum(), r.values[i]);
        }
    }
}

TEST(AxisFrame, NewValuesRebuildTheFrame) {
    HeadlessWindow window(700, 500);
    Built b = Build(&window, 1, {0.0, 5.0, 10.0});
    AxisFrame& frame = *b.frame;
    const tagRECT view = View(), graph = Graph();
    const LONG old_width = frame.PutFrmWidth();
    const double values[] = {-100.0, 0.0, 100.0, 200.0};
    ASSERT_EQ(frame.CalcDateSctrns(&graph, &values[0], &values[3], 1), 1);
    EXPECT_DOUBLE_EQ(frame.DateScTrns(), 526.0 / 300.0);
    ASSERT_EQ(frame.CalcDateSctrns(&view, &values[0], &values[3], 1), 1);
    ASSERT_EQ(frame.ChangeNumDate(values, 4, &view, &graph, 0, 0), 1);
    EXPECT_EQ(frame.PutNumDspObj(), 4);
    EXPECT_EQ(std::string(frame.PutNumStrObj(3)->PutString()), "200.0");
    EXPECT_NE(frame.PutFrmWidth(), old_width);
    EXPECT_EQ(frame.GetRectOnTwip().top, graph.bottom);
    EXPECT_EQ(frame.PutVirFrame().x, frame.PutFrmWidth());
    double got[4] = {};
    EXPECT_EQ(frame.PutNumObjDblArray(got), 1);
    EXPECT_EQ(got[0], -100.0);
    double min = 0, max = 0;
    EXPECT_EQ(frame.CalcMxMinNumStrObj(&min, &max), 1);
    EXPECT_EQ(min, -100.0);
    EXPECT_EQ(max, 200.0);
    // Refused values keep the labels.
    EXPECT_EQ(frame.ChangeNumDate(values, 0, &view, &graph, 0, 0), 0);
    EXPECT_EQ(frame.PutNumDspObj(), 4);
    // Zero range: the scale stays.
    const double before = frame.DateScTrns();
    EXPECT_EQ(frame.CalcDateSctrns(&graph, &values[1], &values[1], 1), 0);
    EXPECT_EQ(frame.DateScTrns(), before);
}

TEST(AxisFrame, FollowsTheTickFrameEdge) {
    HeadlessWindow window(700, 500);
    tagRECT o = Graph();
    tagRECT n = o;
    n.left -= 30;
    n.top -= 45;
    n.right += 60;
    n.bottom += 75;
    const LONG dx[] = {-30, 0, 60, 0};
    const LONG dy[] = {0, 75, 0, -45};
    for (int axis = 0; axis < 4; ++axis) {
        Built b = Build(&window, axis, {0.0, 1.0});
        const tagRECT before = b.frame->GetRectOnTwip();
        const tagRECT after = b.frame->ChangeForATick(o, n);
        EXPECT_EQ(after.left - before.left, dx[axis]) << axis;
        EXPECT_EQ(after.right - before.right, dx[axis]) << axis;
        EXPECT_EQ(after.top - before.top, dy[axis]) << axis;
        EXPECT_EQ(after.bottom - before.bottom, dy[axis]) << axis;
    }
}

TEST(AxisFrame, NumberStyleDialogChangesOnlyOnOk) {
    HeadlessWindow window(700, 500);
    ScriptedDialogRunner runner;
    Built b = Build(&window, 1, {1234.0, 2345.0}, 0, 3);
    AxisFrame& frame = *b.frame;
    const tagRECT view = View(), graph = Graph();
    const std::string automatic = frame.PutNumStrObj(0)->PutString();
    EXPECT_EQ(automatic, Text_Of(1234.0, 3, 0));

    runner.Then([](MemoryDialog& d) {  // cancelled
        d.Select(IDC_NUMSTYLE, 2);
        d.Type(IDC_NUMDIGIT, "1");
        d.Click(IDCANCEL);
    });
    runner.Then([](MemoryDialog& d) {  // digits out of range
        d.Select(IDC_NUMSTYLE, 2);
        d.Type(IDC_NUMDIGIT, "17");
        d.Click(IDOK);
    });
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(frame.ChangeNumStyle(&view, &graph, 0, 0, 1), 0);
        EXPECT_EQ(frame.PutStyNum(), 0);
        EXPECT_EQ(frame.PutNumDspdg(), 3);
        EXPECT_EQ(frame.PutNumStrObj(0)->PutString(), automatic);
    }

    runner.Then([](MemoryDialog& d) {
        d.Select(IDC_NUMSTYLE, 2);
        d.Type(IDC_NUMDIGIT, "1");
        d.Click(IDOK);
    });
    EXPECT_EQ(frame.ChangeNumStyle(&view, &graph, 0, 0, 1), 1);
    EXPECT_EQ(frame.PutStyNum(), 2);
    EXPECT_EQ(frame.PutNumDspdg(), 1);
    EXPECT_EQ(std::string(frame.PutNumStrObj(0)->PutString()), "1234.0");

    runner.Then([](MemoryDialog& d) {
        d.Select(IDC_NUMSTYLE, 1);
        d.Click(IDOK);
    });
    EXPECT_EQ(frame.ChangeNumStyle(&view, &graph, 0, 0, 0), 2);
    EXPECT_EQ(frame.PutStyNum(), 1);
    EXPECT_EQ(std::string(frame.PutNumStrObj(0)->PutString()), "1234.0");  // not rebuilt

    ASSERT_EQ(runner.shown.size(), 4u);
    EXPECT_EQ(runner.shown[0].caption, "数値の表示桁数と形式");
    EXPECT_EQ(runner.shown[0].initial_texts.at(IDC_NUMDIGIT), "3");
    EXPECT_EQ(runner.shown[3].initial_texts.at(IDC_NUMDIGIT), "1");
}

TEST(AxisFrame, DrawsLabelsAndPrintsThemScaled) {
    HeadlessWindow window(700, 500);
    Built b = Build(&window, 1, {0.0, 5.0, 10.0});
    AxisFrame& frame = *b.frame;
    const QImage& image = *Dc_Image(frame.PutVirDC());
    auto dark_in = [](const QImage& img, QRect area) {
        int dark = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (x >= 0 && y >= 0 && x < img.width() && y < img.height() &&
                    qGray(img.pixel(x, y)) < 128) {
                    ++dark;
                }
            }
        }
        return dark;
    };
    const tagPOINT p1 = frame.PutNumStrObj(1)->PutPosVirWin();
    EXPECT_GT(dark_in(image, QRect(p1.x, p1.y, frame.PutStringWidth(), frame.PutStringHight())), 0);
    EXPECT_EQ(dark_in(image, QRect(p1.x - 60, p1.y, 40, frame.PutStringHight())), 0);

    frame.SetShowFlag(0);
    frame.DrawNewObject();
    EXPECT_EQ(dark_in(image, QRect(0, 0, image.width(), image.height())), 0);

    QImage page = New_Image(3000, 2000, Qt::white);
    HDC printer = Create_ImageDC(&page, 300, 300);
    EXPECT_EQ(frame.PrintObject(printer, 0), 0);  // cleared frames are not printed
    frame.SetShowFlag(1);
    HFONT font = frame.TransFontOnPrt(printer);
    EXPECT_EQ(font->log_font.lfHeight, -50);  // -16 pixels at 96 dpi
    DeleteObject(font);
    EXPECT_EQ(frame.PrintObject(printer, 0), 1);
    const tagRECT at = frame.GetPrntPos(printer);
    DeleteDC(printer);
    // The middle label at its place scaled from 96 to 300 dots per inch.
    const int x = at.left + p1.x * 300 / 96, y = at.top + p1.y * 300 / 96;
    const int w = frame.PutStringWidth() * 300 / 96, h = frame.PutStringHight() * 300 / 96;
    EXPECT_GT(dark_in(page, QRect(x, y, w, h)), 20);
    EXPECT_EQ(dark_in(page, QRect(x - 150, y, 100, h)), 0);
}

}  // namespace
