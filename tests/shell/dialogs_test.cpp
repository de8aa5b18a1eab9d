// The zoom, graph-size and marker-interval dialogs as procedures, and the commands that
// run them; the close question and the menu state rules.
#include <gtest/gtest.h>

#include <set>

#include <sys/stat.h>
#include <unistd.h>

#include "elements/graph_line.h"
#include "frames/trans_unit.h"
#include "platform/numeric.h"
#include "platform/recording_message_sink.h"
#include "platform/scripted_dialogs.h"
#include "shell/close_question.h"
#include "shell/commands.h"
#include "shell/manual.h"
#include "shell_app.h"

namespace {

struct FakeHost : PaperHost {
    HeadlessWindow window{600, 400};
    int invalidated = 0;
    int closed = 0;
    int input_shown = 0;
    std::vector<std::string> opened;
    bool open_result = true;
    tagRECT ClientRect() const override { return window.ClientRect(); }
    void SetScrollInfo(int, const SCROLLINFO&, bool) override {}
    void ScrollWindow(LONG, LONG) override {}
    void InvalidateAll() override { ++invalidated; }
    HWND PaperHandle() override { return &window; }
    void CloseWindow() override { ++closed; }
    void ShowInputDialog() override { ++input_shown; }
    bool OpenDocument(const std::string& path) override {
        opened.push_back(path);
        return open_result;
    }
    HWND OwnerHandle() override { return &window; }
};

struct Paper {
    PaperState state;
    LONG h = 0, v = 0;
    Paper(FakeHost& host) {
        PAPER_WIDTH = 29700;
        PAPER_HEIGHT = 21000;
        state.win_width = Dmm_ToTwip(PAPER_WIDTH);
        state.win_height = Dmm_ToTwip(PAPER_HEIGHT);
        g_zoom = 100;
        g_zoom_main = 100;
        Change_Zoom(&host, 100, nullptr, &state, &h, &v);
    }
};

TEST(ZoomDialog, RefusesTenAndBelowAboveTheLimitAndTheCurrentZoom) {
    // Only the limit of 10000 is refused with a word (the dialog stays open, the box
    // selected); what is no number, 10 or less, or the current zoom is refused silently.
    const std::string over = std::string("zoom over: ") + ZOOM_TOO_LARGE_MESSAGE;
    const struct {
        const char* typed;
        int zoom_after;
        bool told;
    } rows[] = {{"10", 100, false},         {"11", 11, false},       {"100", 100, false},
                {"250", 250, false},        {"-5", 100, false},      {"abc", 100, false},
                {"", 100, false},           {"10000", 10000, false}, {"10001", 100, true},
                {"99999999999", 100, true}, {"150%", 100, false}};
    for (const auto& row : rows) {
        ComposedGraph doc;
        FakeHost host;
        Paper paper(host);
        ScriptedDialogRunner dialogs;
        RecordingMessageSink sink;
        dialogs.Then([&](MemoryDialog& d) {
            EXPECT_EQ(d.GetDlgItemText(IDC_ZOOM_EDIT), "100");
            d.Type(IDC_ZOOM_EDIT, row.typed);
            d.Click(IDOK);
            EXPECT_EQ(d.ended, !row.told) << row.typed;
            if (row.told) {
                EXPECT_EQ(d.focus, IDC_ZOOM_EDIT);
                int start = -1, end = -1;
                d.Edit_GetSel(IDC_ZOOM_EDIT, &start, &end);
                EXPECT_EQ(end - start, static_cast<int>(d.GetDlgItemText(IDC_ZOOM_EDIT).size()));
                EXPECT_GT(end, 0);
            }
        });
        const int invalidated = host.invalidated;
        EXPECT_EQ(Handle_Of_Menu(&host, 160, &doc.graph, &paper.state, &paper.h, &paper.v), 1);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].name, "CHNGZOOMDLG");
        EXPECT_EQ(g_zoom_main, row.zoom_after) << row.typed;
        EXPECT_EQ(g_zoom, row.zoom_after) << row.typed;
        EXPECT_EQ(sink.Lines(),
                  row.told ? std::vector<std::string>{over} : std::vector<std::string>{})
            << row.typed;
        EXPECT_EQ(host.invalidated > invalidated, row.zoom_after != 100) << row.typed;
        EXPECT_EQ(paper.state.zoom_width_size,
                  Trunc_ToInt32(Twip_ToPixel(paper.state.win_width, &host.window, 100, 1) *
                                (row.zoom_after * 0.01)))
            << row.typed;
    }
}

