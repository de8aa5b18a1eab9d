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
    // A selected frame writes its selection into the file; selecting is no change.
    MoveFrame* selected = graph->selectobject;
    const int selection = selected != nullptr ? selected->BoderFlag() : 0;
    if (selected != nullptr) selected->BoderFlag() = 0;
    bool ok = graph->DocumentBytes(&state->document, true);
    if (selected != nullptr) selected->BoderFlag() = selection;
    Set_MessageSink(previous);
    ok = ok && graph->ViewState(&state->view);
    state->file = graph->reference_file;
    if (!ok) state->view.clear();
    return ok;
}

bool UndoHistory::Restore(GraphOnWin* graph, const State& state, LONG h_shift, LONG v_shift) const {
    const std::string name = graph->reference_file.empty() ? state.file : graph->reference_file;
    const auto* data = reinterpret_cast<const unsigned char*>(state.document.data());
    const bool restored = graph->ReplaceFromBytes(data, state.document.size(), name, h_shift,
                                                  v_shift, nullptr, true) == 1 &&
                          graph->RestoreViewState(state.view, h_shift, v_shift);
    graph->reference_file = name;
    graph->SetModified(saved_known_ && state.document == saved_ ? 0 : 1);
    return restored;
}

void UndoHistory::Record(GraphOnWin* graph, State before) {
    State after;
    if (!Snapshot(graph, &after) || after == before) return;
    Push(std::move(before));
}

void UndoHistory::Push(State before) {
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
    const State state = std::move(steps_.back());
    bytes_ -= state.Size();
    steps_.pop_back();
    const bool restored = Restore(graph, state, h_shift, v_shift);
    if (changed) changed();
    if (!restored) {
        MessageBoxA(nullptr, "この変更は取り消せませんでした", "undo error", MB_OK);
    }
    return restored;
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
