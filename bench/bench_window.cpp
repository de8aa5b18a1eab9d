// The window program's own timings, on whatever platform Qt is given (offscreen in bench.sh):
//   bench_window --startup        start-up to the first painted paper, then exits
//   bench_window --zoom FILE N    opens FILE, then N zoom changes (150 %, 100 %, 50 %, 100 % …)
//                                 each repainted at once; prints the median and the slowest
//                                 milliseconds; then N scroll steps at 200 % (half a page down
//                                 or right in turn, back up at the end; each repainted),
//                                 median and slowest
// It builds the window exactly as plotari does (main window, input dialog, services).
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "document/graph_on_win.h"
#include "input/formula_dialog.h"
#include "platform/message_box.h"
#include "platform/qt/qt_choosers.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_gdi.h"
#include "platform/qt/qt_message_sink.h"
#include "platform/qt/qt_translations.h"
#include "platform/scripted_dialogs.h"
#include "shell/main_window.h"
#include "shell/paper_dialogs.h"

namespace {

// Quits the event loop once the watched widget has been painted.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            // exit, not quit: quit would close the windows, and closing asks questions.
            QMetaObject::invokeMethod(
                qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }
    bool painted = false;
    int paints = 0;
};

double Ms_Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace

int main(int argc, char* argv[]) {
    const auto start = std::chrono::steady_clock::now();
    if (argc < 2 || (std::strcmp(argv[1], "--startup") != 0 &&
                     (std::strcmp(argv[1], "--zoom") != 0 || argc < 4))) {
        std::fprintf(stderr, "usage: bench_window --startup | --zoom FILE N\n");
        return 2;
    }
    QApplication app(argc, argv);
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
        FirstPaint first_paint;
        window.Paper()->installEventFilter(&first_paint);
        if (!window.Start(win_Inst)) return 1;
        if (std::strcmp(argv[1], "--startup") == 0) {
            app.exec();
            std::printf("startup_ms %.2f\n", Ms_Since(start));
        } else {
            if (window.Graph()->OpenGraphFile(argv[2], g_shifth, g_shiftv) != 1) {
                std::fprintf(stderr, "bench_window: cannot open %s\n", argv[2]);
                status = 1;
            } else {
                window.InvalidateAll();
                app.exec();  // until the paper is on the screen and painted
                first_paint.paints = 0;
                const int changes = std::max(1, std::atoi(argv[3]));
                const char* zooms[] = {"150", "100", "50", "100"};
                std::vector<double> times;
                ScriptedDialogRunner dialogs;  // the zoom dialog, typed into as a user would
                for (int i = 0; i < changes; ++i) {
                    const char* typed = zooms[i % 4];
                    dialogs.Then([typed](MemoryDialog& d) {
                        d.Type(IDC_ZOOM_EDIT, typed);
                        d.Click(IDOK);
                    });
                    QElapsedTimer timer;
                    timer.start();
                    window.Command(160);
                    window.Paper()->repaint();
                    times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
                    if (g_zoom != std::atoi(typed)) {
                        std::fprintf(stderr, "bench_window: zoom %ld, not %s\n",
                                     static_cast<long>(g_zoom), typed);
                        status = 1;
                    }
                }
                std::sort(times.begin(), times.end());
                if (first_paint.paints < changes) {
                    std::fprintf(stderr, "bench_window: %d paints for %d changes\n",
                                 first_paint.paints, changes);
                    status = 1;
                }
                std::printf("zoom_ms %.2f\n", times[times.size() / 2]);
                std::printf("zoom_max_ms %.2f\n", times.back());

                // Scrolling at 200 %: the enlarged drawing is what a scroll shows.
                dialogs.Then([](MemoryDialog& d) {
                    d.Type(IDC_ZOOM_EDIT, "200");
                    d.Click(IDOK);
                });
                window.Command(160);
                window.Paper()->repaint();
                times.clear();
                for (int i = 0; i < changes; ++i) {
                    QScrollBar* bar = i % 2 ? window.HorizontalBar() : window.VerticalBar();
                    QElapsedTimer timer;
                    timer.start();
                    const int step = std::max(1, bar->pageStep() / 2);
                    bar->setValue(bar->value() + step <= bar->maximum() ? bar->value() + step
                                                                        : bar->value() - step);
                    window.Paper()->repaint();
                    times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
                }
                std::sort(times.begin(), times.end());
                std::printf("scroll_ms %.2f\n", times[times.size() / 2]);
                std::printf("scroll_max_ms %.2f\n", times.back());
            }
        }
        window.Stop();
    }
    Set_DialogRunner(nullptr);
    Set_Choosers(nullptr);
    Set_MessageSink(nullptr);
    return status;
}
