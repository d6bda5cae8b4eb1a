// console_program.cpp -- the tools' start on POSIX systems, whose arguments are the bytes given
#include "platform/console_program.h"

#include "platform/message_box.h"

void startConsoleProgram(const char* name, int*, char***) {
    sendMessageBoxesToStderr(name);
}
