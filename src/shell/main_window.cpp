#include "shell/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QGridLayout>
#include <QIcon>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QWheelEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QUrl>

#include <iterator>

#include "document/axis_ranges.h"
#include "document/graph_readout.h"
#include "document/move_obj.h"
#include "frames/trans_unit.h"
#include "platform/numeric.h"
#include "platform/qt/qt_choosers.h"
#include "shell/close_question.h"
#include "shell/manual.h"
#include "shell/paper_dialogs.h"
#include "input/formula_dialog.h"
#include "kinds/samplers.h"
#include "platform/gdi.h"

namespace {

constexpr COLORREF LIGHT_GRAY = RGB(192, 192, 192);

// Qt's text for a menu entry: "&" mnemonics are the same.
QString Menu_Text(const std::string& text) { return QString::fromStdString(text); }

LPARAM Pack(QPoint pos) { return MAKELPARAM_XY(pos.x(), pos.y()); }

}  // namespace

QIcon Program_Icon() {
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 60, 60), 2));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(4, 8, 56, 48), 4, 4);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(12, 48, 54, 48);
    painter.drawLine(12, 48, 12, 14);
    QPainterPath curve;
    curve.moveTo(12, 40);
    curve.cubicTo(24, 4, 36, 60, 54, 18);
    painter.setPen(QPen(QColor(0, 0, 200), 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(curve);
    painter.end();
    return QIcon(QPixmap::fromImage(image));
}

PaperView::PaperView(MainWindow* main, QWidget* parent) : main_(main) {
    setParent(parent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

QWidget* PaperView::OwnerWidget() { return main_; }

void PaperView::BringToTop() {
    QWidget* top = window();
    top->raise();
    top->activateWindow();
    // Tool windows of the main window (the formula input dialog) stay above it; a window
    // manager keeps them there, and without one the raise does.
    for (QDialog* tool : top->findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
        if (tool->isVisible() && !tool->isModal() && (tool->windowFlags() & Qt::Tool) == Qt::Tool) {
            tool->raise();
        }
    }
}

void PaperView::mousePressEvent(QMouseEvent* event) {
    if (main_) {
        main_->PaperMousePress(event->button(), event->position().toPoint(), event->modifiers());
    }
}

void PaperView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (main_ && event->button() == Qt::LeftButton) {
        main_->PaperDoubleClick(event->position().toPoint());
    }
}

void PaperView::mouseMoveEvent(QMouseEvent* event) {
    if (main_) main_->PaperMouseMove(event->buttons(), event->position().toPoint());
}

void PaperView::mouseReleaseEvent(QMouseEvent* event) {
    if (main_) main_->PaperMouseRelease(event->button(), event->position().toPoint());
}

void PaperView::keyPressEvent(QKeyEvent* event) {
    if (main_) main_->PaperKey(event->key());
}

void PaperView::focusOutEvent(QFocusEvent* event) {
    // A pop-up menu of our own takes the focus only after the press has been handled.
    if (main_ && event->reason() != Qt::PopupFocusReason) main_->PaperLostMouse();
    PaperWidget::focusOutEvent(event);
}

void PaperView::resizeEvent(QResizeEvent* event) {
    PaperWidget::resizeEvent(event);
    if (main_) main_->PaperResized();
}

void PaperView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (main_ && (event->modifiers() & Qt::ControlModifier)) {
        if (steps != 0) main_->PaperWheelZoom(steps, event->position().toPoint());
        event->accept();
        return;
    }
    // Without Ctrl the wheel scrolls the paper, as the scroll bars would.
    if (main_) {
        QScrollBar* bar = (event->modifiers() & Qt::ShiftModifier) ? main_->HorizontalBar()
                                                                   : main_->VerticalBar();
        bar->setValue(bar->value() - steps * bar->singleStep() * 3);
    }
    event->accept();
}

bool PaperView::event(QEvent* event) {
    if (main_ && event->type() == QEvent::UngrabMouse) main_->PaperLostMouse();
    return PaperWidget::event(event);
}

MainWindow::MainWindow() {
    setWindowTitle("Plotari Ver.2.2");
    setWindowIcon(Program_Icon());
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    paper_ = new PaperView(this, central);
    paper_->setAccessibleName("用紙");
    vbar_ = new QScrollBar(Qt::Vertical, central);
    hbar_ = new QScrollBar(Qt::Horizontal, central);
    grid->addWidget(paper_, 0, 0);
    grid->addWidget(vbar_, 0, 1);
    grid->addWidget(hbar_, 1, 0);
    setCentralWidget(central);
    // The status bar: what is under the mouse (values over the plot area), and the zoom.
    readout_ = new QLabel(this);
    readout_->setAccessibleName("マウスの位置");
    zoom_label_ = new QLabel(this);
    zoom_label_->setAccessibleName("倍率");
    point_label_ = new QLabel(this);
    point_label_->setAccessibleName("選んだ線の最寄りの点");
    statusBar()->addWidget(readout_, 1);
    statusBar()->addWidget(point_label_, 1);
    statusBar()->addPermanentWidget(zoom_label_);
    connect(hbar_, &QScrollBar::valueChanged, this, [this](int v) { BarMoved(SB_HORZ, v); });
    connect(vbar_, &QScrollBar::valueChanged, this, [this](int v) { BarMoved(SB_VERT, v); });
    BuildMenus();
    commands_.History().changed = [this] {
        EnableMenuItem(kCmdUndo, commands_.History().CanUndo());
        UpdateTitle();
    };
    EnableMenuItem(kCmdUndo, false);
    setAcceptDrops(true);
    resize(1000, 720);

    // The paper state as the window is created: A4 landscape at 100 %, an empty graph.
    g_zoom_main = 100;
    g_zoom = 100;
    g_shifth = 0;
    g_shiftv = 0;
    g_timer = 0;
    PAPER_WIDTH = 29700;
    PAPER_HEIGHT = 21000;
    state_.win_width = Dmm_ToTwip(PAPER_WIDTH);
    state_.win_height = Dmm_ToTwip(PAPER_HEIGHT);
    graph_ = std::make_unique<GraphOnWin>(paper_, 0, 0, state_.win_width, state_.win_height,
                                          nullptr, g_shifth, g_shiftv, g_zoom_main, nullptr,
                                          nullptr, "未表示グラフ", nullptr, nullptr, nullptr);
    g_object_array = graph_.get();
    graph_->ObjSizeInPixel(&state_.zoom_width_size, &state_.zoom_height_size);
    NewScroll_Set(this, SB_VERT, state_.zoom_height_size, &state_.ver_si, &g_shiftv);
    NewScroll_Set(this, SB_HORZ, state_.zoom_width_size, &state_.hori_si, &g_shifth);

    paper_->paint_handler = [this](HDC hdc, const tagRECT&) { Paint(hdc); };
    paper_->timer_handler = [this](UINT id) {
        if (id == AUTOSCROLL_TIMER) {
            AutoScroll_MoveObj(mspart_win_, &state_.ver_si, &state_.hori_si, this, &g_shiftv,
                               &g_shifth, graph_.get());
        }
    };
    Set_PopUpMenuHandler([this](HWND, tagPOINT point, const MenuEntry& submenu, HWND) {
        ShowPopUp(point, submenu);
    });
    paper_->setFocus();
}

MainWindow::~MainWindow() {
    // The formula input dialog is a tool window of this one: it goes with it, through the
    // one that owns it, before Qt would delete it as a child.
    auto* input_widget = dynamic_cast<QWidget*>(Input_Dialog());
    if (input_widget != nullptr && input_widget->parentWidget() == this) Destroy_ModlsDialog();
    Set_PopUpMenuHandler(nullptr);
    // The hooks that reach this window go back to the document's own.
    if (receiver_installed_) {
        Set_ProgressHook(nullptr);
        Set_FileProgressHook(nullptr);
        Set_GraphReceiver(Hand_ToGraphDocument);
    }
    // The paper outlives this body (it is a child widget): it must no longer call back, and
    // the graph goes first, while the paper it draws on is still there.
    paper_->Detach();
    paper_->paint_handler = nullptr;
    paper_->timer_handler = nullptr;
    if (g_object_array == graph_.get()) g_object_array = nullptr;
    graph_.reset();
}

void MainWindow::BuildMenus() {
    for (const MenuEntry& top : Title_Menu_Resource().menus) {
        QMenu* menu = menuBar()->addMenu(Menu_Text(top.text));
        for (const MenuEntry& entry : top.items) AddEntries(menu, entry);
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::UpdateMenus);
    }
    int count = 0;
    const Accelerator* table = Graph_Accelerators(&count);
    for (int i = 0; i < count; ++i) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(table[i].key)), this);
        const int id = table[i].command;
        connect(shortcut, &QShortcut::activated, this, [this, id] {
            if (Command_Available(id)) Command(id);
        });
    }
}

