// The document's changes as one user makes them (see the header).
#include "shell/document_commands.h"

#include <utility>

#include "document/graph_on_win.h"
#include "platform/message_box.h"

void DocumentCommands::Finish(GraphOnWin* graph, bool known, UndoHistory::State before,
                              bool changed) {
    if (graph == nullptr || !known) return;
    if (!graph->FitsItsFile(true)) {
        // What could not be saved and opened again is not kept.
        history_.Restore(graph, before, g_shifth, g_shiftv);
        if (host_ != nullptr) host_->InvalidateAll();
        MessageBoxA(host_ != nullptr ? host_->OwnerHandle() : nullptr,
                    "図の要素の大きさまたは位置が保存できる範囲を超えるため、"
                    "この変更は取り消しました",
                    "out of range", MB_OK);
        return;
    }
    if (changed) {
        history_.Push(std::move(before));
    } else {
        history_.Record(graph, std::move(before));
    }
}

int DocumentCommands::Command(GraphOnWin* graph, int id) {
    auto run = [&] { return Handle_Of_Menu(host_, id, graph, state_, &g_shifth, &g_shiftv); };
    // A document of 最近使ったファイル is opened as 開く opens one.
    const int kind = id >= kCmdRecent1 && id <= kCmdRecentLast ? int(kCmdOpen) : id;
    switch (kind) {
        case kCmdUndo:
            if (history_.Undo(graph, g_shifth, g_shiftv) && host_ != nullptr) {
                host_->InvalidateAll();
            }
            return 1;
        case kCmdOpen: {  // a document opened replaces the history
            UndoHistory::State before;
            const bool known = graph != nullptr && UndoHistory::Snapshot(graph, &before);
            const int result = run();
            UndoHistory::State after;
            if (graph != nullptr &&
                (!known || !UndoHistory::Snapshot(graph, &after) || !(after == before))) {
                history_.Reset(graph);
            }
            return result;
        }
        case kCmdZoom:
        case kCmdZoomWholeSheet:
        case kCmdZoomSheetWidth:
        case kCmdZoomActualSize:
        case kCmdSavePicture:
        case kCmdExportData:
        case kCmdPrint:
        case kCmdCopy:
        case kCmdManual:
        case kCmdAbout:
            // These show, write or hand out the document and never change it: no snapshots,
            // which for a large document cost more than the command itself.
            return run();
        case kCmdSave:
        case kCmdSaveAs: {  // saving changes nothing but what counts as saved
            const int result = run();
            if (graph != nullptr && graph->RsinfoFlag() == 0) history_.MarkSaved(graph);
            return result;
        }
        default: {
            UndoHistory::State before;
            const bool known = graph != nullptr && UndoHistory::Snapshot(graph, &before);
            const int result = run();
            Finish(graph, known, std::move(before));
            return result;
        }
    }
}

int DocumentCommands::Receive(GraphOnWin* graph, GraphRequest& request) {
    UndoHistory::State before;
    const bool known = graph != nullptr && UndoHistory::Snapshot(graph, &before);
    const int result = Hand_ToGraphDocument(request);
    // A series handed over is a change for sure: no need to compare whole documents.
    Finish(graph, known, std::move(before), result == 1);
    return result;
}

void DocumentCommands::PressStarted(GraphOnWin* graph) {
    press_known_ = graph != nullptr && UndoHistory::Snapshot(graph, &press_before_);
}

void DocumentCommands::PressEnded(GraphOnWin* graph) {
    const bool known = press_known_;
    press_known_ = false;
    Finish(graph, known, std::move(press_before_));
}
