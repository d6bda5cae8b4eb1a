// test_frame.cpp -- frame composition: the four tiles as the picture, the pointer cross and the
// frame rate
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/viewer_state.h"
#include "platform/interval_timer.h"
#include "tests/fake_platform.h"
#include "tests/support/gl_context.h"
#include "tests/support/golden.h"
#include "ui/frame.h"
#include "ui/key_table.h"

namespace {

// Texel (i, j) of tile t is (i, j, 50 + 40 t): every pixel says where it came from.
unsigned texel(int t, int i, int j) {
    return unsigned(i) << 16 | unsigned(j) << 8 | unsigned(50 + 40 * t);
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
            for (int p = 0; p < 256 * 256; ++p)
                for (int c = 0; c < 3; ++c)
                    pixels[3 * p + c] = uint8_t(texel(t, p % 256, p / 256) >> (16 - 8 * c));
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
};

// Texel row 0, the smallest imaginary part, lies at the bottom of each quad, and the quads meet
// at x = 256 and y = 256 without gap or overlap. The frame rate is measured in every frame.
TEST_F(Frame, TilesFormThePictureRowZeroAtTheBottom) {
    frameTimer.restart();
    fake.counter += 20'000'000; // 20 ms
    fake.pointerX = 700;
    runFrame();
    EXPECT_FLOAT_EQ(viewerState.framesPerSecond, 50.0f);
    EXPECT_EQ(frameTimer.elapsedSeconds(), 0.0) << "restarted";
    const int samples[] = {0, 1, 128, 254, 255, 256, 257, 400, 510, 511};
    for (int y : samples)
        for (int x : samples)
            EXPECT_EQ(readScenePixel(x, y), texel((y < 256 ? 2 : 0) + (x >= 256), x % 256, y % 256))
                << x << "," << y;
    EXPECT_EQ(readScenePixel(512, 100), 0u) << "the picture ends at x = 512";
    EXPECT_EQ(readScenePixel(100, 512), 0u) << "the picture ends at y = 512";
}

// The white pixels of the 21 x 21 square centred on scene point (x, y), as a plain PBM.
std::string whiteAround(int x, int y) {
    std::string pbm = "P1\n21 21\n";
    for (int j = y + 10; j >= y - 10; --j) {
        for (int i = x - 10; i <= x + 10; ++i) pbm += readScenePixel(i, j) == 0xFFFFFF ? "1" : "0";
        pbm += "\n";
    }
    return pbm;
}

// The cross is centred one unit right of the pointer; it follows the pointer in every frame,
// with nothing recomputed, and over the picture the tiles show around it.
TEST_F(Frame, PointerCrossFollowsThePointer) {
    fake.pointerX = 700;
    fake.pointerY = 100; // scene row 499
    runFrame();
    EXPECT_EQ(viewerState.pointerPosition.x, 700);
    EXPECT_EQ(viewerState.pointerPosition.y, 100);
    const std::string cross = whiteAround(701, 499);
    expectGolden("ui/pointer_cross.pbm", cross);
    fake.pointerX = 600;
    fake.pointerY = 300;
    runFrame();
    EXPECT_EQ(whiteAround(601, 299), cross);
    EXPECT_EQ(whiteAround(701, 499).find('1', 9), std::string::npos) << "the old cross is gone";
    fake.pointerX = 100;
    fake.pointerY = 400; // over the lower-left tile, scene (101, 199)
    runFrame();
    EXPECT_EQ(readScenePixel(101, 199 + 8), texel(2, 101, 207));
    EXPECT_EQ(readScenePixel(101 + 8, 199), texel(2, 109, 199));
}

} // namespace
