// The main window as the commands see it: the paper's scrolling host, plus closing, the
// formula input dialog, opening a file with the desktop and the owner of dialogs.
#pragma once

#include <string>

#include "shell/scroll.h"

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
    // Scroll bars shown or hidden take their room at once, so that ClientRect says what the
    // paper has now (a window lays itself out later otherwise).
    virtual void SettleLayout() {}
    // 最近使ったファイル: opens the index-th document of the list (0 the newest); false when
    // there is none (plotari-cli keeps no list).
    virtual bool OpenRecent(int index) {
        (void)index;
        return false;
    }
};
