// やり直し: the last changes to the graph taken back, up to 50 of them. Each step is the whole
// document as its file would hold it (without the selection, which is no change), with what
// the user sees that the file does not hold (grid lines, marker intervals, the legend),
// taken before a change; a change is anything that alters them (editing commands, drags,
// size changes, added or deleted series).
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>

#include "document/graph_on_win.h"

class UndoHistory {
public:
    static constexpr size_t kMaxSteps = 50;
    // Older steps are dropped beyond this many bytes in all (documents of 10^6 points are
    // 16 MB each).
    static constexpr size_t kMaxBytes = size_t{400} << 20;

    struct State {
        std::string document;  // empty for a paper without a graph
        std::string view;      // GraphOnWin::ViewState
        // The document's file name then: given back by an undo to a document left without
        // one (新規作成, the last line deleted). Not part of the comparison.
        std::string file;
        bool operator==(const State& other) const {
            return document == other.document && view == other.view;
        }
        size_t Size() const { return document.size() + view.size(); }
    };

    // The document's state now; false (no message shown) for a document that cannot be
    // written, which is then not undoable.
    static bool Snapshot(GraphOnWin* graph, State* state);

    // Called with the state before an action: a step is kept when the action changed it.
    void Record(GraphOnWin* graph, State before);
    // The same for an action known to have changed the document (no comparison needed).
    void Push(State before);
    bool CanUndo() const { return !steps_.empty(); }
    size_t Steps() const { return steps_.size(); }
    // Restores the state before the last change; the step is used up even when it cannot be
    // restored (false, after a message). The document keeps its file name (or takes back the
    // step's when it has none), and counts as unchanged again when that is the state last
    // opened or saved.
    bool Undo(GraphOnWin* graph, LONG h_shift, LONG v_shift);
    // Puts a state back into the graph as Undo does, without touching the steps.
    bool Restore(GraphOnWin* graph, const State& state, LONG h_shift, LONG v_shift) const;
    // A document opened or started anew: nothing to undo, and this is the saved state.
    void Reset(GraphOnWin* graph);
    // The document was saved: its state now is the saved one.
    void MarkSaved(GraphOnWin* graph);

    // Called whenever a step is added or taken back or the history is emptied: the menu item
    // and its Ctrl+Z follow CanUndo() at once, not only when a menu is next opened.
    std::function<void()> changed;

private:
    std::deque<State> steps_;
    size_t bytes_ = 0;
    std::string saved_;  // the document part of the saved state
    bool saved_known_ = true;
};

// Runs an action on the document as one undoable step.
template <typename Action>
auto Undoable(UndoHistory* history, GraphOnWin* graph, Action action) {
    UndoHistory::State before;
    const bool snapshot = graph != nullptr && UndoHistory::Snapshot(graph, &before);
    auto result = action();
    if (snapshot) history->Record(graph, std::move(before));
    return result;
}
