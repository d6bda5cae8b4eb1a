// render_context.cpp -- device context, pixel format, OpenGL rendering context and buffer swap
#include <new>

#include "platform/sdl/sdl_window.h"

namespace {

constexpr int OnlyFormat = 1;

bool isUsableRequest(const PixelFormatRequest& request) {
    const uint32_t needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    return (request.flags & needed) == needed;
}

void setColourBits(int red, int green, int blue) {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, red);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, green);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, blue);
}

// SDL takes the sizes as least values, so a 16-bit request gets at least 5-6-5.
void requestFrameBuffer(const PixelFormatRequest& request) {
    if (request.colourBits >= 24)
        setColourBits(8, 8, 8);
    else if (request.colourBits >= 16)
        setColourBits(5, 6, 5);
    else if (request.colourBits >= 15)
        setColourBits(5, 5, 5);
    else
        setColourBits(0, 0, 0);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, request.depthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, (request.flags & PFD_DOUBLEBUFFER) ? 1 : 0);
}

Uint32 surfaceFlags(uint32_t style) {
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (style & WS_POPUP) {
        flags |= SDL_WINDOW_BORDERLESS;
        if (fullScreenMode()) flags |= SDL_WINDOW_FULLSCREEN;
    } else {
        flags |= SDL_WINDOW_RESIZABLE;
    }
    return flags;
}

} // namespace

DeviceContext sdlGetDeviceContext(WindowHandle window) {
    if (!window || window != liveWindow()) return nullptr;
    return new (std::nothrow) PlatformDevice{window};
}

int sdlReleaseDeviceContext(WindowHandle window, DeviceContext device) {
    if (!device || device->window != window) return 0;
    delete device;
    return 1;
}

int sdlChoosePixelFormat(DeviceContext device, const PixelFormatRequest* request) {
    if (!device || !request || !isUsableRequest(*request)) return 0;
    return OnlyFormat;
}

// X11 fixes a window's visual when the window is made, so the surface is made here, once.
int sdlSetPixelFormat(DeviceContext device, int format, const PixelFormatRequest* request) {
    if (!device || format != OnlyFormat || !request || !isUsableRequest(*request)) return 0;
    PlatformWindow* window = device->window;
    if (window != liveWindow() || window->surface) return 0;
    requestFrameBuffer(*request);
    const Uint32 flags = surfaceFlags(window->style);
    window->surface =
        SDL_CreateWindow(window->title, window->x, window->y, window->width, window->height, flags);
    if (!window->surface) return 0;
    if (flags & SDL_WINDOW_FULLSCREEN) setFullScreenSurfaceMode(window->surface);
    applyCursorVisibility();
    return 1;
}

RenderContext sdlCreateRenderContext(DeviceContext device) {
    if (!device || device->window != liveWindow() || !device->window->surface) return nullptr;
    PlatformContext* context = new (std::nothrow) PlatformContext{};
    if (!context) return nullptr;
    context->gl = SDL_GL_CreateContext(device->window->surface);
    if (!context->gl) {
        delete context;
        return nullptr;
    }
    return context;
}

int sdlMakeCurrent(DeviceContext device, RenderContext context) {
    if (!context) return SDL_GL_MakeCurrent(nullptr, nullptr) == 0;
    if (!device || !device->window->surface) return 0;
    return SDL_GL_MakeCurrent(device->window->surface, context->gl) == 0;
}

int sdlDeleteRenderContext(RenderContext context) {
    if (!context) return 0;
    SDL_GL_DeleteContext(context->gl);
    delete context;
    return 1;
}

void sdlSwapBuffers(DeviceContext device) {
    if (device && device->window == liveWindow() && device->window->surface)
        SDL_GL_SwapWindow(device->window->surface);
}
