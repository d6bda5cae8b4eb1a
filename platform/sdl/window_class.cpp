// window_class.cpp -- the window class: the window system opened for the program's windows
#include <cstring>

#include "platform/sdl/sdl_window.h"

namespace {

PlatformInstance programInstance;

bool registered = false;
WindowClass registeredClass;
char registeredName[64];

} // namespace

InstanceHandle sdlCurrentInstance() {
    return &programInstance;
}

WindowProcedure classProcedure() {
    return registered ? registeredClass.procedure : nullptr;
}

namespace {

// SDL's video and the OpenGL library are opened once and stay open to the end: a switch of
// screen mode reopens neither, and the library stays loaded while its allocations are checked
// at exit.
bool openVideo() {
    static bool open = false;
    if (open) return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    if (SDL_GL_LoadLibrary(nullptr) != 0) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    SDL_StopTextInput(); // keys are all the program reads
    open = true;
    return true;
}

} // namespace

// Registration opens the video, so a system without a usable video driver fails here, before
// anything else is made.
int sdlRegisterClass(const WindowClass* windowClass) {
    if (registered || !windowClass->procedure || !windowClass->name ||
        std::strlen(windowClass->name) >= sizeof registeredName)
        return 0;
    if (!openVideo()) return 0;
    std::strcpy(registeredName, windowClass->name);
    registeredClass = *windowClass;
    registeredClass.name = registeredName;
    registered = true;
    return 1;
}

int sdlUnregisterClass(const char* className, InstanceHandle instance) {
    if (!registered || !className || std::strcmp(className, registeredName) != 0 ||
        instance != registeredClass.instance || liveWindow())
        return 0;
    registered = false;
    return 1;
}

bool isRegisteredClass(const char* className, InstanceHandle instance) {
    return registered && className && std::strcmp(className, registeredName) == 0 &&
           instance == registeredClass.instance;
}
