// The legend: generated names, row layout, hiding and showing, adding and deleting rows,
// selection, and the rows following the box.
#include <gtest/gtest.h>

#include <QImage>

#include <memory>
#include <string>

#include "elements/glist_frame.h"
#include "frames/trans_unit.h"
#include "platform/numeric.h"
#include "platform/qt/image_window.h"
#include "platform/recording_message_sink.h"

namespace {

struct Plot {
    explicit Plot(int series, LONG marker = 0, const char* first_name = nullptr)
        : window(800, 600), link(&window) {
        for (int i = 0; i < series; ++i) Add(marker, i == 0 ? first_name : nullptr);
        SetRect(&view, 1500, 1500, 9000, 6000);
        SetRect(&provisional, 6750, 1500, 9000, 2700);
    }
    void Add(LONG marker = 0, const char* name = nullptr) {
        const double xs[2] = {0, 1}, ys[2] = {0, 1};
        PointArray data(2, xs, ys);
        auto line = std::make_unique<GraphLine>(&window, &data, PointDbl(0, 1), PointDbl(10, 10),
                                                name, 1, 0);
        line->LineInfo()->SetMarker(marker);
        link.Append(std::move(line));
    }
    std::unique_ptr<GListFrame> Legend() {
        return std::make_unique<GListFrame>(&window, link, view, provisional, 0, 0, 100);
    }
    tagPOINT TextSize(const char* text) {
        FontSet font(&window, 12);
        return TitleOnWin::GetContentsSize(&window, text, &font, 0);
    }
    HeadlessWindow window;
    GrpLnLink link;
    tagRECT view;
    tagRECT provisional;
};

LONG Px(LONG twips, HWND hwnd, int direction) { return Twip_ToPixel(twips, hwnd, 100, direction); }

// The pixels the legend puts on a white window.
QImage Picture(GListFrame& legend, HeadlessWindow& window) {
    HDC hdc = GetDC(&window);
    PatBlt(hdc, 0, 0, 800, 600, WHITENESS);
    legend.ReDraw(hdc, SRCCOPY, 0);
    ReleaseDC(&window, hdc);
    return window.Surface().copy();
}

}  // namespace

TEST(Legend, UnnamedSeriesGetGeneratedNamesOnce) {
    Plot plot(2);
    auto legend = plot.Legend();
    ASSERT_EQ(legend->PutTtlLink()->PutElementNum(), 2);
    EXPECT_STREQ(legend->PutTtlLink()->Array(0)->PutTitle(), "データ0");
    EXPECT_STREQ(legend->PutTtlLink()->Array(1)->PutTitle(), "データ1");
    EXPECT_STREQ(plot.link.Array(0)->PutDateTitle(), "データ0");
    EXPECT_STREQ(plot.link.Array(1)->PutDateTitle(), "データ1");
    // A legend built again lists the names the series now have.
    auto again = plot.Legend();
    EXPECT_STREQ(again->PutTtlLink()->Array(1)->PutTitle(), "データ1");
    plot.Add(0, "名前");
    legend->AddObject(0, 0);
    EXPECT_STREQ(legend->PutTtlLink()->Array(2)->PutTitle(), "名前");
    plot.Add();
    legend->AddObject(0, 0);
    EXPECT_STREQ(legend->PutTtlLink()->Array(3)->PutTitle(), "データ2");
}

