// The real main window (offscreen): a formula drawn through the input dialog, selecting and
// dragging with real mouse events, pop-up menus, menu state, zoom, scrolling, closing.
//   Documentation picture of the window with its input dialog:
//   PLOTARI_WINDOW_SHOT=/tmp/window.png ./build/tests/test_shell --gtest_filter=MainWindowQt.*
//   A real X server: PLOTARI_SCREEN_SHOT=/tmp/screen.png QT_QPA_PLATFORM=xcb xvfb-run -a
//   -s "-screen 0 1280x900x24" ./build/tests/test_shell --gtest_filter=MainWindowQt.Screenshot
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "frames/trans_unit.h"
#include "input/formula_dialog.h"
#include "input/registration.h"
#include "kinds/math_form.h"
#include "platform/numeric.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/recording_message_sink.h"
#include "platform/scripted_dialogs.h"
#include "shell/main_window.h"
#include "shell/picture_export.h"
#include "shell/printing.h"
#include "shell_app.h"
#include "window_fixture.h"

namespace {

class MainWindowQt : public WindowFixture {};

// The items that act on the selected element or the graph, grayed together.
const int kObjectItems[] = {1000, 1050, 1100, 1150, 1200, 1250, 1300,
                            1310, 1315, 1320, 1330, 1400, 1450, 1460};

TEST_F(MainWindowQt, CaptionMenusAndTheEmptyPaper) {
    EXPECT_EQ(window_->windowTitle(), QString("Plotari Ver.2.2"));
    EXPECT_FALSE(window_->windowIcon().isNull());
    ASSERT_NE(window_->Action(1460), nullptr);
    EXPECT_EQ(window_->Action(100)->text(), QString::fromUtf8("開く(&O) Ctrl+O"));
    EXPECT_EQ(window_->Action(1600)->text(), QString::fromUtf8("説明書を見る(&H)"));
    EXPECT_EQ(g_object_array, window_->Graph());
    EXPECT_EQ(window_->State().zoom_width_size, 1122);
    EXPECT_EQ(window_->State().zoom_height_size, 793);
    // The paper: white with a black frame on light grey.
    const QImage& surface = window_->Paper()->Surface();
    window_->Paper()->Paint();
    EXPECT_EQ(surface.pixel(5, 5), qRgb(255, 255, 255));
    EXPECT_EQ(surface.pixel(0, 5), qRgb(0, 0, 0));
    // Nothing selected, no graph: every object item gray, nothing printable.
    window_->UpdateMenus();
    for (int id : kObjectItems) EXPECT_FALSE(window_->Action(id)->isEnabled()) << id;
    EXPECT_TRUE(window_->Action(160)->isEnabled());
    EXPECT_TRUE(window_->Action(500)->isEnabled());
}

TEST_F(MainWindowQt, FormulaDrawnThroughTheDialogAppearsOnThePaper) {
    const QImage blank = window_->Paper()->Surface().copy();
    Draw("sin(x):x(-5,5)[200]");
    ASSERT_TRUE(Graph().graph_view);
    EXPECT_TRUE(InputDialog()->isVisible());
    const QImage& drawn = window_->Paper()->Surface();
    const tagRECT plot = Graph().graph_view->PutFrmRect();
    int changed = 0;
    for (int y = plot.top; y < plot.bottom; ++y) {
        for (int x = plot.left; x < plot.right; ++x) {
            if (drawn.pixel(x, y) != blank.pixel(x, y)) ++changed;
        }
    }
    EXPECT_GT(changed, 200);
    // Nothing selected with a graph: only the graph size (and commands of this window).
    window_->UpdateMenus();
    for (int id : kObjectItems) {
        EXPECT_EQ(window_->Action(id)->isEnabled(), id == 1460) << id;
    }
}

TEST_F(MainWindowQt, SelectingAndDraggingWithTheMouse) {
    Draw("x^2:x(-3,3)[60]");
    ASSERT_TRUE(Graph().axis_frame[0]);
    // A number frame is selected but does not move.
    AxisFrame* numbers = Graph().axis_frame[0].get();
    const tagRECT numbers_before = numbers->GetRectOnTwip();
    Hover(Center(*numbers));
    Press(Center(*numbers));
    MoveHeld(Center(*numbers) + QPoint(40, 10));
    Release(Center(*numbers) + QPoint(40, 10));
    EXPECT_EQ(Graph().selectobject, numbers);
    EXPECT_EQ(numbers->BoderFlag(), 1);
    EXPECT_EQ(numbers->GetRectOnTwip().left, numbers_before.left);
    window_->UpdateMenus();
    EXPECT_TRUE(window_->Action(1200)->isEnabled());  // the number frame's font change
    EXPECT_FALSE(window_->Action(1000)->isEnabled());

    // A title dragged by 30 pixels, Shift held on the way.
    Graph().SetModified(0);
    TitleOnWin* title = Graph().title_on_win[0].get();
    const tagRECT before = title->GetRectOnTwip();
    const QPoint from = Center(*title);
    Hover(from);
    Press(from);
    MoveHeld(from + QPoint(10, 0));
    MoveHeld(from + QPoint(20, 0), Qt::ShiftModifier);
    MoveHeld(from + QPoint(30, 0));
    Release(from + QPoint(30, 0));
    EXPECT_EQ(title->GetRectOnTwip().left - before.left,
              Pixel_ToTwip(30, window_->Paper(), 100, 1));
    EXPECT_EQ(Graph().RsinfoFlag(), 1);

    // Released outside the window: cancelled.
    const tagRECT moved = title->GetRectOnTwip();
    const QPoint again = Center(*title);
    Hover(again);
    Press(again);
    MoveHeld(again + QPoint(15, 0));
    MoveHeld(QPoint(-30, again.y()));
    Release(QPoint(-30, again.y()));
    EXPECT_EQ(title->GetRectOnTwip().left, moved.left);
    EXPECT_EQ(g_timer, 0);

    // A drag that loses the mouse is cancelled, its timer stopped.
    Hover(again);
    Press(again);
    MoveHeld(QPoint(window_->Paper()->width() - 4, again.y()));
    EXPECT_EQ(g_timer, 1);
    window_->PaperLostMouse();
    EXPECT_EQ(g_timer, 0);
    EXPECT_FALSE(Graph().Dragging());
    Release(again + QPoint(50, 0));
    EXPECT_EQ(title->GetRectOnTwip().left, moved.left);

    // A click on empty paper deselects.
    Press(QPoint(3, 3));
    Release(QPoint(3, 3));
    EXPECT_EQ(Graph().selectobject, nullptr);
    EXPECT_EQ(title->BoderFlag(), 0);
}

TEST_F(MainWindowQt, RightClicksOpenTheElementMenus) {
    Draw("x+1:x(0,4)[8]");
    GListFrame* legend = Graph().glist_frame.get();
    ASSERT_NE(legend, nullptr);
    const struct {
        const char* name;
        QPoint at;
        int submenu;
        int items;
    } rows[] = {
        {"legend line sample", Center(*legend->PutGListLink()->Array(0)), 4, 4},
        {"legend box", QPoint(legend->PutFrmRect().right - 3, legend->PutFrmRect().bottom - 3), 3,
         1},
        {"legend name", Center(*legend->PutTtlLink()->Array(0)), 5, 2},
        {"title", Center(*Graph().title_on_win[0]), 0, 2},
        {"ticks", Center(*Graph().axis_tick[1]), 1, 2},
    };
    for (const auto& row : rows) {
        Hover(row.at);
        Press(row.at, Qt::RightButton);
        ASSERT_NE(window_->LastPopUp(), nullptr) << row.name;
        EXPECT_EQ(window_->LastPopUpIndex(), row.submenu) << row.name;
        EXPECT_EQ(window_->LastPopUp()->actions().size(), row.items) << row.name;
    }
    QAction* grid = window_->LastPopUp()->actions()[1];
    EXPECT_EQ(grid->text(), QString::fromUtf8("グリッド線表示切替"));
    // Its check mark follows the grid of the axis clicked, as the main menu's does.
    EXPECT_TRUE(grid->isCheckable());
    EXPECT_FALSE(grid->isChecked());
    window_->Command(1150);
    const QPoint ticks = Center(*Graph().axis_tick[1]);
    Hover(ticks);
    Press(ticks, Qt::RightButton);
    EXPECT_TRUE(window_->LastPopUp()->actions()[1]->isChecked());
}

TEST_F(MainWindowQt, ZoomScrollingAndHiddenBars) {
    Draw("x:x(0,1)[4]");
    ScriptedDialogRunner dialogs;  // replaces the Qt runner while it lives
    auto zoom = [&](const char* typed) {
        dialogs.Then([typed](MemoryDialog& d) {
            d.Type(IDC_ZOOM_EDIT, typed);
            d.Click(IDOK);
        });
        window_->Command(160);
    };
    zoom("10");
    EXPECT_EQ(g_zoom_main, 100);
    zoom("100");
    EXPECT_EQ(g_zoom_main, 100);
    zoom("11");
    EXPECT_EQ(g_zoom_main, 11);
    EXPECT_EQ(window_->State().zoom_width_size, Trunc_ToInt32(1122 * 0.11));
    // A paper smaller than the window: no bars, offsets 0.
    EXPECT_FALSE(window_->HorizontalBar()->isVisible());
    EXPECT_FALSE(window_->VerticalBar()->isVisible());
    EXPECT_EQ(g_shifth, 0);
    zoom("300");
    EXPECT_EQ(g_zoom_main, 300);
    EXPECT_TRUE(window_->VerticalBar()->isVisible());
    const int page = window_->Paper()->height();
    const int size = window_->State().zoom_height_size;
    EXPECT_EQ(window_->VerticalBar()->maximum(), size - page);
    EXPECT_EQ(window_->VerticalBar()->pageStep(), page);
    // Line up at 0 does nothing; page down stops at size - page.
    const tagRECT title = Graph().title_on_win[0]->PutFrmRect();
    Key(Qt::Key_Up);
    EXPECT_EQ(g_shiftv, 0);
    EXPECT_EQ(Graph().title_on_win[0]->PutFrmRect().top, title.top);
    Key(Qt::Key_Down);
    EXPECT_EQ(g_shiftv, 10);
    EXPECT_EQ(Graph().title_on_win[0]->PutFrmRect().top, title.top - 10);
    for (int i = 0; i < 20; ++i) Key(Qt::Key_PageDown);
    EXPECT_EQ(g_shiftv, size - page);
    EXPECT_EQ(window_->VerticalBar()->value(), size - page);
    Key(Qt::Key_Right);
    EXPECT_EQ(g_shifth, 10);
    // The bar itself scrolls the paper.
    window_->HorizontalBar()->setValue(100);
    EXPECT_EQ(g_shifth, 100);
    EXPECT_EQ(Graph().title_on_win[0]->PutFrmRect().left, title.left - 100);
    zoom("100");
}

// The input dialog is a tool window of the main window: after OK the keyboard focus goes to
// the main window, the dialog stays shown above it for the next formula, and shown again
// after hiding it comes back where the user put it.
TEST_F(MainWindowQt, InputDialogStaysAboveThePaperAndKeepsItsPlace) {
    QDialog* dialog = InputDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->parentWidget(), window_.get());
    EXPECT_EQ(dialog->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    Draw("sin(x):x(-5,5)[200]");
    EXPECT_TRUE(dialog->isVisible());
    // Activation goes through the window system (asynchronous under a real X server).
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get(), 2000));
    Draw("cos(x):x(-5,5)[200]");  // a second formula without showing the dialog again
    ASSERT_TRUE(Graph().graph_view);
    EXPECT_EQ(Graph().graph_view->PutElementNum(), 2);

    dialog->move(310, 170);
    const QPoint placed = dialog->pos();
    QTest::keyClick(dialog, Qt::Key_Escape);  // hides it
    EXPECT_FALSE(dialog->isVisible());
    window_->Command(500);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->pos(), placed);
}

