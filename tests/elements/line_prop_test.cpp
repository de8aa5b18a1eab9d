// The line-property dialog: what it shows, the order of its checks, and the values it
// gives back; the same procedure and the text dialog as real Qt dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <string>

#include "elements/line_prop.h"
#include "elements/title_on_win.h"
#include "platform/qt/image_window.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/recording_message_sink.h"
#include "platform/scripted_dialogs.h"

namespace {

struct Entry {
    const char* width;
    const char* radius;
    const char* interval;
    int style_button;
    bool line;
    bool marker;
};

struct Result {
    int changed;
    unsigned style;
    LONG width;
    LONG radius;
    LONG marker;
    LONG mrkdev;
    const char* message;  // "" for none
};

Result Run_Dialog(const Entry& entry) {
    ScriptedDialogRunner runner;
    RecordingMessageSink sink;
    runner.Then([&](MemoryDialog& d) {
        d.Type(IDC_LINE_WIDTH, entry.width);
        d.Type(IDC_MARKER_SIZE, entry.radius);
        d.Type(IDC_MARKER_INTERVAL, entry.interval);
        d.Click(entry.style_button);
        d.CheckDlgButton(IDC_SELECT_LINE, entry.line ? BST_CHECKED : BST_UNCHECKED);
        d.CheckDlgButton(IDC_SELECT_MARKER, entry.marker ? BST_CHECKED : BST_UNCHECKED);
        d.Click(IDOK);
    });
    LineProp prop(nullptr, PS_DASHDOT, 4, 1, 7);
    LONG mrkdev = 9;
    Result r;
    r.changed = prop.ShowLinePropDlg(&mrkdev);
    r.style = prop.PutLineStyle();
    r.width = prop.PutLineSize();
    r.radius = prop.PutRadius();
    r.marker = prop.PutMarker();
    r.mrkdev = mrkdev;
    r.message = "";
    static std::string line;
    if (!sink.boxes.empty()) {
        EXPECT_EQ(sink.boxes.size(), 1u);
        EXPECT_EQ(sink.boxes[0].caption, "InputError");
        line = sink.boxes[0].text;
        r.message = line.c_str();
    }
    return r;
}

}  // namespace

TEST(LinePropDialog, ValidationTable) {
    struct Row {
        Entry entry;
        Result want;
    } rows[] = {
        // Accepted entries: style, width, radius, marker type, interval.
        {{"3", "2", "4", IDC_STYLE_SOLID, true, false}, {1, PS_SOLID, 3, 2, 0, 4, ""}},
        {{"10", "10", "1", IDC_STYLE_SOLID, true, true}, {1, PS_SOLID, 10, 10, 1, 1, ""}},
        {{"1", "1", "100000", IDC_STYLE_SOLID, false, true}, {1, PS_SOLID, 1, 1, -1, 100000, ""}},
        // Dotted and dash-dot ignore the width field: the width becomes 1.
        {{"11", "3", "5", IDC_STYLE_DOT, true, false}, {1, PS_DOT, 1, 3, 0, 5, ""}},
        {{"abc", "3", "5", IDC_STYLE_DASHDOT, true, true}, {1, PS_DASHDOT, 1, 3, 1, 5, ""}},
        // Refused: nothing changes and the first failing check speaks.
        {{"11", "3", "5", IDC_STYLE_SOLID, true, false},
         {0, PS_DASHDOT, 4, 7, 1, 9, "線の幅の値が無効です"}},
        {{"0", "0", "0", IDC_STYLE_SOLID, false, false},
         {0, PS_DASHDOT, 4, 7, 1, 9, "線の幅の値が無効です"}},
        {{"2x", "3", "5", IDC_STYLE_SOLID, true, false},
         {0, PS_DASHDOT, 4, 7, 1, 9, "線の幅の値が無効です"}},
        {{"2", "11", "0", IDC_STYLE_SOLID, true, false},
         {0, PS_DASHDOT, 4, 7, 1, 9, "マーカーサイズの値が無効です"}},
        {{"2", "", "5", IDC_STYLE_DOT, true, false},
         {0, PS_DASHDOT, 4, 7, 1, 9, "マーカーサイズの値が無効です"}},
        {{"2", "3", "0", IDC_STYLE_SOLID, false, false},
         {0, PS_DASHDOT, 4, 7, 1, 9, "マーカー間隔の値が無効です"}},
        {{"2", "3", "-1", IDC_STYLE_SOLID, true, false},
         {0, PS_DASHDOT, 4, 7, 1, 9, "マーカー間隔の値が無効です"}},
        {{"2", "3", "5", IDC_STYLE_SOLID, false, false},
         {0, PS_DASHDOT, 4, 7, 1, 9, "線またはマーカーを選択して下さい"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.entry.width) + " / " + row.entry.radius + " / " +
                     row.entry.interval);
        const Result got = Run_Dialog(row.entry);
        EXPECT_EQ(got.changed, row.want.changed);
        EXPECT_EQ(got.style, row.want.style);
        EXPECT_EQ(got.width, row.want.width);
        EXPECT_EQ(got.radius, row.want.radius);
        EXPECT_EQ(got.marker, row.want.marker);
        EXPECT_EQ(got.mrkdev, row.want.mrkdev);
        EXPECT_STREQ(got.message, row.want.message);
    }
}