TEST(ZoomDialog, NoGraphMeansNoPaper) {
    FakeHost host;
    Paper paper(host);
    RecordingMessageSink sink;
    EXPECT_EQ(Handle_Of_Menu(&host, 160, nullptr, &paper.state, &paper.h, &paper.v), 0);
    EXPECT_EQ(sink.Lines(), std::vector<std::string>{"no paper set: 用紙が設定されていません"});
}

TEST(Zoom, OffsetsKeepTheirProportion) {
    ComposedGraph doc;
    FakeHost host;
    Paper paper(host);
    PosChange_HScroll(&host, Thumb_Request(SB_THUMBPOSITION, 300), &paper.state.hori_si, &paper.h);
    EXPECT_EQ(paper.h, 300);
    Change_Zoom(&host, 200, &doc.graph, &paper.state, &paper.h, &paper.v);
    EXPECT_EQ(paper.h, 600);
    EXPECT_EQ(paper.state.zoom_width_size, 2244);
    EXPECT_EQ(doc.graph.title_on_win[0]->PutZoomSize(), 200.0);
    Change_Zoom(&host, 50, &doc.graph, &paper.state, &paper.h, &paper.v);
    EXPECT_EQ(paper.state.zoom_width_size, 561);  // 1122 / 2
    EXPECT_EQ(paper.h, 0);                        // the half-size paper fits: the bar goes
    g_zoom = 100;
}

TEST(SizeDialog, MillimetresRoundFromFiveHundredths) {
    const struct {
        LONG in, out;
    } rows[] = {{3004, 30},   {3005, 31},   {3000, 30},   {3099, 31}, {4850, 49}, {0, 0},
                {-3004, -30}, {-3005, -31}, {29600, 296}, {4, 0},     {5, 1}};
    for (const auto& row : rows) EXPECT_EQ(DivVal_ToLong(row.in), row.out) << row.in;
}

struct SizeRun {
    ComposedGraph doc;
    FakeHost host;
    Paper paper{host};
    ScriptedDialogRunner dialogs;
    tagRECT before;
    SizeRun() { before = doc.graph.graph_view->GetRectOnTwip(); }
    int Run(std::function<void(MemoryDialog&)> script) {
        dialogs.Then(std::move(script));
        return Handle_Of_Menu(&host, 1460, &doc.graph, &paper.state, &paper.h, &paper.v);
    }
    tagRECT After() const { return doc.graph.graph_view->GetRectOnTwip(); }
};

TEST(SizeDialog, OpensWithTheGraphInMillimetresAndCentredRadios) {
    SizeRun run;
    run.Run([](MemoryDialog& d) { d.Click(IDCANCEL); });
    ASSERT_EQ(run.dialogs.shown.size(), 1u);
    const auto& shown = run.dialogs.shown[0];
    EXPECT_EQ(shown.name, "CHNGSIZEDLG");
    EXPECT_EQ(shown.caption, "移動先入力");
    // The default plot area: 70, 50, 225, 180 mm.
    EXPECT_EQ(shown.initial_texts.at(IDC_SIZE_LEFT), "70");
    EXPECT_EQ(shown.initial_texts.at(IDC_SIZE_TOP), "50");
    EXPECT_EQ(shown.initial_texts.at(IDC_SIZE_RIGHT), "225");
    EXPECT_EQ(shown.initial_texts.at(IDC_SIZE_BOTTOM), "180");
    EXPECT_EQ(shown.initial_checks.at(IDC_SIZE_HCENTER), BST_CHECKED);
    EXPECT_EQ(shown.initial_checks.at(IDC_SIZE_VCENTER), BST_CHECKED);
    EXPECT_EQ(shown.initial_checks.at(IDC_SIZE_HADJUST), BST_UNCHECKED);
    EXPECT_EQ(shown.initial_checks.at(IDC_SIZE_VADJUST), BST_UNCHECKED);
    EXPECT_EQ(g_dlgstate, 0);
    EXPECT_EQ(run.After().left, run.before.left);
}

