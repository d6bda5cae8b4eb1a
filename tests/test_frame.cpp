// test_frame.cpp -- frame composition: the four tiles as the picture, the pointer cross and the
// frame rate
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <climits>
#include <cstring>
#include <vector>

#include "app/key_table.h"
#include "engine/viewer_state.h"
#include "tests/platform_window_fixture.h"
#include "tests/support/gl_context.h"
#include "ui/frame.h"

namespace {

// Texel (i, j) of tile t is (i, j, 50 + 40 t): every pixel says where it came from.
unsigned texel(int t, int i, int j) {
    return unsigned(i) << 16 | unsigned(j) << 8 | unsigned(50 + 40 * t);
}

class Frame : public ::testing::Test {
  protected:
    void SetUp() override {
        window = makePlatformWindow();
        useTestGlContext();
        std::memset(KeyTable, 0, sizeof KeyTable);
        viewerState.font = nullptr; // no text over the picture
        glGenTextures(4, viewerState.tileTextures);
        std::vector<unsigned char> pixels(256 * 256 * 3);
        for (int t = 0; t < 4; ++t) {
            for (int j = 0; j < 256; ++j) {
                for (int i = 0; i < 256; ++i) {
                    unsigned char* p = &pixels[(256 * j + i) * 3];
                    p[0] = uint8_t(i);
                    p[1] = uint8_t(j);
                    p[2] = uint8_t(50 + 40 * t);
                }
            }
            glBindTexture(GL_TEXTURE_2D, viewerState.tileTextures[t]);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glTexImage2D(GL_TEXTURE_2D, 0, 3, 256, 256, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        }
    }
    void TearDown() override {
        glDeleteTextures(4, viewerState.tileTextures);
        destroyPlatformWindow(window);
    }

    // The white pixels of the scene rectangle, as their bounding box and count.
    struct WhiteArea {
        int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN, count = 0;
    };
    WhiteArea whiteIn(int x0, int y0, int x1, int y1) {
        WhiteArea area;
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                if (readScenePixel(x, y) != 0xFFFFFF) continue;
                area.minX = std::min(area.minX, x);
                area.maxX = std::max(area.maxX, x);
                area.minY = std::min(area.minY, y);
                area.maxY = std::max(area.maxY, y);
                ++area.count;
            }
        }
        return area;
    }

    WindowHandle window = nullptr;
};

// Texel row 0, the smallest imaginary part, lies at the bottom of each quad, and the quads meet
// at x = 256 and y = 256 without gap or overlap.
TEST_F(Frame, TilesFormThePictureRowZeroAtTheBottom) {
    movePointer(700, 300);
    runFrame();
    const int samples[] = {0, 1, 128, 254, 255, 256, 257, 400, 510, 511};
    for (int y : samples) {
        for (int x : samples) {
            const int t = (y < 256 ? 2 : 0) + (x < 256 ? 0 : 1);
            EXPECT_EQ(readScenePixel(x, y), texel(t, x % 256, y % 256))
                << "scene " << x << "," << y;
        }
    }
    EXPECT_EQ(readScenePixel(512, 100), 0u) << "the picture ends at x = 512";
    EXPECT_EQ(readScenePixel(100, 512), 0u) << "the picture ends at y = 512";
}

TEST_F(Frame, PointerCrossIsCentredOneUnitRightOfThePointer) {
    movePointer(700, 100); // scene row 499
    runFrame();
    EXPECT_EQ(viewerState.pointerPosition.x, 700);
    EXPECT_EQ(viewerState.pointerPosition.y, 100);
    const WhiteArea cross = whiteIn(680, 480, 720, 520);
    // Arms of 10 units from (696, 499) to (706, 499) and from (701, 494) to (701, 504).
    EXPECT_GE(cross.minX, 695);
    EXPECT_LE(cross.minX, 697);
    EXPECT_GE(cross.maxX, 704);
    EXPECT_LE(cross.maxX, 706);
    EXPECT_GE(cross.minY, 493);
    EXPECT_LE(cross.minY, 495);
    EXPECT_GE(cross.maxY, 503);
    EXPECT_LE(cross.maxY, 505);
    EXPECT_GE(cross.count, 18);
    EXPECT_LE(cross.count, 21);
}

// Nothing is recomputed, yet the cross moves with the pointer and the old one is cleared.
TEST_F(Frame, CrossFollowsThePointerEveryFrame) {
    movePointer(700, 100);
    runFrame();
    movePointer(600, 300);
    runFrame();
    EXPECT_EQ(whiteIn(680, 480, 720, 520).count, 0);
    const WhiteArea cross = whiteIn(580, 280, 620, 320);
    EXPECT_GE(cross.count, 18);
    EXPECT_GE(cross.minX, 595);
    EXPECT_LE(cross.maxX, 606);
    // The picture under a cross shows through elsewhere.
    movePointer(100, 400); // over the lower-left tile, scene (101, 199)
    runFrame();
    EXPECT_EQ(readScenePixel(101, 199 + 8), texel(2, 101, 207));
    EXPECT_EQ(readScenePixel(101 + 8, 199), texel(2, 109, 199));
}

TEST_F(Frame, FrameRateIsMeasuredEveryFrame) {
    viewerState.framesPerSecond = -1.0f;
    runFrame();
    EXPECT_GT(viewerState.framesPerSecond, 0.0f);
}

} // namespace
