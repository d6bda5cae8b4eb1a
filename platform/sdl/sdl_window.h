// sdl_window.h -- what the opaque handles point to under SDL, and the SDL window system's parts
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

// True when the class of that name is registered for that instance.
bool isRegisteredClass(const char* className, InstanceHandle instance);

// The full-screen mode that changeDisplayMode has set, or null while the desktop's mode holds.
const DisplayMode* fullScreenMode();

// Asks for the changed display mode when the surface goes full screen.
void setFullScreenSurfaceMode(SDL_Window* surface);

// Hands a message straight to the window's procedure, as the window system does while it
// creates or shows a window.
intptr_t sendMessage(PlatformWindow* window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// Shows or hides the pointer as the show counter says; a new surface starts with SDL's default.
void applyCursorVisibility();

// SDL_ShowMessageBox, unless termination is requested (termination.cpp); a request while the
// box is shown takes it away. -1 in both cases.
int showBoxUntilTermination(const SDL_MessageBoxData* box, int* pressed);

// The SDL implementations of the WindowSystem operations, one file per concern.
InstanceHandle sdlCurrentInstance();                  // window_class.cpp
int sdlRegisterClass(const WindowClass* windowClass); // window_class.cpp
int sdlUnregisterClass(const char* className, InstanceHandle instance);
int sdlChangeDisplayMode(const DisplayMode* mode, uint32_t flags); // display_mode.cpp
int sdlShowCursor(int show);                                       // cursor.cpp
void sdlReadPointer(int32_t* x, int32_t* y);
void sdlAdjustWindowRect(ClientRect* rect, uint32_t style, uint32_t exStyle); // window.cpp
WindowHandle sdlCreateWindow(uint32_t exStyle, const char* className, const char* title,
                             uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                             InstanceHandle instance);
void sdlShowWindow(WindowHandle window);
void sdlSetForegroundWindow(WindowHandle window);
void sdlSetFocus(WindowHandle window);
void sdlGetClientRect(WindowHandle window, ClientRect* rect);
int sdlDestroyWindow(WindowHandle window);
DeviceContext sdlGetDeviceContext(WindowHandle window); // render_context.cpp
int sdlChoosePixelFormat(DeviceContext device, const PixelFormatRequest* request);
int sdlSetPixelFormat(DeviceContext device, int format, const PixelFormatRequest* request);
RenderContext sdlCreateRenderContext(DeviceContext device);
int sdlMakeCurrent(DeviceContext device, RenderContext context);
int sdlDeleteRenderContext(RenderContext context);
int sdlReleaseDeviceContext(WindowHandle window, DeviceContext device);
void sdlSwapBuffers(DeviceContext device);
int sdlPeekMessage(WindowMessage* message); // messages.cpp
void sdlWaitMessage();
intptr_t sdlDispatchMessage(const WindowMessage* message);
void sdlPostQuitMessage(int exitCode);
intptr_t sdlDefWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
