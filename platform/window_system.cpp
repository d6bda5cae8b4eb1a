// window_system.cpp -- the table of window-system operations that the program uses
#include "platform/platform_window.h"

const WindowSystem sdlWindowSystem = {
    sdlRegisterClass,    sdlChangeDisplayMode,   sdlShowCursor,           sdlCreateWindow,
    sdlGetDeviceContext, sdlChoosePixelFormat,   sdlSetPixelFormat,       sdlCreateRenderContext,
    sdlMakeCurrent,      sdlDeleteRenderContext, sdlReleaseDeviceContext, sdlDestroyWindow,
    sdlUnregisterClass,
};

const WindowSystem* windowSystem = &sdlWindowSystem;