TEST(SizeDialog, TypedEdgesMoveOrResizeOrAreRefused) {
    const struct {
        const char* name;
        const char* l;
        const char* t;
        const char* r;
        const char* b;
        bool changes;
        bool resized;
        int refused_box = 0;  // the box a message names, 0 for none
        char why = 0;         // 'w' not a whole number, 'o' off the paper
    } rows[] = {
        {"same values", "70", "50", "225", "180", false, false},
        {"moved", "60", "40", "215", "170", true, false},
        {"resized", "40", "30", "250", "190", true, true},
        {"left after right", "230", "50", "225", "180", false, false},
        {"top equals bottom", "70", "180", "225", "180", false, false},
        {"not a number", "7o", "50", "225", "180", false, false, IDC_SIZE_LEFT, 'w'},
        {"fraction", "70", "50.5", "225", "180", false, false, IDC_SIZE_TOP, 'w'},
        {"right beyond the paper", "70", "50", "298", "180", false, false, IDC_SIZE_RIGHT, 'o'},
        {"bottom beyond the paper", "70", "50", "225", "211", false, false, IDC_SIZE_BOTTOM, 'o'},
        {"negative left", "-1", "50", "225", "180", false, false, IDC_SIZE_LEFT, 'o'},
        {"whole paper", "0", "0", "297", "210", true, true},
    };
    for (const auto& row : rows) {
        SizeRun run;
        RecordingMessageSink sink;
        run.Run([&](MemoryDialog& d) {
            d.Type(IDC_SIZE_LEFT, row.l);
            d.Type(IDC_SIZE_TOP, row.t);
            d.Type(IDC_SIZE_RIGHT, row.r);
            d.Type(IDC_SIZE_BOTTOM, row.b);
            d.Click(IDOK);
            // A refused box is named and selected; the dialog stays open for a correction.
            EXPECT_EQ(d.ended, row.refused_box == 0) << row.name;
            if (row.refused_box != 0) {
                EXPECT_EQ(d.focus, row.refused_box) << row.name;
            }
        });
        std::vector<std::string> told;
        if (row.why == 'w') told.push_back(std::string("invalid size: ") + SIZE_NOT_WHOLE_MESSAGE);
        if (row.why == 'o') told.push_back(std::string("invalid size: ") + SIZE_OFF_PAPER_MESSAGE);
        EXPECT_EQ(sink.Lines(), told) << row.name;
        const tagRECT after = run.After();
        EXPECT_EQ(g_dlgstate, row.changes ? 1 : 0) << row.name;
        EXPECT_EQ(run.doc.graph.RsinfoFlag(), row.changes ? 1 : 0) << row.name;
        if (!row.changes) {
            EXPECT_EQ(after.left, run.before.left) << row.name;
            EXPECT_EQ(after.right, run.before.right) << row.name;
            EXPECT_EQ(g_lpdlg, 70) << row.name;  // the old values are back
            continue;
        }
        EXPECT_EQ(after.left, Dmm_ToTwip(atoi(row.l) * 100)) << row.name;
        EXPECT_EQ(after.top, Dmm_ToTwip(atoi(row.t) * 100)) << row.name;
        if (row.resized) {
            EXPECT_EQ(after.right, Dmm_ToTwip(atoi(row.r) * 100)) << row.name;
        } else {
            EXPECT_EQ(after.right - after.left, run.before.right - run.before.left) << row.name;
            EXPECT_EQ(after.bottom - after.top, run.before.bottom - run.before.top) << row.name;
        }
    }
}

