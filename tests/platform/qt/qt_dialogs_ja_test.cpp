// Qt's own dialogs read as Japanese beside the program: the print, page setup, file, colour
// and font dialogs show no English label, button, group or tab text once the program's
// translations are installed (Qt's catalogue and the program's own for what it lacks).
//   Pictures of each: PLOTARI_DIALOG_SHOTS=/tmp/dir ./build/tests/test_platform_qt
//   --gtest_filter=QtDialogsJa.*
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>
#include <QTranslator>

#include <functional>
#include <string>
#include <vector>

#include "platform/qt/qt_translations.h"
#include "support/widgets_app.h"

namespace {

// A text a Japanese reader would call English: a word of ASCII letters and no Japanese
// character, once the names every Japanese program shows as they are (OK, PDF, HTML) and
// paths are set aside.
bool Is_English(QString text) {
    text.remove('&');
    if (text.startsWith('/')) return false;
    static const QRegularExpression kept("\\b(OK|PDF|HTML|RGB|dpi)\\b");
    text.remove(kept);
    static const QRegularExpression japanese("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}]");
    static const QRegularExpression word("[A-Za-z]{2,}");
    return text.contains(word) && !text.contains(japanese);
}

// Every label, button, group and tab text of the dialog, and its caption.
std::vector<QString> Texts_Of(QWidget* dialog) {
    std::vector<QString> texts = {dialog->windowTitle()};
    for (QWidget* child : dialog->findChildren<QWidget*>()) {
        if (auto* label = qobject_cast<QLabel*>(child)) texts.push_back(label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(child)) texts.push_back(button->text());
        if (auto* group = qobject_cast<QGroupBox*>(child)) texts.push_back(group->title());
        if (auto* tabs = qobject_cast<QTabWidget*>(child)) {
            for (int i = 0; i < tabs->count(); ++i) texts.push_back(tabs->tabText(i));
        }
    }
    return texts;
}

void Expect_Japanese(QDialog* dialog, const char* name, bool keep_open = false) {
    dialog->show();
    QApplication::processEvents();
    int texts = 0;
    for (const QString& text : Texts_Of(dialog)) {
        ++texts;
        EXPECT_FALSE(Is_English(text)) << name << ": \"" << text.toStdString() << "\"";
    }
    EXPECT_GT(texts, 3) << name;
    if (const char* shots = std::getenv("PLOTARI_DIALOG_SHOTS")) {
        dialog->grab().save(QDir(shots).filePath(QString(name) + ".png"));
    }
    if (!keep_open) dialog->reject();
}

class QtDialogsJa : public ::testing::Test {
protected:
    void SetUp() override { translator_ = Install_JapaneseTranslations(); }
    void TearDown() override {
        if (translator_ != nullptr) {
            QCoreApplication::removeTranslator(translator_);
            delete translator_;
        }
    }
    QTranslator* translator_ = nullptr;
};

TEST_F(QtDialogsJa, TheRuleTellsEnglishFromJapanese) {
    EXPECT_TRUE(Is_English("Double Sided Printing"));
    EXPECT_TRUE(Is_English("&Pages"));
    EXPECT_FALSE(Is_English("両面印刷"));
    EXPECT_FALSE(Is_English("PDF ファイルに出力"));
    EXPECT_FALSE(Is_English("OK"));
    EXPECT_FALSE(Is_English("/home/user/グラフ"));
    EXPECT_FALSE(Is_English("1"));
}

TEST_F(QtDialogsJa, PrintPageSetupFileColourAndFontDialogsShowNoEnglish) {
    ASSERT_NE(translator_, nullptr) << "qt6-translations-l10n is not installed";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QDir::temp().filePath("plotari-dialogs.pdf"));
    {
        QPrintDialog print(&printer);
        print.setOption(QAbstractPrintDialog::PrintToFile, true);
        Expect_Japanese(&print, "print", true);
        // Its プロパティ: the printer's page and advanced settings, in a dialog of their own.
        QPushButton* properties = nullptr;
        for (QPushButton* button : print.findChildren<QPushButton*>()) {
            if (button->text().contains(QString::fromUtf8("プロパティ"))) properties = button;
        }
        ASSERT_NE(properties, nullptr);
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (shown == nullptr || shown == &print) return;
            seen = true;
            Expect_Japanese(shown, "print-properties");
        });
        properties->click();
        EXPECT_TRUE(seen) << "no properties dialog";
        print.reject();
    }
    {
        QPageSetupDialog setup(&printer);
        Expect_Japanese(&setup, "page-setup");
    }
    for (bool save : {false, true}) {
        QFileDialog files;
        files.setOption(QFileDialog::DontUseNativeDialog);
        files.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        Expect_Japanese(&files, save ? "file-save" : "file-open");
    }
    {
        QColorDialog colours;
        colours.setOption(QColorDialog::DontUseNativeDialog);
        Expect_Japanese(&colours, "colour");
    }
    {
        QFontDialog fonts;
        fonts.setOption(QFontDialog::DontUseNativeDialog);
        Expect_Japanese(&fonts, "font");
    }
}

}  // namespace
