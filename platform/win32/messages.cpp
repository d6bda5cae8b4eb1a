// messages.cpp -- the thread's message queue and the default handling of window messages
#include "platform/win32/win32_window.h"

namespace {

// The message last taken, with its time and pointer position, for its dispatch.
MSG lastTaken = {};

MSG systemMessage(const WindowMessage& message) {
    if (windowOf(message.window) == lastTaken.hwnd && message.message == lastTaken.message &&
        message.wParam == lastTaken.wParam && message.lParam == lastTaken.lParam)
        return lastTaken;
    MSG built = {};
    built.hwnd = windowOf(message.window);
    built.message = message.message;
    built.wParam = message.wParam;
    built.lParam = message.lParam;
    return built;
}

} // namespace

int win32PeekMessage(WindowMessage* message) {
    if (!PeekMessageA(&lastTaken, nullptr, 0, 0, PM_REMOVE)) return 0;
    *message = {handleOf(lastTaken.hwnd), lastTaken.message, lastTaken.wParam, lastTaken.lParam};
    return 1;
}

void win32WaitMessage() {
    WaitMessage();
}

// The window holds the pointer while a button is down, so that a button let go of over another
// window still comes back up here. Releasing the hold sends the window WM_CAPTURECHANGED.
void holdPointerWhileButtonDown(const MSG& taken) {
    constexpr WPARAM anyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;
    switch (taken.message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (GetCapture() != taken.hwnd) SetCapture(taken.hwnd);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (!(taken.wParam & anyButton) && GetCapture() == taken.hwnd) ReleaseCapture();
        break;
    }
}

// Key messages are translated first, as every Win32 message loop does.
intptr_t win32DispatchMessage(const WindowMessage* message) {
    const MSG taken = systemMessage(*message);
    TranslateMessage(&taken);
    const intptr_t result = DispatchMessageA(&taken);
    holdPointerWhileButtonDown(taken);
    return result;
}

void win32PostQuitMessage(int exitCode) {
    PostQuitMessage(exitCode);
}

intptr_t WINDOW_PROC_CALL win32DefWindowProc(WindowHandle window, uint32_t message,
                                             uintptr_t wParam, intptr_t lParam) {
    return DefWindowProcA(windowOf(window), message, wParam, lParam);
}
