#include "platform/recording_message_sink.h"

RecordingMessageSink::RecordingMessageSink() : previous_(Set_MessageSink(this)) {}

RecordingMessageSink::~RecordingMessageSink() { Set_MessageSink(previous_); }

int RecordingMessageSink::Show(HWND owner, const std::string& text, const std::string& caption,
                               UINT style) {
    boxes.push_back({owner, caption, text, style});
    if (!answers_.empty()) {
        int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return Default_Answer(style);
}

std::vector<std::string> RecordingMessageSink::Lines() const {
    std::vector<std::string> lines;
    for (const RecordedBox& box : boxes) lines.push_back(box.caption + ": " + box.text);
    return lines;
}
