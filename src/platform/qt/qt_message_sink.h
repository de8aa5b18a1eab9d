// Message boxes as QMessageBox, owned by the widget behind the owner handle.
#pragma once

#include "platform/message_box.h"

class QtMessageSink : public MessageSink {
public:
    int Show(HWND owner, const std::string& text, const std::string& caption, UINT style) override;
};
