// window_system.h -- the window system as one table: window, contexts, messages, buffer swap,
// pointer
//
// The shell makes and releases the window's objects in a fixed order and reports each step that
// fails, and the main loop takes messages and presents frames through the same system, so every
// call goes through one table of operations named after the Win32 calls they stand for. Each
// platform fills systemWindowSystem (platform/sdl, platform/win32); tests put in a table of their
// own to record the calls or make any one step fail.
#pragma once

#include <cstdint>

#include "platform/handles.h"
#include "platform/messages.h"

// The system calls a window procedure as __stdcall on 32-bit Windows, where the compiler's own
// convention differs; elsewhere there is only the one.
#if defined(_WIN32) && defined(__i386__)
#define WINDOW_PROC_CALL __stdcall
#else
#define WINDOW_PROC_CALL
#endif

// The window procedure that the class hands every message of its window to.
typedef intptr_t(WINDOW_PROC_CALL* WindowProcedure)(WindowHandle window, uint32_t message,
                                                    uintptr_t wParam, intptr_t lParam);

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

// Pixel-format flags.
constexpr uint32_t PFD_DOUBLEBUFFER = 0x01;
constexpr uint32_t PFD_DRAW_TO_WINDOW = 0x04;
constexpr uint32_t PFD_SUPPORT_OPENGL = 0x20;

// What the rendering context's frame buffer must offer: an RGBA main plane with these flags;
// bit counts are least values, and every buffer not named here is not wanted.
struct PixelFormatRequest {
    uint32_t flags;
    uint8_t colourBits;
    uint8_t depthBits;
};

struct WindowSystem {
    // The program's module instance, stored by the entry.
    InstanceHandle (*currentInstance)();
    // Opens the window system for windows of this class. 0 on failure.
    int (*registerClass)(const WindowClass* windowClass);
    // Changes the display mode for a full-screen window (flags CDS_FULLSCREEN), or with no mode
    // returns to the desktop's own. One of the DISP_CHANGE results.
    int (*changeDisplayMode)(const DisplayMode* mode, uint32_t flags);
    // Shows (1) or hides (0) the pointer over the program's windows, by a counter: the pointer
    // shows while the counter is 0 or more. Returns the new counter.
    int (*showCursor)(int show);
    // Turns a client rectangle into the outer rectangle of a window of these styles.
    void (*adjustWindowRect)(ClientRect* rect, uint32_t style, uint32_t exStyle);
    // The window with this outer size at (x, y), hidden until showWindow. Null on failure.
    WindowHandle (*createWindow)(uint32_t exStyle, const char* className, const char* title,
                                 uint32_t style, int32_t x, int32_t y, int32_t width,
                                 int32_t height, InstanceHandle instance);
    DeviceContext (*getDeviceContext)(WindowHandle window);
    // A format number for the request, 0 where none fits.
    int (*choosePixelFormat)(DeviceContext device, const PixelFormatRequest* request);
    // Gives the window's surface the chosen format. 0 on failure.
    int (*setPixelFormat)(DeviceContext device, int format, const PixelFormatRequest* request);
    RenderContext (*createRenderContext)(DeviceContext device);
    // Makes the context current on this thread; with no context, releases the current one.
    int (*makeCurrent)(DeviceContext device, RenderContext context);
    // Shows the window; its procedure is told that it is active.
    void (*showWindow)(WindowHandle window);
    // Raises the window above the others.
    void (*setForegroundWindow)(WindowHandle window);
    // Gives the window the keyboard.
    void (*setFocus)(WindowHandle window);
    // The client area's size, as (0, 0, width, height).
    void (*getClientRect)(WindowHandle window, ClientRect* rect);
    int (*deleteRenderContext)(RenderContext context);
    int (*releaseDeviceContext)(WindowHandle window, DeviceContext device);
    int (*destroyWindow)(WindowHandle window);
    int (*unregisterClass)(const char* className, InstanceHandle instance);

    // Takes the next message without waiting: first those posted by the program, then those the
    // window system has for the window. 0 when there is none.
    int (*peekMessage)(WindowMessage* message);
    // Sleeps until a message may be waiting: one comes, or the program is asked to end.
    void (*waitMessage)();
    // Hands the message to the procedure of its window's class and returns its result.
    intptr_t (*dispatchMessage)(const WindowMessage* message);
    // Queues WM_QUIT with the exit code as wParam.
    void (*postQuitMessage)(int exitCode);
    // What a window does with a message its procedure leaves alone; a class's procedure too.
    WindowProcedure defWindowProc;
    // Presents the back buffer of the device's window.
    void (*swapBuffers)(DeviceContext device);
    // The pointer's position in the scene's pixels, y downwards (GetCursorPos).
    void (*readPointer)(int32_t* x, int32_t* y);
};

// The platform's own window system.
extern const WindowSystem systemWindowSystem;

// The table the program calls through; &systemWindowSystem unless a test swaps it.
extern const WindowSystem* windowSystem;
