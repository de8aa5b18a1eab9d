#include "platform/message_box.h"

#include <cstdio>

HWND g_mhDlg = nullptr;
HWND g_hWnd = nullptr;

namespace {
StderrMessageSink default_sink;
MessageSink* current_sink = &default_sink;
}  // namespace

int Default_Answer(UINT style) {
    switch (style & MB_TYPEMASK) {
        // A question with キャンセル beside はい and いいえ is answered いいえ too: scripts
        // that answered the yes/no question go on as before.
        case MB_YESNO:
        case MB_YESNOCANCEL: return IDNO;
        default: return IDOK;
    }
}

std::string Message_Line(const std::string& caption, const std::string& text) {
    std::string line = caption + ": ";
    for (char c : text) {
        if (c == '\n') {
            line += "\\n";
        } else {
            line += c;
        }
    }
    return line + '\n';
}

int StderrMessageSink::Show(HWND, const std::string& text, const std::string& caption, UINT style) {
    std::fputs(Message_Line(caption, text).c_str(), stderr);
    ++shown_count;
    return Default_Answer(style);
}

MessageSink* Set_MessageSink(MessageSink* sink) {
    MessageSink* previous = current_sink;
    current_sink = sink ? sink : &default_sink;
    return previous;
}

MessageSink* Current_MessageSink() { return current_sink; }

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT style) {
    return current_sink->Show(owner, text ? text : "", caption ? caption : "", style);
}
