// What every fuzz target shares: message boxes answered silently as Enter would.
#pragma once

#include <string>

#include "platform/message_box.h"

class SilentSink : public MessageSink {
public:
    int Show(HWND, const std::string&, const std::string&, UINT style) override {
        return Default_Answer(style);
    }
};

inline void Install_SilentSink() {
    static SilentSink sink;
    Set_MessageSink(&sink);
}