void MainWindow::AddEntries(QMenu* menu, const MenuEntry& entry) {
    if (entry.IsSeparator()) {
        menu->addSeparator();
    } else if (entry.IsSubmenu()) {
        QMenu* sub = menu->addMenu(Menu_Text(entry.text));
        for (const MenuEntry& item : entry.items) AddEntries(sub, item);
    } else {
        QAction* action = menu->addAction(Menu_Text(entry.text));
        action->setData(entry.id);
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { Command(id); });
        if (const CommandRow* row = Find_Command(id)) {
            action->setCheckable(row->checkable);
            if (row->ctrl_key != 0 && row->key_on_item) {
                action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(row->ctrl_key)));
            }
        }
        actions_[entry.id] = action;
    }
}

QAction* MainWindow::Action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::EnableMenuItem(int id, bool enable) {
    if (QAction* action = Action(id)) action->setEnabled(enable);
}

void MainWindow::CheckMenuItem(int id, bool check) {
    if (QAction* action = Action(id)) action->setChecked(check);
}

void MainWindow::UpdateMenus() {
    Update_MenuState(graph_.get(), this, commands_.History().CanUndo());
    // 最近使ったファイル: "&1 name.dat" … for the documents kept, "(なし)" without any.
    const QStringList recent = remembered_ ? remembered_->Recent() : QStringList();
    for (int id = kCmdRecent1; id <= kCmdRecentLast; ++id) {
        QAction* action = Action(id);
        if (action == nullptr) continue;
        const int index = id - kCmdRecent1;
        if (index < recent.size()) {
            const QString number = index == 9 ? QString("1&0") : QString("&%1").arg(index + 1);
            action->setText(number + " " + QFileInfo(recent[index]).fileName());
            action->setToolTip(recent[index]);
            action->setStatusTip(recent[index]);
            action->setEnabled(true);
            action->setVisible(true);
        } else {
            action->setText("(なし)");
            action->setEnabled(false);
            action->setVisible(index == 0 && recent.isEmpty());
        }
    }
}

