// The main window "Plotari Ver.2.2": the menu bar, the paper with the graph document and its
// scroll bars, the keyboard and mouse routed to the document, the close question.
#pragma once

#include <QMainWindow>

#include <map>
#include <memory>

#include "document/graph_on_win.h"
#include "document/graph_readout.h"
#include "platform/qt/paper_widget.h"
#include "platform/qt/widget_window.h"
#include "shell/commands.h"
#include "shell/progress_feedback.h"
#include "shell/document_commands.h"
#include "shell/remembered.h"

class QAction;
class QLabel;
class QMenu;
class QScrollBar;
class MainWindow;

// The paper view: the client area the graph document draws on and receives the mouse from.
class PaperView : public PaperWidget, public QtWidgetOwner {
    Q_OBJECT
public:
    PaperView(MainWindow* main, QWidget* parent);
    QWidget* OwnerWidget() override;
    // The main window comes to the front (a graph drawn from the input dialog is seen).
    void BringToTop() override;
    // The main window is going: events are no longer passed on.
    void Detach() { main_ = nullptr; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    MainWindow* main_;
};

class MainWindow : public QMainWindow, public PaperHost, private MenuHandle {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    // ScrollHost / PaperHost.
    tagRECT ClientRect() const override;
    void SetScrollInfo(int bar, const SCROLLINFO& info, bool redraw) override;
    void ScrollWindow(LONG dx, LONG dy) override;
    void InvalidateAll() override;
    HWND PaperHandle() override;
    void CloseWindow() override { close(); }
    void ShowInputDialog() override;
    // At start-up: the input dialog shown beside the paper, where a new user sees it.
    void ShowInputDialogBeside();
    bool OpenDocument(const std::string& path) override;
    HWND OwnerHandle() override;
    void SettleLayout() override;
    bool OpenRecent(int index) override;

    // The program keeps its settings in kept (the window's size, place and zoom are taken from
    // it at once); without this call the window keeps nothing (the tests, plotari-cli).
    void Remember(std::unique_ptr<Remembered> kept);
    const Remembered* Kept() const { return remembered_.get(); }
    // The document now open or saved goes first in 最近使ったファイル and the desktop's list.
    void NoteRecent();
    // Everything kept is written as the window closes.
    void StoreRemembered();

    PaperView* Paper() { return paper_; }
    GraphOnWin* Graph() { return graph_.get(); }
    PaperState& State() { return state_; }
    QScrollBar* HorizontalBar() { return hbar_; }
    QScrollBar* VerticalBar() { return vbar_; }
    QAction* Action(int id) const;
    int CurState() const { return cur_state_; }
    int EdgeState() const { return mspart_win_; }

    // One menu command (WM_COMMAND).
    int Command(int id);
    // Sampled series reach the document through the window, so that adding one is undoable,
    // and long sampling shows its progress there.
    void InstallGraphReceiver();
    // The program's start-up wiring, the same for the program, its benchmark and the window
    // tests: shown, the paper as g_hWnd, the undoable graph receiver, the formula input
    // dialog as a tool window of this one. False when the dialog could not be made.
    bool Start(HINSTANCE instance);
    // The input dialog closed and g_hWnd cleared, before the window goes.
    void Stop();
    ProgressFeedback& Progress() { return progress_; }
    // A document opened from outside the menus (the command line): nothing to undo.
    void ResetUndo() { commands_.Opened(graph_.get()); }
    const UndoHistory& Undo() const { return commands_.History(); }
    // The menu state rules, as when a menu opens.
    void UpdateMenus();
    // The status bar: the zoom, and what is under the mouse at *mouse (paper pixels) when
    // given.
    void UpdateStatus(const QPoint* mouse = nullptr);
    // The caption names the document: "NAME.dat — Plotari Ver.2.2", "*" before it while there
    // are unsaved changes, "無題" for a graph never saved, the program's name alone without a
    // document.
    void UpdateTitle();
    QString StatusText() const;
    QString ZoomText() const;
    // The selected series' point nearest to the mouse, and the point the cross marks
    // (series -1: none).
    QString PointText() const;
    SeriesPoint MarkedPoint() const { return marked_; }
    // The element pop-up menu last built (null before): for the program and its tests.
    QMenu* LastPopUp() const { return popup_.get(); }
    int LastPopUpIndex() const { return popup_index_; }
    // The pop-up menus are shown modally; tests may build them without showing.
    void SetPopUpsShown(bool shown) { show_popups_ = shown; }

    // Routed from the paper view.
    // Shift + the left button over the plot area starts a rubber band instead of a drag.
    void PaperMousePress(Qt::MouseButton button, QPoint pos,
                         Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // A double click on an axis's numbers or ticks opens that axis's dialog.
    void PaperDoubleClick(QPoint pos);
    bool Banding() const { return banding_; }
    void PaperMouseMove(Qt::MouseButtons buttons, QPoint pos);
    void PaperMouseRelease(Qt::MouseButton button, QPoint pos);
    void PaperKey(int key);
    void PaperLostMouse();
    void PaperResized();
    // Ctrl + wheel: the next zoom step up (steps > 0) or down, through the zoom dialog's
    // route, keeping the paper point under pos where it is.
    void PaperWheelZoom(int steps, QPoint pos);

protected:
    void closeEvent(QCloseEvent* event) override;
    // A document dropped on the window opens as 開く would open it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void EnableMenuItem(int id, bool enable) override;
    void CheckMenuItem(int id, bool check) override;
    void BuildMenus();
    void AddEntries(QMenu* menu, const MenuEntry& entry);
    void Paint(HDC hdc);
    void ShowPopUp(tagPOINT point, const MenuEntry& submenu);
    void BarMoved(int bar, int value);
    // The cross on the marked point and the rubber band, drawn on the window only.
    void PaintMarks(HDC hdc);
    void InvalidateCross(const SeriesPoint& point);
    tagRECT BandRect() const;

    PaperView* paper_ = nullptr;
    QLabel* readout_ = nullptr;
    QLabel* zoom_label_ = nullptr;
    QLabel* point_label_ = nullptr;
    SeriesPoint marked_;
    bool banding_ = false;
    QPoint band_from_;
    QPoint band_to_;
    QScrollBar* hbar_ = nullptr;
    QScrollBar* vbar_ = nullptr;
    std::unique_ptr<GraphOnWin> graph_;
    PaperState state_;
    std::map<int, QAction*> actions_;
    std::unique_ptr<QMenu> popup_;
    int popup_index_ = -1;
    bool show_popups_ = true;
    bool updating_bars_ = false;
    bool closing_ = false;
    int cur_state_ = -1;
    int mspart_win_ = -1;
    DocumentCommands commands_{this, &state_};
    ProgressFeedback progress_{this};
    bool receiver_installed_ = false;
    std::unique_ptr<Remembered> remembered_;
};

// The program's icon "PRICON": a small graph on a sheet.
QIcon Program_Icon();
