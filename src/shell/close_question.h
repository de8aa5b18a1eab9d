// The questions asked before a document is thrown away: save a modified graph? end the program?
#pragma once

#include <functional>

#include "platform/window.h"

class GraphOnWin;

// Saving the graph for the close question (installed with the document files).
using SaveGraphAction = std::function<int()>;
SaveGraphAction Set_SaveGraphAction(SaveGraphAction action);

// Asks whether to save a modified graph (はい, いいえ, キャンセル); the message-box answer, 0
// when nothing was asked. *saved is 1 when the answer was Yes and the save succeeded.
int Check_ObjSave(GraphOnWin* graph, HWND owner, int* saved = nullptr);
// The close question; true when the program may end.
bool Confirm_Close(GraphOnWin* graph, HWND owner);
// The save question before the graph is thrown away; false when the action that asked must
// stop: キャンセル, or a save the user asked for that did not happen.
bool May_Discard(GraphOnWin* graph, HWND owner);
