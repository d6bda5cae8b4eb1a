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

// Key messages are translated first, as every Win32 message loop does.
intptr_t win32DispatchMessage(const WindowMessage* message) {
    const MSG taken = systemMessage(*message);
    TranslateMessage(&taken);
    return DispatchMessageA(&taken);
}

void win32PostQuitMessage(int exitCode) {
    PostQuitMessage(exitCode);
}

intptr_t win32DefWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam,
                            intptr_t lParam) {
    return DefWindowProcA(windowOf(window), message, wParam, lParam);
}
