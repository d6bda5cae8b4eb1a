// platform_window_fixture.h -- a window of the platform layer, without a rendering context, for
// tests that need the pointer or the window's messages
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/messages.h"
#include "platform/platform_window.h"

// Messages that reached the window's procedure, in order.
inline std::vector<WindowMessage> receivedMessages;

inline intptr_t recordMessage(WindowHandle window, uint32_t message, uintptr_t wParam,
                              intptr_t lParam) {
    receivedMessages.push_back({window, message, wParam, lParam});
    return 0;
}

// Registers a class whose procedure records every message and makes its window with a surface
// of width x height, hidden. Returns the window; fails the test when it cannot.
inline WindowHandle makePlatformWindow(int width = 800, int height = 600) {
    const WindowClass windowClass = {0, recordMessage, currentInstance(), "test"};
    EXPECT_TRUE(sdlRegisterClass(&windowClass)) << SDL_GetError();
    WindowHandle window = sdlCreateWindow(0, "test", "test", WS_OVERLAPPEDWINDOW, 0, 0, width,
                                          height, currentInstance());
    EXPECT_NE(window, nullptr);
    DeviceContext device = sdlGetDeviceContext(window);
    const PixelFormatRequest request = {40,
                                        1,
                                        PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL,
                                        PFD_TYPE_RGBA,
                                        16,
                                        0,
                                        0,
                                        16,
                                        0,
                                        0,
                                        PFD_MAIN_PLANE};
    EXPECT_TRUE(sdlSetPixelFormat(device, sdlChoosePixelFormat(device, &request), &request))
        << SDL_GetError();
    sdlReleaseDeviceContext(window, device);
    return window;
}

inline void destroyPlatformWindow(WindowHandle window) {
    EXPECT_TRUE(sdlDestroyWindow(window));
    EXPECT_TRUE(sdlUnregisterClass("test", currentInstance()));
    discardMessages();
    receivedMessages.clear();
}

// Puts the pointer at (x, y) of the live window's client area, y downwards.
inline void movePointer(int x, int y) {
    SDL_WarpMouseInWindow(liveWindow()->surface, x, y);
}