TEST(SizeDialog, AdjustBoxesFitTheGraphOnThePaper) {
    // Graph 155 x 130 mm (70..225, 50..180) on 297 x 210 mm.
    const struct {
        const char* name;
        int h_radio;  // 0: adjust box unchecked
        int v_radio;
        LONG l, t, r, b;
    } rows[] = {
        {"left", IDC_SIZE_HLEFT, 0, 1, 50, 156, 180},
        {"centre", IDC_SIZE_HCENTER, 0, 71, 50, 226, 180},
        {"right", IDC_SIZE_HRIGHT, 0, 141, 50, 296, 180},
        {"top", 0, IDC_SIZE_VTOP, 70, 1, 225, 131},
        {"middle", 0, IDC_SIZE_VCENTER, 70, 40, 225, 170},
        {"bottom", 0, IDC_SIZE_VBOTTOM, 70, 79, 225, 209},
        {"both", IDC_SIZE_HLEFT, IDC_SIZE_VBOTTOM, 1, 79, 156, 209},
    };
    for (const auto& row : rows) {
        SizeRun run;
        run.Run([&](MemoryDialog& d) {
            d.Type(IDC_SIZE_LEFT, "5");  // ignored: the box fits the values it opened with
            if (row.h_radio) {
                d.Click(IDC_SIZE_HADJUST);
                d.Click(row.h_radio);
            }
            if (row.v_radio) {
                d.Click(IDC_SIZE_VADJUST);
                d.Click(row.v_radio);
            }
            d.Click(IDOK);
        });
        EXPECT_EQ(g_dlgstate, 1) << row.name;
        EXPECT_EQ(g_lpdlg, row.l) << row.name;
        EXPECT_EQ(g_tpdlg, row.t) << row.name;
        EXPECT_EQ(g_rpdlg, row.r) << row.name;
        EXPECT_EQ(g_bpdlg, row.b) << row.name;
        EXPECT_EQ(run.After().left, Dmm_ToTwip(row.l * 100)) << row.name;
    }
}

TEST(SizeDialog, CentreOfA200MillimetreGraph) {
    g_cwidth = 29700;
    g_cheight = 21000;
    SetObjFrame(tagRECT{Dmm_ToTwip(1000), Dmm_ToTwip(2000), Dmm_ToTwip(21000), Dmm_ToTwip(15000)});
    EXPECT_EQ(g_lpdlg, 10);
    EXPECT_EQ(g_rpdlg, 210);
    ScriptedDialogRunner dialogs;
    MemoryDialog dialog(Size_Dialog_Template(), MCDlgProc);
    dialog.Send(WM_INITDIALOG, 0, 0);
    dialog.Click(IDC_SIZE_HADJUST);
    EXPECT_EQ(MoveBox_InCard(&dialog), 1);
    EXPECT_EQ(g_lpdlg, 49);
    EXPECT_EQ(g_rpdlg, 249);
    // A graph as wide as the paper cannot be fitted.
    SetObjFrame(tagRECT{0, 0, Dmm_ToTwip(29700), Dmm_ToTwip(10000)});
    EXPECT_EQ(MoveBox_InCard(&dialog), -1);
    // Twips to millimetres: 1703 twips are 30.03 mm, 1704 are 30.05 mm.
    SetObjFrame(tagRECT{1703, 1704, 5000, 5000});
    EXPECT_EQ(g_lpdlg, 30);
    EXPECT_EQ(g_tpdlg, 31);
}

TEST(MarkerDialog, KeepsTheOldDefaultUnlessAWholeNumberOfAtLeastOne) {
    const struct {
        const char* typed;
        LONG after;
    } rows[] = {{"3", 3},   {"1", 1}, {"0", 5},     {"-2", 5},         {"x", 5},
                {"2.5", 5}, {"", 5},  {" 12 ", 12}, {"99999999999", 5}};
    const std::string why = std::string("invalid interval: ") + MARKER_INTERVAL_MESSAGE;
    for (const auto& row : rows) {
        GraphLine::SetDefMrkdev(5);
        FakeHost host;
        Paper paper(host);
        ScriptedDialogRunner dialogs;
        RecordingMessageSink sink;
        const bool refused = row.after == 5;
        dialogs.Then([&](MemoryDialog& d) {
            EXPECT_EQ(d.GetDlgItemText(IDC_MARKER_EDIT), "5");
            d.Type(IDC_MARKER_EDIT, row.typed);
            d.Click(IDOK);
            EXPECT_EQ(d.ended, !refused) << row.typed;
            if (refused) {
                EXPECT_EQ(d.focus, IDC_MARKER_EDIT);
            }
        });
        Handle_Of_Menu(&host, 1470, nullptr, &paper.state, &paper.h, &paper.v);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].name, "MKRINTDLG");
        EXPECT_EQ(GraphLine::PutDefMrkdev(), row.after) << row.typed;
        EXPECT_EQ(sink.Lines(),
                  refused ? std::vector<std::string>{why} : std::vector<std::string>{})
            << row.typed;
    }
    GraphLine::SetDefMrkdev(5);
}

