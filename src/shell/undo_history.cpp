#include "shell/undo_history.h"

#include <utility>

#include "platform/message_box.h"

namespace {

// Snapshots are taken silently: the save's refusals are for saving.
class QuietSink : public MessageSink {
public:
    int Show(HWND, const std::string&, const std::string&, UINT style) override {
        return Default_Answer(style);
    }
};

}  // namespace

bool UndoHistory::Snapshot(GraphOnWin* graph, State* state) {
    QuietSink quiet;
    MessageSink* previous = Set_MessageSink(&quiet);
    const bool ok = graph->DocumentBytes(&state->document);
    Set_MessageSink(previous);
    state->legend = ok ? graph->LegendState() : std::string();
    return ok;
}

void UndoHistory::Record(GraphOnWin* graph, State before) {
    State after;
    if (!Snapshot(graph, &after) || after == before) return;
    bytes_ += before.Size();
    steps_.push_back(std::move(before));
    while (steps_.size() > kMaxSteps || (bytes_ > kMaxBytes && steps_.size() > 1)) {
        bytes_ -= steps_.front().Size();
        steps_.pop_front();
    }
    if (changed) changed();
}

bool UndoHistory::Undo(GraphOnWin* graph, LONG h_shift, LONG v_shift) {
    if (steps_.empty() || graph == nullptr) return false;
    const State& state = steps_.back();
    const auto* data = reinterpret_cast<const unsigned char*>(state.document.data());
    if (graph->ReplaceFromBytes(data, state.document.size(), std::string(), h_shift, v_shift) !=
        1) {
        return false;
    }
    graph->RestoreLegendState(state.legend, h_shift, v_shift);
    graph->SetModified(saved_known_ && state.document == saved_ ? 0 : 1);
    bytes_ -= state.Size();
    steps_.pop_back();
    if (changed) changed();
    return true;
}

void UndoHistory::Reset(GraphOnWin* graph) {
    steps_.clear();
    bytes_ = 0;
    MarkSaved(graph);
    if (changed) changed();
}

void UndoHistory::MarkSaved(GraphOnWin* graph) {
    State state;
    saved_known_ = graph != nullptr && Snapshot(graph, &state);
    saved_ = std::move(state.document);
}
