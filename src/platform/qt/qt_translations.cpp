#include "platform/qt/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// The program's own catalogue for what qtbase_ja lacks: beside the program in a build
// (build/translations, also seen from build/tests), under share/plotari when installed.
void Install_OwnTranslations() {
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString& folder : {here + "/translations", here + "/../translations",
                                  here + "/../share/plotari/translations"}) {
        auto* own = new QTranslator(QCoreApplication::instance());
        // Installed after qtbase_ja, it is asked first and answers only its own texts.
        if (own->load(QStringLiteral("plotari_qt_ja"), folder) &&
            QCoreApplication::installTranslator(own)) {
            return;
        }
        delete own;
    }
}

}  // namespace

QTranslator* Install_JapaneseTranslations() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    Install_OwnTranslations();
    return translator;
}
