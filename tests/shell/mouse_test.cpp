// Selecting and dragging graph elements with the mouse, and the element pop-up menus.
#include <gtest/gtest.h>

#include <QImage>

#include "frames/trans_unit.h"
#include "shell/commands.h"
#include "shell_app.h"

namespace {

struct PopUpRecorder {
    std::vector<int> shown;  // the submenu index of each pop-up
    std::vector<tagPOINT> points;
    PopUpRecorder() {
        Obj_Menu_Resource();  // "OBJMENU" is known by name once the menus are made
        Set_PopUpMenuHandler([this](HWND, tagPOINT point, const MenuEntry& submenu, HWND) {
            const auto& menus = Obj_Menu_Resource().menus;
            for (size_t i = 0; i < menus.size(); ++i) {
                if (&menus[i] == &submenu) shown.push_back(static_cast<int>(i));
            }
            points.push_back(point);
        });
    }
    ~PopUpRecorder() { Set_PopUpMenuHandler(nullptr); }
};

TEST(HitTest, EmptyGraphAndElementsInOrder) {
    HeadlessWindow paper(400, 300);
    GraphOnWin empty(&paper, 0, 0, kPaperTwipWidth, kPaperTwipHeight, nullptr, 0, 0, 100, nullptr,
                     nullptr, "未表示グラフ", nullptr, nullptr, nullptr);
    MoveFrame* target = &empty;
    EXPECT_EQ(empty.CatchOnObject(MAKELPARAM_XY(100, 100), &target), -2);
    EXPECT_EQ(target, nullptr);

    ComposedGraph doc;
    struct Row {
        MoveFrame* frame;
        const char* name;
    } rows[] = {
        {doc.graph.title_on_win[0].get(), "graph title"},
        {doc.graph.title_on_win[1].get(), "left title"},
        {doc.graph.axis_frame[0].get(), "left numbers"},
        {doc.graph.axis_tick[1].get(), "bottom ticks"},
    };
    for (const Row& row : rows) {
        ASSERT_NE(row.frame, nullptr) << row.name;
        EXPECT_EQ(
            doc.graph.CatchOnObject(ComposedGraph::At(ComposedGraph::Center(*row.frame)), &target),
            8)
            << row.name;
        EXPECT_EQ(target, row.frame) << row.name;
    }
    // The plot area is not an element the mouse picks.
    EXPECT_EQ(doc.graph.CatchOnObject(
                  ComposedGraph::At(ComposedGraph::Center(*doc.graph.graph_view)), &target),
              -1);
    EXPECT_EQ(target, nullptr);
}

TEST(Selection, LeftClickSelectsAndOnlyTitlesAndLegendDrag) {
    struct Row {
        const char* name;
        MoveFrame* (*frame)(GraphOnWin&);
        int move_flag;
        bool moves;
    } rows[] = {
        {"number frame", [](GraphOnWin& g) -> MoveFrame* { return g.axis_frame[0].get(); }, 0,
         false},
        {"tick frame", [](GraphOnWin& g) -> MoveFrame* { return g.axis_tick[1].get(); }, 0, false},
        {"graph title", [](GraphOnWin& g) -> MoveFrame* { return g.title_on_win[0].get(); }, 1,
         true},
        {"axis title", [](GraphOnWin& g) -> MoveFrame* { return g.title_on_win[2].get(); }, 1,
         true},
        {"legend", [](GraphOnWin& g) -> MoveFrame* { return g.glist_frame.get(); }, 1, true},
    };
    for (const Row& row : rows) {
        ComposedGraph doc;
        MoveFrame* frame = row.frame(doc.graph);
        ASSERT_NE(frame, nullptr) << row.name;
        const tagRECT before = frame->GetRectOnTwip();
        const tagPOINT start = ComposedGraph::Center(*frame);
        // A point of the legend's box away from its rows.
        const tagPOINT from =
            frame == doc.graph.glist_frame.get()
                ? tagPOINT{frame->PutFrmRect().right - 3, frame->PutFrmRect().bottom - 3}
                : start;
        doc.Drag(from, 40, 20);
        EXPECT_EQ(doc.graph.selectobject, frame) << row.name;
        EXPECT_EQ(frame->BoderFlag(), 1) << row.name;
        EXPECT_EQ(doc.graph.move_flag, row.move_flag) << row.name;
        const tagRECT after = frame->GetRectOnTwip();
        EXPECT_EQ(after.left != before.left, row.moves) << row.name;
        EXPECT_EQ(doc.graph.RsinfoFlag(), row.moves ? 1 : 0) << row.name;
        EXPECT_FALSE(doc.graph.Dragging()) << row.name;
    }
}

TEST(Selection, TitleDraggedThirtyPixelsMovesByThoseTwips) {
    ComposedGraph doc;
    TitleOnWin* title = doc.graph.title_on_win[0].get();
    const tagRECT before = title->GetRectOnTwip();
    const tagRECT pixels = title->PutFrmRect();
    doc.Drag(ComposedGraph::Center(*title), 30, 0);
    const tagRECT after = title->GetRectOnTwip();
    EXPECT_EQ(after.left - before.left, Pixel_ToTwip(30, &doc.paper, 100, 1));
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(title->PutFrmRect().left, pixels.left + 30);
    EXPECT_EQ(doc.graph.RsinfoFlag(), 1);
}

TEST(Selection, ClickOnEmptyPaperDeselects) {
    ComposedGraph doc;
    AxisFrame* numbers = doc.graph.axis_frame[1].get();
    doc.Press(ComposedGraph::At(ComposedGraph::Center(*numbers)));
    doc.Release(ComposedGraph::At(ComposedGraph::Center(*numbers)));
    ASSERT_EQ(doc.graph.selectobject, numbers);
    doc.paper.invalidations.clear();
    doc.Press(MAKELPARAM_XY(5, 5));
    doc.Release(MAKELPARAM_XY(5, 5));
    EXPECT_EQ(doc.graph.selectobject, nullptr);
    EXPECT_EQ(numbers->BoderFlag(), 0);
    EXPECT_EQ(doc.graph.move_flag, 0);
    EXPECT_EQ(doc.graph.GetSelObjectKind(), -1);
    EXPECT_FALSE(doc.paper.invalidations.empty());  // the border ring is repainted
    EXPECT_EQ(doc.graph.BoderFlag(), -1);
}

TEST(Dragging, EdgeBandsStartTheTimerOutsideFreezesAndReleaseThereCancels) {
    ComposedGraph doc;
    TitleOnWin* title = doc.graph.title_on_win[0].get();
    const tagRECT before = title->GetRectOnTwip();
    const tagPOINT from = ComposedGraph::Center(*title);
    doc.Hover(ComposedGraph::At(from));
    doc.Press(ComposedGraph::At(from));
    const LONG right = doc.paper.ClientRect().right;
    struct Step {
        LONG x;
        int edge;
        bool timer;
    } steps[] = {{from.x + 20, -1, false},
                 {right - 5, 4, true},
                 {right - 3, 4, true},
                 {right + 40, -2, false}};
    for (const Step& step : steps) {
        doc.Move(MAKELPARAM_XY(step.x, from.y));
        EXPECT_EQ(doc.mspart_win, step.edge) << step.x;
        EXPECT_EQ(g_timer, step.timer ? 1 : 0) << step.x;
        EXPECT_EQ(doc.paper.Timers().count(AUTOSCROLL_TIMER), step.timer ? 1u : 0u) << step.x;
    }
    // The band stayed at the last position inside the window.
    EXPECT_EQ(title->AftRect()->left - title->PutFrmRect().left, right - 3 - from.x);
    const QImage with_band = doc.paper.Surface().copy();
    doc.Release(MAKELPARAM_XY(right + 40, from.y));
    EXPECT_EQ(title->GetRectOnTwip().left, before.left);
    EXPECT_EQ(doc.graph.RsinfoFlag(), 0);
    EXPECT_FALSE(doc.graph.Dragging());
    // The band was erased (XOR drawn again): the surface changed back.
    EXPECT_NE(doc.paper.Surface(), with_band);
}

TEST(Dragging, LostMouseNeverActsOnAMissingSelection) {
    struct Row {
        const char* name;
        void (*act)(ComposedGraph&, tagPOINT);
    } rows[] = {
        {"release without press",
         [](ComposedGraph& d, tagPOINT p) { d.Release(ComposedGraph::At(p)); }},
        {"hover then release",
         [](ComposedGraph& d, tagPOINT p) {
             d.Hover(ComposedGraph::At(p));
             d.Release(ComposedGraph::At(p, 30, 0));
         }},
        {"move with button but no press",
         [](ComposedGraph& d, tagPOINT p) {
             d.Hover(ComposedGraph::At(p));
             d.Move(ComposedGraph::At(p, 30, 0));
             d.Release(ComposedGraph::At(p, 30, 0));
         }},
        {"drag cancelled",
         [](ComposedGraph& d, tagPOINT p) {
             d.Hover(ComposedGraph::At(p));
             d.Press(ComposedGraph::At(p));
             d.Move(ComposedGraph::At(p, 5, 0));
             d.Move(ComposedGraph::At(p, 1130 - p.x, 0));  // edge band: timer runs
             EXPECT_EQ(d.graph.CancelDrag(&d.paper, &d.mspart_win, &d.cur_state), 1);
             d.Release(ComposedGraph::At(p, 30, 0));
         }},
        {"right click during a drag",
         [](ComposedGraph& d, tagPOINT p) {
             d.Hover(ComposedGraph::At(p));
             d.Press(ComposedGraph::At(p));
             d.Move(ComposedGraph::At(p, 5, 0));
             EXPECT_EQ(d.graph.Handle_To_RMouseDown(MAKELPARAM_XY(5, 5)), 0);
             EXPECT_EQ(d.graph.Handle_To_RMouseDown(
                           ComposedGraph::At(ComposedGraph::Center(*d.graph.axis_frame[0]))),
                       0);
             d.Release(ComposedGraph::At(p, 30, 0));
         }},
    };
    for (const Row& row : rows) {
        ComposedGraph doc;
        PopUpRecorder popups;
        TitleOnWin* title = doc.graph.title_on_win[0].get();
        const tagRECT before = title->GetRectOnTwip();
        const QImage painted = doc.paper.Surface().copy();
        row.act(doc, ComposedGraph::Center(*title));
        EXPECT_EQ(g_timer, 0) << row.name;
        EXPECT_FALSE(doc.graph.Dragging()) << row.name;
        EXPECT_TRUE(popups.shown.empty()) << row.name;
        const bool moved = title->GetRectOnTwip().left != before.left;
        const bool should_move = std::string(row.name) == "right click during a drag";
        EXPECT_EQ(moved, should_move) << row.name;
        if (!should_move) {
            // No band left behind: repainting pending areas gives the same picture.
            doc.paper.Paint();
            EXPECT_EQ(doc.paper.Surface(), painted) << row.name;
        }
    }
}

TEST(Hover, HandlesShowSizingCursorsAndTheBodyTheArrow) {
    ComposedGraph doc;
    TitleOnWin* title = doc.graph.title_on_win[0].get();
    const tagRECT r = title->PutFrmRect();
    struct Row {
        LONG x, y;
        int cursor;
    } rows[] = {
        {r.left, r.top, IDC_SIZENWSE},
        {r.right - 1, r.bottom - 1, IDC_SIZENWSE},
        {r.right - 1, r.top, IDC_SIZENESW},
        {r.left, (r.top + r.bottom) / 2, IDC_SIZEWE},
        {(r.left + r.right) / 2, r.top, IDC_SIZENS},
        {(r.left + r.right) / 2, (r.top + r.bottom) / 2, IDC_ARROW},
    };
    for (const Row& row : rows) {
        doc.paper.SetCursorShape(IDC_CROSS);
        doc.Hover(MAKELPARAM_XY(row.x, row.y));
        EXPECT_GE(doc.cur_state, 0) << row.x << "," << row.y;
        EXPECT_EQ(doc.paper.CursorShape(), row.cursor) << row.x << "," << row.y;
    }
    struct Part {
        int part;
        int cursor;
        int result;
    } parts[] = {{0, IDC_SIZENWSE, 1}, {1, IDC_SIZENWSE, 1}, {2, IDC_SIZENESW, 1},
                 {3, IDC_SIZENESW, 1}, {4, IDC_SIZEWE, 1},   {5, IDC_SIZEWE, 1},
                 {6, IDC_SIZENS, 1},   {7, IDC_SIZENS, 1},   {8, IDC_CROSS, 0},
                 {-1, IDC_CROSS, 0}};
    for (const Part& part : parts) {
        doc.paper.SetCursorShape(IDC_CROSS);
        EXPECT_EQ(Change_CursorState(&doc.paper, part.part), part.result) << part.part;
        EXPECT_EQ(doc.paper.CursorShape(), part.cursor) << part.part;
    }
}

TEST(PopUpMenus, RightClickOpensTheSubmenuOfTheElement) {
    ComposedGraph doc;
    GListFrame* legend = doc.graph.glist_frame.get();
    ASSERT_NE(legend, nullptr);
    ASSERT_GT(legend->PutGListLink()->PutElementNum(), 0);
    const tagPOINT sample = ComposedGraph::Center(*legend->PutGListLink()->Array(0));
    const tagPOINT name = ComposedGraph::Center(*legend->PutTtlLink()->Array(0));
    const tagPOINT box{legend->PutFrmRect().right - 3, legend->PutFrmRect().bottom - 3};
    struct Row {
        const char* name;
        tagPOINT at;
        int submenu;
        int kind;
    } rows[] = {
        {"graph title", ComposedGraph::Center(*doc.graph.title_on_win[0]), 0, 1},
        {"bottom ticks", ComposedGraph::Center(*doc.graph.axis_tick[1]), 1, 3},
        {"left numbers", ComposedGraph::Center(*doc.graph.axis_frame[0]), 2, 2},
        {"legend box", box, 3, 5},
        {"legend line sample", sample, 4, 6},
        {"legend name", name, 5, 7},
        {"axis title after the legend", ComposedGraph::Center(*doc.graph.title_on_win[1]), 0, 1},
    };
    PopUpRecorder popups;
    for (const Row& row : rows) {
        popups.shown.clear();
        EXPECT_EQ(doc.graph.Handle_To_RMouseDown(ComposedGraph::At(row.at)), 1) << row.name;
        ASSERT_EQ(popups.shown.size(), 1u) << row.name;
        EXPECT_EQ(popups.shown[0], row.submenu) << row.name;
        EXPECT_EQ(doc.graph.GetSelObjectKind(), row.kind) << row.name;
        EXPECT_EQ(popups.points.back().x, row.at.x) << row.name;
    }
    popups.shown.clear();
    EXPECT_EQ(doc.graph.Handle_To_RMouseDown(MAKELPARAM_XY(5, 5)), 0);
    EXPECT_TRUE(popups.shown.empty());
    // The legend's inner selection went when the axis title was chosen.
    EXPECT_EQ(legend->BoderFlag(), 0);
    EXPECT_EQ(legend->PutSelectObject(), nullptr);
}

TEST(PopUpMenus, ObjMenuHoldsTheSixSubmenus) {
    const auto& menus = Obj_Menu_Resource().menus;
    ASSERT_EQ(menus.size(), 6u);
    const struct {
        const char* caption;
        std::vector<int> ids;
    } rows[] = {{"タイトルフレーム操作(&T)", {1000, 1050}}, {"数値軸操作(&A)", {1100, 1150}},
                {"数値フレーム操作(&N)", {1200, 1250}},     {"線操作ボックス", {1300}},
                {"線の操作(&L)", {1310, 1315, 1320, 1330}}, {"線の名前操作(&M)", {1400, 1450}}};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(menus[i].text, rows[i].caption);
        std::vector<int> ids;
        for (const MenuEntry& item : menus[i].items) ids.push_back(item.id);
        EXPECT_EQ(ids, rows[i].ids) << rows[i].caption;
    }
    EXPECT_EQ(menus[4].items[2].text, "線の幅(太さ)を変更");
    const MenuResource& objects = Obj_Menu_Resource();  // known by name once it exists
    EXPECT_EQ(Load_MenuResource("OBJMENU"), &objects);
    EXPECT_EQ(Load_MenuResource("NOMENU"), nullptr);
}

