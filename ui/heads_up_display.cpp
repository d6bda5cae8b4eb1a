// heads_up_display.cpp -- the text overlay of every frame and the help screen
#include "ui/heads_up_display.h"

// Placeholder until the display is written.
void drawHeadsUpDisplay() {}
