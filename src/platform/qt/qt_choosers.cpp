#include "platform/qt/qt_choosers.h"

#include <cmath>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDialog>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include <cstring>
#include <string>

#include "platform/message_box.h"
#include "platform/qt/qt_gdi.h"
#include "platform/qt/widget_window.h"

namespace {

// "Graph file\0*.dat\0All\0*.*\0\0" as Qt filters "Graph file (*.dat)".
QStringList Qt_Filters(const char* filter) {
    QStringList filters;
    if (filter == nullptr) return filters;
    const char* p = filter;
    while (*p != '\0') {
        QString description = QString::fromUtf8(p);
        p += std::strlen(p) + 1;
        if (*p == '\0') break;
        QString patterns = QString::fromUtf8(p).replace(';', ' ');
        p += std::strlen(p) + 1;
        filters << QString("%1 (%2)").arg(description, patterns);
    }
    return filters;
}

void Run_Hook(HookProc hook, QWidget* dialog, LPARAM data) {
    if (hook == nullptr) return;
    WidgetWindow window(dialog);
    hook(&window, WM_INITDIALOG, 0, data);
}

int Store_Path(OPENFILENAMEA* ofn, const QString& chosen) {
    const std::string path = chosen.toStdString();
    if (ofn->lpstrFile == nullptr || path.size() + 1 > ofn->nMaxFile) {
        MessageBoxA(ofn->hwndOwner, "ファイル名が長すぎます", "file name", MB_OK);
        return 0;
    }
    Copy_ToBuffer(ofn->lpstrFile, ofn->nMaxFile, path.c_str());
    const std::string title = QFileInfo(chosen).fileName().toStdString();
    Copy_ToBuffer(ofn->lpstrFileTitle, ofn->nMaxFileTitle, title.c_str());
    return 1;
}

// The folder of the file last chosen in any file dialog: the next one starts there.
QString& Last_Folder() {
    static QString folder;
    return folder;
}

QMap<QString, QString>& Folders() {
    static QMap<QString, QString> folders;
    return folders;
}

int File_Dialog(OPENFILENAMEA* ofn, bool save) {
    QFileDialog dialog(Owner_Widget(ofn->hwndOwner));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save && !(ofn->Flags & OFN_OVERWRITEPROMPT)) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    if (ofn->lpstrTitle) dialog.setWindowTitle(QString::fromUtf8(ofn->lpstrTitle));
    const QStringList filters = Qt_Filters(ofn->lpstrFilter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = ofn->nFilterIndex >= 1 ? static_cast<int>(ofn->nFilterIndex) - 1 : 0;
        if (index < filters.size()) dialog.selectNameFilter(filters[index]);
    }
    if (ofn->lpstrDefExt) dialog.setDefaultSuffix(QString::fromUtf8(ofn->lpstrDefExt));
    // A name typed without an extension gets the chosen filter's own, not always the default
    // one ("graph" with the bitmap filter is graph.bmp).
    auto follow_filter = [&dialog, ofn](const QString& filter) {
        // The patterns are the last parenthesised part ("JPEG files(*.JPG,*.JPEG) (*.jpg
        // *.jpeg)"): its first extension.
        const int star = filter.indexOf("*.", filter.lastIndexOf('('));
        QString suffix;
        for (int i = star + 2; star >= 0 && i < filter.size(); ++i) {
            const QChar c = filter.at(i);
            if (c == ' ' || c == ')' || c == ';' || c == '*') break;
            suffix += c;
        }
        if (!suffix.isEmpty()) {
            dialog.setDefaultSuffix(suffix);
        } else if (ofn->lpstrDefExt) {
            dialog.setDefaultSuffix(QString::fromUtf8(ofn->lpstrDefExt));
        }
    };
    if (save && !filters.isEmpty()) {
        follow_filter(dialog.selectedNameFilter());
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow_filter);
    }
    const QString given = ofn->lpstrFile ? QString::fromUtf8(ofn->lpstrFile) : QString();
    // A bare name (or none) is looked for in the folder this dialog last used, or the one
    // any file dialog last used.
    const QString caption = dialog.windowTitle();
    const QString start = Folders().value(caption, Last_Folder());
    if (!given.contains('/') && !start.isEmpty()) dialog.setDirectory(start);
    if (!given.isEmpty()) dialog.selectFile(given);
    // A choice beside the name: a labelled list box on a row of its own under the filters.
    QComboBox* choice = nullptr;
    if (ofn->lpChoices != nullptr) {
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
            choice = new QComboBox(&dialog);
            choice->setObjectName("choice");
            for (const char* const* item = ofn->lpChoices; *item != nullptr; ++item) {
                choice->addItem(QString::fromUtf8(*item));
            }
            choice->setCurrentIndex(ofn->nChoice);
            auto* label = new QLabel(
                QString::fromUtf8(ofn->lpstrChoiceLabel ? ofn->lpstrChoiceLabel : ""), &dialog);
            label->setBuddy(choice);
            choice->setAccessibleName(label->text());
            const int row = grid->rowCount();
            grid->addWidget(label, row, 0);
            grid->addWidget(choice, row, 1);
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return 0;
    if (choice != nullptr) ofn->nChoice = choice->currentIndex();
    Last_Folder() = QFileInfo(dialog.selectedFiles().first()).absolutePath();
    if (!caption.isEmpty()) Folders().insert(caption, Last_Folder());
    const int chosen_filter = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    ofn->nFilterIndex = chosen_filter >= 0 ? static_cast<DWORD>(chosen_filter + 1) : 1;
    return Store_Path(ofn, dialog.selectedFiles().first());
}

}  // namespace

