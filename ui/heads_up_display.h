// heads_up_display.h -- the text overlay of every frame and the help screen
#pragma once

#include "platform/interval_timer.h"

// Restarted at each scene start by initScene; the help screen shows for a while after it.
extern IntervalTimer helpTimer;

// Statistics, view region, pointer, method list, colouring, kind and, when due, the help
// screen. Called at the end of every frame, after the frame rate has been measured.
void drawHeadsUpDisplay();
