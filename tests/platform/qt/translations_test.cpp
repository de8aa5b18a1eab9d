// Qt's own texts come out in Japanese beside the program's: a message box's buttons and a
// standard dialog's buttons, in the C locale too.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include "platform/qt/qt_translations.h"
#include "support/widgets_app.h"

TEST(Translations, MessageBoxAndDialogButtonsAreJapanese) {
    QMessageBox english;
    english.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    ASSERT_EQ(english.button(QMessageBox::No)->text(), QString("&No"));

    QTranslator* translator = Install_JapaneseTranslations();
    ASSERT_NE(translator, nullptr) << "qt6-translations-l10n is not installed";
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel |
                           QMessageBox::Ok);
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith(QString::fromUtf8("はい")))
        << box.button(QMessageBox::Yes)->text().toStdString();
    EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith(QString::fromUtf8("いいえ")));
    EXPECT_TRUE(box.button(QMessageBox::Cancel)->text().contains(QString::fromUtf8("キャンセル")));
    QDialogButtonBox buttons(QDialogButtonBox::Open | QDialogButtonBox::Save);
    EXPECT_TRUE(buttons.button(QDialogButtonBox::Open)->text().contains(QString::fromUtf8("開く")))
        << buttons.button(QDialogButtonBox::Open)->text().toStdString();
    QCoreApplication::removeTranslator(translator);
    delete translator;
    QMessageBox after;
    after.setStandardButtons(QMessageBox::No);
    EXPECT_EQ(after.button(QMessageBox::No)->text(), QString("&No"));
}
