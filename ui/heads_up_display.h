// heads_up_display.h -- the text overlay of every frame and the help screen
#pragma once

// Statistics, view region, pointer, method list, colouring, kind and, when due, the help
// screen. Called at the end of every frame, after the frame rate has been measured.
void drawHeadsUpDisplay();
