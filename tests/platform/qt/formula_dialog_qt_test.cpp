// The real formula input dialog: keypad, typing, registering, editing a value in the list
// view, Escape and the close box.
//   Picture of the dialog: PLOTARI_DIALOG_SHOT=/tmp/input.png ./build/tests/test_platform_qt
//   --gtest_filter=FormulaDialogQt.*
//   On a real X server: PLOTARI_SCREEN_SHOT=/tmp/screen.png QT_QPA_PLATFORM=xcb xvfb-run -a
//   ./build/tests/test_platform_qt --gtest_filter=FormulaDialogQt.*
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QRadioButton>
#include <QTest>
#include <QHeaderView>
#include <QImage>
#include <QTreeWidget>

#include <cstdlib>

#include "input/formula_dialog.h"
#include "input/registration.h"
#include "kinds/math_form.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/recording_message_sink.h"
#include "support/widgets_app.h"

namespace {

class FormulaDialogQt : public ::testing::Test {
protected:
    void SetUp() override {
        g_mathlist.Clear();
        g_selLB_item = -1;
        previous_ = Set_DialogRunner(&runner_);
        ASSERT_EQ(Create_ModlsDialog(nullptr, nullptr), 1);
        dialog_ = dynamic_cast<QDialog*>(Input_Dialog());
        ASSERT_NE(dialog_, nullptr);
        Input_Dialog()->ShowDialog(true);
    }
    void TearDown() override {
        Destroy_ModlsDialog();
        Set_DialogRunner(previous_);
        g_mathlist.Clear();
        g_selLB_item = -1;
    }
    template <class W>
    W* Item(int id) {
        return dialog_->findChild<W*>(QString("item%1").arg(id));
    }
    void Click(int id) { QTest::mouseClick(Item<QPushButton>(id), Qt::LeftButton); }

    QtDialogRunner runner_;
    DialogRunner* previous_ = nullptr;
    QDialog* dialog_ = nullptr;
    RecordingMessageSink boxes_;
};

TEST_F(FormulaDialogQt, KeypadTypingRegisteringAndEditingAValue) {
    EXPECT_EQ(dialog_->windowTitle(), QString::fromUtf8("数式入力"));
    EXPECT_TRUE(Item<QRadioButton>(IDC_FORM_EXPLICIT)->isChecked());
    auto* box = Item<QPlainTextEdit>(IDC_FORMULA_BOX);
    ASSERT_NE(box, nullptr);
    Click(2190);  // sin( ) with the caret inside the parentheses
    QTest::keyClicks(box, "a*x");
    EXPECT_EQ(box->toPlainText(), QString("sin( a*x)"));
    box->moveCursor(QTextCursor::End);
    QTest::keyClicks(box, ":x(0,");
    Click(IDC_KEY_0 + 3);
    QTest::keyClicks(box, ")");
    Click(IDC_REGISTER_BUTTON);
    auto* list = Item<QListWidget>(IDC_LIST_BOX);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QString("sin(a*x)"));
    EXPECT_EQ(Item<QLineEdit>(IDC_VAR_NAME)->text(), QString("x"));
    EXPECT_EQ(Item<QLineEdit>(IDC_VAR_MAX)->text(), QString("3.000"));

    auto* view = Item<QTreeWidget>(IDC_VAR_LIST);
    ASSERT_EQ(view->topLevelItemCount(), 2);
    EXPECT_EQ(view->headerItem()->text(0), QString::fromUtf8("値"));
    EXPECT_EQ(view->headerItem()->text(1), QString::fromUtf8("変数名"));
    EXPECT_EQ(view->topLevelItem(0)->text(1), QString("a"));
    // Full-row selection, movable columns and grid lines: a grey line under each row.
    EXPECT_EQ(view->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_TRUE(view->header()->sectionsMovable());
    const QImage cells = view->viewport()->grab().toImage();
    const QRect first_row = view->visualItemRect(view->topLevelItem(0));
    int grid = 0;
    for (int x = first_row.left() + 2; x < first_row.left() + 40; ++x) {
        if (cells.pixelColor(x, first_row.bottom()) == QColor(192, 192, 192)) ++grid;
    }
    EXPECT_GE(grid, 30);
    // Edit the value of a in place: typed text, Enter.
    view->editItem(view->topLevelItem(0), 0);
    auto* editor = view->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "2.5");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the view commits the edit from its event loop
    EXPECT_EQ(g_mathlist[0]->var_array["a"], 2.5);
    EXPECT_EQ(view->topLevelItem(0)->text(0), QString("2.5"));
    // Text that is no number leaves value and row as they were; the name column is fixed.
    view->editItem(view->topLevelItem(0), 0);
    editor = view->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "abc");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(g_mathlist[0]->var_array["a"], 2.5);
    EXPECT_EQ(view->topLevelItem(0)->text(0), QString("2.5"));
    QStyleOptionViewItem option;
    const QModelIndex name_cell = view->model()->index(0, 1);
    EXPECT_EQ(view->itemDelegate()->createEditor(view->viewport(), option, name_cell), nullptr);

    if (const char* shot = std::getenv("PLOTARI_DIALOG_SHOT")) dialog_->grab().save(shot);
    // Under a real X server (xvfb-run): the whole screen with the dialog on it.
    if (const char* screen = std::getenv("PLOTARI_SCREEN_SHOT")) {
        QTest::qWait(200);
        QGuiApplication::primaryScreen()->grabWindow(0).save(screen);
    }
}

TEST_F(FormulaDialogQt, EscapeHidesAndTheCloseBoxAsks) {
    QTest::keyClick(dialog_, Qt::Key_Escape);
    EXPECT_FALSE(dialog_->isVisible());
    Input_Dialog()->ShowDialog(true);
    boxes_.Script({IDNO});
    dialog_->close();
    EXPECT_TRUE(dialog_->isVisible());
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.Lines()[0], "Closed message: ダイアログを閉じます");
    boxes_.Script({IDYES});
    dialog_->close();
    EXPECT_FALSE(dialog_->isVisible());
}

}  // namespace
