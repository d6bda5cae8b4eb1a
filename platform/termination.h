// termination.h -- SIGINT and SIGTERM as a request to end the program through its own teardown
#pragma once

// From now on SIGINT and SIGTERM ask the program to end: a message box on screen goes away as
// if closed, no further box is shown, and the program's window is sent a close, so that the
// normal teardown restores the display. Call before the window system is opened. Where the system
// has no such signals (Windows), nothing happens.
void catchTerminationSignals();

// True once such a signal has come.
bool terminationRequested();