TEST(Closing, QuestionThenSaveOffer) {
    const struct {
        const char* name;
        bool modified;
        std::vector<int> answers;
        int save_result;  // -1: no save action installed
        bool closes;
        size_t boxes;
        int saves;
    } rows[] = {
        {"no", true, {IDNO}, 1, false, 1, 0},
        {"yes, unmodified", false, {IDYES}, 1, true, 1, 0},
        {"yes, modified, no save", true, {IDYES, IDNO}, 1, true, 2, 0},
        {"yes, modified, saved", true, {IDYES, IDYES}, 1, true, 2, 1},
        {"yes, modified, save failed", true, {IDYES, IDYES}, 0, false, 2, 1},
        {"yes, modified, no save yet", true, {IDYES, IDYES}, -1, false, 2, 0},
    };
    for (const auto& row : rows) {
        ComposedGraph doc;
        doc.graph.SetModified(row.modified ? 1 : 0);
        RecordingMessageSink sink;
        for (int answer : row.answers) sink.Script({answer});
        int saves = 0;
        if (row.save_result >= 0) {
            Set_SaveGraphAction([&] {
                ++saves;
                return row.save_result;
            });
        }
        EXPECT_EQ(Confirm_Close(&doc.graph, &doc.paper), row.closes) << row.name;
        Set_SaveGraphAction(nullptr);
        ASSERT_EQ(sink.boxes.size(), row.boxes) << row.name;
        EXPECT_EQ(sink.Lines()[0], "Closed message: 終了していいですか？");
        if (row.boxes > 1) {
            EXPECT_EQ(sink.Lines()[1], "Do you save data?: 現在のデータを保存しますか?");
        }
        EXPECT_EQ(saves, row.saves) << row.name;
    }
}

TEST(Commands, HelpAboutInputDialogAndClose) {
    FakeHost host;
    Paper paper(host);
    RecordingMessageSink sink;
    Handle_Of_Menu(&host, 500, nullptr, &paper.state, &paper.h, &paper.v);
    EXPECT_EQ(host.input_shown, 1);
    Handle_Of_Menu(&host, 170, nullptr, &paper.state, &paper.h, &paper.v);
    EXPECT_EQ(host.closed, 1);
    Handle_Of_Menu(&host, 1650, nullptr, &paper.state, &paper.h, &paper.v);
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].caption, "About this software");
    EXPECT_EQ(sink.boxes[0].text.rfind("Plotari\n Version2.2\n", 0), 0u);
    sink.Clear();
    // The manual is looked up under the current directory.
    char saved_dir[4096];
    ASSERT_NE(getcwd(saved_dir, sizeof saved_dir), nullptr);
    char dir_template[] = "/tmp/plotari-help-XXXXXX";
    ASSERT_NE(mkdtemp(dir_template), nullptr);
    ASSERT_EQ(chdir(dir_template), 0);
    const std::string fail =
        "Fail open file: 説明ファイルのオープンに失敗しました。\n手動で開いてください。";
    Handle_Of_Menu(&host, 1600, nullptr, &paper.state, &paper.h, &paper.v);
    EXPECT_TRUE(host.opened.empty());
    EXPECT_EQ(sink.Lines(), std::vector<std::string>{fail});
    sink.Clear();
    ASSERT_EQ(mkdir("使用説明", 0700), 0);
    FILE* file = fopen("使用説明/PlotariVer.html", "w");
    ASSERT_NE(file, nullptr);
    fclose(file);
    Handle_Of_Menu(&host, 1600, nullptr, &paper.state, &paper.h, &paper.v);
    ASSERT_EQ(host.opened.size(), 1u);
    EXPECT_EQ(host.opened[0], std::string(dir_template) + "/使用説明/PlotariVer.html");
    EXPECT_TRUE(sink.boxes.empty());
    host.open_result = false;  // no program to open it with
    Handle_Of_Menu(&host, 1600, nullptr, &paper.state, &paper.h, &paper.v);
    EXPECT_EQ(sink.Lines(), std::vector<std::string>{fail});
    remove("使用説明/PlotariVer.html");
    rmdir("使用説明");
    ASSERT_EQ(chdir(saved_dir), 0);
    rmdir(dir_template);
}

