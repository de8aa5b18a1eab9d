// Documents as desktop users expect, in the real window: 新規作成, the document's name in the
// title bar, a copy with 名前をつけて保存, and キャンセル in the save question of every action
// that asks it.
#include <gtest/gtest.h>

#include <QCloseEvent>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

#include "platform/recording_message_sink.h"
#include "platform/scripted_choosers.h"
#include "window_fixture.h"

namespace {

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Documents : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        char dir[] = "/tmp/plotari-docs-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        dir_ = dir;
    }
    void TearDown() override {
        for (const char* name : {"a.dat", "b.dat", "copy.dat"}) std::remove(Path(name).c_str());
        rmdir(dir_.c_str());
        WindowFixture::TearDown();
    }
    std::string Path(const char* name) const { return dir_ + "/" + name; }
    QString Title() const { return window_->windowTitle(); }
    // 名前をつけて保存 under name, answered by the scripted file chooser.
    void SaveAs(const char* name) {
        ScriptedChoosers choosers;
        choosers.file_path = Path(name);
        window_->Command(120);
    }
    // A drag of the title: a change of the document.
    void MoveTitle() {
        const QPoint title = Center(*Graph().title_on_win[0]);
        Hover(title);
        Press(title);
        MoveHeld(title + QPoint(0, -30));
        Release(title + QPoint(0, -30));
    }
    std::string dir_;
};

TEST_F(Documents, TheTitleNamesTheDocumentAndMarksChanges) {
    EXPECT_EQ(Title(), "Plotari Ver.2.2");
    Draw("sin(x):x(-3,3)[30]");
    EXPECT_EQ(Title(), "*無題 — Plotari Ver.2.2") << "drawn, never saved";
    SaveAs("a.dat");
    EXPECT_EQ(Title(), "a.dat — Plotari Ver.2.2");
    MoveTitle();
    EXPECT_EQ(Title(), "*a.dat — Plotari Ver.2.2");
    window_->Command(300);  // undo: back at the saved state
    EXPECT_EQ(Title(), "a.dat — Plotari Ver.2.2");
    MoveTitle();
    window_->Command(110);  // 保存
    EXPECT_EQ(Title(), "a.dat — Plotari Ver.2.2");
    SaveAs("b.dat");
    EXPECT_EQ(Title(), "b.dat — Plotari Ver.2.2");
    // Opened: the name of the file opened, unchanged.
    {
        ScriptedChoosers choosers;
        choosers.file_path = Path("a.dat");
        window_->Command(100);
    }
    EXPECT_EQ(Title(), "a.dat — Plotari Ver.2.2");
}

TEST_F(Documents, SaveAsOfAnUnchangedDocumentWritesACopy) {
    Draw("x^2:x(-2,2)[20]");
    SaveAs("a.dat");
    {
        ScriptedChoosers choosers;
        choosers.file_path = Path("a.dat");
        window_->Command(100);
    }
    ASSERT_EQ(Graph().RsinfoFlag(), 0);
    boxes_.Clear();
    SaveAs("copy.dat");
    EXPECT_TRUE(boxes_.boxes.empty()) << boxes_.Lines().front();
    EXPECT_EQ(Read(Path("copy.dat")), Read(Path("a.dat")));
    EXPECT_FALSE(Read(Path("copy.dat")).empty());
    // 保存 of the unchanged document still says there is nothing new.
    window_->Command(110);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text, "更新されたものがありません");
}

TEST_F(Documents, NewLeavesTheEmptyPaperAndUndoBringsTheDocumentBack) {
    Draw("sin(x):x(-3,3)[30]");
    SaveAs("a.dat");
    const int formulas = g_mathlist.PutElementNum();
    boxes_.Clear();
    window_->Command(90);  // unchanged: nothing to ask
    EXPECT_TRUE(boxes_.boxes.empty());
    EXPECT_FALSE(Graph().graph_view);
    EXPECT_TRUE(Graph().reference_file.empty());
    EXPECT_EQ(Graph().RsinfoFlag(), 0);
    EXPECT_EQ(Title(), "Plotari Ver.2.2");
    EXPECT_EQ(g_mathlist.PutElementNum(), formulas) << "the formulas stay";
    window_->Command(300);
    ASSERT_TRUE(Graph().graph_view);
    EXPECT_EQ(Graph().reference_file, Path("a.dat"));
    EXPECT_EQ(Title(), "a.dat — Plotari Ver.2.2");
    // Changed: the save question first; いいえ throws the change away.
    MoveTitle();
    boxes_.Script({IDNO});
    window_->Command(90);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text, "現在のデータを保存しますか?");
    EXPECT_EQ(boxes_.boxes[0].style & MB_TYPEMASK, MB_YESNOCANCEL);
    EXPECT_FALSE(Graph().graph_view);
    window_->Command(300);
    EXPECT_EQ(Title(), "*a.dat — Plotari Ver.2.2") << "the change is back, unsaved";
}

// キャンセル in the save question stops the action that asked: nothing changes.
TEST_F(Documents, CancelInTheSaveQuestionStopsEveryActionThatAsks) {
    Draw("sin(x):x(-3,3)[30]");
    SaveAs("a.dat");
    Draw("x/3:x(-3,3)[30]");  // a second line: the document is changed
    ASSERT_EQ(Graph().RsinfoFlag(), 1);
    ScriptedChoosers choosers;
    choosers.file_path = Path("a.dat");
    const auto expect_unchanged = [&](const char* action) {
        ASSERT_TRUE(Graph().graph_view) << action;
        EXPECT_EQ(Graph().graph_view->PutElementNum(), 2) << action;
        EXPECT_EQ(Graph().RsinfoFlag(), 1) << action;
        EXPECT_EQ(Title(), "*a.dat — Plotari Ver.2.2") << action;
        ASSERT_FALSE(boxes_.boxes.empty()) << action;
        EXPECT_EQ(boxes_.boxes.back().text, "現在のデータを保存しますか?") << action;
    };
    boxes_.Script({IDCANCEL});
    window_->Command(90);
    expect_unchanged("新規作成");
    boxes_.Script({IDCANCEL});
    window_->Command(100);
    expect_unchanged("開く");
    EXPECT_TRUE(choosers.file_requests.empty()) << "no file dialog after キャンセル";
    boxes_.Script({IDCANCEL});
    EXPECT_EQ(Graph().OpenDroppedFile(Path("a.dat"), g_shifth, g_shiftv), -3);
    expect_unchanged("a dropped document");
    boxes_.Script({IDYES, IDCANCEL});  // 終了していいですか？ yes, then キャンセル
    QCloseEvent close;
    QApplication::sendEvent(window_.get(), &close);
    EXPECT_FALSE(close.isAccepted());
    expect_unchanged("終了");
    // 線を消去 of the selected line.
    auto& samples = *Graph().glist_frame->PutGListLink();
    const QPoint sample = Center(**samples.begin());
    Hover(sample);
    Press(sample);
    Release(sample);
    boxes_.Script({IDCANCEL});
    window_->Command(1330);
    expect_unchanged("線を消去");
    // いいえ goes on as before.
    boxes_.Script({IDNO});
    window_->Command(1330);
    EXPECT_EQ(Graph().graph_view->PutElementNum(), 1);
}

}  // namespace