TEST(Legend, RowLayoutAndBoxCorner) {
    for (LONG marker : {0, 1}) {
        SCOPED_TRACE(marker);
        Plot plot(2, marker, "長い系列の名前");
        auto legend = plot.Legend();
        HWND hwnd = &plot.window;
        const tagPOINT wide = plot.TextSize("長い系列の名前");
        const tagPOINT narrow = plot.TextSize("データ1");
        const tagRECT box = legend->GetRectOnTwip();
        EXPECT_EQ(box.right, plot.view.right);
        EXPECT_EQ(box.top, plot.view.top);
        EXPECT_EQ(box.right - box.left, Pixel_ToTwip(wide.x + 65, hwnd, 100, 1));
        EXPECT_EQ(box.bottom - box.top, Pixel_ToTwip(5 + wide.y + 5 + narrow.y + 5, hwnd, 100, 2));
        EXPECT_EQ(legend->ObjectType(), 5);
        EXPECT_EQ(legend->PutShowFlag(), 1);
        // Second row: sample at x 0 ... 60, name from 60, both at y = 5 + h + 5.
        GListLine* sample = legend->PutGListLink()->Array(1);
        TitleOnWin* name = legend->PutTtlLink()->Array(1);
        const LONG box_left = Px(box.left, hwnd, 1);
        const LONG row_top = Px(box.top, hwnd, 2) + 5 + wide.y + 5;
        EXPECT_EQ(sample->PutFrmLeft(), box_left);
        EXPECT_EQ(sample->PutFrmWidth(), 60);
        EXPECT_EQ(sample->PutFrmTop(), row_top);
        EXPECT_EQ(sample->PutFrmHeight(), narrow.y);
        EXPECT_EQ(name->PutFrmLeft(), box_left + 60);
        EXPECT_EQ(name->PutFrmTop(), row_top);
        EXPECT_EQ(name->PutFrmWidth(), narrow.x);
        PointDate& ends = *sample->PutPointDate();
        EXPECT_EQ(ends[0].x, 5);
        EXPECT_EQ(ends[1].x, 55);
        EXPECT_EQ(ends[0].y, narrow.y / 2);
        EXPECT_EQ(sample->LineInfo()->PutMarker(), marker);
    }
}

TEST(Legend, HidingAndShowingRestoresEveryRow) {
    Plot plot(3, 1);
    auto legend = plot.Legend();
    const QImage shown = Picture(*legend, plot.window);
    ASSERT_NE(shown, Picture(*Plot(0).Legend(), plot.window));
    EXPECT_EQ(legend->SwitchDisplay(), 1);
    EXPECT_EQ(legend->PutShowFlag(), 0);
    int kind = -1, state = -1;
    const LONG x = legend->PutTtlLink()->Array(0)->PutFrmLeft() + 2;
    const LONG y = legend->PutTtlLink()->Array(0)->PutFrmTop() + 2;
    EXPECT_EQ(legend->GetMPointInObj(x, y, &kind, &state), nullptr);
    const QImage hidden = Picture(*legend, plot.window);
    EXPECT_NE(hidden, shown);

    // A series added while hidden stays hidden, and shows with the others.
    plot.Add(1);
    legend->AddObject(0, 0);
    EXPECT_EQ(legend->PutGListLink()->Array(3)->DisplayFlag(), 0);
    EXPECT_EQ(legend->PutTtlLink()->Array(3)->DisplayFlag(), 0);
    EXPECT_EQ(Picture(*legend, plot.window), hidden);
    legend->SwitchDisplay();
    for (short i = 0; i < 4; ++i) {
        EXPECT_EQ(legend->PutGListLink()->Array(i)->DisplayFlag(), 1);
        EXPECT_EQ(legend->PutTtlLink()->Array(i)->DisplayFlag(), 1);
    }
    legend->DeleteGList(3, 0, 0);
    EXPECT_EQ(Picture(*legend, plot.window), shown);
}

TEST(Legend, DeletingRows) {
    Plot plot(3);
    auto legend = plot.Legend();
    const tagRECT before = legend->GetRectOnTwip();
    const LONG third_top = legend->PutTtlLink()->Array(2)->GetRectOnTwip().top;
    const LONG second_top = legend->PutTtlLink()->Array(1)->GetRectOnTwip().top;
    const LONG removed = Trunc_ToInt32(legend->PutTtlLink()->Array(1)->GetBoxHeight()) +
                         Pixel_ToTwip(5, &plot.window, 100, 2);
    EXPECT_EQ(legend->DeleteGList(3, 0, 0), 0);
    EXPECT_EQ(legend->DeleteGList(1, 0, 0), 1);
    ASSERT_EQ(legend->PutTtlLink()->PutElementNum(), 2);
    EXPECT_STREQ(legend->PutTtlLink()->Array(1)->PutTitle(), "データ2");
    EXPECT_EQ(legend->PutTtlLink()->Array(1)->GetRectOnTwip().top, third_top - removed);
    EXPECT_EQ(legend->PutGListLink()->Array(1)->GetRectOnTwip().top, second_top);
    EXPECT_EQ(legend->GetRectOnTwip().bottom, before.bottom - removed);
    legend->DeleteGList(0, 0, 0);
    legend->DeleteGList(0, 0, 0);
    EXPECT_EQ(legend->GetBoxWidth(), 0);
    EXPECT_EQ(legend->GetBoxHeight(), 0);
    EXPECT_EQ(legend->PutGListLink()->PutElementNum(), 0);
}