TEST_F(MainWindowQt, CloseAsksAndNoKeepsTheWindow) {
    boxes_.Script({IDNO});
    window_->close();
    EXPECT_TRUE(window_->isVisible());
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.Lines()[0], "Closed message: 終了していいですか？");
    boxes_.Script({IDYES});
    window_->close();
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(Input_Dialog(), nullptr);
}

// 説明書を見る reports a failure whenever the desktop cannot open the page: no opener at all,
// or an opener that fails after it started (no browser).
TEST_F(MainWindowQt, ManualThatCannotBeOpenedIsReported) {
    char saved_dir[4096];
    ASSERT_NE(getcwd(saved_dir, sizeof saved_dir), nullptr);
    char dir[] = "/tmp/plotari-opener-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    ASSERT_EQ(chdir(dir), 0);
    ASSERT_EQ(mkdir("使用説明", 0700), 0);
    FILE* page = fopen("使用説明/PlotariVer.html", "w");
    ASSERT_NE(page, nullptr);
    fclose(page);
    ASSERT_EQ(mkdir("bin", 0700), 0);
    auto opener = [](const char* script) {
        FILE* file = fopen("bin/xdg-open", "w");
        ASSERT_NE(file, nullptr);
        fputs(script, file);
        fclose(file);
        ASSERT_EQ(chmod("bin/xdg-open", 0700), 0);
    };
    const std::string saved_path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (std::string(dir) + "/bin").c_str(), 1);
    auto wait_for_box = [this] {
        for (int i = 0; i < 500 && boxes_.boxes.empty(); ++i) {
            QTest::qWait(10);
        }
    };
    const std::string fail =
        "Fail open file: 説明ファイルのオープンに失敗しました。\n手動で開いてください。";

    window_->Command(1600);  // no opener on the path
    EXPECT_EQ(boxes_.Lines(), std::vector<std::string>{fail});
    boxes_.Clear();

    opener("#!/bin/sh\nexit 3\n");  // no program for the page
    window_->Command(1600);
    wait_for_box();
    EXPECT_EQ(boxes_.Lines(), std::vector<std::string>{fail});
    boxes_.Clear();

    opener("#!/bin/sh\necho \"$1\" > opened.txt\n");
    window_->Command(1600);
    for (int i = 0; i < 500 && access("opened.txt", F_OK) != 0; ++i) QTest::qWait(10);
    QTest::qWait(50);
    EXPECT_TRUE(boxes_.boxes.empty());
    FILE* opened = fopen("opened.txt", "r");
    ASSERT_NE(opened, nullptr);
    char line[4096] = "";
    ASSERT_NE(fgets(line, sizeof line, opened), nullptr);
    fclose(opened);
    EXPECT_EQ(std::string(line), "file://" + std::string(dir) + "/使用説明/PlotariVer.html\n");

    setenv("PATH", saved_path.c_str(), 1);
    remove("opened.txt");
    remove("bin/xdg-open");
    rmdir("bin");
    remove("使用説明/PlotariVer.html");
    rmdir("使用説明");
    ASSERT_EQ(chdir(saved_dir), 0);
    rmdir(dir);
}