struct RecordingMenu : MenuHandle {
    std::map<int, bool> enabled;
    std::map<int, bool> checked;
    void EnableMenuItem(int id, bool enable) override { enabled[id] = enable; }
    void CheckMenuItem(int id, bool check) override { checked[id] = check; }
    std::set<int> Enabled(const int* ids, size_t n) const {
        std::set<int> result;
        for (size_t i = 0; i < n; ++i) {
            const auto it = enabled.find(ids[i]);
            if (it != enabled.end() && it->second) result.insert(ids[i]);
        }
        return result;
    }
};

// The items that act on the selected element or the graph, grayed together.
const int kObjectItems[14] = {1000, 1050, 1100, 1150, 1200, 1250, 1300,
                              1310, 1315, 1320, 1330, 1400, 1450, 1460};

TEST(MenuState, ObjectItemsByKind) {
    const struct {
        int kind;
        std::set<int> enabled;
    } rows[] = {{-1, {}},          {1, {1000, 1050}},
                {2, {1200, 1250}}, {3, {1100}},
                {5, {1300}},       {6, {1310, 1315, 1320, 1330}},
                {7, {1400, 1450}}, {4, {}}};
    for (const auto& row : rows) {
        RecordingMenu menu;
        for (int id : kObjectItems) menu.enabled[id] = true;
        DisEnaSwitch_GraphMenuItem(row.kind, &menu);
        EXPECT_EQ(menu.Enabled(kObjectItems, 14), row.enabled) << row.kind;
    }
    RecordingMenu menu;
    DisEnaSwitch_FileMenuItem(1, &menu);
    DisEnaSwitch_EditMenuItem(0, &menu);
    const int file_items[] = {110, 120, 130, 135, 150, 320};
    EXPECT_EQ(menu.Enabled(file_items, 6), (std::set<int>{110, 120, 130, 135, 150}));
}

TEST(MenuState, WholeRulesOnADocument) {
    {
        HeadlessWindow paper(400, 300);
        GraphOnWin empty(&paper, 0, 0, kPaperTwipWidth, kPaperTwipHeight, nullptr, 0, 0, 100,
                         nullptr, nullptr, "未表示グラフ", nullptr, nullptr, nullptr);
        RecordingMenu menu;
        Update_MenuState(&empty, &menu);
        EXPECT_TRUE(menu.Enabled(kObjectItems, 14).empty());
        EXPECT_FALSE(menu.enabled.at(110));
        EXPECT_FALSE(menu.enabled.at(320));
    }
    ComposedGraph doc;
    RecordingMenu menu;
    Update_MenuState(&doc.graph, &menu);
    // With a graph and nothing selected, only グラフのサイズ変更 of the object items.
    EXPECT_EQ(menu.Enabled(kObjectItems, 14), (std::set<int>{1460}));
    // A hidden legend can always be shown again.
    ASSERT_EQ(doc.graph.glist_frame->SwitchDisplay(), 1);
    ASSERT_EQ(doc.graph.glist_frame->PutShowFlag(), 0);
    Update_MenuState(&doc.graph, &menu);
    EXPECT_EQ(menu.Enabled(kObjectItems, 14), (std::set<int>{1300, 1460}));
    doc.graph.glist_frame->SwitchDisplay();
    // A tick frame selected: the grid item shows the axis's grid state.
    ASSERT_EQ(doc.graph.Handle_To_RMouseDown(
                  ComposedGraph::At(ComposedGraph::Center(*doc.graph.axis_tick[1]))),
              1);
    ASSERT_EQ(doc.graph.GetSelObjectKind(), 3);
    doc.graph.graph_view->GridFlag(1) = 1;
    Update_MenuState(&doc.graph, &menu);
    EXPECT_TRUE(menu.checked.at(1150));
    doc.graph.graph_view->GridFlag(1) = 0;
    Update_MenuState(&doc.graph, &menu);
    EXPECT_FALSE(menu.checked.at(1150));
    // Commands of this window are never grayed; those still without an action are.
    EXPECT_EQ(menu.enabled.count(1600), 0u);
    EXPECT_EQ(menu.enabled.count(160), 0u);
    EXPECT_FALSE(menu.enabled.at(140));
}

