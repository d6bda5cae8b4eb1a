// console_program.cpp -- the tools' start on POSIX systems, whose arguments are the bytes given
#include "platform/console_program.h"

#include <initializer_list>
#include <signal.h>
#include <unistd.h>

#include "platform/message_box.h"

namespace {

volatile sig_atomic_t interruption = 0;

void onInterruption(int) {
    interruption = 1;
}

} // namespace

void startConsoleProgram(const char* name, int*, char***) {
    sendMessageBoxesToStderr(name);
}

void catchInterruption() {
    struct sigaction action = {};
    action.sa_handler = onInterruption;
    sigemptyset(&action.sa_mask);
    // A signal that the shell set aside (Ctrl-C for a job in the background) stays set aside.
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction before;
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            sigaction(signal, &action, nullptr);
    }
}

bool interruptionRequested() {
    return interruption != 0;
}

int isTerminal(FILE* file) {
    return isatty(fileno(file));
}