int MainWindow::Command(int id) {
    const int result = commands_.Command(graph_.get(), id);
    if (id == kCmdOpen || id == kCmdSave || id == kCmdSaveAs ||
        (id >= kCmdRecent1 && id <= kCmdRecentLast)) {
        NoteRecent();
    }
    UpdateStatus();
    return result;
}

void MainWindow::Remember(std::unique_ptr<Remembered> kept) {
    remembered_ = std::move(kept);
    if (!remembered_) return;
    if (!remembered_->main_geometry.isEmpty()) restoreGeometry(remembered_->main_geometry);
    Set_DialogFolders(remembered_->folders);
    if (remembered_->zoom != g_zoom) {
        Change_Zoom(this, remembered_->zoom, graph_.get(), &state_, &g_shifth, &g_shiftv);
        g_zoom_main = g_zoom;
    }
    UpdateStatus();
}

void MainWindow::NoteRecent() {
    if (!remembered_ || graph_->reference_file.empty()) return;
    const QString path = QString::fromStdString(graph_->reference_file);
    if (!QFileInfo::exists(path)) return;
    remembered_->AddRecent(path);
    remembered_->Save();
    Add_ToDesktopRecent(path);
}

bool MainWindow::OpenRecent(int index) {
    if (!remembered_ || index < 0 || index >= remembered_->Recent().size()) return false;
    const QString path = remembered_->Recent().at(index);
    if (!QFileInfo::exists(path)) {
        remembered_->RemoveRecent(path);
        remembered_->Save();
        const std::string text =
            "ファイルが見つかりません。最近使ったファイルの一覧から外しました\n" +
            path.toStdString();
        MessageBoxA(OwnerHandle(), text.c_str(), "最近使ったファイル", MB_OK);
        return false;
    }
    const int result = graph_->OpenDroppedFile(path.toStdString(), g_shifth, g_shiftv);
    InvalidateAll();
    return result == 1;
}