// コピー under a real X server: another program reads the picture from the clipboard.
TEST_F(MainWindowQt, CopyReachesOtherPrograms) {
    if (QGuiApplication::platformName() != "xcb" ||
        QStandardPaths::findExecutable("xclip").isEmpty()) {
        GTEST_SKIP() << "needs an X server and xclip";
    }
    Draw("sin(x):x(-5,5)[200]");
    window_->Command(320);
    // What another program gets when it pastes TYPE.
    const auto paste = [](const char* type) {
        QProcess reader;
        reader.start("xclip", {"-selection", "clipboard", "-t", type, "-o"});
        EXPECT_TRUE(reader.waitForStarted(5000));
        // The clipboard's owner answers while the reader waits.
        for (int i = 0; i < 500 && reader.state() != QProcess::NotRunning; ++i) QTest::qWait(10);
        EXPECT_EQ(reader.exitCode(), 0)
            << type << ": " << reader.readAllStandardError().toStdString();
        return reader.readAllStandardOutput();
    };
    QImage pasted;
    ASSERT_TRUE(pasted.loadFromData(paste("image/png"), "PNG"));
    LONG width = 0, height = 0;
    Paper_PixelSize(window_->Paper(), &width, &height);
    EXPECT_EQ(
        pasted.convertToFormat(QImage::Format_RGB32),
        GetBitmap_ToGraph(window_->Graph(), width, height).convertToFormat(QImage::Format_RGB32));
    // Vector copies beside it, the same drawing as 図を保存 SVG and the PDF print.
    QByteArray svg, pdf;
    ASSERT_TRUE(Sheet_AsSvg(window_->Graph(), &svg));
    ASSERT_TRUE(Sheet_AsPdf(window_->Graph(), &pdf));
    EXPECT_EQ(paste("image/svg+xml"), svg);
    const QByteArray pasted_pdf = paste("application/pdf");
    EXPECT_TRUE(pasted_pdf.startsWith("%PDF-"));
    EXPECT_EQ(pasted_pdf.size(), pdf.size());
}

