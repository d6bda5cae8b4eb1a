// window_system.h -- window class, display mode, window, device and rendering context
//
// The shell makes and releases these in a fixed order and reports each step that fails, so every
// step that can fail goes through one table of operations. The program uses sdlWindowSystem;
// tests put in a table of their own to make any one step fail or to record the calls.
#pragma once

#include <cstdint>

#include "platform/handles.h"

// The window procedure that the class hands every message of its window to.
typedef intptr_t (*WindowProcedure)(WindowHandle window, uint32_t message, uintptr_t wParam,
                                    intptr_t lParam);

// Class styles: redraw on any size change, one device context per window.
constexpr uint32_t CS_VREDRAW = 0x0001;
constexpr uint32_t CS_HREDRAW = 0x0002;
constexpr uint32_t CS_OWNDC = 0x0020;

struct WindowClass {
    uint32_t style;
    WindowProcedure procedure;
    InstanceHandle instance;
    const char* name;
};

// A full-screen display mode.
struct DisplayMode {
    uint32_t width;
    uint32_t height;
    uint32_t bitsPerPixel;
};

// changeDisplayMode flags and results.
constexpr uint32_t CDS_FULLSCREEN = 4;
constexpr int DISP_CHANGE_SUCCESSFUL = 0;
constexpr int DISP_CHANGE_RESTART = 1;
constexpr int DISP_CHANGE_FAILED = -1;
constexpr int DISP_CHANGE_BADMODE = -2;
constexpr int DISP_CHANGE_BADFLAGS = -4;

// Window styles. A pop-up is a borderless surface, full screen once the display mode has been
// changed; an overlapped window has a frame and can be resized, minimised and closed.
constexpr uint32_t WS_POPUP = 0x80000000u;
constexpr uint32_t WS_OVERLAPPEDWINDOW = 0x00CF0000u;
constexpr uint32_t WS_CLIPSIBLINGS = 0x04000000u;
constexpr uint32_t WS_CLIPCHILDREN = 0x02000000u;
constexpr uint32_t WS_EX_WINDOWEDGE = 0x00000100u;
constexpr uint32_t WS_EX_APPWINDOW = 0x00040000u;

struct ClientRect {
    int32_t left, top, right, bottom;
};

// Pixel-format flags and types.
constexpr uint32_t PFD_DOUBLEBUFFER = 0x01;
constexpr uint32_t PFD_DRAW_TO_WINDOW = 0x04;
constexpr uint32_t PFD_SUPPORT_OPENGL = 0x20;
constexpr uint8_t PFD_TYPE_RGBA = 0;
constexpr uint8_t PFD_MAIN_PLANE = 0;

// What the rendering context's frame buffer must offer; bit counts are least values.
struct PixelFormatRequest {
    uint16_t size;
    uint16_t version;
    uint32_t flags;
    uint8_t pixelType;
    uint8_t colourBits;
    uint8_t alphaBits;
    uint8_t accumBits;
    uint8_t depthBits;
    uint8_t stencilBits;
    uint8_t auxBuffers;
    uint8_t layerType;
};

struct WindowSystem {
    // Opens the window system for windows of this class. 0 on failure.
    int (*registerClass)(const WindowClass* windowClass);
    // Changes the display mode for a full-screen window (flags CDS_FULLSCREEN), or with no mode
    // returns to the desktop's own. One of the DISP_CHANGE results.
    int (*changeDisplayMode)(const DisplayMode* mode, uint32_t flags);
    // Shows (1) or hides (0) the pointer over the program's windows, by a counter: the pointer
    // shows while the counter is 0 or more. Returns the new counter.
    int (*showCursor)(int show);
    // The window with this client size at (x, y), hidden until showWindow. It has no surface yet:
    // its surface is made by setPixelFormat. Null on failure.
    WindowHandle (*createWindow)(uint32_t exStyle, const char* className, const char* title,
                                 uint32_t style, int32_t x, int32_t y, int32_t width,
                                 int32_t height, InstanceHandle instance);
    DeviceContext (*getDeviceContext)(WindowHandle window);
    // A format number for the request, 0 where none fits.
    int (*choosePixelFormat)(DeviceContext device, const PixelFormatRequest* request);
    // Gives the window its surface in the chosen format. 0 on failure.
    int (*setPixelFormat)(DeviceContext device, int format, const PixelFormatRequest* request);
    RenderContext (*createRenderContext)(DeviceContext device);
    // Makes the context current on this thread; with no context, releases the current one.
    int (*makeCurrent)(DeviceContext device, RenderContext context);
    int (*deleteRenderContext)(RenderContext context);
    int (*releaseDeviceContext)(WindowHandle window, DeviceContext device);
    int (*destroyWindow)(WindowHandle window);
    int (*unregisterClass)(const char* className, InstanceHandle instance);
};

extern const WindowSystem sdlWindowSystem;

// The table the shell calls through; &sdlWindowSystem unless a test swaps it.
extern const WindowSystem* windowSystem;

// The program's module instance, stored by the entry.
InstanceHandle currentInstance();

// On X11 the window manager draws the frame outside the client area, so the outer rectangle
// is the client rectangle.
void adjustWindowRect(ClientRect* rect, uint32_t style, bool menu, uint32_t exStyle);

// Shows the window and tells its procedure that it is active.
void showWindow(WindowHandle window);
// Raises the window above the others.
void setForegroundWindow(WindowHandle window);
// Gives the window the keyboard.
void setFocus(WindowHandle window);
// The client area's size, as (0, 0, width, height).
void getClientRect(WindowHandle window, ClientRect* rect);
// Presents the back buffer of the device's window.
void swapBuffers(DeviceContext device);
