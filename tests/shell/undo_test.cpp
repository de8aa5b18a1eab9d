// やり直し (Ctrl+Z) in the window: each undoable change taken back restores the document's
// bytes and its picture exactly; back at the saved state the document counts as unchanged;
// at most 50 steps are kept.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <memory>
#include <string>

#include <unistd.h>

#include "input/formula_dialog.h"
#include "input/registration.h"
#include "kinds/math_form.h"
#include "kinds/parallel_sampling.h"
#include "kinds/samplers.h"
#include "platform/doc_stream.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/recording_message_sink.h"
#include "platform/scripted_choosers.h"
#include "platform/scripted_dialogs.h"
#include "shell/main_window.h"
#include "shell/paper_dialogs.h"
#include "shell/picture_export.h"
#include "window_fixture.h"

namespace {

class Undo : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        window_->InstallGraphReceiver();  // as the program does: adding a series is undoable
    }
    // The document's bytes with the legend's place (which its file does not hold).
    std::string Bytes() {
        UndoHistory::State state;
        EXPECT_TRUE(UndoHistory::Snapshot(window_->Graph(), &state));
        return state.document + "|" + state.view;
    }
    QImage Picture() { return GetBitmap_ToGraph(window_->Graph(), 1122, 793); }
    QPoint Center(const tagRECT& r) {
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    // The change undone gives back exactly the document and the picture before it.
    void Expect_Undone(const std::string& what, const std::function<void()>& change) {
        const std::string bytes = Bytes();
        const QImage picture = Picture();
        const size_t steps = window_->Undo().Steps();
        change();
        EXPECT_TRUE(Bytes() != bytes) << what << ": the change changed nothing";
        EXPECT_EQ(window_->Undo().Steps(), steps + 1) << what;
        // At once, not only when a menu is next opened: Ctrl+Z is the item's shortcut and
        // works only while it is enabled.
        EXPECT_TRUE(window_->Action(300)->isEnabled()) << what;
        window_->Command(300);
        EXPECT_TRUE(Bytes() == bytes) << what;
        EXPECT_TRUE(Picture() == picture) << what;
        EXPECT_EQ(window_->Undo().Steps(), steps) << what;
    }
};

}  // namespace

TEST_F(Undo, EveryKindOfChangeIsTakenBackExactly) {
    EXPECT_EQ(window_->Action(300)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    window_->UpdateMenus();
    EXPECT_FALSE(window_->Action(300)->isEnabled());  // nothing to undo yet
    Expect_Undone("the first series", [&] { Draw("sin(x):x(-3,3)[30]"); });
    EXPECT_TRUE(window_->Graph()->graph_view == nullptr);  // back to the empty paper
    EXPECT_FALSE(window_->Action(300)->isEnabled());
    Draw("sin(x):x(-3,3)[30]");
    Expect_Undone("a second series", [&] { Draw("x^2/4:x(-2,2)[20]"); });

    GraphOnWin* graph = window_->Graph();
    Expect_Undone("dragging the legend", [&] {
        const QPoint from = Center(graph->glist_frame->PutFrmRect());
        window_->PaperMouseMove(Qt::NoButton, from);  // the pointer comes over it first
        window_->PaperMousePress(Qt::LeftButton, from);
        window_->PaperMouseMove(Qt::LeftButton, from + QPoint(-120, 60));
        window_->PaperMouseRelease(Qt::LeftButton, from + QPoint(-120, 60));
    });
    ScriptedDialogRunner dialogs;
    Expect_Undone("the size of the plot area", [&] {
        dialogs.Then([](MemoryDialog& d) {
            d.Type(IDC_SIZE_LEFT, "40");
            d.Type(IDC_SIZE_RIGHT, "200");
            d.Click(IDOK);
        });
        window_->Command(1460);
    });
    ScriptedChoosers choosers;
    choosers.color = RGB(0, 128, 255);
    auto select_sample = [&] {
        const tagRECT sample = graph->glist_frame->PutGListLink()->Array(0)->PutFrmRect();
        window_->PaperMousePress(Qt::RightButton, Center(sample));
        ASSERT_EQ(graph->GetSelObjectKind(), 6);
    };
    Expect_Undone("a series colour", [&] {
        select_sample();
        window_->Command(1310);
    });
    Expect_Undone("deleting a series", [&] {
        select_sample();
        RecordingMessageSink boxes;  // the save question before deleting: No
        boxes.Script({IDNO, IDNO});
        window_->Command(1330);
    });
    // An action that changes nothing is no step.
    const size_t steps = window_->Undo().Steps();
    window_->PaperMousePress(Qt::LeftButton, QPoint(5, 5));
    window_->PaperMouseRelease(Qt::LeftButton, QPoint(5, 5));
    EXPECT_EQ(window_->Undo().Steps(), steps);
}

TEST_F(Undo, BackAtTheSavedStateTheDocumentIsUnchanged) {
    Draw("sin(x):x(-3,3)[30]");
    const std::string path = "/tmp/plotari-undo-" + std::to_string(getpid()) + ".dat";
    ASSERT_EQ(window_->Graph()->SaveGraphAs(path), 1);
    window_->ResetUndo();  // as after opening it
    EXPECT_EQ(window_->Graph()->RsinfoFlag(), 0);
    Draw("cos(x):x(-3,3)[30]");
    EXPECT_NE(window_->Graph()->RsinfoFlag(), 0);
    window_->Command(300);
    EXPECT_EQ(window_->Graph()->RsinfoFlag(), 0);
    RecordingMessageSink boxes;
    window_->Command(110);  // 上書き保存 has nothing new to write
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "更新されたものがありません");
    remove(path.c_str());
}

