// window.cpp -- the program's one window: creation, showing, focus, size and destruction
#include <new>

#include "platform/sdl/sdl_window.h"
#include "platform/text_encoding.h"

namespace {
PlatformWindow* theWindow = nullptr;
} // namespace

PlatformWindow* liveWindow() {
    return theWindow;
}

WindowHandle sdlCreateWindow(uint32_t, const char* className, const char* title, uint32_t style,
                             int32_t x, int32_t y, int32_t width, int32_t height,
                             InstanceHandle instance) {
    if (theWindow || !isRegisteredClass(className, instance) || width <= 0 || height <= 0 ||
        width > 0xFFFF || height > 0xFFFF)
        return nullptr;
    PlatformWindow* window = new (std::nothrow) PlatformWindow{};
    if (!window) return nullptr;
    window->style = style;
    window->x = x;
    window->y = y;
    window->width = width;
    window->height = height;
    convertCp1250ToUtf8(title ? title : "", window->title, sizeof window->title);
    window->procedure = classProcedure();
    theWindow = window;
    // The procedure learns the client size while the window is made, before any rendering
    // context exists.
    sendMessage(window, WM_SIZE, SIZE_RESTORED,
                intptr_t(makeLong(uint16_t(width), uint16_t(height))));
    return window;
}

int sdlDestroyWindow(WindowHandle window) {
    if (!window || window != theWindow) return 0;
    if (window->surface) SDL_DestroyWindow(window->surface);
    delete window;
    theWindow = nullptr;
    return 1;
}

// On X11 the window manager draws the frame outside the client area, so the outer rectangle
// is the client rectangle.
void sdlAdjustWindowRect(ClientRect*, uint32_t, uint32_t) {}

void sdlShowWindow(WindowHandle window) {
    if (!window || !window->surface) return;
    SDL_ShowWindow(window->surface);
    window->minimised = false;
    sendMessage(window, WM_ACTIVATE, makeLong(WA_ACTIVE, 0), 0);
}

void sdlSetForegroundWindow(WindowHandle window) {
    if (window && window->surface) SDL_RaiseWindow(window->surface);
}

void sdlSetFocus(WindowHandle window) {
    if (window && window->surface) SDL_SetWindowInputFocus(window->surface);
}

void sdlGetClientRect(WindowHandle window, ClientRect* rect) {
    int width = window ? window->width : 0, height = window ? window->height : 0;
    if (window && window->surface) SDL_GetWindowSize(window->surface, &width, &height);
    *rect = {0, 0, width, height};
}
