// window_proc.h -- the procedure of the program's window class
#pragma once

#include <cstdint>

#include "platform/window_system.h"

// Records keys and buttons in KeyTable, letting them go when the window loses the pointer's
// capture or the keyboard, and the minimised state in windowActive; resizes the scene and turns
// a close into the quit message; everything else goes to the default handling.
// Called through message dispatch, and by the platform while it makes and shows the window.
intptr_t WINDOW_PROC_CALL windowProc(WindowHandle window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam);
