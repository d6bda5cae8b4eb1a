// win32_window.h -- the shell's opaque handles as Win32 handles, and the Win32 implementations of
// the window system's operations; for the platform's own files
#pragma once

#include "platform/window_system.h"

#include <windows.h>

// The handles that the shell keeps are the system's own, passed through unchanged.
inline HWND windowOf(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}
inline WindowHandle handleOf(HWND window) {
    return reinterpret_cast<WindowHandle>(window);
}
inline HDC deviceOf(DeviceContext device) {
    return reinterpret_cast<HDC>(device);
}
inline HGLRC contextOf(RenderContext context) {
    return reinterpret_cast<HGLRC>(context);
}
inline HINSTANCE instanceOf(InstanceHandle instance) {
    return reinterpret_cast<HINSTANCE>(instance);
}

// The program's one window, or null; readPointer maps the pointer into its client area.
HWND liveWindow();

InstanceHandle win32CurrentInstance();
int win32RegisterClass(const WindowClass* windowClass);
int win32UnregisterClass(const char* className, InstanceHandle instance);
int win32ChangeDisplayMode(const DisplayMode* mode, uint32_t flags);
int win32ShowCursor(int show);
void win32ReadPointer(int32_t* x, int32_t* y);
void win32AdjustWindowRect(ClientRect* rect, uint32_t style, uint32_t exStyle);
WindowHandle win32CreateWindow(uint32_t exStyle, const char* className, const char* title,
                               uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                               InstanceHandle instance);
void win32ShowWindow(WindowHandle window);
void win32SetForegroundWindow(WindowHandle window);
void win32SetFocus(WindowHandle window);
void win32GetClientRect(WindowHandle window, ClientRect* rect);
int win32DestroyWindow(WindowHandle window);
DeviceContext win32GetDeviceContext(WindowHandle window);
int win32ChoosePixelFormat(DeviceContext device, const PixelFormatRequest* request);
int win32SetPixelFormat(DeviceContext device, int format, const PixelFormatRequest* request);
RenderContext win32CreateRenderContext(DeviceContext device);
int win32MakeCurrent(DeviceContext device, RenderContext context);
int win32DeleteRenderContext(RenderContext context);
int win32ReleaseDeviceContext(WindowHandle window, DeviceContext device);
void win32SwapBuffers(DeviceContext device);
int win32PeekMessage(WindowMessage* message);
void win32WaitMessage();
intptr_t win32DispatchMessage(const WindowMessage* message);
void win32PostQuitMessage(int exitCode);
intptr_t WINDOW_PROC_CALL win32DefWindowProc(WindowHandle window, uint32_t message,
                                             uintptr_t wParam, intptr_t lParam);
