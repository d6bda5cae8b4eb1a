// test_frame.cpp -- what a frame shows: the four tiles as the picture, the pointer cross, the frame
// rate, and the heads-up display in a few states read back as text, with the help and its timing
#include <GL/gl.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/viewer_state.h"
#include "platform/interval_timer.h"
#include "tests/fake_platform.h"
#include "tests/support/golden.h"
#include "tests/support/scene_text.h"
#include "ui/frame.h"
#include "ui/heads_up_display.h"
#include "ui/key_table.h"

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
        viewerState = {};
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

class HeadsUpDisplay : public FakePlatformTest {
  protected:
    void SetUp() override {
        FakePlatformTest::SetUp();
        viewerState = {.font = testFont(), // the initial view, no 3DNow!
                       .iterationCount = 1000,
                       .computeSeconds = 0.25f,
                       .pointerPosition = {256, 343}, // -0.25 + 0i in the initial view
                       .framesPerSecond = 12.0f};
        ASSERT_NE(viewerState.font, nullptr);
        std::memset(KeyTable, 0, sizeof KeyTable);
        helpTimer.restart();
        fake.counter = 3'000'000'000; // nanoseconds: the help is gone
    }
    // The display over this grey: the text over black, or whether these corners of the help's
    // band are black: (79, 265), (80, 264), (80, 265), (799, 519), (80, 520).
    static std::string draw(float grey = 0) {
        glClearColor(grey, grey, grey, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        drawHeadsUpDisplay();
        if (grey == 0) return sceneText();
        std::string band = "band ";
        for (auto [x, y] : {std::pair{79, 265}, {80, 264}, {80, 265}, {799, 519}, {80, 520}})
            band += readScenePixel(x, y) ? '0' : '1';
        return band;
    }
};

TEST_F(HeadsUpDisplay, InitialWithHelp) {
    fake.counter = 0;
    expectGolden("ui/display_initial.txt", draw() + draw(0.5f) + "\n");
}

// Other numbers and a pointer off the scene, whose point is extrapolated; then a Julia set with
// colouring on and its constant.
TEST_F(HeadsUpDisplay, StatisticsColouringAndKind) {
    viewerState.view = {0.3, 0.004, 0.1, 20.0};
    viewerState.pointerPosition = {-3, 700};
    viewerState.iterationCount = 4000000000u;
    viewerState.computeSeconds = 0.0456f;
    viewerState.framesPerSecond = 60.2409f;
    std::string out = draw();
    viewerState.colourEnabled = 1;
    viewerState.method = PaletteX87;
    viewerState.kind = Julia;
    viewerState.juliaSeed = {-0.75, 0.1};
    expectGolden("ui/display_statistics.txt", out + draw());
}

// The active method in red in set 0, the others in set 1; without 3DNow! its entry says so.
TEST_F(HeadsUpDisplay, MethodListMarksTheActiveMethod) {
    std::string out;
    for (int method = 0; method < 12; ++method) {
        viewerState.has3DNow = method / 6;
        viewerState.method = ComputeMethod(method % 6);
        draw();
        out += "3DNow " + std::to_string(method / 6) + ", method " + std::to_string(method % 6) +
               ":\n" + sceneText(1, 3);
    }
    expectGolden("ui/display_methods.txt", out);
}

TEST_F(HeadsUpDisplay, HelpForTwoAndAHalfSecondsAfterStartAndWhileHIsHeld) {
    fake.counter = 2'400'000'000;
    EXPECT_EQ(draw(0.5f), "band 00110");
    fake.counter = 2'600'000'000;
    EXPECT_EQ(draw(0.5f), "band 00000");
    KeyTable['H'] = 1;
    EXPECT_EQ(draw(0.5f), "band 00110");
}

} // namespace
