// The document's changes as one user makes them, for the window and plotari-cli alike: every
// menu command, drag and drawn formula is one undoable step; opening replaces the history and
// saving marks what counts as saved; a change that would leave the document outside what its
// file can hold is taken back with a message; やり直し restores the state before a step.
#pragma once

#include "kinds/graph_handover.h"
#include "shell/commands.h"
#include "shell/undo_history.h"

class DocumentCommands {
public:
    DocumentCommands(PaperHost* host, PaperState* state) : host_(host), state_(state) {}

    // A menu command (Handle_Of_Menu), やり直し (300) included.
    int Command(GraphOnWin* graph, int id);
    // The samplers' hand-over of a graph, as one step.
    int Receive(GraphOnWin* graph, GraphRequest& request);
    // The left button's press and release on the paper: whatever happens between them (a
    // drag, a click that selects) is one step.
    void PressStarted(GraphOnWin* graph);
    void PressEnded(GraphOnWin* graph);
    // A document opened (or dropped) outside a command: nothing to undo.
    void Opened(GraphOnWin* graph) { history_.Reset(graph); }

    UndoHistory& History() { return history_; }
    const UndoHistory& History() const { return history_; }

private:
    // Keeps the step, or takes a change that broke the file's limits back.
    void Finish(GraphOnWin* graph, bool known, UndoHistory::State before, bool changed = false);

    PaperHost* host_;
    PaperState* state_;
    UndoHistory history_;
    UndoHistory::State press_before_;
    bool press_known_ = false;
};
