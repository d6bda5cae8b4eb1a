// sdl_window_fixture.h -- a window of the SDL window system, without a rendering context, and
// SDL's own events for it: for the tests of the SDL implementation's messages and pointer
#pragma once

#include <gtest/gtest.h>

#include "platform/sdl/sdl_window.h"

// Registers a class with this procedure and makes its window, hidden, with a surface of
// width x height. Fails the test when it cannot.
// Forgets every message waiting, posted or from the window system.
inline void discardMessages() {
    WindowMessage message;
    while (sdlPeekMessage(&message)) {
    }
}

inline WindowHandle makePlatformWindow(int width = 800, int height = 600,
                                       WindowProcedure procedure = sdlDefWindowProc) {
    const WindowClass windowClass = {0, procedure, sdlCurrentInstance(), "test"};
    EXPECT_TRUE(sdlRegisterClass(&windowClass)) << SDL_GetError();
    WindowHandle window = sdlCreateWindow(0, "test", "test", WS_OVERLAPPEDWINDOW, 0, 0, width,
                                          height, sdlCurrentInstance());
    EXPECT_NE(window, nullptr);
    DeviceContext device = sdlGetDeviceContext(window);
    PixelFormatRequest request = {};
    request.flags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    request.colourBits = request.depthBits = 16;
    EXPECT_TRUE(sdlSetPixelFormat(device, sdlChoosePixelFormat(device, &request), &request))
        << SDL_GetError();
    sdlReleaseDeviceContext(window, device);
    return window;
}

inline void destroyPlatformWindow(WindowHandle window) {
    EXPECT_TRUE(sdlDestroyWindow(window));
    EXPECT_TRUE(sdlUnregisterClass("test", sdlCurrentInstance()));
    discardMessages();
}

// Queues an SDL event for the live window (or the window of that id): a key with its modifiers
// and repeat flag, a button, or a window event.
inline void pushEvent(Uint32 type, int what, Uint16 modifiers = 0, Uint8 repeat = 0,
                      Uint32 id = 0) {
    SDL_Event event = {};
    event.type = type;
    event.window.windowID = id ? id : SDL_GetWindowID(liveWindow()->surface); // in every kind
    if (type == SDL_WINDOWEVENT)
        event.window.event = Uint8(what);
    else if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP)
        event.button.button = Uint8(what);
    else
        event.key.keysym.sym = what, event.key.keysym.mod = modifiers, event.key.repeat = repeat;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
}

// Puts the pointer at (x, y) of the live window's client area, y downwards.
inline void movePointer(int x, int y) {
    SDL_WarpMouseInWindow(liveWindow()->surface, x, y);
}
