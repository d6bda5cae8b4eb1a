// window.cpp -- the program's one window: its size, creation, showing, focus and destruction
#include "platform/win32/win32_window.h"

namespace {
HWND theWindow = nullptr;
} // namespace

HWND liveWindow() {
    return theWindow;
}

void win32AdjustWindowRect(ClientRect* rect, uint32_t style, uint32_t exStyle) {
    RECT outer = {rect->left, rect->top, rect->right, rect->bottom};
    if (!AdjustWindowRectEx(&outer, style, FALSE, exStyle)) return;
    *rect = {outer.left, outer.top, outer.right, outer.bottom};
}

// The title is plain ASCII, so the ANSI call shows it right on any code page.
WindowHandle win32CreateWindow(uint32_t exStyle, const char* className, const char* title,
                               uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                               InstanceHandle instance) {
    HWND window = CreateWindowExA(exStyle, className, title, style, x, y, width, height, nullptr,
                                  nullptr, instanceOf(instance), nullptr);
    if (window) theWindow = window;
    return handleOf(window);
}

void win32ShowWindow(WindowHandle window) {
    ShowWindow(windowOf(window), SW_SHOW);
}

void win32SetForegroundWindow(WindowHandle window) {
    SetForegroundWindow(windowOf(window));
}

void win32SetFocus(WindowHandle window) {
    SetFocus(windowOf(window));
}

void win32GetClientRect(WindowHandle window, ClientRect* rect) {
    RECT client = {0, 0, 0, 0};
    GetClientRect(windowOf(window), &client);
    *rect = {client.left, client.top, client.right, client.bottom};
}

int win32DestroyWindow(WindowHandle window) {
    if (!DestroyWindow(windowOf(window))) return 0;
    if (windowOf(window) == theWindow) theWindow = nullptr;
    return 1;
}
