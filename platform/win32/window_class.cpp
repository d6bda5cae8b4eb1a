// window_class.cpp -- the module instance and the window class, with windowProc as its procedure
#include "platform/win32/win32_window.h"

static_assert(sizeof(void*) == 8, "the window procedure is handed over as it is: x86-64 only");

InstanceHandle win32CurrentInstance() {
    return reinterpret_cast<InstanceHandle>(GetModuleHandleA(nullptr));
}

// On x86-64 there is one calling convention, and the shell's procedure takes and returns the
// same machine words as a WNDPROC, so the system calls it directly. (A 32-bit build would need
// it declared __stdcall.)
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