void MainWindow::StoreRemembered() {
    if (!remembered_) return;
    remembered_->main_geometry = saveGeometry();
    DialogControls* dialog = Input_Dialog();
    if (QWidget* input = dialog ? Owner_Widget(dialog->Handle()) : nullptr) {
        remembered_->has_input_place = true;
        remembered_->input_place = input->pos();
    }
    remembered_->folders = Dialog_Folders();
    remembered_->zoom = static_cast<int>(g_zoom);
    remembered_->Save();
}

bool MainWindow::Start(HINSTANCE instance) {
    show();
    UpdateStatus();
    g_hWnd = Paper();
    InstallGraphReceiver();
    return Create_ModlsDialog(instance, Paper()) != 0;
}

void MainWindow::Stop() {
    Destroy_ModlsDialog();
    g_hWnd = nullptr;
}

void MainWindow::InstallGraphReceiver() {
    receiver_installed_ = true;
    Set_ProgressHook([this](double done) { return progress_(done); });
    Set_FileProgressHook(
        [this](double done, bool writing) { return progress_.FileWork(done, writing); });
    Set_GraphReceiver(
        [this](GraphRequest& request) { return commands_.Receive(graph_.get(), request); });
}

tagRECT MainWindow::ClientRect() const { return paper_->ClientRect(); }

void MainWindow::SetScrollInfo(int bar, const SCROLLINFO& info, bool) {
    QScrollBar* scroll = bar == SB_VERT ? vbar_ : hbar_;
    updating_bars_ = true;
    if (info.fMask & SIF_RANGE) {
        const int page = (info.fMask & SIF_PAGE) ? static_cast<int>(info.nPage) : 0;
        const int range = info.nMax - page;
        // A Windows bar of maximum = paper and page = client is a Qt bar of 0 ... size - page.
        scroll->setRange(0, range > 0 ? range : 0);
        if (info.fMask & SIF_PAGE) {
            scroll->setPageStep(page);
            scroll->setSingleStep(10);
        }
        scroll->setVisible(range >= 1);
    }
    if (info.fMask & SIF_POS) scroll->setValue(info.nPos);
    updating_bars_ = false;
}

void MainWindow::ScrollWindow(LONG, LONG) { paper_->InvalidateRect(nullptr, true); }

void MainWindow::InvalidateAll() { paper_->InvalidateRect(nullptr, true); }

HWND MainWindow::PaperHandle() { return paper_; }

HWND MainWindow::OwnerHandle() { return paper_; }

void MainWindow::SettleLayout() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

void MainWindow::ShowInputDialog() {
    if (DialogControls* dialog = Input_Dialog()) {
        dialog->ShowDialog(true);
        if (QWidget* widget = Owner_Widget(dialog->Handle())) {
            widget->raise();
            widget->activateWindow();
        }
    }
}

void MainWindow::ShowInputDialogBeside() {
    ShowInputDialog();
    DialogControls* dialog = Input_Dialog();
    QWidget* widget = dialog ? Owner_Widget(dialog->Handle()) : nullptr;
    if (widget == nullptr) return;
    const QRect frame = frameGeometry();
    const QRect screen_area = screen() ? screen()->availableGeometry() : QRect(0, 0, 1920, 1080);
    const QSize size = widget->frameGeometry().size();
    // Where the user left it last time, when that is still on a screen.
    if (remembered_ && remembered_->has_input_place &&
        QGuiApplication::screenAt(remembered_->input_place + QPoint(20, 20)) != nullptr) {
        widget->move(remembered_->input_place);
        return;
    }
    QPoint at(frame.right() + 8, frame.top() + 40);
    // No room right of the window: against the screen's right edge, over the paper's right
    // part, leaving its left part (where the axes begin) in view.
    if (at.x() + size.width() > screen_area.right()) {
        at.setX(qMax(screen_area.left(), screen_area.right() - size.width()));
    }
    widget->move(at);
}

