// console_message_box.cpp -- message boxes as lines on stderr, for the command-line tools
#include "platform/message_box.h"

#include <cstdio>

#include "platform/text_encoding.h"

namespace {

const char* programName = "";

MessageAnswer stderrMessageBox(const char* text, const char* caption, MessageIcon, MessageButtons) {
    char utf8Text[1024], utf8Caption[256];
    int length = convertCp1250ToUtf8(text, utf8Text, sizeof utf8Text);
    convertCp1250ToUtf8(caption, utf8Caption, sizeof utf8Caption);
    while (length > 0 && utf8Text[length - 1] == '\n') utf8Text[--length] = '\0';
    std::fprintf(stderr, "%s: %s: %s\n", programName, utf8Caption, utf8Text);
    return AnswerClosed;
}

} // namespace

void sendMessageBoxesToStderr(const char* program) {
    programName = program;
    showMessageBox = stderrMessageBox;
}
