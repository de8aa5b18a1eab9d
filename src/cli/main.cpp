// plotari-cli: the program without a window. See README for the actions.
#include <QGuiApplication>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_session.h"

namespace {
// Standard error carries the message boxes; Qt's own notes would only be noise there.
void Quiet_Qt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::cerr << "plotari-cli: " << message.toStdString() << "\n";
        std::abort();
    }
}
}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--help") {
        std::cout << Cli_Usage();
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "plotari-cli " PLOTARI_VERSION "\n";
        return 0;
    }
    std::vector<CliAction> actions;
    std::string reason;
    if (!Parse_CliActions(args, &actions, &reason)) {
        std::cerr << "plotari-cli: " << reason << "\n" << Cli_Usage();
        return 2;
    }
    // No display needed: Qt draws offscreen unless a display is there.
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    qInstallMessageHandler(Quiet_Qt);
    QGuiApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const int status = Run_CliActions(actions, std::cout, std::cerr);
    // Every file is written and closed by now, and nothing is left on a clipboard: the output
    // is flushed and the process ends without taking Qt and its fonts apart, a few
    // milliseconds of every run.
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(status);
}