void MainWindow::PaperWheelZoom(int steps, QPoint pos) {
    if (!graph_ || steps == 0) return;
    static const LONG kSteps[] = {25, 33, 50, 67, 75, 100, 125, 150, 200, 300, 400, 600, 800};
    LONG next = g_zoom;
    if (steps > 0) {
        for (LONG z : kSteps) {
            if (z > g_zoom) {
                next = z;
                break;
            }
        }
    } else {
        for (int i = static_cast<int>(std::size(kSteps)) - 1; i >= 0; --i) {
            if (kSteps[i] < g_zoom) {
                next = kSteps[i];
                break;
            }
        }
    }
    if (next == g_zoom) return;
    // The zoom route scales the scroll positions by the ratio; moved first by the mouse's
    // offset, the point under the mouse stays where it is.
    const double ratio = static_cast<double>(next) / static_cast<double>(g_zoom);
    const double shift = (ratio - 1.0) / ratio;
    state_.hori_si.nPos = qMax(0, Trunc_ToInt32(state_.hori_si.nPos + pos.x() * shift));
    state_.ver_si.nPos = qMax(0, Trunc_ToInt32(state_.ver_si.nPos + pos.y() * shift));
    Change_Zoom(this, next, graph_.get(), &state_, &g_shifth, &g_shiftv);
    g_zoom_main = g_zoom;
    UpdateStatus(&pos);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile() || !graph_) return;
    event->acceptProposedAction();
    if (graph_->OpenDroppedFile(urls.first().toLocalFile().toStdString(), g_shifth, g_shiftv) ==
        1) {
        commands_.Opened(graph_.get());
        NoteRecent();
    }
    InvalidateAll();
    UpdateTitle();
}

bool MainWindow::OpenDocument(const std::string& path) {
    // The desktop's opener tells only by its exit status that no program could show the
    // page; it may also stay running with the browser. A failure to start is reported at
    // once, a failing exit when it comes.
    auto* opener = new QProcess(this);
    opener->setProgram("xdg-open");
    opener->setArguments({QUrl::fromLocalFile(QString::fromStdString(path)).toString()});
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(opener, &QProcess::finished, this,
            [this, opener](int exit_code, QProcess::ExitStatus status) {
                if (status != QProcess::NormalExit || exit_code != 0) {
                    Show_HelpOpenFailure(OwnerHandle());
                }
                opener->deleteLater();
            });
    opener->start();
    if (!opener->waitForStarted(5000)) {
        delete opener;
        return false;
    }
    return true;
}

void MainWindow::BarMoved(int bar, int value) {
    if (updating_bars_) return;
    if (bar == SB_VERT) {
        PosChange_VScroll(this, Thumb_Request(SB_THUMBPOSITION, value), &state_.ver_si, &g_shiftv);
        graph_->ObjectVScroll(g_shiftv);
    } else {
        PosChange_HScroll(this, Thumb_Request(SB_THUMBPOSITION, value), &state_.hori_si, &g_shifth);
        graph_->ObjectHScroll(g_shifth);
    }
    // The paper moved under a mouse that may not have (a wheel step): read where it is now.
    UpdateStatus();
}

void MainWindow::Paint(HDC hdc) {
    const tagRECT client = paper_->ClientRect();
    HBRUSH gray = CreateSolidBrush(LIGHT_GRAY);
    FillRect(hdc, &client, gray);
    DeleteObject(gray);
    if (state_.zoom_width_size == 0) return;
    tagRECT paper;
    paper.left = -g_shifth;
    paper.top = -g_shiftv;
    paper.right = paper.left + state_.zoom_width_size;
    paper.bottom = paper.top + state_.zoom_height_size;
    FillRect(hdc, &paper, GetStockBrush(WHITE_BRUSH));
    HBRUSH old_brush = SelectObject(hdc, GetStockBrush(NULL_BRUSH));
    HPEN old_pen = SelectObject(hdc, GetStockPen(BLACK_PEN));
    Rectangle(hdc, paper.left, paper.top, paper.right, paper.bottom);
    SelectObject(hdc, old_pen);
    SelectObject(hdc, old_brush);
    graph_->ReDraw(hdc, SRCAND, 0);
    graph_->DrawDragBands(hdc);
    PaintMarks(hdc);
}

