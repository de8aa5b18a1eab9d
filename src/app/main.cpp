// plotari [FILE]: the window program. Sets up the Qt services behind message boxes, dialogs and
// choosers, creates the main window with its paper and graph document, and the formula
// input dialog, then runs the event loop.
#include <QApplication>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <memory>

#include "document/graph_on_win.h"
#include "input/formula_dialog.h"
#include "platform/choosers.h"
#include "platform/message_box.h"
#include "platform/qt/qt_choosers.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_gdi.h"
#include "platform/qt/qt_message_sink.h"
#include "platform/qt/qt_translations.h"
#include "shell/main_window.h"

int main(int argc, char* argv[]) {
    // The command-line conventions, answered before any window system is needed.
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::printf(
            "usage: plotari [FILE]\n"
            "  Starts Plotari, the function plotter; FILE (a graph document, *.dat)\n"
            "  is opened as 開く would open it.\n"
            "  --help     this text\n"
            "  --version  the program's version\n"
            "Without a display, use plotari-cli (plotari-cli --help).\n");
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("plotari " PLOTARI_VERSION "\n");
        return 0;
    }
    QApplication app(argc, argv);
    // Numbers in labels, dialogs and files always use the decimal point.
    std::setlocale(LC_NUMERIC, "C");
    Install_JapaneseTranslations();
    Install_FontSubstitutions();
    QtMessageSink message_sink;
    QtChoosers choosers;
    QtDialogRunner dialog_runner;
    Set_MessageSink(&message_sink);
    Set_Choosers(&choosers);
    Set_DialogRunner(&dialog_runner);

    int status = 0;
    {
        MainWindow window;
        // The window's size and place, the zoom, the documents last used and each file
        // dialog's folder, as the user left them.
        window.Remember(std::make_unique<Remembered>(Remembered::DefaultFile()));
        // The input dialog is a tool window of the main window: it stays above the paper.
        if (!window.Start(win_Inst)) return 0;
        // plotari FILE opens the document FILE as 開く would.
        const QStringList arguments = QCoreApplication::arguments();
        if (arguments.size() > 1) {
            window.Graph()->OpenGraphFile(arguments.at(1).toStdString(), g_shifth, g_shiftv);
            window.ResetUndo();
            window.NoteRecent();
            window.InvalidateAll();
        }
        window.ShowInputDialogBeside();
        window.Paper()->setFocus();
        status = app.exec();
        window.Stop();
    }
    Set_DialogRunner(nullptr);
    Set_Choosers(nullptr);
    Set_MessageSink(nullptr);
    return status;
}