TEST_F(Undo, FiftyStepsAreKept) {
    Draw("sin(x):x(-3,3)[30]");
    GraphOnWin* graph = window_->Graph();
    const std::string first = Bytes();
    for (int i = 0; i < 55; ++i) {
        const QPoint from = Center(graph->glist_frame->PutFrmRect());
        const QPoint to = from + QPoint(i % 2 == 0 ? -7 : 5, 3);
        window_->PaperMouseMove(Qt::NoButton, from);
        window_->PaperMousePress(Qt::LeftButton, from);
        window_->PaperMouseMove(Qt::LeftButton, to);
        window_->PaperMouseRelease(Qt::LeftButton, to);
    }
    EXPECT_EQ(window_->Undo().Steps(), UndoHistory::kMaxSteps);
    for (int i = 0; i < 60; ++i) window_->Command(300);
    EXPECT_EQ(window_->Undo().Steps(), 0u);
    // The oldest five steps (and the graph's drawing itself) are beyond reach.
    EXPECT_TRUE(Bytes() != first);
    EXPECT_TRUE(graph->graph_view != nullptr);
}

// Sampling that takes longer than the delay shows the progress dialog with 中止 and a busy
// cursor; 中止 abandons that drawing and the document stays as it was.
TEST_F(Undo, LongSamplingShowsProgressAndCancelKeepsTheDocument) {
    Draw("sin(x):x(-3,3)[30]");
    const std::string before = Bytes();
    ProgressFeedback feedback(window_.get(), 0);  // no delay, so the dialog shows at once
    Set_ProgressHook([&](double done) {
        const bool go_on = feedback(done);
        if (feedback.Dialog() != nullptr) {
            EXPECT_EQ(feedback.Dialog()->labelText(), QString::fromUtf8("グラフを描いています…"));
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            feedback.Dialog()->cancel();  // as pressing 中止 does
        }
        return go_on;
    });
    // On one thread and on several: the chunks computed ahead of 中止 reach nothing.
    for (int threads : {1, 2, 7}) {
        Set_SamplingThreads(threads);
        Draw("x^2:x(-2,2)[200000]");
        EXPECT_TRUE(Bytes() == before) << threads;
        EXPECT_EQ(window_->Graph()->graph_view->PutElementNum(), 1) << threads;
        EXPECT_EQ(feedback.Dialog(), nullptr) << threads;  // gone at the end
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << threads;
    }
    Set_SamplingThreads(0);
    window_->InstallGraphReceiver();  // the window's own hook again
}

