// The menu actions of the command-line session, run in-process so the document can be seen.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <sstream>

#include "cli/cli_session.h"
#include "document/graph_on_win.h"
#include "elements/graph_line.h"
#include "frames/trans_unit.h"
#include "shell/paper_dialogs.h"
#include "../qt_test_app.h"
#include "session_run.h"

namespace {

struct Outcome {
    int status = -1;
    std::string err;
    double zoom = 0.0;
    tagRECT view;
    bool has_graph = false;
};

Outcome Run_Session(const std::vector<std::string>& args) {
    Outcome outcome;
    const session_run::Printed printed = session_run::Run(args, [&](GraphOnWin& graph) {
        outcome.zoom = graph.PutZoomSize();
        outcome.has_graph = graph.graph_view != nullptr;
        if (graph.graph_view) outcome.view = graph.graph_view->GetRectOnTwip();
    });
    outcome.status = printed.status;
    outcome.err = printed.err;
    return outcome;
}

TEST(CliMenu, ZoomIsAcceptedOnlyAboveTenAndUpToTenThousand) {
    const struct {
        const char* zoom;
        double expected;
        int status;
        const char* err;  // standard error, all of it
    } rows[] = {
        {"200", 200, 0, ""},
        {"11", 11, 0, ""},
        {"10", 100, 0, ""},  // 10 and below leave the zoom, without a word
        {"5", 100, 0, ""},
        {"10000", 10000, 0, ""},
        {"10001", 100, 1, "zoom over: 倍率は10000％以下で入力してください\n"},
    };
    for (const auto& row : rows) {
        Outcome r = Run_Session({"--plot", "explicit:x:x(0,1)", "--zoom", row.zoom});
        EXPECT_EQ(r.zoom, row.expected) << row.zoom;
        EXPECT_EQ(r.status, row.status) << row.zoom;
        EXPECT_EQ(r.err, row.err) << row.zoom;
    }
}

TEST(CliMenu, SizeMovesThePlotAreaInMillimetres) {
    Outcome r = Run_Session({"--plot", "explicit:x:x(0,1)", "--size", "30,40,200,180"});
    ASSERT_TRUE(r.has_graph);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.view.left, Dmm_ToTwip(3000));
    EXPECT_EQ(r.view.top, Dmm_ToTwip(4000));
    EXPECT_EQ(r.view.right, Dmm_ToTwip(20000));
    EXPECT_EQ(r.view.bottom, Dmm_ToTwip(18000));

    Outcome off_paper = Run_Session({"--plot", "explicit:x:x(0,1)", "--size", "30,40,400,180"});
    EXPECT_EQ(off_paper.view.right, Dmm_ToTwip(22500));  // unchanged

    Outcome no_graph = Run_Session({"--size", "30,40,200,180"});
    EXPECT_EQ(no_graph.status, 1);
    EXPECT_EQ(no_graph.err, "plotari-cli: no graph for --size\n");
}

TEST(CliMenu, MarkerIntervalKeepsTheOldValueBelowOne) {
    const char refused[] = "invalid interval: マーカーの間隔は1以上の整数で入力してください\n";
    const struct {
        const char* typed;
        long expected;
        const char* err;
    } rows[] = {{"7", 7, ""}, {"0", 7, refused}, {"-3", 7, refused}, {"5", 5, ""}, {"1", 1, ""}};
    for (const auto& row : rows) {
        const Outcome r = Run_Session({"--marker-interval", row.typed});
        EXPECT_EQ(GraphLine::PutDefMrkdev(), row.expected) << row.typed;
        EXPECT_EQ(r.err, row.err) << row.typed;
        EXPECT_EQ(r.status, row.err[0] == '\0' ? 0 : 1) << row.typed;
    }
}

}  // namespace
