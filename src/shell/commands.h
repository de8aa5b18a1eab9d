// The program's command table: every command's fixed id, menu text, accelerator, availability
// rule and handler in one place. The main menu "TITLEMENU", the element pop-up menus
// "OBJMENU", the accelerators, the menu state when a menu opens, Handle_Of_Menu and
// plotari-cli's menu actions are all made from it.
#pragma once

#include <string>
#include <vector>

#include "platform/menu.h"
#include "shell/paper_dialogs.h"
#include "shell/paper_host.h"

class GraphOnWin;

// The fixed command ids, as documents of the menus and the accelerators know them.
enum CommandId : int {
    // Added by this program: an empty paper, as at the start.
    kCmdNew = 90,
    kCmdOpen = 100,
    kCmdSave = 110,
    kCmdSaveAs = 120,
    kCmdSavePicture = 130,
    kCmdExportData = 135,
    kCmdPrintSetup = 140,
    kCmdPrint = 150,
    kCmdZoom = 160,
    // Added by this program: the sheet or its width fitted to the window, and 100 %.
    kCmdZoomWholeSheet = 161,
    kCmdZoomSheetWidth = 162,
    kCmdZoomActualSize = 163,
    kCmdExit = 170,
    // Added by this program: 最近使ったファイル, the documents last opened or saved (newest
    // first); each item opens its document as 開く would.
    kCmdRecent1 = 181,
    kCmdRecentLast = 190,
    kCmdUndo = 300,
    kCmdCut = 310,
    kCmdCopy = 320,
    kCmdPaste = 330,
    kCmdFormulaInput = 500,
    kCmdTitleFont = 1000,
    kCmdTitleText = 1050,
    kCmdAxisTicks = 1100,
    kCmdGrid = 1150,
    kCmdNumbersFont = 1200,
    kCmdNumberStyle = 1250,
    kCmdLegend = 1300,
    kCmdLineColor = 1310,
    kCmdMarkerColor = 1315,
    kCmdLineProp = 1320,
    kCmdDeleteLine = 1330,
    kCmdSeriesFont = 1400,
    kCmdSeriesText = 1450,
    kCmdGraphSize = 1460,
    kCmdMarkerDefaults = 1470,
    // Added by this program: every axis back to the range of its data.
    kCmdFitAxesToData = 1480,
    kCmdManual = 1600,
    kCmdAbout = 1650,
};

// When a command's menu item is enabled, judged each time a menu opens.
enum class CommandRule {
    Always,          // never grayed
    Printable,       // a graph that can be printed is on the paper
    Undoable,        // there is a step to take back
    Selection,       // an element of one of `kinds` is selected
    LegendOrHidden,  // the legend is selected, or hidden (it can always be shown again)
    GraphShown,      // a graph is on the paper
    TickSelected,    // a tick frame is selected (the item also carries the grid's check mark)
    NotBuilt,        // no action in this program: always gray
};

// What a handler is given: the window, the document, the paper's state and scroll position.
struct CommandCall {
    PaperHost* host;
    GraphOnWin* graph;
    PaperState* paper;
    LONG* shifth;
    LONG* shiftv;
    int id;
    HWND owner;         // of message boxes and dialogs
    HWND paper_window;  // the paper, for its size in pixels
};
using CommandHandler = int (*)(const CommandCall& call);

struct CommandRow {
    CommandId id;
    const char* text;  // the menu text, accelerator hint included
    char ctrl_key;     // the letter with Ctrl, or 0
    bool key_on_item;  // the key is the menu item's own shortcut (shown, works only when
                       // enabled) rather than one of "GRAPHACCEL"
    bool checkable;    // the item carries a check mark
    CommandRule rule;
    int kinds;               // CommandRule::Selection: the element kinds (bit 1 << kind)
    CommandHandler handler;  // null: the command is not run by Handle_Of_Menu
};

// Every command, in menu order.
const std::vector<CommandRow>& Command_Table();
// A command by id, or null.
const CommandRow* Find_Command(int id);

const MenuResource& Title_Menu_Resource();  // "TITLEMENU"
// "OBJMENU": the pop-up menus of the graph elements, the first six submenus of グラフ操作.
// Known to the pop-up menus by name once it has been asked for.
const MenuResource& Obj_Menu_Resource();

struct Accelerator {
    int key;  // the letter with Ctrl
    int command;
};
// "GRAPHACCEL": Ctrl+O 100, Ctrl+S 110, Ctrl+C 320, Ctrl+P 150.
const Accelerator* Graph_Accelerators(int* count);

// A menu's items by command id.
class MenuHandle {
public:
    virtual ~MenuHandle() = default;
    virtual void EnableMenuItem(int id, bool enable) = 0;
    virtual void CheckMenuItem(int id, bool check) = 0;
};

void DisEnable_AllOnObject(MenuHandle* menu);
void DisEnaSwitch_GraphMenuItem(int kind, MenuHandle* menu);
void DisEnaSwitch_EditMenuItem(int flag, MenuHandle* menu);
void DisEnaSwitch_FileMenuItem(int flag, MenuHandle* menu);
// グリッド線表示切替 (1150) checked when the selected tick frame's grid lines are shown; 1
// when a tick frame is selected, else 0 (the menu untouched). For the main and pop-up menus.
int SetGridMenu(GraphOnWin* graph, MenuHandle* menu);
// Every rule of the table, as when a menu opens; can_undo enables やり直し.
void Update_MenuState(GraphOnWin* graph, MenuHandle* menu, bool can_undo = false);
// True when the command has an action in this program.
bool Command_Available(int id);

// One menu command. Returns 1 (0 for the zoom without a graph).
int Handle_Of_Menu(PaperHost* host, int command, GraphOnWin* graph, PaperState* paper, LONG* shifth,
                   LONG* shiftv);