TEST_F(MainWindowQt, Screenshot) {
    Draw("sin(x)*3:x(-10,10)[200]");
    Draw("x^2/10-2:x(-6,6)[60]");
    QWidget* input = InputDialog();
    input->move(window_->frameGeometry().right() - input->width() - 20, 120);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Graph().glist_frame);
    if (const char* shot = std::getenv("PLOTARI_WINDOW_SHOT")) {
        window_->grab().save(shot);
        input->grab().save(QString(shot).replace(".png", "-input.png"));
    }
    if (const char* screen = std::getenv("PLOTARI_SCREEN_SHOT")) {
        window_->move(0, 0);
        input->move(window_->width() - 200, 150);
        QTest::qWait(300);
        QGuiApplication::primaryScreen()->grabWindow(0).save(screen);
    }
}

}  // namespace

// The habits of desktop programs: Ctrl + wheel zooms in steps with the point under the mouse
// kept, a dropped document opens as 開く would (with its question), 数式入力 has a shortcut
// shown in the menu, and at start the input dialog stands beside the paper.
TEST_F(MainWindowQt, WheelZoomDropAndTheInputDialogAtStart) {
    Draw("x:x(0,1)[4]");
    auto wheel = [&](int delta, QPoint at) {
        QWheelEvent event(QPointF(at), QPointF(window_->Paper()->mapToGlobal(at)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(window_->Paper(), &event);
    };
    // The paper point under the mouse, in paper pixels at 100 %.
    const QPoint mouse(300, 200);
    auto paper_point = [&] {
        return QPointF((mouse.x() + g_shifth) * 100.0 / g_zoom,
                       (mouse.y() + g_shiftv) * 100.0 / g_zoom);
    };
    wheel(120, mouse);
    EXPECT_EQ(g_zoom, 125);
    EXPECT_EQ(g_zoom_main, 125);
    const QPointF before = paper_point();
    wheel(240, mouse);  // one step per event, as the dialog's route takes one value
    EXPECT_EQ(g_zoom, 150);
    EXPECT_NEAR(paper_point().x(), before.x(), 1.5);
    EXPECT_NEAR(paper_point().y(), before.y(), 1.5);
    EXPECT_EQ(window_->State().zoom_width_size, Trunc_ToInt32(1122 * 1.5));
    wheel(-120, mouse);
    wheel(-120, mouse);
    EXPECT_EQ(g_zoom, 100);
    for (int i = 0; i < 20; ++i) wheel(-120, mouse);
    EXPECT_EQ(g_zoom, 25);  // the smallest step
    // Without Ctrl the wheel scrolls and leaves the zoom.
    QWheelEvent plain(QPointF{mouse}, QPointF{mouse}, QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window_->Paper(), &plain);
    EXPECT_EQ(g_zoom, 25);

    // 数式入力's shortcut is on its menu item.
    ASSERT_NE(window_->Action(500), nullptr);
    EXPECT_EQ(window_->Action(500)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));

    // A dropped document: the graph is changed, so the save question comes first (No).
    const std::string path = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                             "/plotari-drop-" + std::to_string(getpid()) + ".dat";
    ASSERT_EQ(window_->Graph()->SaveGraphAs(path), 1);
    Draw("x^2:x(0,1)[4]");
    ASSERT_EQ(window_->Graph()->graph_view->PutElementNum(), 2);
    RecordingMessageSink boxes;
    boxes.Script({IDNO});
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &drop);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "現在のデータを保存しますか?");
    EXPECT_EQ(window_->Graph()->graph_view->PutElementNum(), 1);  // the saved graph again
    remove(path.c_str());

    // At start the input dialog stands beside the main window (or over its right part).
    window_->ShowInputDialogBeside();
    QCoreApplication::processEvents();
    const QRect dialog = InputDialog()->frameGeometry();
    EXPECT_TRUE(InputDialog()->isVisible());
    // Right of the window, or (no room there) against the screen's right edge.
    const QRect screen = window_->screen()->availableGeometry();
    EXPECT_TRUE(dialog.left() > window_->frameGeometry().right() ||
                dialog.left() == qMax(screen.left(), screen.right() - dialog.width()))
        << dialog.left() << " " << screen.right();
}