void MainWindow::PaperMousePress(Qt::MouseButton button, QPoint pos,
                                 Qt::KeyboardModifiers modifiers) {
    PlotReading over;
    if (button == Qt::LeftButton && (modifiers & Qt::ShiftModifier) && !graph_->Dragging() &&
        Read_PlotPoint(graph_.get(), pos.x(), pos.y(), &over)) {
        // The new ranges are one step, from the press to the release.
        commands_.PressStarted(graph_.get());
        paper_->SetCapture();
        banding_ = true;
        band_from_ = band_to_ = pos;
        return;
    }
    if (button == Qt::LeftButton) {
        // A drag is one step, from the press to the release.
        commands_.PressStarted(graph_.get());
        paper_->SetCapture();
        graph_->Handle_To_LMouseDown(Pack(pos), &cur_state_);
    } else if (button == Qt::RightButton) {
        graph_->Handle_To_RMouseDown(Pack(pos));
    }
}

void MainWindow::PaperMouseMove(Qt::MouseButtons buttons, QPoint pos) {
    if (banding_) {
        // The band stays inside the plot area, where its corners have values.
        const tagRECT plot = graph_->graph_view ? graph_->graph_view->PutFrmRect() : tagRECT{};
        band_to_ = QPoint(qBound<int>(plot.left, pos.x(), plot.right - 1),
                          qBound<int>(plot.top, pos.y(), plot.bottom - 1));
        InvalidateAll();
        UpdateStatus(&pos);
        return;
    }
    if (buttons & Qt::LeftButton) {
        // Shift or Ctrl held during a drag: still the drag.
        graph_->Handle_To_MouseMove(paper_, Pack(pos), &mspart_win_, &cur_state_);
    } else {
        if (graph_->Dragging()) PaperLostMouse();  // the release went elsewhere
        graph_->MouseMove_NoBdown(Pack(pos), &cur_state_);
    }
    UpdateStatus(&pos);
}

void MainWindow::PaperMouseRelease(Qt::MouseButton button, QPoint pos) {
    if (button != Qt::LeftButton) return;
    if (banding_) {
        PaperMouseMove(Qt::LeftButton, pos);
        banding_ = false;
        if (paper_->HasCapture()) paper_->ReleaseCapture();
        Zoom_AxesToBand(graph_.get(), BandRect(), g_shifth, g_shiftv);
        commands_.PressEnded(graph_.get());
        InvalidateAll();
        UpdateStatus(&pos);
        return;
    }
    graph_->Handle_To_LButtonUp(paper_, Pack(pos), &mspart_win_, &cur_state_);
    if (paper_->HasCapture()) paper_->ReleaseCapture();
    commands_.PressEnded(graph_.get());
}

void MainWindow::PaperDoubleClick(QPoint pos) {
    if (!graph_ || banding_ || graph_->Dragging()) return;
    MoveFrame* target = nullptr;
    if (graph_->CatchOnObject(Pack(pos), &target) < 0 || target == nullptr) return;
    for (int axis = 0; axis < 4; ++axis) {
        if (target != graph_->axis_frame[axis].get() && target != graph_->axis_tick[axis].get()) {
            continue;
        }
        if (graph_->SelectAxisTicks(axis)) {
            InvalidateAll();
            Command(kCmdAxisTicks);
        }
        return;
    }
}

void MainWindow::PaperLostMouse() {
    if (banding_) {
        // A band that lost the mouse changes nothing.
        banding_ = false;
        commands_.PressEnded(graph_.get());
        InvalidateAll();
    }
    if (graph_ && graph_->CancelDrag(paper_, &mspart_win_, &cur_state_)) {
        if (paper_->HasCapture()) paper_->ReleaseCapture();
    }
}

