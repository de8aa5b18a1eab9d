// The Qt choosers: what a confirmed or refused choice writes back into the records, and the
// captions the hooks give the choosers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <functional>

#include "frames/color_set.h"
#include "frames/font_set.h"
#include "platform/qt/qt_choosers.h"
#include "platform/recording_message_sink.h"
#include "support/widgets_app.h"

namespace {

// Acts on the chooser once it is on screen.
template <class Dialog>
void When_Shown(const std::function<void(Dialog*)>& user) {
    QTimer::singleShot(0, [user] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            ADD_FAILURE() << "no chooser on screen";
            if (QApplication::activeModalWidget()) QApplication::activeModalWidget()->close();
            return;
        }
        user(dialog);
    });
}

const char kFilter[] = "グラフファイル (*.dat)\0*.dat\0すべてのファイル\0*.*\0";

// A request for a graph file into the buffer file of size bytes.
OPENFILENAMEA Dat_Request(char* file, DWORD size) {
    OPENFILENAMEA ofn;
    ofn.lpstrFilter = kFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = size;
    ofn.lpstrDefExt = "dat";
    return ofn;
}

TEST(QtChoosers, SaveFileNameFillsPathTitleAndFilter) {
    QtChoosers choosers;
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath("graph1.dat");
    char file[MAX_PATH] = "";
    char title[MAX_PATH] = "";
    OPENFILENAMEA ofn;
    ofn.lpstrFilter = kFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof title;
    ofn.lpstrDefExt = "dat";
    When_Shown<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->nameFilters().size(), 2);
        EXPECT_EQ(dialog->selectedNameFilter(),
                  QString::fromUtf8("グラフファイル (*.dat) (*.dat)"));
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
    });
    ASSERT_EQ(choosers.SaveFileName(&ofn), 1);
    EXPECT_EQ(QString::fromUtf8(file), path);
    EXPECT_STREQ(title, "graph1.dat");
    EXPECT_EQ(ofn.nFilterIndex, 1u);

    // A path longer than the caller's buffer is refused with a message, never cut.
    RecordingMessageSink boxes;
    char small[8] = "";
    ofn.lpstrFile = small;
    ofn.nMaxFile = sizeof small;
    When_Shown<QFileDialog>([&](QFileDialog* dialog) {
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
    });
    EXPECT_EQ(choosers.SaveFileName(&ofn), 0);
    EXPECT_STREQ(small, "");
    EXPECT_EQ(boxes.boxes.size(), 1u);

    When_Shown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(choosers.OpenFileName(&ofn), 0);
}

// A name typed without an extension gets the chosen filter's own, not the default one.
TEST(QtChoosers, TheChosenFilterGivesTheExtension) {
    const char filters[] =
        "ビットマップ(*.BMP)\0*.bmp\0JPEG files(*.JPG,*.JPEG)\0*.jpg;*.jpeg\0"
        "PNG (*.png)\0*.png\0";
    QtChoosers choosers;
    QTemporaryDir folder;
    for (int filter : {1, 2, 3}) {
        char file[MAX_PATH] = "";
        char title[MAX_PATH] = "";
        OPENFILENAMEA ofn;
        ofn.lpstrFilter = filters;
        ofn.nFilterIndex = 2;  // the dialog opens on JPEG
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof file;
        ofn.lpstrFileTitle = title;
        ofn.nMaxFileTitle = sizeof title;
        ofn.lpstrDefExt = "jpg";
        When_Shown<QFileDialog>([&](QFileDialog* dialog) {
            // The user picks the filter in its list, then types a bare name.
            auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
            ASSERT_NE(types, nullptr);
            types->setCurrentIndex(filter - 1);
            // What a click in the list sends.
            emit types->activated(filter - 1);
            emit types->textActivated(types->currentText());
            dialog->selectFile(QDir(folder.path()).filePath("graph"));
            static_cast<QDialog*>(dialog)->accept();
        });
        ASSERT_EQ(choosers.SaveFileName(&ofn), 1);
        const char* expected[] = {"graph.bmp", "graph.jpg", "graph.png"};
        EXPECT_STREQ(title, expected[filter - 1]);
        EXPECT_EQ(ofn.nFilterIndex, static_cast<DWORD>(filter));
    }
}

TEST(QtChoosers, ColorChooserKeepsCustomColoursAndCaption) {
    QtChoosers choosers;
    COLORREF custom[16];
    for (int i = 0; i < 16; ++i) custom[i] = RGB(i * 10, 255 - i * 10, 7);
    tagCHOOSECOLORA cc;
    cc.rgbResult = RGB(10, 20, 30);
    cc.lpCustColors = custom;
    cc.lpfnHook = Line_Hook;
    When_Shown<QColorDialog>([](QColorDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("線の色"));
        EXPECT_EQ(dialog->currentColor(), QColor(10, 20, 30));
        EXPECT_EQ(QColorDialog::customColor(3), QColor(30, 225, 7));
        QColorDialog::setCustomColor(5, QColor(1, 2, 3));
        dialog->setCurrentColor(QColor(200, 100, 50));
        dialog->accept();
    });
    ASSERT_EQ(choosers.ChooseColor(&cc), 1);
    EXPECT_EQ(cc.rgbResult, RGB(200, 100, 50));
    EXPECT_EQ(cc.rgbResult, 0x003264C8u);  // red in the lowest byte
    EXPECT_EQ(custom[5], RGB(1, 2, 3));
    EXPECT_EQ(custom[3], RGB(30, 225, 7));

    cc.lpfnHook = Paint_Hook;
    When_Shown<QColorDialog>([](QColorDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("塗りつぶしの色"));
        dialog->reject();
    });
    EXPECT_EQ(choosers.ChooseColor(&cc), 0);
    EXPECT_EQ(cc.rgbResult, RGB(200, 100, 50));
}

