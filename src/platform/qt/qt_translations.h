// Qt's own texts (message box buttons, the file, font, colour and print dialogs) in Japanese,
// whatever the locale, so that every dialog reads as one Japanese program.
#pragma once

class QTranslator;

// Loads Qt's Japanese translations (qtbase_ja from Qt's translations folder) into the running
// application. The translator stays the application's until removed; null when the
// translations are not installed (the texts stay English then).
QTranslator* Install_JapaneseTranslations();