TEST(Menus, TitleMenuHoldsEveryCommand) {
    std::set<int> ids;
    std::vector<std::string> tops;
    std::function<void(const MenuEntry&)> walk = [&](const MenuEntry& e) {
        if (e.id != 0) ids.insert(e.id);
        for (const auto& item : e.items) walk(item);
    };
    for (const auto& top : Title_Menu_Resource().menus) {
        tops.push_back(top.text);
        walk(top);
    }
    std::set<int> expected = {90,   100,  110,  120,  130,  135,  140,  150,  160,
                              161,  162,  163,  170,  300,  310,  320,  330,  500,
                              1000, 1050, 1100, 1150, 1200, 1250, 1300, 1310, 1315,
                              1320, 1330, 1400, 1450, 1460, 1470, 1480, 1600, 1650};
    for (int recent = 181; recent <= 190; ++recent) expected.insert(recent);  // 最近使ったファイル
    EXPECT_EQ(ids, expected);
    EXPECT_NE(std::find(tops.begin(), tops.end(), "グラフ操作(&G)"), tops.end());
    int count = 0;
    const Accelerator* table = Graph_Accelerators(&count);
    std::set<std::pair<int, int>> keys;
    for (int i = 0; i < count; ++i) keys.insert({table[i].key, table[i].command});
    // "GRAPHACCEL" only: Ctrl+I and Ctrl+Z belong to their menu items.
    EXPECT_EQ(keys,
              (std::set<std::pair<int, int>>{{'O', 100}, {'S', 110}, {'C', 320}, {'P', 150}}));
}

TEST(Menus, TheGraphMenuAndThePopUpsShareTheirItems) {
    // Each element pop-up is the graph menu's submenu of the same place, item for item.
    const MenuEntry* graph_menu = nullptr;
    for (const auto& top : Title_Menu_Resource().menus) {
        if (top.text == "グラフ操作(&G)") graph_menu = &top;
    }
    ASSERT_NE(graph_menu, nullptr);
    const auto& popups = Obj_Menu_Resource().menus;
    ASSERT_EQ(popups.size(), 6u);
    for (size_t i = 0; i < popups.size(); ++i) {
        EXPECT_EQ(graph_menu->items[i].text, popups[i].text);
        ASSERT_EQ(graph_menu->items[i].items.size(), popups[i].items.size());
        for (size_t j = 0; j < popups[i].items.size(); ++j) {
            EXPECT_EQ(graph_menu->items[i].items[j].id, popups[i].items[j].id);
            EXPECT_EQ(graph_menu->items[i].items[j].text, popups[i].items[j].text);
        }
    }
    // Every command the menus show is in the table, with the menu's text.
    std::function<void(const MenuEntry&)> check = [&](const MenuEntry& e) {
        if (e.id != 0) {
            const CommandRow* row = Find_Command(e.id);
            ASSERT_NE(row, nullptr) << e.id;
            EXPECT_EQ(e.text, row->text);
        }
        for (const auto& item : e.items) check(item);
    };
    for (const auto& top : Title_Menu_Resource().menus) check(top);
    EXPECT_EQ(Find_Command(999), nullptr);
    EXPECT_EQ(Handle_Of_Menu(nullptr, 999, nullptr, nullptr, nullptr, nullptr), 1);
}

}  // namespace