TEST(QtChoosers, FontChooserKeepsFaceDirectionAndColour) {
    QtChoosers choosers;
    tagLOGFONTA font;
    font.lfHeight = -16;
    font.lfEscapement = 900;
    font.lfOrientation = 900;
    font.lfCharSet = SHIFTJIS_CHARSET;
    std::strcpy(font.lfFaceName, "ＭＳ ゴシック");
    tagCHOOSEFONTA cf;
    cf.lpLogFont = &font;
    cf.rgbColors = RGB(0, 0, 255);
    cf.lpfnHook = Font_Hook;
    When_Shown<QDialog>([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("フォントの設定"));
        dialog->accept();
    });
    ASSERT_EQ(choosers.ChooseFont(&cf), 1);
    EXPECT_STREQ(font.lfFaceName, "ＭＳ ゴシック");
    EXPECT_EQ(font.lfEscapement, 900);  // a vertical title stays vertical
    EXPECT_EQ(font.lfHeight, -16);
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(cf.rgbColors, RGB(0, 0, 255));
    EXPECT_EQ(cf.iPointSize, 120);

    When_Shown<QDialog>([](QDialog* dialog) { dialog->reject(); });
    font.lfHeight = -20;
    EXPECT_EQ(choosers.ChooseFont(&cf), 0);
    EXPECT_EQ(font.lfHeight, -20);

    // Escape typed into the font list cancels the whole dialog.
    When_Shown<QDialog>([](QDialog* dialog) {
        QFontDialog* fonts = dialog->findChild<QFontDialog*>();
        ASSERT_NE(fonts, nullptr);
        QTest::keyClick(fonts, Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible());
        if (dialog->isVisible()) dialog->reject();
    });
    EXPECT_EQ(choosers.ChooseFont(&cf), 0);
    EXPECT_EQ(font.lfHeight, -20);
}

}  // namespace

// The file dialogs start in the folder last used: after a choice in one folder, the next
// dialog given only a name (or none) opens there; a full path still wins.
TEST(QtChoosers, FileDialogsStartInTheFolderLastUsed) {
    QtChoosers choosers;
    QTemporaryDir first;
    QTemporaryDir second;
    char file[MAX_PATH] = "";
    OPENFILENAMEA ofn = Dat_Request(file, sizeof file);
    When_Shown<QFileDialog>([&](QFileDialog* dialog) {
        dialog->selectFile(QDir(first.path()).filePath("a.dat"));
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_EQ(choosers.SaveFileName(&ofn), 1);
    QString started_in;
    std::strcpy(file, "");
    When_Shown<QFileDialog>([&](QFileDialog* dialog) {
        started_in = dialog->directory().absolutePath();
        dialog->reject();
    });
    EXPECT_EQ(choosers.OpenFileName(&ofn), 0);
    EXPECT_EQ(started_in, QDir(first.path()).absolutePath());
    const std::string elsewhere = QDir(second.path()).filePath("b.dat").toStdString();
    std::strcpy(file, elsewhere.c_str());
    When_Shown<QFileDialog>([&](QFileDialog* dialog) {
        started_in = dialog->directory().absolutePath();
        dialog->reject();
    });
    EXPECT_EQ(choosers.SaveFileName(&ofn), 0);
    EXPECT_EQ(started_in, QDir(second.path()).absolutePath());
}

// A choice beside the name (図を保存's resolution): a labelled list box in the dialog that
// starts on the item given and reports the item chosen; without one, no list box.
TEST(QtChoosers, AChoiceBesideTheNameIsOfferedAndReported) {
    QtChoosers choosers;
    QTemporaryDir folder;
    char file[MAX_PATH] = "";
    static const char* const kItems[] = {"96 dpi", "150 dpi", "300 dpi", "600 dpi", nullptr};
    OPENFILENAMEA ofn = Dat_Request(file, sizeof file);
    ofn.lpstrChoiceLabel = "解像度";
    ofn.lpChoices = kItems;
    ofn.nChoice = 1;
    QStringList shown;
    int started_on = -1;
    QString named;
    When_Shown<QFileDialog>([&](QFileDialog* dialog) {
        auto* box = dialog->findChild<QComboBox*>("choice");
        if (box == nullptr) {
            ADD_FAILURE() << "no list box";
            dialog->reject();
            return;
        }
        for (int i = 0; i < box->count(); ++i) shown << box->itemText(i);
        started_on = box->currentIndex();
        named = box->accessibleName();
        box->setCurrentIndex(2);
        dialog->selectFile(QDir(folder.path()).filePath("sheet.dat"));
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_EQ(choosers.SaveFileName(&ofn), 1);
    EXPECT_EQ(shown, QStringList({"96 dpi", "150 dpi", "300 dpi", "600 dpi"}));
    EXPECT_EQ(started_on, 1);
    EXPECT_EQ(named, QString::fromUtf8("解像度"));
    EXPECT_EQ(ofn.nChoice, 2);
    // Cancelled: the choice stays as it was given.
    ofn.nChoice = 3;
    When_Shown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(choosers.SaveFileName(&ofn), 0);
    EXPECT_EQ(ofn.nChoice, 3);
    // Without a choice there is no list box of ours.
    ofn.lpChoices = nullptr;
    bool box_found = true;
    When_Shown<QFileDialog>([&](QFileDialog* dialog) {
        box_found = dialog->findChild<QComboBox*>("choice") != nullptr;
        dialog->reject();
    });
    EXPECT_EQ(choosers.SaveFileName(&ofn), 0);
    EXPECT_FALSE(box_found);
}
