// main.cpp -- the viewer's entry
#include <cstdio>

#include "app/main_loop.h"
#include "platform/display_check.h"
#include "platform/termination.h"
#include "platform/x87_control.h"

// Without a display the viewer would run unseen: it says why before anything else, and fails.
int main() {
    loadX87ControlWord(x87DefaultControlWord);
    catchTerminationSignals();
    if (const char* problem = displayProblem()) {
        std::fprintf(stderr, "zelvonia: no display: %s\n", problem);
        return 1;
    }
    return viewerMain();
}
