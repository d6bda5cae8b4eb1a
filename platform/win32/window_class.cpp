// window_class.cpp -- the module instance and the window class, with windowProc as its procedure
#include "platform/win32/win32_window.h"

// The shell's procedure takes and returns the same machine words as a WNDPROC, in the same
// calling convention, so the system calls it directly.
static_assert(sizeof(intptr_t) == sizeof(LRESULT) && sizeof(uintptr_t) == sizeof(WPARAM) &&
              sizeof(intptr_t) == sizeof(LPARAM) && sizeof(uint32_t) == sizeof(UINT));

InstanceHandle win32CurrentInstance() {
    return reinterpret_cast<InstanceHandle>(GetModuleHandleA(nullptr));
}

int win32RegisterClass(const WindowClass* windowClass) {
    WNDCLASSEXA request = {};
    request.cbSize = sizeof request;
    request.style = windowClass->style;
    request.lpfnWndProc =
        reinterpret_cast<WNDPROC>(reinterpret_cast<void (*)()>(windowClass->procedure));
    request.cbClsExtra = 0;
    request.cbWndExtra = 0;
    request.hInstance = instanceOf(windowClass->instance);
    request.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32517));     // IDI_WINLOGO
    request.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    request.lpszClassName = windowClass->name;
    return RegisterClassExA(&request) != 0;
}

int win32UnregisterClass(const char* className, InstanceHandle instance) {
    return UnregisterClassA(className, instanceOf(instance)) != 0;
}
