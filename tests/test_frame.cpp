// test_frame.cpp -- frame composition: the four tiles as the picture, the pointer cross and the
// frame rate
#include <GL/gl.h>

#include <string>
#include <vector>

#include "engine/viewer_state.h"
#include "platform/interval_timer.h"
#include "tests/fake_platform.h"
#include "tests/support/golden.h"
#include "ui/frame.h"

namespace {

// Texel (i, j) of tile t is (i, j, 50 + 40 t): every pixel says where it came from.
unsigned texel(int t, int i, int j) {
    return unsigned(i) << 16 | unsigned(j) << 8 | unsigned(50 + 40 * t);
}

// No key is down, and there is no font: the tiles and the cross alone.
class Frame : public FakePlatformTest {
  protected:
    void SetUp() override {
        FakePlatformTest::SetUp();
        useTestGlContext();
        glGenTextures(4, viewerState.tileTextures);
        std::vector<unsigned char> pixels(256 * 256 * 3);
        for (int t = 0; t < 4; ++t) {
            for (int p = 0; p < 256 * 256 * 3; ++p)
                pixels[p] = uint8_t(texel(t, p / 3 % 256, p / 768) >> (16 - 8 * (p % 3)));
            glBindTexture(GL_TEXTURE_2D, viewerState.tileTextures[t]);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexImage2D(GL_TEXTURE_2D, 0, 3, 256, 256, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        }
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
    for (int y : {0, 1, 128, 255, 256, 257, 400, 510, 511, 512})
        for (int x : {0, 1, 128, 255, 256, 257, 400, 510, 511, 512})
            EXPECT_EQ(readScenePixel(x, y),
                      x < 512 && y < 512 ? texel((y < 256) * 2 + (x > 255), x % 256, y % 256) : 0)
                << x << "," << y;
}

// The white pixels of the 21 x 21 square centred on scene point (x, y), as a plain PBM.
std::string whiteAround(int x, int y) {
    std::string pbm = "P1\n21 21\n";
    for (int j = y + 10; j >= y - 10; --j) {
        for (int i = x - 10; i <= x + 10; ++i) pbm += readScenePixel(i, j) == 0xFFFFFF ? '1' : '0';
        pbm += '\n';
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
    fake.pointerX = 100;
    fake.pointerY = 400; // over the lower-left tile, scene (101, 199)
    runFrame();
    EXPECT_EQ(whiteAround(101, 199), cross);
    EXPECT_EQ(whiteAround(701, 499).find('1', 9), std::string::npos) << "the old cross is gone";
    EXPECT_EQ(readScenePixel(101, 199 + 8), texel(2, 101, 207));
    EXPECT_EQ(readScenePixel(101 + 8, 199), texel(2, 109, 199));
}

} // namespace
