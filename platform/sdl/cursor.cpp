// cursor.cpp -- the pointer's show counter and its position over the client area
#include "platform/pointer.h"
#include "platform/sdl/sdl_window.h"

namespace {
// The pointer shows while the counter is 0 or more.
int showCounter = 0;
} // namespace

void applyCursorVisibility() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(showCounter >= 0 ? SDL_ENABLE : SDL_DISABLE);
}

int sdlShowCursor(int show) {
    showCounter += show ? 1 : -1;
    applyCursorVisibility();
    return showCounter;
}

// SDL keeps the position from the window's own pointer events, relative to the client area;
// the server's global position is not used, since it is not kept up to date everywhere.
void sdlReadPointer(int32_t* x, int32_t* y) {
    PlatformWindow* window = liveWindow();
    if (!window || !window->surface) {
        *x = *y = 0;
        return;
    }
    int clientX = 0, clientY = 0, width = 0, height = 0;
    SDL_GetMouseState(&clientX, &clientY);
    SDL_GetWindowSize(window->surface, &width, &height);
    scaleToScene(clientX, clientY, width, height, x, y);
}