TEST(Legend, SelectionOfPartsAndBox) {
    Plot plot(2);
    auto legend = plot.Legend();
    RecordingMessageSink sink;
    TitleOnWin* name = legend->PutTtlLink()->Array(1);
    GListLine* sample = legend->PutGListLink()->Array(0);
    const auto at = [](LONG x, LONG y) { return LPARAM((y << 16) | (x & 0xffff)); };
    int state = 42;
    EXPECT_EQ(legend->PutSelObjectKind(), -1);
    EXPECT_EQ(legend->MDLSelect(at(name->PutFrmLeft() + 3, name->PutFrmTop() + 3), &state), 1);
    EXPECT_EQ(state, 42);
    EXPECT_EQ(legend->PutSelObjectKind(), 1);
    EXPECT_EQ(legend->BoderFlag(), 1);
    EXPECT_EQ(name->BoderFlag(), 1);
    EXPECT_EQ(legend->NoFrameTList(0), 1);
    EXPECT_EQ(legend->NoFrameTList(2), -1);
    EXPECT_EQ(legend->MDRSelect(at(sample->PutFrmLeft() + 3, sample->PutFrmTop() + 3), &state), 1);
    EXPECT_EQ(legend->PutSelObjectKind(), 6);
    EXPECT_EQ(name->BoderFlag(), 0);
    EXPECT_EQ(legend->NoFrameGList(0), 0);
    // The box's empty area below the names: box stays selected, inner selection cleared.
    const tagRECT box = legend->PutFrmRect();
    EXPECT_EQ(legend->MDLSelect(at(box.right - 3, box.bottom - 2), &state), 1);
    EXPECT_EQ(legend->PutSelObjectKind(), -1);
    EXPECT_EQ(legend->BoderFlag(), 1);
    EXPECT_EQ(sample->BoderFlag(), 0);
    // Outside: nothing found.
    EXPECT_EQ(legend->MDRSelect(at(5, 5), &state), 0);
    EXPECT_EQ(legend->MDLSelect(at(5, 5), &state), 0);
    EXPECT_EQ(legend->DeSelectInObject(), 0);
    EXPECT_TRUE(sink.boxes.empty());
}

TEST(Legend, RowsFollowTheBoxWhenItIsPlaced) {
    Plot plot(2);
    auto legend = plot.Legend();
    const auto offsets = [&] {
        std::vector<LONG> d;
        for (short i = 0; i < 2; ++i) {
            d.push_back(legend->PutTtlLink()->Array(i)->PutFrmLeft() - legend->PutFrmLeft());
            d.push_back(legend->PutTtlLink()->Array(i)->PutFrmTop() - legend->PutFrmTop());
            d.push_back(legend->PutGListLink()->Array(i)->PutFrmTop() - legend->PutFrmTop());
            d.push_back(legend->PutTtlLink()->Array(i)->GetRectOnTwip().top -
                        legend->GetRectOnTwip().top);
        }
        return d;
    };
    const std::vector<LONG> before = offsets();
    // A new window size (slot 9 with a scroll shift), then a placement in twips.
    legend->WinChngSize(40, 30);
    EXPECT_EQ(offsets(), before);
    tagRECT moved = legend->GetRectOnTwip();
    OffsetRect(&moved, -3000, 1500);
    legend->MoveObjectWithOutMouse(&moved, 40, 30);
    EXPECT_EQ(legend->GetRectOnTwip().left, moved.left);
    EXPECT_EQ(offsets(), before);
    legend->ChangeMag(100, 0, 0);
    EXPECT_EQ(offsets(), before);
}
