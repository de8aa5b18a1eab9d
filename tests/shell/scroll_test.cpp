// Scroll arithmetic: bars adapted to the paper, line, page and thumb steps with their
// limits, and the auto-scroll step of a drag against an edge.
#include <gtest/gtest.h>

#include "shell/scroll.h"
#include "shell_app.h"

namespace {

struct RecordingHost : ScrollHost {
    tagRECT client{0, 0, 400, 300};
    SCROLLINFO bars[2];
    std::vector<std::pair<LONG, LONG>> scrolled;
    int invalidated = 0;
    tagRECT ClientRect() const override { return client; }
    void SetScrollInfo(int bar, const SCROLLINFO& info, bool) override {
        SCROLLINFO& b = bars[bar];
        if (info.fMask & SIF_RANGE) b.nMax = info.nMax;
        if (info.fMask & SIF_PAGE) b.nPage = info.nPage;
        if (info.fMask & SIF_POS) b.nPos = info.nPos;
        if ((info.fMask & SIF_RANGE) && !(info.fMask & SIF_PAGE)) b.nPage = 0;
    }
    void ScrollWindow(LONG dx, LONG dy) override { scrolled.push_back({dx, dy}); }
    void InvalidateAll() override { ++invalidated; }
    HWND PaperHandle() override { return nullptr; }
    bool Hidden(int bar) const { return bars[bar].nMax - LONG(bars[bar].nPage) < 1; }
};

TEST(ScrollBars, AdaptToThePaper) {
    const struct {
        LONG size;
        LONG offset;
        LONG offset_after;
        bool hidden;
    } rows[] = {
        {1123, 0, 0, false}, {1123, 900, 823, false}, {1123, 823, 823, false}, {300, 50, 0, true},
        {301, 0, 0, false},  {301, 5, 1, false},      {200, 0, 0, true},
    };
    for (const auto& row : rows) {
        RecordingHost host;
        SCROLLINFO record;
        LONG offset = row.offset;
        EXPECT_EQ(NewScroll_Set(&host, SB_VERT, row.size, &record, &offset), 1);
        EXPECT_EQ(offset, row.offset_after) << row.size << " " << row.offset;
        EXPECT_EQ(host.Hidden(SB_VERT), row.hidden) << row.size;
        EXPECT_EQ(record.nPos, offset);
        EXPECT_EQ(record.cbSize, 28u);
    }
}

TEST(ScrollBars, RequestsStepAndStopAtTheEnds) {
    // Vertical paper of 1000 pixels in a 300-pixel client: offsets 0 ... 700.
    const struct {
        const char* name;
        LONG start;
        WPARAM request;
        int result;
        LONG offset;
    } rows[] = {
        {"line up at 0", 0, SB_LINEUP, 0, 0},
        {"line down", 0, SB_LINEDOWN, 1, 10},
        {"line up", 50, SB_LINEUP, 1, 40},
        {"line up near 0", 4, SB_LINEUP, 1, 0},
        {"page down", 0, SB_PAGEDOWN, 1, 300},
        {"page down near the end", 600, SB_PAGEDOWN, 1, 700},
        {"page up", 650, SB_PAGEUP, 1, 350},
        {"page up near 0", 100, SB_PAGEUP, 1, 0},
        {"thumb", 0, Thumb_Request(SB_THUMBPOSITION, 420), 1, 420},
        {"thumb beyond", 0, Thumb_Request(SB_THUMBTRACK, 5000), 1, 700},
        {"thumb same", 420, Thumb_Request(SB_THUMBPOSITION, 420), 0, 420},
        {"end scroll", 100, SB_ENDSCROLL, 0, 100},
    };
    for (const auto& row : rows) {
        RecordingHost host;
        SCROLLINFO record;
        LONG offset = row.start;
        NewScroll_Set(&host, SB_VERT, 1000, &record, &offset);
        host.scrolled.clear();
        EXPECT_EQ(PosChange_VScroll(&host, row.request, &record, &offset), row.result) << row.name;
        EXPECT_EQ(offset, row.offset) << row.name;
        EXPECT_EQ(record.nPos, row.offset) << row.name;
        if (row.result == 1) {
            ASSERT_EQ(host.scrolled.size(), 1u) << row.name;
            EXPECT_EQ(host.scrolled[0].second, row.start - row.offset) << row.name;
            EXPECT_EQ(host.bars[SB_VERT].nPos, row.offset) << row.name;
        } else {
            EXPECT_TRUE(host.scrolled.empty()) << row.name;
        }
    }
    // The horizontal bar scrolls sideways.
    RecordingHost host;
    SCROLLINFO record;
    LONG offset = 0;
    NewScroll_Set(&host, SB_HORZ, 1000, &record, &offset);
    EXPECT_EQ(PosChange_HScroll(&host, SB_LINERIGHT, &record, &offset), 1);
    EXPECT_EQ(host.scrolled.back(), std::make_pair(LONG(-10), LONG(0)));
}

TEST(AutoScroll, OnePageTowardsTheEdgeThenTheGraphFollows) {
    const struct {
        int edge;
        LONG h, v;
        LONG h_after, v_after;
        int moved;
    } rows[] = {
        {2, 0, 0, 0, 300, 1},        {2, 0, 600, 0, 700, 1}, {2, 0, 700, 0, 700, 0},
        {1, 0, 500, 0, 200, 1},      {1, 0, 0, 0, 0, 0},     {4, 0, 0, 400, 0, 1},
        {4, 700, 0, 723, 0, 1},      {3, 500, 0, 100, 0, 1}, {-1, 100, 100, 100, 100, 0},
        {-2, 100, 100, 100, 100, 0},
    };
    for (const auto& row : rows) {
        ComposedGraph doc;
        RecordingHost host;
        SCROLLINFO hori, ver;
        LONG h = row.h, v = row.v;
        NewScroll_Set(&host, SB_HORZ, 1123, &hori, &h);
        NewScroll_Set(&host, SB_VERT, 1000, &ver, &v);
        const tagRECT title = doc.graph.title_on_win[0]->PutFrmRect();
        EXPECT_EQ(AutoScroll_MoveObj(row.edge, &ver, &hori, &host, &v, &h, &doc.graph), row.moved)
            << row.edge;
        EXPECT_EQ(h, row.h_after) << row.edge << " from " << row.h;
        EXPECT_EQ(v, row.v_after) << row.edge << " from " << row.v;
        EXPECT_EQ(host.invalidated, 1);
        const tagRECT moved = doc.graph.title_on_win[0]->PutFrmRect();
        if (row.edge == 1 || row.edge == 2) {
            EXPECT_EQ(moved.top - title.top, -(row.v_after - 0)) << row.edge;
        } else if (row.edge == 3 || row.edge == 4) {
            EXPECT_EQ(moved.left - title.left, -(row.h_after - 0)) << row.edge;
        }
    }
}

}  // namespace
