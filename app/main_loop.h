// main_loop.h -- the program's entry and its one message loop
#pragma once

// Asks whether to run full screen, makes the window and scene and runs the main loop until a
// close or Esc; returns the exit code. Called by main.
int viewerMain();

// Takes and dispatches messages, and on every pass that finds none, or that let go of a key no
// pass has read, draws a frame while the window is not minimised, presents it, and switches the
// screen mode on F1; while minimised it then sleeps until the next message. Ends on WM_QUIT,
// with its exit code, or on Esc, with 0; tears the window down at the end. Returns 0 at once
// when the window cannot be made again after a switch.
int runMainLoop();
