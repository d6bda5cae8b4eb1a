// display_check.cpp -- Windows always has a desktop to show the window on
#include "platform/display_check.h"

const char* displayProblem() {
    return nullptr;
}
