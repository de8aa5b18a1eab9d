// The menu "TITLEMENU" of the main window, its accelerators, the state of its items when a
// menu opens, and the commands run from it and from the element pop-up menus.
#pragma once

#include <functional>
#include <string>

#include "platform/menu.h"
#include "shell/paper_dialogs.h"

class GraphOnWin;

// The main window as the commands see it.
class PaperHost : public ScrollHost {
public:
    // Ends the program after the close question (WM_CLOSE).
    virtual void CloseWindow() = 0;
    // Shows the formula input dialog and gives it the focus.
    virtual void ShowInputDialog() = 0;
    // Opens a file with the desktop's default program; false when that failed.
    virtual bool OpenDocument(const std::string& path) = 0;
    // Owner of message boxes and dialogs.
    virtual HWND OwnerHandle() = 0;
};

const MenuResource& Title_Menu_Resource();  // "TITLEMENU"

struct Accelerator {
    int key;       // the letter with Ctrl
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

// The fourteen items that act on the selected element.
extern const int OBJECT_MENU_ITEMS[14];

void DisEnable_AllOnObject(MenuHandle* menu);
void DisEnaSwitch_GraphMenuItem(int kind, MenuHandle* menu);
void DisEnaSwitch_EditMenuItem(int flag, MenuHandle* menu);
void DisEnaSwitch_FileMenuItem(int flag, MenuHandle* menu);
// グリッド線表示切替 (1150) checked when the selected tick frame's grid lines are shown; 1
// when a tick frame is selected, else 0 (the menu untouched). For the main and pop-up menus.
int SetGridMenu(GraphOnWin* graph, MenuHandle* menu);
// All the rules run when a menu opens; commands not available in this build stay gray.
void Update_MenuState(GraphOnWin* graph, MenuHandle* menu);

// Commands of later parts of the program register their action here; until then their
// items stay gray and their accelerators do nothing.
using CommandAction = std::function<int(PaperHost* host)>;
void Register_Command(int id, CommandAction action);
bool Command_Available(int id);

// Saving the graph for the close question (installed with the document files).
using SaveGraphAction = std::function<int()>;
SaveGraphAction Set_SaveGraphAction(SaveGraphAction action);

// Asks whether to save a modified graph; the message-box answer, 0 when nothing was asked.
// *saved is 1 when the answer was Yes and the save succeeded.
int Check_ObjSave(GraphOnWin* graph, HWND owner, int* saved = nullptr);
// The close question; true when the program may end.
bool Confirm_Close(GraphOnWin* graph, HWND owner);

// The manual "使用説明/PlotariVer.html" under the current directory.
std::string Help_FilePath();
// The installed manual (share/plotari beside the program's bin folder, or the copy beside a
// built program); empty when there is none. 説明書を見る falls back to it when the current
// directory has no manual.
std::string Installed_HelpFilePath();
int Open_HelpFile(PaperHost* host);
// The message of a manual that could not be opened (also when the desktop's opener fails
// after it started).
void Show_HelpOpenFailure(HWND owner);
// The text of "このソフトについて".
std::string About_Text();

// One menu command. Returns 1 (0 for the zoom without a graph).
int Handle_Of_Menu(PaperHost* host, int command, GraphOnWin* graph, PaperState* paper,
                   LONG* shifth, LONG* shiftv);