namespace {

TEST(FitZoom, LargestWholeZoomThatFits) {
    // The A4 sheet is 1122 x 793 pixels at 100 % on a 96 dpi screen.
    const struct {
        LONG client_w, client_h;
        bool whole_sheet;
        LONG zoom;
    } rows[] = {
        {561, 400, true, 50},              // 561/1122 = 0.5, 400/793 = 0.504
        {561, 400, false, 50},             // the width alone
        {1200, 600, true, 75},             // the height decides: 600/793 = 0.756
        {1200, 600, false, 106},           // 1200/1122 = 1.069
        {1122, 793, true, 100},            // exactly the sheet
        {1121, 793, true, 99},             // one pixel short: rounded down, never wider
        {50, 50, true, 11},                // never below what the zoom dialog takes
        {2000000, 2000000, false, 10000},  // never above it
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Fit_Zoom(row.client_w, row.client_h, 1122, 793, row.whole_sheet), row.zoom)
            << row.client_w << "x" << row.client_h << (row.whole_sheet ? " sheet" : " width");
    }
    EXPECT_EQ(Fit_Zoom(800, 600, 0, 793, true), 100);  // no paper yet: as it is
}

}  // namespace

// 用紙全体を表示 shows the whole sheet in the window, 用紙の幅に合わせる its width, Ctrl+0 returns
// to 100 %: the largest whole zoom that fits, at two window sizes.
TEST_F(MainWindowQt, TheSheetFitsTheWindow) {
    Draw("x:x(0,1)[4]");
    const LONG width100 = window_->State().zoom_width_size;
    const LONG height100 = window_->State().zoom_height_size;
    ASSERT_EQ(width100, 1122);
    for (const QSize size : {QSize(900, 700), QSize(1400, 1000)}) {
        window_->resize(size);
        QCoreApplication::processEvents();
        for (int command : {161, 162}) {
            window_->Command(command);
            const tagRECT client = window_->ClientRect();
            const LONG zoom = g_zoom;
            const LONG w = window_->State().zoom_width_size;
            const LONG h = window_->State().zoom_height_size;
            EXPECT_EQ(g_zoom_main, zoom);
            EXPECT_LE(w, client.right) << command << " at " << size.width();
            // The largest that fits, short of it by a scroll bar's room at most (a larger
            // paper brings the bars back): 3 % more would not fit.
            EXPECT_GT(width100 * (zoom + 3) / 100 > client.right ||
                          (command == 161 && height100 * (zoom + 3) / 100 > client.bottom),
                      0)
                << "a larger zoom would fit: " << command << " at " << size.width();
            if (command == 161) {
                EXPECT_LE(h, client.bottom) << size.width();
            }
            EXPECT_EQ(window_->HorizontalBar()->value(), 0);
        }
        // Ctrl+0 is the item's own shortcut.
        QAction* actual = window_->Action(163);
        ASSERT_NE(actual, nullptr);
        EXPECT_EQ(actual->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_0));
        actual->trigger();
        EXPECT_EQ(g_zoom, 100);
        EXPECT_EQ(window_->State().zoom_width_size, 1122);
    }
}