TEST(LinePropDialog, OpeningShowsTheValues) {
    struct Row {
        unsigned style;
        LONG marker;
        int radio;
        UINT line;
        UINT mark;
    } rows[] = {
        {PS_SOLID, 0, IDC_STYLE_SOLID, BST_CHECKED, BST_UNCHECKED},
        {PS_DOT, 1, IDC_STYLE_DOT, BST_CHECKED, BST_CHECKED},
        {PS_DASHDOT, -1, IDC_STYLE_DASHDOT, BST_UNCHECKED, BST_CHECKED},
        {PS_DASH, 5, IDC_STYLE_DASHDOT, BST_CHECKED, BST_CHECKED},
    };
    for (const Row& row : rows) {
        ScriptedDialogRunner runner;
        runner.Then([](MemoryDialog& d) { d.Click(IDCANCEL); });
        runner.Then([](MemoryDialog& d) { d.Close(); });
        LineProp prop(nullptr, row.style, 6, row.marker, 8);
        LONG mrkdev = 12;
        EXPECT_EQ(prop.ShowLinePropDlg(&mrkdev), 0);
        EXPECT_EQ(prop.ShowLinePropDlg(&mrkdev), 0);
        EXPECT_EQ(prop.PutLineSize(), 6);
        EXPECT_EQ(mrkdev, 12);
        ASSERT_EQ(runner.shown.size(), 2u);
        auto& shown = runner.shown[0];
        EXPECT_EQ(shown.name, "LINPROPDLG");
        EXPECT_EQ(shown.caption, "グラフの属性");
        EXPECT_EQ(shown.initial_texts[IDC_LINE_WIDTH], "6");
        EXPECT_EQ(shown.initial_texts[IDC_MARKER_SIZE], "8");
        EXPECT_EQ(shown.initial_texts[IDC_MARKER_INTERVAL], "12");
        for (int id : {IDC_STYLE_SOLID, IDC_STYLE_DOT, IDC_STYLE_DASHDOT})
            EXPECT_EQ(shown.initial_checks[id], id == row.radio ? BST_CHECKED : BST_UNCHECKED);
        EXPECT_EQ(shown.initial_checks[IDC_SELECT_LINE], row.line);
        EXPECT_EQ(shown.initial_checks[IDC_SELECT_MARKER], row.mark);
    }
}

namespace {

// Lets the "user" act on the real dialog once it is on screen.
void When_Shown(const std::function<void(QDialog*)>& user) {
    QTimer::singleShot(0, [user] {
        auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        user(shown);
    });
}

template <class W>
W* Item(QDialog* dialog, int id) {
    W* widget = dialog->findChild<W*>(QString("item%1").arg(id));
    EXPECT_NE(widget, nullptr) << id;
    return widget;
}

// Installs a Qt dialog runner for its lifetime.
struct InstalledQtRunner {
    InstalledQtRunner() { previous = Set_DialogRunner(&runner); }
    ~InstalledQtRunner() { Set_DialogRunner(previous); }
    QtDialogRunner runner;
    DialogRunner* previous = nullptr;
};

}  // namespace

TEST(QtElementDialogs, LinePropertiesThroughOkAndCancel) {
    InstalledQtRunner runner;
    RecordingMessageSink sink;
    LineProp prop(nullptr, PS_SOLID, 2, 0, 3);
    LONG mrkdev = 5;
    When_Shown([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QString("グラフの属性"));
        QLineEdit* width = Item<QLineEdit>(dialog, IDC_LINE_WIDTH);
        EXPECT_EQ(width->text(), QString("2"));
        width->selectAll();
        QTest::keyClicks(width, "7");
        QTest::mouseClick(Item<QCheckBox>(dialog, IDC_SELECT_MARKER), Qt::LeftButton);
        QTest::mouseClick(Item<QPushButton>(dialog, IDOK), Qt::LeftButton);
    });
    EXPECT_EQ(prop.ShowLinePropDlg(&mrkdev), 1);
    EXPECT_EQ(prop.PutLineSize(), 7);
    EXPECT_EQ(prop.PutMarker(), 1);

    When_Shown([](QDialog* dialog) {
        QLineEdit* width = Item<QLineEdit>(dialog, IDC_LINE_WIDTH);
        width->selectAll();
        QTest::keyClicks(width, "3");
        QTest::mouseClick(Item<QRadioButton>(dialog, IDC_STYLE_DOT), Qt::LeftButton);
        QTest::mouseClick(Item<QPushButton>(dialog, IDCANCEL), Qt::LeftButton);
    });
    EXPECT_EQ(prop.ShowLinePropDlg(&mrkdev), 0);
    EXPECT_EQ(prop.PutLineSize(), 7);
    EXPECT_EQ(prop.PutLineStyle(), unsigned(PS_SOLID));
    EXPECT_TRUE(sink.boxes.empty());
}

TEST(QtElementDialogs, TitleTextThroughOkAndEscape) {
    InstalledQtRunner runner;
    HeadlessWindow window(200, 100);
    TitleOnWin title(&window, "題", 0, 0, 150, 150, 300, 300, 0, 0, 100);
    char* text = nullptr;
    When_Shown([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QString("文字の入力"));
        QLineEdit* edit = Item<QLineEdit>(dialog, IDC_TITLE_TEXT);
        EXPECT_EQ(edit->text(), QString("題"));
        EXPECT_EQ(edit->maxLength(), 255);
        edit->selectAll();
        QTest::keyClicks(edit, "x axis");
        QTest::mouseClick(Item<QPushButton>(dialog, IDOK), Qt::LeftButton);
    });
    EXPECT_EQ(title.ExtShowTextSetDlg(nullptr, &text), 1);
    EXPECT_STREQ(text, "x axis");
    When_Shown([](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    EXPECT_EQ(title.ExtShowTextSetDlg(nullptr, &text), 0);
}
