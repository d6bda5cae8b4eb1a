// test_pointer.cpp -- the pointer in the scene's pixels, counted from the client area's corner
#include "platform/pointer.h"
#include "tests/sdl_window_fixture.h"

namespace {

// Points past the client area stay past the scene (rounded towards minus infinity), and without
// a client area they are left as they are.
TEST(ScaleToScene, StretchesClientPointsOntoThe800x600Scene) {
    // x, y in a client area of width x height, and the scene x, y
    const int32_t cases[][6] = {{0, 0, 800, 600, 0, 0},
                                {799, 599, 800, 600, 799, 599},
                                {900, 700, 800, 600, 900, 700},
                                {-3, -5, 800, 600, -3, -5},
                                {1599, 1199, 1600, 1200, 799, 599},
                                {1, 1, 1600, 1200, 0, 0},
                                {-1, -1, 1600, 1200, -1, -1},
                                {399, 299, 400, 300, 798, 598},
                                {512, 384, 1024, 768, 400, 300},
                                {10, 10, 0, 0, 10, 10}};
    for (const auto& [x, y, width, height, sceneX, sceneY] : cases) {
        int32_t actualX, actualY;
        scaleToScene(x, y, width, height, &actualX, &actualY);
        EXPECT_EQ(std::make_pair(actualX, actualY), std::make_pair(sceneX, sceneY))
            << x << "," << y << " in " << width << "x" << height;
    }
}

TEST(ReadPointer, GivesTheClientPositionScaledToTheScene) {
    int32_t x = 5, y = 5;
    sdlReadPointer(&x, &y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(0, 0)) << "the origin without a window";
    const int cases[][6] = {{800, 600, 123, 456, 123, 456}, {400, 300, 350, 50, 700, 100}};
    for (const auto& [width, height, clientX, clientY, sceneX, sceneY] : cases) {
        WindowHandle window = makePlatformWindow(width, height);
        movePointer(clientX, clientY);
        sdlReadPointer(&x, &y);
        EXPECT_EQ(std::make_pair(x, y), std::make_pair(sceneX, sceneY)) << width << "x" << height;
        destroyPlatformWindow(window);
    }
}

} // namespace