TEST(EdgeCodes, PositionsAgainstTheClientArea) {
    HeadlessWindow window(200, 100);
    const struct {
        LONG x, y;
        int code;
    } rows[] = {{100, 50, -1}, {100, 9, 1},   {100, 10, -1},  {100, 91, 2}, {100, 90, -1},
                {9, 50, 3},    {191, 50, 4},  {5, 5, 1},      {5, 95, 2},   {-1, 50, -2},
                {201, 50, -2}, {100, -3, -2}, {100, 101, -2}, {200, 100, 2}};
    for (const auto& row : rows) {
        EXPECT_EQ(Catch_MousePosOnWin(&window, MAKELPARAM_XY(row.x, row.y)), row.code)
            << row.x << "," << row.y;
    }
}

TEST(Timer, StartsAndStopsOnce) {
    HeadlessWindow window(100, 100);
    g_timer = 0;
    EXPECT_EQ(End_Timer(&window), 0);
    EXPECT_EQ(Start_Timer(&window), 1);
    EXPECT_EQ(window.Timers().at(AUTOSCROLL_TIMER), 1000u);
    EXPECT_EQ(Start_Timer(&window), 0);
    EXPECT_EQ(End_Timer(&window), 1);
    EXPECT_EQ(window.Timers().count(AUTOSCROLL_TIMER), 0u);
    EXPECT_EQ(g_timer, 0);
}

}  // namespace
