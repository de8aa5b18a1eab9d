// Full-width characters an input method types: read as their ASCII forms in formula, range
// and value boxes, and shown so as they are typed; kept as typed in free text (titles, names).
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <string>

#include "platform/cp932.h"
#include "platform/qt/qt_dialogs.h"
#include "support/widgets_app.h"

namespace {

// One character as UTF-8.
std::string Utf8(char32_t code) { return QString::fromUcs4(&code, 1).toStdString(); }

TEST(FullWidth, EveryFormFoldsToItsAsciiCharacter) {
    for (char32_t code = 0xFF01; code <= 0xFF5E; ++code) {
        const std::string ascii(1, static_cast<char>(code - 0xFF01 + 0x21));
        EXPECT_EQ(Fold_FullWidth(Utf8(code)), ascii) << std::hex << unsigned(code);
    }
    EXPECT_EQ(Fold_FullWidth(Utf8(0x3000)), " ");
}

TEST(FullWidth, OtherCharactersStayAsTheyAre) {
    struct Row {
        const char* what;
        std::string text, folded;
    };
    const Row rows[] = {
        {"a formula typed in full width", "ｓｉｎ（ｘ）：ｘ（０，１）", "sin(x):x(0,1)"},
        {"mixed with ASCII", "x＾２+3．5＊y", "x^2+3.5*y"},
        {"ASCII", "exp(-x/5)*2", "exp(-x/5)*2"},
        {"the neighbours of the block", Utf8(0xFF00) + Utf8(0xFF5F) + Utf8(0xFF61),
         Utf8(0xFF00) + Utf8(0xFF5F) + Utf8(0xFF61)},
        {"half-width katakana", "ｷｬﾝｾﾙ", "ｷｬﾝｾﾙ"},
        {"Japanese punctuation and kana", "、。関数の値", "、。関数の値"},
        {"superscript and Greek", "x²+α", "x²+α"},
        {"a sequence cut short", std::string("x\xEF\xBC"), std::string("x\xEF\xBC")},
        {"bytes that are no UTF-8", std::string("\xFF\xFE+x"), std::string("\xFF\xFE+x")},
        {"empty", "", ""},
    };
    for (const Row& row : rows) EXPECT_EQ(Fold_FullWidth(row.text), row.folded) << row.what;
}

enum { ID_FORMULA = 100, ID_VALUE = 110, ID_DIGITS = 120, ID_TITLE = 130 };

DialogTemplate Boxes() {
    DialogTemplate dialog;
    dialog.name = "BOXESDLG";
    dialog.caption = "入力欄";
    dialog.cx = 200;
    dialog.cy = 120;
    dialog.controls = {
        {ControlKind::Edit, ID_FORMULA, "", 5, 5, 190, 30, CS_MULTILINE},
        {ControlKind::Edit, ID_VALUE, "", 5, 40, 190, 12},
        {ControlKind::Edit, ID_DIGITS, "", 5, 55, 190, 12, CS_NUMBER},
        {ControlKind::Edit, ID_TITLE, "", 5, 70, 190, 12, CS_FREETEXT},
        {ControlKind::DefPushButton, IDOK, "OK", 20, 95, 50, 14},
    };
    return dialog;
}

INT_PTR Quiet(DialogControls*, UINT, WPARAM, LPARAM) { return 0; }

// What an input method does when the user confirms a conversion: the text is committed.
void Commit(QWidget* box, const char* utf8) {
    QInputMethodEvent event;
    event.setCommitString(QString::fromUtf8(utf8));
    QApplication::sendEvent(box, &event);
}

// Committed by an input method: each box shows, and the dialog reads, what the program takes.
TEST(FullWidth, TheWindowsBoxesShowAsciiAndTitlesKeepWhatWasTyped) {
    const DialogTemplate boxes = Boxes();
    QtDialog dialog(boxes, Quiet, nullptr);
    auto* formula = dialog.findChild<QPlainTextEdit*>(QString("item%1").arg(ID_FORMULA));
    auto* value = dialog.findChild<QLineEdit*>(QString("item%1").arg(ID_VALUE));
    auto* digits = dialog.findChild<QLineEdit*>(QString("item%1").arg(ID_DIGITS));
    auto* title = dialog.findChild<QLineEdit*>(QString("item%1").arg(ID_TITLE));
    ASSERT_TRUE(formula && value && digits && title);
    Commit(formula, "ｓｉｎ（ｘ）：ｘ（０，１）");
    EXPECT_EQ(formula->toPlainText(), "sin(x):x(0,1)");
    EXPECT_EQ(dialog.GetDlgItemText(ID_FORMULA), "sin(x):x(0,1)");
    // Typing goes on where the cursor was.
    Commit(formula, "＋ｘ＾２");
    EXPECT_EQ(formula->toPlainText(), "sin(x):x(0,1)+x^2");
    Commit(value, "－１．５　");
    EXPECT_EQ(value->text(), "-1.5 ");
    // A digits-only box takes full-width digits as digits, and still nothing else.
    Commit(digits, "１５０");
    EXPECT_EQ(digits->text(), "150");
    Commit(digits, "ａ");
    EXPECT_EQ(digits->text(), "150");
    Commit(title, "（注）ｘの値");
    EXPECT_EQ(title->text(), QString::fromUtf8("（注）ｘの値"));
    EXPECT_EQ(dialog.GetDlgItemText(ID_TITLE), "（注）ｘの値");
}

}  // namespace
