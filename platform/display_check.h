// display_check.h -- whether there is a display for the program's window
#pragma once

// Null when windows can be shown, else why not, for a one-line message. A video driver named
// in SDL_VIDEODRIVER is taken as asked: the tests ask for the offscreen one so.
const char* displayProblem();
