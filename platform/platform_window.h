// platform_window.h -- what the shell's opaque handles point to; for the platform's own files
#pragma once

#include <SDL.h>

#include "platform/window_system.h"

struct PlatformInstance {
    int unused;
};

struct PlatformWindow {
    SDL_Window* surface; // made by setPixelFormat, once the frame buffer's format is known
    uint32_t style;
    int32_t x, y, width, height;
    char title[256]; // UTF-8
    WindowProcedure procedure;
    bool minimised;
};

struct PlatformDevice {
    PlatformWindow* window;
};

struct PlatformContext {
    SDL_GLContext gl;
};

// The program's one window, or null.
PlatformWindow* liveWindow();

// The procedure of the registered class, or null.
WindowProcedure classProcedure();

// The full-screen mode that changeDisplayMode has set, or null while the desktop's mode holds.
const DisplayMode* fullScreenMode();

// Hands a message straight to the window's procedure, as the window system does while it
// creates or shows a window.
intptr_t sendMessage(PlatformWindow* window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// True when the class of that name is registered for that instance.
bool isRegisteredClass(const char* className, InstanceHandle instance);

// Shows or hides the pointer as the show counter says; a new surface starts with SDL's default.
void applyCursorVisibility();

// The SDL implementations of the WindowSystem operations.
int sdlRegisterClass(const WindowClass* windowClass);
int sdlChangeDisplayMode(const DisplayMode* mode, uint32_t flags);
int sdlShowCursor(int show);
WindowHandle sdlCreateWindow(uint32_t exStyle, const char* className, const char* title,
                             uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                             InstanceHandle instance);
DeviceContext sdlGetDeviceContext(WindowHandle window);
int sdlChoosePixelFormat(DeviceContext device, const PixelFormatRequest* request);
int sdlSetPixelFormat(DeviceContext device, int format, const PixelFormatRequest* request);
RenderContext sdlCreateRenderContext(DeviceContext device);
int sdlMakeCurrent(DeviceContext device, RenderContext context);
int sdlDeleteRenderContext(RenderContext context);
int sdlReleaseDeviceContext(WindowHandle window, DeviceContext device);
int sdlDestroyWindow(WindowHandle window);
int sdlUnregisterClass(const char* className, InstanceHandle instance);

// Asks for the changed display mode when the surface goes full screen.
void setFullScreenSurfaceMode(SDL_Window* surface);
