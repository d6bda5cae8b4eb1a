// hidden_context.cpp -- a hidden window with a current OpenGL context
#include "platform/hidden_context.h"

#include "platform/window_system.h"

namespace {

const char ClassName[] = "hidden";
DeviceContext device = nullptr;
RenderContext context = nullptr;

// The window is never shown and lives to the end of the process, with its context: unloading
// the OpenGL driver first would hide its own allocations from the leak checker's suppressions.
bool makeHiddenWindow(int width, int height) {
    const WindowSystem& system = systemWindowSystem;
    const InstanceHandle instance = system.currentInstance();
    const WindowClass windowClass = {CS_OWNDC, system.defWindowProc, instance, ClassName};
    if (!system.registerClass(&windowClass)) return false;
    ClientRect rect = {0, 0, width, height};
    system.adjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, 0);
    const WindowHandle window =
        system.createWindow(0, ClassName, ClassName, WS_OVERLAPPEDWINDOW, 0, 0,
                            rect.right - rect.left, rect.bottom - rect.top, instance);
    if (window) device = system.getDeviceContext(window);
    if (!device) return false;
    const PixelFormatRequest request = {PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER,
                                        24, 16};
    const int format = system.choosePixelFormat(device, &request);
    if (!format || !system.setPixelFormat(device, format, &request)) return false;
    context = system.createRenderContext(device);
    return context != nullptr;
}

} // namespace

int makeHiddenContextCurrent(int width, int height) {
    if (!context && !makeHiddenWindow(width, height)) return 0;
    return systemWindowSystem.makeCurrent(device, context);
}
