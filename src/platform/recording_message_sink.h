// Test double for message boxes: records every box and answers from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/message_box.h"

struct RecordedBox {
    HWND owner = nullptr;
    std::string caption;
    std::string text;
    UINT style = 0;
};

class RecordingMessageSink : public MessageSink {
public:
    // Installs itself for its lifetime and restores the previous sink afterwards.
    RecordingMessageSink();
    ~RecordingMessageSink() override;
    RecordingMessageSink(const RecordingMessageSink&) = delete;
    RecordingMessageSink& operator=(const RecordingMessageSink&) = delete;

    int Show(HWND owner, const std::string& text, const std::string& caption, UINT style) override;

    // Answers used in order; when the script runs out, the Enter answer is given.
    void Script(std::initializer_list<int> answers) { answers_.insert(answers_.end(), answers); }
    void Clear() { boxes.clear(); }
    // "CAPTION: TEXT" of every box, in order.
    std::vector<std::string> Lines() const;

    std::vector<RecordedBox> boxes;

private:
    std::deque<int> answers_;
    MessageSink* previous_ = nullptr;
};
