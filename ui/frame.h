// frame.h -- one frame of the scene
#pragma once

#include "platform/interval_timer.h"

// Read and restarted once per frame, for the frame rate.
extern IntervalTimer frameTimer;

// Clears the scene, applies the commands, then draws the four tiles as the 512x512 picture and
// the pointer cross, measures the frame rate and draws the heads-up display. Called by the main
// loop on every idle pass while the window is not minimised; the loop presents the frame.
void runFrame();
