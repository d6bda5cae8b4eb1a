// test_frame.cpp -- frame composition: the four tiles as the picture, the pointer cross and the
// frame rate
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/viewer_state.h"
#include "platform/interval_timer.h"
#include "tests/fake_platform.h"
#include "tests/support/gl_context.h"
#include "ui/frame.h"
#include "ui/key_table.h"

namespace {

// Texel (i, j) of tile t is (i, j, 50 + 40 t): every pixel says where it came from.
unsigned texel(int t, int i, int j) {
    return unsigned(i) << 16 | unsigned(j) << 8 | unsigned(50 + 40 * t);
}

void movePointer(int x, int y) {
    fake.pointerX = x;
    fake.pointerY = y;
}

class Frame : public FakePlatformTest {
  protected:
    void SetUp() override {
        FakePlatformTest::SetUp();
        useTestGlContext();
        std::memset(KeyTable, 0, sizeof KeyTable);
        viewerState.font = nullptr; // no text over the picture
        glGenTextures(4, viewerState.tileTextures);
        std::vector<unsigned char> pixels(256 * 256 * 3);
        for (int t = 0; t < 4; ++t) {
            for (int p = 0; p < 256 * 256; ++p) {
                const unsigned colour = texel(t, p % 256, p / 256);
                for (int c = 0; c < 3; ++c) pixels[3 * p + c] = uint8_t(colour >> (16 - 8 * c));
            }
            glBindTexture(GL_TEXTURE_2D, viewerState.tileTextures[t]);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glTexImage2D(GL_TEXTURE_2D, 0, 3, 256, 256, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        }
    }
    void TearDown() override {
        glDeleteTextures(4, viewerState.tileTextures);
        FakePlatformTest::TearDown();
    }

    // The white pixels within 20 units of scene point (x, y): their bounding box and count.
    static std::vector<int> whiteAround(int x, int y) {
        std::vector<int> box = {x + 20, y + 20, x - 20, y - 20, 0};
        for (int j = y - 20; j <= y + 20; ++j) {
            for (int i = x - 20; i <= x + 20; ++i) {
                if (readScenePixel(i, j) != 0xFFFFFF) continue;
                box = {std::min(box[0], i), std::min(box[1], j), std::max(box[2], i),
                       std::max(box[3], j), box[4] + 1};
            }
        }
        return box;
    }
};

// Texel row 0, the smallest imaginary part, lies at the bottom of each quad, and the quads meet
// at x = 256 and y = 256 without gap or overlap. The frame rate is measured in every frame.
TEST_F(Frame, TilesFormThePictureRowZeroAtTheBottom) {
    movePointer(700, 300);
    frameTimer.restart();
    fake.counter += 20'000'000; // 20 ms
    runFrame();
    EXPECT_NEAR(viewerState.framesPerSecond, 50.0f, 0.01f)
        << "one over the time since the last frame";
    EXPECT_EQ(frameTimer.elapsedSeconds(), 0.0) << "restarted";

    const int samples[] = {0, 1, 128, 254, 255, 256, 257, 400, 510, 511};
    for (int y : samples) {
        for (int x : samples) {
            const int t = (y < 256 ? 2 : 0) + (x < 256 ? 0 : 1);
            EXPECT_EQ(readScenePixel(x, y), texel(t, x % 256, y % 256)) << x << "," << y;
        }
    }
    EXPECT_EQ(readScenePixel(512, 100), 0u) << "the picture ends at x = 512";
    EXPECT_EQ(readScenePixel(100, 512), 0u) << "the picture ends at y = 512";
}

// The cross is 10 units wide and high, centred one unit right of the pointer; it follows the
// pointer in every frame, with nothing recomputed, and the picture shows around it.
TEST_F(Frame, PointerCrossFollowsThePointer) {
    movePointer(700, 100); // scene row 499
    runFrame();
    EXPECT_EQ(viewerState.pointerPosition.x, 700);
    EXPECT_EQ(viewerState.pointerPosition.y, 100);
    // Arms from (696, 499) to (706, 499) and from (701, 494) to (701, 504), ends within a unit.
    const std::vector<int> cross = whiteAround(701, 499);
    const int expected[] = {696, 494, 705, 504};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(cross[i], expected[i], 1) << "bounds " << i;
    EXPECT_GE(cross[4], 18);
    EXPECT_LE(cross[4], 21);

    movePointer(600, 300);
    runFrame();
    EXPECT_EQ(whiteAround(701, 499)[4], 0) << "the old cross is gone";
    EXPECT_GE(whiteAround(601, 299)[4], 18);
    movePointer(100, 400); // over the lower-left tile, scene (101, 199)
    runFrame();
    EXPECT_EQ(readScenePixel(101, 199 + 8), texel(2, 101, 207));
    EXPECT_EQ(readScenePixel(101 + 8, 199), texel(2, 109, 199));
}

} // namespace