QMap<QString, QString> Dialog_Folders() { return Folders(); }

void Set_DialogFolders(const QMap<QString, QString>& folders) { Folders() = folders; }

int QtChoosers::OpenFileName(OPENFILENAMEA* ofn) { return File_Dialog(ofn, false); }

int QtChoosers::SaveFileName(OPENFILENAMEA* ofn) { return File_Dialog(ofn, true); }

int QtChoosers::ChooseFont(tagCHOOSEFONTA* cf) {
    tagLOGFONTA original;
    if (cf->lpLogFont) original = *cf->lpLogFont;
    const QFont start = Qt_Font(original);
    // The chooser lists installed families and sizes in points: show the family the face
    // name is drawn with, at its size in points on the 96-dpi screen.
    const QString drawn_family = QFontInfo(start).family();
    QFont shown = start;
    shown.setFamily(drawn_family);
    if (start.pixelSize() > 0) shown.setPointSizeF(start.pixelSize() * 72.0 / 96.0);

    QDialog dialog(Owner_Widget(cf->hwndOwner));
    auto* layout = new QVBoxLayout(&dialog);
    auto* fonts = new QFontDialog(shown, &dialog);
    fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts->setWindowFlags(Qt::Widget);
    layout->addWidget(fonts);
    // Escape or Enter in the embedded chooser ends the whole dialog (else it would only hide
    // the font lists and leave the buttons).
    QObject::connect(fonts, &QDialog::rejected, &dialog, &QDialog::reject);
    QObject::connect(fonts, &QDialog::accepted, &dialog, &QDialog::accept);
    // The text colour is chosen with the font.
    QColor color = Qt_Color(cf->rgbColors);
    auto* color_button = new QPushButton(QString::fromUtf8("色..."), &dialog);
    auto* swatch = new QLabel(&dialog);
    swatch->setFixedSize(48, 20);
    auto show_color = [&] {
        swatch->setStyleSheet(
            QString("background-color: %1; border: 1px solid gray;").arg(color.name()));
    };
    show_color();
    QObject::connect(color_button, &QPushButton::clicked, &dialog, [&] {
        QColor picked =
            QColorDialog::getColor(color, &dialog, QString(), QColorDialog::DontUseNativeDialog);
        if (picked.isValid()) {
            color = picked;
            show_color();
        }
    });
    auto* color_row = new QHBoxLayout;
    color_row->addWidget(color_button);
    color_row->addWidget(swatch);
    color_row->addStretch();
    layout->addLayout(color_row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    Run_Hook(cf->lpfnHook, &dialog, reinterpret_cast<LPARAM>(cf));

    if (dialog.exec() != QDialog::Accepted) return 0;
    QFont chosen = fonts->currentFont();
    if (chosen.pointSizeF() > 0) chosen.setPixelSize(qRound(chosen.pointSizeF() * 96.0 / 72.0));
    tagLOGFONTA result = LogFont_Of(chosen, 96);
    // Keep what the chooser does not show: direction, and the stored face name when the
    // chosen family is the one that name is drawn with.
    result.lfEscapement = original.lfEscapement;
    result.lfOrientation = original.lfOrientation;
    result.lfCharSet = original.lfCharSet;
    result.lfOutPrecision = original.lfOutPrecision;
    result.lfClipPrecision = original.lfClipPrecision;
    result.lfQuality = original.lfQuality;
    result.lfPitchAndFamily = original.lfPitchAndFamily;
    if (chosen.family() == drawn_family) {
        std::memcpy(result.lfFaceName, original.lfFaceName, sizeof result.lfFaceName);
    }
    if (cf->lpLogFont) *cf->lpLogFont = result;
    const double points = chosen.pixelSize() * 72.0 / 96.0;
    cf->iPointSize = static_cast<int>(std::lround(points * 10.0));
    cf->rgbColors = Colorref_Of(color);
    return 1;
}

int QtChoosers::ChooseColor(tagCHOOSECOLORA* cc) {
    if (cc->lpCustColors) {
        for (int i = 0; i < 16 && i < QColorDialog::customCount(); ++i) {
            QColorDialog::setCustomColor(i, Qt_Color(cc->lpCustColors[i]));
        }
    }
    QColorDialog dialog(Qt_Color(cc->rgbResult), Owner_Widget(cc->hwndOwner));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    Run_Hook(cc->lpfnHook, &dialog, reinterpret_cast<LPARAM>(cc));
    const int accepted = dialog.exec() == QDialog::Accepted;
    if (cc->lpCustColors) {
        // The custom colours the user defined are kept even when the choice is cancelled.
        for (int i = 0; i < 16 && i < QColorDialog::customCount(); ++i) {
            cc->lpCustColors[i] = Colorref_Of(QColorDialog::customColor(i));
        }
    }
    if (!accepted) return 0;
    cc->rgbResult = Colorref_Of(dialog.selectedColor());
    return 1;
}
