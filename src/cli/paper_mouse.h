// Clicks and drags on the paper as a user's mouse makes them, for plotari-cli: the element
// named on the command line is found, the view is scrolled to show it (as a user would
// scroll), and the press, move and release go to the document as the window sends them.
#pragma once

#include <string>

#include "platform/window.h"

class DocumentCommands;
class GraphOnWin;
class MoveFrame;
struct PaperState;

class PaperMouse {
public:
    PaperMouse(GraphOnWin& graph, HWND paper, PaperState& state, DocumentCommands& commands)
        : graph_(graph), paper_(paper), state_(state), commands_(commands) {}

    // True when what names an element kind ("title", "ticks:1", "legend-name:0", "none"...),
    // whether or not the graph has it.
    static bool IsElementName(const std::string& what);
    // Empty when done, else why a user could not do it.
    std::string Click(const std::string& what);
    std::string Drag(const std::string& what, double dx_mm, double dy_mm);

private:
    // The element, or null with the reason; none is never found (it is the empty paper).
    MoveFrame* Find(const std::string& what, std::string* why);
    // Scrolls so that the point (pixels on the whole paper at this zoom) is near the middle
    // of the window, as far as the paper allows.
    void ScrollTowards(LONG x, LONG y);
    // A point of the window where a press hits target (null: hits nothing); false if none.
    bool PointOn(MoveFrame* target, LONG* x, LONG* y);
    bool Inside(LONG x, LONG y) const;
    void Press(LONG x, LONG y, LONG to_x, LONG to_y, bool move);

    GraphOnWin& graph_;
    HWND paper_;
    PaperState& state_;
    DocumentCommands& commands_;
};
