// test_pointer.cpp -- the pointer in the scene's pixels, counted from the client area's corner
#include <gtest/gtest.h>

#include "platform/pointer.h"
#include "tests/platform_window_fixture.h"

namespace {

TEST(ScaleToScene, StretchesClientPointsOntoThe800x600Scene) {
    struct Case {
        int32_t x, y, width, height, sceneX, sceneY;
    };
    const Case cases[] = {
        {0, 0, 800, 600, 0, 0},
        {799, 599, 800, 600, 799, 599},
        {900, 700, 800, 600, 900, 700}, // past the corner stays past it
        {-3, -5, 800, 600, -3, -5},
        {1599, 1199, 1600, 1200, 799, 599},
        {1, 1, 1600, 1200, 0, 0},
        {-1, -1, 1600, 1200, -1, -1}, // left of the client area stays left of the scene
        {399, 299, 400, 300, 798, 598},
        {512, 384, 1024, 768, 400, 300},
        {10, 10, 0, 0, 10, 10}, // no client area: unchanged
    };
    for (const Case& c : cases) {
        int32_t x, y;
        scaleToScene(c.x, c.y, c.width, c.height, &x, &y);
        EXPECT_EQ(x, c.sceneX) << c.x << "," << c.y << " in " << c.width << "x" << c.height;
        EXPECT_EQ(y, c.sceneY) << c.x << "," << c.y << " in " << c.width << "x" << c.height;
    }
}

TEST(ReadPointer, GivesTheClientPositionInAnUnscaledWindow) {
    WindowHandle window = makePlatformWindow(800, 600);
    movePointer(123, 456);
    int32_t x, y;
    readPointer(&x, &y);
    EXPECT_EQ(x, 123);
    EXPECT_EQ(y, 456);
    destroyPlatformWindow(window);
}

TEST(ReadPointer, ScalesTheClientPositionOfAnotherSizeToTheScene) {
    WindowHandle window = makePlatformWindow(400, 300);
    movePointer(350, 50);
    int32_t x, y;
    readPointer(&x, &y);
    EXPECT_EQ(x, 700);
    EXPECT_EQ(y, 100);
    destroyPlatformWindow(window);
}

TEST(ReadPointer, IsTheOriginWithoutAWindow) {
    int32_t x = 5, y = 5;
    readPointer(&x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

} // namespace
