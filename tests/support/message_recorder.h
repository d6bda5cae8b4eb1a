// message_recorder.h -- message boxes captured by a test instead of shown
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/message_box.h"

struct RecordedMessage {
    std::string text, caption;
    MessageIcon icon = IconNone;
    MessageButtons buttons = ButtonsOk;
    bool operator==(const RecordedMessage&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const RecordedMessage& m) {
    return out << '"' << m.text << "\" captioned \"" << m.caption << "\", icon " << m.icon
               << ", buttons " << m.buttons;
}

// While one exists, every message box lands in its messages and gets answer. One at a time.
struct MessageRecorder {
    std::vector<RecordedMessage> messages;
    MessageAnswer answer = AnswerOk;

    MessageRecorder() {
        active = this;
        showMessageBox = [](const char* text, const char* caption, MessageIcon icon,
                            MessageButtons buttons) {
            active->messages.push_back({text, caption, icon, buttons});
            return active->answer;
        };
    }
    ~MessageRecorder() {
        showMessageBox = systemMessageBox;
        active = nullptr;
    }
    static inline MessageRecorder* active = nullptr;
};
