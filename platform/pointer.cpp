// pointer.cpp -- the pointer's show counter and its position over the client area
#include "platform/pointer.h"

#include "platform/platform_window.h"

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

namespace {
// Rounds towards minus infinity, so that points left of or above the client area stay outside.
int32_t scaleCoordinate(int32_t value, int32_t sceneSize, int32_t clientSize) {
    const int64_t product = int64_t(value) * sceneSize;
    int64_t quotient = product / clientSize;
    if (product % clientSize != 0 && product < 0) --quotient;
    return int32_t(quotient);
}
} // namespace

void scaleToScene(int32_t clientX, int32_t clientY, int32_t clientWidth, int32_t clientHeight,
                  int32_t* sceneX, int32_t* sceneY) {
    *sceneX = clientX;
    *sceneY = clientY;
    if (clientWidth > 0 && clientWidth != SceneWidth)
        *sceneX = scaleCoordinate(clientX, SceneWidth, clientWidth);
    if (clientHeight > 0 && clientHeight != SceneHeight)
        *sceneY = scaleCoordinate(clientY, SceneHeight, clientHeight);
}

// SDL keeps the position from the window's own pointer events, relative to the client area;
// the server's global position is not used, since it is not kept up to date everywhere.
void readPointer(int32_t* x, int32_t* y) {
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
