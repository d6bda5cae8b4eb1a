// display_check.cpp -- the check for a display, made before start-up
#include "platform/display_check.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

namespace {

const char* variable(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

} // namespace

// Where no display can be opened SDL would fall back to its offscreen driver, on which the program
// would run unseen and never end.
const char* displayProblem() {
    if (variable("SDL_VIDEODRIVER")) return nullptr;
    const char* x11 = variable("DISPLAY");
    const char* display = x11 ? x11 : variable("WAYLAND_DISPLAY");
    if (!display) return "DISPLAY is not set";
    // Only the kind of display named is tried: SDL would go on to its other drivers, which print
    // complaints of their own, and end on the offscreen one.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, x11 ? "x11" : "wayland");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return nullptr; // stays open for the window
    static char problem[160];
    std::snprintf(problem, sizeof problem, "cannot open display %.100s", display);
    return problem;
}
