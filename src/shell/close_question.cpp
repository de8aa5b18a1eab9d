// The questions asked before a document is thrown away (see the header).
#include "shell/close_question.h"

#include <utility>

#include "document/graph_on_win.h"
#include "platform/message_box.h"

namespace {
SaveGraphAction& Save_Action() {
    static SaveGraphAction action;
    return action;
}
}  // namespace

SaveGraphAction Set_SaveGraphAction(SaveGraphAction action) {
    SaveGraphAction previous = std::move(Save_Action());
    Save_Action() = std::move(action);
    return previous;
}

int Check_ObjSave(GraphOnWin* graph, HWND owner, int* saved) {
    if (saved != nullptr) *saved = 0;
    if (graph == nullptr || graph->RsinfoFlag() != 1) return 0;
    const int answer = MessageBoxA(owner, "現在のデータを保存しますか?", "Do you save data?",
                                   MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES) {
        const int result = Save_Action() ? Save_Action()() : graph->SaveGraphToFile();
        if (saved != nullptr) *saved = result == 1 ? 1 : 0;
    }
    return answer;
}

bool Confirm_Close(GraphOnWin* graph, HWND owner) {
    if (MessageBoxA(owner, "終了していいですか？", "Closed message", MB_YESNO | MB_ICONQUESTION) !=
        IDYES) {
        return false;
    }
    return May_Discard(graph, owner);
}

bool May_Discard(GraphOnWin* graph, HWND owner) {
    int saved = 0;
    const int answer = Check_ObjSave(graph, owner, &saved);
    // キャンセル steps back; a graph the user wanted saved but that was not saved is not
    // thrown away either.
    return answer != IDCANCEL && !(answer == IDYES && saved != 1);
}
