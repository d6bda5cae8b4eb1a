// window_system.cpp -- the window system the program calls
#include "platform/window_system.h"

const WindowSystem* windowSystem = &systemWindowSystem;
