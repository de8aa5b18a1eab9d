// Editing the graph through its commands: the element is chosen with the mouse (a right
// click, as the pop-up menus are opened), the dialogs answer from scripts.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "elements/title_on_win.h"
#include "axes/axis_tick_dialog.h"
#include "platform/cp932.h"
#include "platform/qt/qt_gdi.h"
#include "shell/paper_dialogs.h"
#include "platform/recording_message_sink.h"
#include "platform/scripted_choosers.h"
#include "platform/scripted_dialogs.h"
#include "shell_app.h"

namespace {

// Pop-up menus are not shown; the right click only selects.
struct QuietPopUps {
    QuietPopUps() {
        Set_PopUpMenuHandler([](HWND, tagPOINT, const MenuEntry&, HWND) {});
    }
    ~QuietPopUps() { Set_PopUpMenuHandler(nullptr); }
};

int Add(ComposedGraph& doc, double scale, const char* name) {
    std::vector<double> x, y;
    for (int i = 0; i <= 4; ++i) {
        x.push_back(i);
        y.push_back(scale * i);
    }
    GrpDate2D data;
    PointArray series(static_cast<int>(x.size()), x.data(), y.data(), name);
    data.SetDateArray(1, &series);
    const int axes[2] = {1, 0};
    return doc.graph.AddNewGraphDate(&data, axes, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr,
                                     nullptr, nullptr, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

void Select_LineSample(ComposedGraph& doc, int row) {
    const tagPOINT at = ComposedGraph::Center(*doc.graph.glist_frame->PutGListLink()->Array(row));
    doc.graph.Handle_To_RMouseDown(ComposedGraph::At(at));
    ASSERT_EQ(doc.graph.GetSelObjectKind(), 6);
}

QImage Picture(ComposedGraph& doc) {
    doc.paper.Surface().fill(Qt::white);
    HDC hdc = GetDC(&doc.paper);
    doc.graph.ReDraw(hdc, SRCAND, 0);
    ReleaseDC(&doc.paper, hdc);
    return doc.paper.Surface().copy();
}

TEST(Editing, DeletingSeries) {
    QuietPopUps quiet;
    RecordingMessageSink boxes;
    {
        // One of three: the axes keep their ranges, the legend loses its row.
        ComposedGraph doc;
        ASSERT_EQ(Add(doc, 0.5, "small"), 1);
        ASSERT_EQ(Add(doc, 0.1, "smaller"), 1);
        const double left_max = doc.graph.axis_tick[0]->PutMaxValue();
        Select_LineSample(doc, 0);
        EXPECT_EQ(doc.graph.LineDelete(0, 0), 2);
        EXPECT_EQ(doc.graph.graph_view->PutElementNum(), 2);
        EXPECT_EQ(doc.graph.glist_frame->PutGListLink()->PutElementNum(), 2);
        EXPECT_STREQ(doc.graph.graph_view->Array(0)->PutDateTitle(), "small");
        EXPECT_EQ(doc.graph.axis_tick[0]->PutMaxValue(), left_max);
        EXPECT_EQ(doc.graph.RsinfoFlag(), 1);
    }
    {
        // The only one: the whole graph goes, with its file name.
        ComposedGraph doc;
        doc.graph.reference_file = "/tmp/some.dat";
        Select_LineSample(doc, 0);
        EXPECT_EQ(doc.graph.LineDelete(0, 0), 1);
        EXPECT_FALSE(doc.graph.graph_view);
        EXPECT_FALSE(doc.graph.glist_frame);
        EXPECT_FALSE(doc.graph.title_on_win[0]);
        for (int axis = 0; axis < 4; ++axis) EXPECT_FALSE(doc.graph.axis_frame[axis]);
        EXPECT_TRUE(doc.graph.reference_file.empty());
        EXPECT_EQ(doc.graph.RsinfoFlag(), 0);
    }
    ComposedGraph doc;
    EXPECT_EQ(doc.graph.LineDelete(0, 0), -1);  // no line sample selected
}

TEST(Editing, GridTwiceRestoresThePictureAndChangesNothing) {
    QuietPopUps quiet;
    ComposedGraph doc;
    const QImage before = Picture(doc);
    doc.graph.Handle_To_RMouseDown(
        ComposedGraph::At(ComposedGraph::Center(*doc.graph.axis_tick[1])));
    ASSERT_EQ(doc.graph.GetSelObjectKind(), 3);
    EXPECT_EQ(doc.graph.SetGridFlag(), 1);
    EXPECT_EQ(doc.graph.graph_view->GridFlag(1), 1);
    EXPECT_NE(Picture(doc), before);  // vertical grid lines across the plot
    EXPECT_EQ(doc.graph.SetGridFlag(), 1);
    EXPECT_EQ(doc.graph.graph_view->GridFlag(1), 0);
    doc.graph.Handle_To_LMouseDown(MAKELPARAM_XY(3, 3), &doc.cur_state);  // deselect
    EXPECT_EQ(Picture(doc), before);
    EXPECT_EQ(doc.graph.RsinfoFlag(), 0);
}

TEST(Editing, TextsAndColoursThroughTheirDialogs) {
    QuietPopUps quiet;
    ComposedGraph doc;
    ScriptedDialogRunner dialogs;
    // The graph title's text.
    doc.graph.Handle_To_RMouseDown(
        ComposedGraph::At(ComposedGraph::Center(*doc.graph.title_on_win[0])));
    ASSERT_EQ(doc.graph.GetSelObjectKind(), 1);
    dialogs.Then([](MemoryDialog& d) {
        d.Type(IDC_TITLE_TEXT, "新しい題");
        d.Click(IDOK);
    });
    EXPECT_EQ(doc.graph.ChangeTitleCont(nullptr, 0, 0), 1);
    EXPECT_STREQ(doc.graph.title_on_win[0]->PutTitle(), "新しい題");
    EXPECT_EQ(doc.graph.RsinfoFlag(), 1);
    // The title stays above the plot area.
    EXPECT_LT(doc.graph.title_on_win[0]->GetRectOnTwip().bottom,
              doc.graph.graph_view->GetRectOnTwip().top);

    // A series renamed in the legend is renamed for the CSV table (and the file) too.
    const tagPOINT name = ComposedGraph::Center(*doc.graph.glist_frame->PutTtlLink()->Array(0));
    doc.graph.Handle_To_RMouseDown(ComposedGraph::At(name));
    ASSERT_EQ(doc.graph.GetSelObjectKind(), 7);
    dialogs.Then([](MemoryDialog& d) {
        d.Type(IDC_TITLE_TEXT, "放物線");
        d.Click(IDOK);
    });
    EXPECT_EQ(doc.graph.DateChangeCont(nullptr, 0, 0), 0);
    EXPECT_STREQ(doc.graph.graph_view->Array(0)->PutDateTitle(), "放物線");
    std::ostringstream table;
    doc.graph.PrnGraphTableData(table);
    std::string cp932;
    ASSERT_TRUE(Utf8_ToCp932("放物線, ,", &cp932));
    EXPECT_EQ(table.str().rfind(cp932, 0), 0u);

    // The line colour of the series, in the plot area and the legend.
    ScriptedChoosers choosers;
    choosers.color = RGB(0, 0, 255);
    Select_LineSample(doc, 0);
    EXPECT_NE(doc.graph.DateChangeColor(), 0);
    EXPECT_EQ(doc.graph.graph_view->Array(0)->ColorInfo()->PutRGBdata(), RGB(0, 0, 255));
    // The legend's sample shows it at once.
    doc.graph.Handle_To_LMouseDown(MAKELPARAM_XY(3, 3), &doc.cur_state);
    const QImage shown = Picture(doc);
    const tagRECT sample = doc.graph.glist_frame->PutGListLink()->Array(0)->PutFrmRect();
    int blue = 0;
    for (int y = sample.top; y < sample.bottom; ++y) {
        for (int x = sample.left; x < sample.right; ++x) {
            if (shown.pixel(x, y) == qRgb(0, 0, 255)) ++blue;
        }
    }
    EXPECT_GT(blue, 5);
    Select_LineSample(doc, 0);
    choosers.confirm = false;
    const int flag_before = doc.graph.RsinfoFlag();
    EXPECT_EQ(doc.graph.DateChangeColor(), 0);  // cancelled: nothing changes
    EXPECT_EQ(doc.graph.RsinfoFlag(), flag_before);

    // Commands without their element selected do nothing.
    doc.graph.Handle_To_LMouseDown(MAKELPARAM_XY(3, 3), &doc.cur_state);
    EXPECT_EQ(doc.graph.ChangeTitleFont(0, 0), 0);
    EXPECT_EQ(doc.graph.ChangeAxisTick(nullptr, 0, 0), 0);
    EXPECT_EQ(doc.graph.SetGridFlag(), 0);
    EXPECT_EQ(doc.graph.ChngAxFrameFont(0, 0), 0);
    EXPECT_EQ(doc.graph.DateChangeColor(), -1);
}

TEST(Editing, AnAutomaticAxisChangeRemapsTheSeries) {
    QuietPopUps quiet;
    ComposedGraph doc;  // y = x * x over -10 ... 10
    doc.graph.Handle_To_RMouseDown(
        ComposedGraph::At(ComposedGraph::Center(*doc.graph.axis_tick[0])));
    ASSERT_EQ(doc.graph.GetSelObjectKind(), 3);
    const tagPOINT top_before = (*doc.graph.graph_view->Array(0)->PutPointDate())[0];
    ScriptedDialogRunner dialogs;
    dialogs.Then([](MemoryDialog& d) {
        d.Type(IDC_AXMAX, "200");  // twice the range upward
        d.Click(IDOK);
    });
    EXPECT_EQ(doc.graph.ChangeAxisTick(nullptr, 0, 0), 1);
    EXPECT_GE(doc.graph.axis_tick[0]->PutMaxValue(), 200.0);
    double low = 0.0, high = 0.0;
    doc.graph.axis_frame[0]->CalcMxMinNumStrObj(&low, &high);
    EXPECT_EQ(high, doc.graph.axis_tick[0]->PutMaxValue());  // labels follow the ticks
    // The first point (x = -10, y = 100) now lies lower on the plot.
    const tagPOINT top_after = (*doc.graph.graph_view->Array(0)->PutPointDate())[0];
    EXPECT_GT(top_after.y, top_before.y + 50);
    EXPECT_EQ(doc.graph.RsinfoFlag(), 1);
}

// Main ticks turned outward: only the outer part of the tick frame grows, and the number
// frame moves away from the plot by the same change.
TEST(Editing, TicksTurnedOutwardMoveTheNumberFrame) {
    QuietPopUps quiet;
    ComposedGraph doc;
    const tagRECT labels_before = doc.graph.axis_frame[1]->GetRectOnTwip();
    const double max_before = doc.graph.axis_tick[1]->PutMaxValue();
    doc.graph.Handle_To_RMouseDown(
        ComposedGraph::At(ComposedGraph::Center(*doc.graph.axis_tick[1])));
    ASSERT_EQ(doc.graph.GetSelObjectKind(), 3);
    ScriptedDialogRunner dialogs;
    dialogs.Then([](MemoryDialog& d) {
        d.Click(IDC_MAINOUT);
        d.Type(IDC_MAINLNG, "20");
        d.Click(IDOK);
    });
    EXPECT_EQ(doc.graph.ChangeAxisTick(nullptr, 0, 0), 1);
    const tagRECT labels_after = doc.graph.axis_frame[1]->GetRectOnTwip();
    EXPECT_GT(labels_after.top, labels_before.top);  // pushed down by the outer ticks
    EXPECT_EQ(labels_after.left, labels_before.left);
    EXPECT_EQ(doc.graph.axis_tick[1]->PutMaxValue(), max_before);  // the range is as it was
    // The bottom title follows its number frame.
    EXPECT_GE(doc.graph.title_on_win[2]->GetRectOnTwip().top, labels_after.bottom);
}

// A font chosen for the vertical left title keeps it vertical, beside the axis.
TEST(Editing, AFontChangeKeepsAVerticalTitleVertical) {
    QuietPopUps quiet;
    ComposedGraph doc;
    TitleOnWin* left = doc.graph.title_on_win[1].get();
    ASSERT_NE(left, nullptr);
    doc.graph.Handle_To_RMouseDown(ComposedGraph::At(ComposedGraph::Center(*left)));
    ASSERT_EQ(doc.graph.GetSelObjectKind(), 1);
    ScriptedChoosers choosers;
    choosers.font = *left->PutFontSet()->PutLogFont();
    choosers.font.lfHeight = -32;  // twice the size, the chooser's font is horizontal
    choosers.font.lfEscapement = 0;
    choosers.font.lfOrientation = 0;
    choosers.font_given = true;
    const tagRECT before = left->GetRectOnTwip();
    EXPECT_EQ(doc.graph.ChangeTitleFont(0, 0), 1);
    const tagRECT after = left->GetRectOnTwip();
    EXPECT_EQ(left->PutFontSet()->PutLogFont()->lfEscapement, 900);
    EXPECT_GT(after.right - after.left, before.right - before.left);  // taller letters
    EXPECT_GT(after.bottom - after.top, after.right - after.left);    // still upright
    EXPECT_LE(after.right, doc.graph.axis_frame[0]->GetLeftOnScrTwip() + 1);
    EXPECT_EQ(doc.graph.RsinfoFlag(), 1);
}

// Without a plot area the titles, axes and legend still reach the page.
TEST(Editing, APageWithoutAPlotAreaStillHasItsTitle) {
    PAPER_WIDTH = 29700;
    PAPER_HEIGHT = 21000;
    ComposedGraph doc;
    doc.graph.graph_view.reset();
    doc.graph.glist_frame.reset();
    QImage page = New_Image(1123, 794, Qt::white);
    HDC hdc = Create_ImageDC(&page, 96, 96);
    EXPECT_EQ(doc.graph.PrintObject(hdc, SRCAND), 1);
    DeleteDC(hdc);
    const tagRECT title = doc.graph.title_on_win[0]->PutFrmRect();
    int dark = 0;
    for (int y = title.top; y < title.bottom; ++y) {
        for (int x = title.left; x < title.right; ++x) {
            if (qGray(page.pixel(x, y)) < 128) ++dark;
        }
    }
    EXPECT_GT(dark, 20);
}

}  // namespace