namespace {

// After やり直し the document is still the file it was: 上書き保存 writes that file, with
// no dialog, and the bytes are those of the state undone to.
TEST_F(Undo, SavingAfterAnUndoWritesTheSameFileWithoutADialog) {
    Draw("sin(x):x(-3,3)[30]");
    const std::string path = "/tmp/plotari-undo-name-" + std::to_string(getpid()) + ".dat";
    const std::string other = path + ".other.dat";
    ASSERT_EQ(window_->Graph()->SaveGraphAs(path), 1);
    window_->ResetUndo();
    Draw("cos(x):x(-3,3)[30]");
    ASSERT_EQ(window_->Graph()->SaveGraphAs(path), 1);
    std::vector<unsigned char> saved;
    ASSERT_TRUE(Read_WholeFile(path, &saved));
    const std::string two_series(saved.begin(), saved.end());
    Draw("x:x(-3,3)[30]");
    window_->Command(300);
    EXPECT_EQ(window_->Graph()->reference_file, path);
    Draw("x^2:x(-3,3)[30]");
    window_->Command(300);
    ScriptedChoosers choosers;
    choosers.file_path = other;  // what a save dialog would answer
    RecordingMessageSink boxes;
    window_->Command(110);
    EXPECT_TRUE(choosers.file_requests.empty()) << "a save dialog was shown";
    EXPECT_TRUE(boxes.boxes.empty());
    std::vector<unsigned char> written;
    ASSERT_TRUE(Read_WholeFile(path, &written));
    EXPECT_EQ(std::string(written.begin(), written.end()), two_series);
    EXPECT_NE(access(other.c_str(), F_OK), 0);
    remove(path.c_str());
}

// What the file does not hold survives an undo of something else, and selecting is no
// step: one axis-dialog change is one Ctrl+Z.
TEST_F(Undo, GridLinesAndMarkerIntervalsSurviveAnUnrelatedUndo) {
    Draw("sin(x):x(-3,3)[30]");
    GraphOnWin* graph = window_->Graph();
    AxisTick* ticks = graph->axis_tick[1].get();
    const QPoint at = Center(ticks->PutFrmRect());
    window_->PaperMousePress(Qt::LeftButton, at);
    window_->PaperMouseRelease(Qt::LeftButton, at);
    const size_t after_click = window_->Undo().Steps();
    window_->Command(1150);  // grid on
    EXPECT_EQ(window_->Undo().Steps(), after_click + 1);
    graph->graph_view->Array(0)->MarkerDev() = 7;
    Draw("cos(x):x(-3,3)[30]");
    window_->Command(300);  // takes the second series back
    EXPECT_EQ(graph->graph_view->GridSwitches()[1], 1);
    EXPECT_EQ(graph->graph_view->Array(0)->MarkerDev(), 7);
    window_->Command(300);  // and the grid
    EXPECT_EQ(graph->graph_view->GridSwitches()[1], 0);
}

}  // namespace

namespace {

// A character the file cannot hold does not stop undo: each change after it is its own step.
TEST_F(Undo, ATextTheFileCannotHoldIsStillUndoneStepByStep) {
    Draw("sin(x):x(-3,3)[30]");
    GraphOnWin* graph = window_->Graph();
    TitleOnWin* title = graph->title_on_win[0].get();
    ASSERT_NE(title, nullptr);
    const QPoint at = Center(title->PutFrmRect());
    window_->PaperMousePress(Qt::LeftButton, at);
    window_->PaperMouseRelease(Qt::LeftButton, at);
    ScriptedDialogRunner dialogs;
    const char* const texts[] = {"T¥", "€ and ☃"};
    for (const char* text : texts) {
        const size_t steps = window_->Undo().Steps();
        const tagRECT before = title->GetRectOnTwip();
        dialogs.Then([text](MemoryDialog& d) {
            d.Type(IDC_TITLE_TEXT, text);
            d.Click(IDOK);
        });
        window_->Command(1050);
        ASSERT_STREQ(title->PutTitle(), text);
        EXPECT_EQ(window_->Undo().Steps(), steps + 1) << text;
        // Then a drag, its own step, taken back alone.
        const QPoint from = Center(title->PutFrmRect());
        window_->PaperMouseMove(Qt::NoButton, from);
        window_->PaperMousePress(Qt::LeftButton, from);
        window_->PaperMouseMove(Qt::LeftButton, from + QPoint(40, 30));
        window_->PaperMouseRelease(Qt::LeftButton, from + QPoint(40, 30));
        EXPECT_EQ(window_->Undo().Steps(), steps + 2) << text;
        window_->Command(300);
        title = graph->title_on_win[0].get();
        EXPECT_STREQ(title->PutTitle(), text);
        window_->Command(300);
        title = graph->title_on_win[0].get();
        EXPECT_EQ(title->GetRectOnTwip().left, before.left) << text;
        EXPECT_STRNE(title->PutTitle(), text);
        const QPoint again = Center(title->PutFrmRect());
        window_->PaperMousePress(Qt::LeftButton, again);
        window_->PaperMouseRelease(Qt::LeftButton, again);
    }
}

}  // namespace
