// Dialogs built from templates: the same procedure driven by the in-memory double and by a
// real QDialog, with typing, radio groups, OK, Escape and the close box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <string>

#include "platform/qt/qt_dialogs.h"
#include "platform/scripted_dialogs.h"
#include "support/widgets_app.h"

namespace {

enum { ID_NAME = 100, ID_FIRST = 110, ID_SECOND = 111, ID_THIRD = 112, ID_CHECK = 120 };

DialogTemplate Sample() {
    DialogTemplate dialog;
    dialog.name = "SAMPLEDLG";
    dialog.caption = "見本";
    dialog.cx = 160;
    dialog.cy = 100;
    dialog.controls = {
        {ControlKind::Static, IDC_STATIC, "名前", 5, 5, 40, 10},
        {ControlKind::Edit, ID_NAME, "", 50, 5, 100, 12, 0, 8},
        {ControlKind::RadioButton, ID_FIRST, "一", 5, 25, 40, 10, CS_GROUP},
        {ControlKind::RadioButton, ID_SECOND, "二", 50, 25, 40, 10},
        {ControlKind::RadioButton, ID_THIRD, "三", 95, 25, 40, 10, CS_GROUP},
        {ControlKind::CheckBox, ID_CHECK, "確認", 5, 45, 60, 10},
        {ControlKind::DefPushButton, IDOK, "OK", 20, 75, 50, 14},
        {ControlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 90, 75, 50, 14},
    };
    return dialog;
}

// What the procedure read on OK.
struct Outcome {
    std::string name;
    UINT first = 0;
    UINT second = 0;
    UINT third = 0;
    UINT check = 0;
    int changes = 0;
} outcome;

INT_PTR SampleProc(DialogControls* dlg, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            dlg->SetDlgItemText(ID_NAME, reinterpret_cast<const char*>(lparam));
            dlg->CheckRadioButton(ID_FIRST, ID_SECOND, ID_SECOND);
            dlg->CheckDlgButton(ID_THIRD, BST_CHECKED);
            return 1;
        case WM_COMMAND:
            if (LOWORD(wparam) == ID_NAME && HIWORD(wparam) == EN_CHANGE) ++outcome.changes;
            if (LOWORD(wparam) == IDOK) {
                outcome.name = dlg->GetDlgItemText(ID_NAME);
                outcome.first = dlg->IsDlgButtonChecked(ID_FIRST);
                outcome.second = dlg->IsDlgButtonChecked(ID_SECOND);
                outcome.third = dlg->IsDlgButtonChecked(ID_THIRD);
                outcome.check = dlg->IsDlgButtonChecked(ID_CHECK);
                dlg->EndDialog(7);
            } else if (LOWORD(wparam) == IDCANCEL) {
                dlg->EndDialog(3);
            }
            return 1;
        default: return 0;
    }
}

const char kInitial[] = "abc";

TEST(ScriptedDialogs, ScriptedUserActionsReachTheProcedure) {
    ScriptedDialogRunner runner;
    DialogTemplate dialog = Sample();
    runner.Then([](MemoryDialog& d) {
        d.Type(ID_NAME, "plotari-long-name");  // cut at the field's 8 characters
        d.Click(ID_FIRST);
        d.Click(ID_CHECK);
        d.Click(IDOK);
    });
    runner.Then([](MemoryDialog& d) { d.Close(); });
    outcome = Outcome();
    EXPECT_EQ(
        DialogBoxParamA(nullptr, dialog, nullptr, SampleProc, reinterpret_cast<LPARAM>(kInitial)),
        7);
    EXPECT_EQ(outcome.name, "plotari-");
    EXPECT_EQ(outcome.first, BST_CHECKED);
    EXPECT_EQ(outcome.second, BST_UNCHECKED);  // same group as the first
    EXPECT_EQ(outcome.third, BST_CHECKED);     // a group of its own
    EXPECT_EQ(outcome.check, BST_CHECKED);
    EXPECT_EQ(outcome.changes, 1);
    EXPECT_EQ(
        DialogBoxParamA(nullptr, dialog, nullptr, SampleProc, reinterpret_cast<LPARAM>(kInitial)),
        3);
    EXPECT_EQ(
        DialogBoxParamA(nullptr, dialog, nullptr, SampleProc, reinterpret_cast<LPARAM>(kInitial)),
        3);  // no script left: cancelled
    ASSERT_EQ(runner.shown.size(), 3u);
    EXPECT_EQ(runner.shown[0].name, "SAMPLEDLG");
    EXPECT_EQ(runner.shown[0].initial_texts[ID_NAME], "abc");
    EXPECT_EQ(runner.shown[0].initial_checks[ID_SECOND], BST_CHECKED);
}

// Runs a real dialog and lets the "user" act on it once it is on screen.
INT_PTR Run_Qt(const std::function<void(QDialog*)>& user) {
    QtDialogRunner runner;
    DialogTemplate dialog = Sample();
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        user(shown);
    });
    return runner.RunModal(dialog, nullptr, SampleProc, reinterpret_cast<LPARAM>(kInitial));
}

TEST(QtDialogs, TypingAndOkReachTheProcedure) {
    outcome = Outcome();
    INT_PTR result = Run_Qt([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QString("見本"));
        auto* name = dialog->findChild<QLineEdit*>("item100");
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text(), QString("abc"));
        name->selectAll();
        QTest::keyClicks(name, "xyz0123456789");
        QTest::mouseClick(dialog->findChild<QRadioButton*>("item110"), Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QPushButton*>("item1"), Qt::LeftButton);
    });
    EXPECT_EQ(result, 7);
    EXPECT_EQ(outcome.name, "xyz01234");
    EXPECT_EQ(outcome.first, BST_CHECKED);
    EXPECT_EQ(outcome.second, BST_UNCHECKED);
    EXPECT_EQ(outcome.third, BST_CHECKED);
    EXPECT_GE(outcome.changes, 1);
}

TEST(QtDialogs, EscapeAndCloseBoxCancel) {
    EXPECT_EQ(Run_Qt([](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }), 3);
    EXPECT_EQ(Run_Qt([](QDialog* dialog) { dialog->close(); }), 3);
    outcome = Outcome();
    EXPECT_EQ(Run_Qt([](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Return); }), 7);
    EXPECT_EQ(outcome.name, "abc");
}

}  // namespace
