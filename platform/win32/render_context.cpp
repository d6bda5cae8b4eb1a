// render_context.cpp -- device context, pixel format, WGL rendering context and buffer swap
#include "platform/win32/win32_window.h"

namespace {

// All fields not named by the request are 0: no alpha, accumulation, stencil or auxiliary
// buffers, the main plane.
PIXELFORMATDESCRIPTOR descriptorOf(const PixelFormatRequest& request) {
    PIXELFORMATDESCRIPTOR descriptor = {};
    descriptor.nSize = sizeof descriptor;
    descriptor.nVersion = 1;
    descriptor.dwFlags = request.flags;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = request.colourBits;
    descriptor.cDepthBits = request.depthBits;
    descriptor.iLayerType = PFD_MAIN_PLANE;
    return descriptor;
}

} // namespace

DeviceContext win32GetDeviceContext(WindowHandle window) {
    return reinterpret_cast<DeviceContext>(GetDC(windowOf(window)));
}

int win32ReleaseDeviceContext(WindowHandle window, DeviceContext device) {
    return ReleaseDC(windowOf(window), deviceOf(device)) == 1;
}

int win32ChoosePixelFormat(DeviceContext device, const PixelFormatRequest* request) {
    const PIXELFORMATDESCRIPTOR descriptor = descriptorOf(*request);
    return ChoosePixelFormat(deviceOf(device), &descriptor);
}

int win32SetPixelFormat(DeviceContext device, int format, const PixelFormatRequest* request) {
    const PIXELFORMATDESCRIPTOR descriptor = descriptorOf(*request);
    return SetPixelFormat(deviceOf(device), format, &descriptor) != 0;
}

RenderContext win32CreateRenderContext(DeviceContext device) {
    return reinterpret_cast<RenderContext>(wglCreateContext(deviceOf(device)));
}

int win32MakeCurrent(DeviceContext device, RenderContext context) {
    return wglMakeCurrent(deviceOf(device), contextOf(context)) != 0;
}

int win32DeleteRenderContext(RenderContext context) {
    return wglDeleteContext(contextOf(context)) != 0;
}

void win32SwapBuffers(DeviceContext device) {
    SwapBuffers(deviceOf(device));
}
