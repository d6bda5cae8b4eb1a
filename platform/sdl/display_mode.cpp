// display_mode.cpp -- the full-screen display mode and the return to the desktop's mode
//
// SDL changes the mode when a full-screen window is shown and gives it back when the window
// leaves full screen. The request is checked here, before any window exists: asked for a mode
// the display lacks, SDL would silently take the closest one, and the user must be asked instead.
#include "platform/sdl/sdl_window.h"

namespace {

bool modeChanged = false;
DisplayMode currentMode;

Uint32 pixelFormatOfBits(uint32_t bits) {
    switch (bits) {
    case 8:
        return SDL_PIXELFORMAT_INDEX8;
    case 15:
        return SDL_PIXELFORMAT_RGB555;
    case 16:
        return SDL_PIXELFORMAT_RGB565;
    case 24:
    case 32:
        return SDL_PIXELFORMAT_RGB888;
    }
    return SDL_PIXELFORMAT_UNKNOWN; // the desktop's format
}

bool displayOffers(const DisplayMode& mode) {
    SDL_DisplayMode wanted = {};
    wanted.format = pixelFormatOfBits(mode.bitsPerPixel);
    wanted.w = int(mode.width);
    wanted.h = int(mode.height);
    SDL_DisplayMode closest;
    if (!SDL_GetClosestDisplayMode(0, &wanted, &closest)) return false;
    return closest.w == wanted.w && closest.h == wanted.h;
}

void leaveFullScreen() {
    PlatformWindow* window = liveWindow();
    if (window && window->surface && (SDL_GetWindowFlags(window->surface) & SDL_WINDOW_FULLSCREEN))
        SDL_SetWindowFullscreen(window->surface, 0);
}

} // namespace

const DisplayMode* fullScreenMode() {
    return modeChanged ? &currentMode : nullptr;
}

void setFullScreenSurfaceMode(SDL_Window* surface) {
    SDL_DisplayMode mode = {};
    mode.format = pixelFormatOfBits(currentMode.bitsPerPixel);
    mode.w = int(currentMode.width);
    mode.h = int(currentMode.height);
    SDL_SetWindowDisplayMode(surface, &mode);
}

int sdlChangeDisplayMode(const DisplayMode* mode, uint32_t flags) {
    if (!mode) {
        leaveFullScreen();
        modeChanged = false;
        return DISP_CHANGE_SUCCESSFUL;
    }
    // The program never writes the system's settings, so a change is always temporary.
    if (flags != CDS_FULLSCREEN) return DISP_CHANGE_BADFLAGS;
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return DISP_CHANGE_FAILED;
    if (!displayOffers(*mode)) return DISP_CHANGE_BADMODE;
    currentMode = *mode;
    modeChanged = true;
    return DISP_CHANGE_SUCCESSFUL;
}