void MainWindow::PaperKey(int key) {
    if (key == Qt::Key_Escape && banding_) {
        PaperLostMouse();  // the band goes, nothing changes
        if (paper_->HasCapture()) paper_->ReleaseCapture();
        return;
    }
    switch (key) {
        case Qt::Key_PageUp: PosChange_VScroll(this, SB_PAGEUP, &state_.ver_si, &g_shiftv); break;
        case Qt::Key_PageDown:
            PosChange_VScroll(this, SB_PAGEDOWN, &state_.ver_si, &g_shiftv);
            break;
        case Qt::Key_Up: PosChange_VScroll(this, SB_LINEUP, &state_.ver_si, &g_shiftv); break;
        case Qt::Key_Down: PosChange_VScroll(this, SB_LINEDOWN, &state_.ver_si, &g_shiftv); break;
        case Qt::Key_Left:
            PosChange_HScroll(this, SB_LINELEFT, &state_.hori_si, &g_shifth);
            graph_->ObjectHScroll(g_shifth);
            return;
        case Qt::Key_Right:
            PosChange_HScroll(this, SB_LINERIGHT, &state_.hori_si, &g_shifth);
            graph_->ObjectHScroll(g_shifth);
            return;
        default: return;
    }
    graph_->ObjectVScroll(g_shiftv);
}

void MainWindow::PaperResized() {
    if (!graph_) return;
    NewScroll_Set(this, SB_VERT, state_.zoom_height_size, &state_.ver_si, &g_shiftv);
    NewScroll_Set(this, SB_HORZ, state_.zoom_width_size, &state_.hori_si, &g_shifth);
    graph_->AdjPosForWinSizeChng(g_shifth, g_shiftv);
    InvalidateAll();
}

namespace {
// The pop-up menu's items by command id, for the menu rules.
class PopupMenuHandle : public MenuHandle {
public:
    explicit PopupMenuHandle(QMenu* menu) : menu_(menu) {}
    void EnableMenuItem(int id, bool enable) override {
        if (QAction* action = Find(id)) action->setEnabled(enable);
    }
    void CheckMenuItem(int id, bool check) override {
        if (QAction* action = Find(id)) action->setChecked(check);
    }

private:
    QAction* Find(int id) const {
        for (QAction* action : menu_->actions()) {
            if (action->data().toInt() == id && !action->isSeparator()) return action;
        }
        return nullptr;
    }
    QMenu* menu_;
};
}  // namespace

void MainWindow::ShowPopUp(tagPOINT point, const MenuEntry& submenu) {
    popup_ = std::make_unique<QMenu>();
    popup_->setTitle(Menu_Text(submenu.text));
    popup_index_ = -1;
    const auto& menus = Obj_Menu_Resource().menus;
    for (size_t i = 0; i < menus.size(); ++i) {
        if (&menus[i] == &submenu) popup_index_ = static_cast<int>(i);
    }
    for (const MenuEntry& item : submenu.items) {
        if (item.IsSeparator()) {
            popup_->addSeparator();
            continue;
        }
        QAction* action = popup_->addAction(Menu_Text(item.text));
        action->setData(item.id);
        action->setEnabled(Command_Available(item.id));
        if (const CommandRow* row = Find_Command(item.id)) action->setCheckable(row->checkable);
    }
    // The grid item carries the same check mark as in the main menu.
    PopupMenuHandle handle(popup_.get());
    SetGridMenu(graph_.get(), &handle);
    if (!show_popups_) return;
    // The press that opened the menu ends here: no drag follows a right click.
    const QPoint global = paper_->mapToGlobal(QPoint(point.x, point.y));
    QAction* chosen = popup_->exec(global);
    if (chosen != nullptr) Command(chosen->data().toInt());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    PaperLostMouse();
    if (closing_ || Confirm_Close(graph_.get(), OwnerHandle())) {
        if (!closing_) StoreRemembered();
        closing_ = true;
        Destroy_ModlsDialog();
        event->accept();
    } else {
        event->ignore();
    }
}