// The status bar says what is under the mouse (values over the plot area, else the element)
// and the zoom, as the mouse moves and the zoom changes.
TEST_F(MainWindowQt, TheStatusBarReadsTheGraph) {
    EXPECT_EQ(window_->ZoomText(), "倍率 100%");
    Draw("x^2:x(-3,3)[60]");
    Hover(Center(*Graph().graph_view));
    // The middle of the plot: x near the middle of -3 … 3, shown first.
    const QString middle = window_->StatusText();
    EXPECT_TRUE(middle.startsWith("x = ")) << middle.toStdString();
    EXPECT_TRUE(middle.contains("  y = ")) << middle.toStdString();
    const double x = middle.mid(4, middle.indexOf("  ") - 4).toDouble();
    EXPECT_NEAR(x, 0.0, 0.05) << middle.toStdString();
    Hover(Center(*Graph().axis_frame[1]));
    EXPECT_EQ(window_->StatusText(), "横軸の数値");
    Hover(Center(*Graph().title_on_win[0]));
    EXPECT_EQ(window_->StatusText(), "グラフのタイトル");
    window_->Command(162);
    EXPECT_EQ(window_->ZoomText(), QString("倍率 %1%").arg(g_zoom));
    EXPECT_NE(g_zoom, 100);
    window_->Command(163);
    EXPECT_EQ(window_->ZoomText(), "倍率 100%");
}
