// termination.cpp -- no termination signals for a Windows program: its window's close ends it
#include "platform/termination.h"

void catchTerminationSignals() {}

bool terminationRequested() {
    return false;
}
