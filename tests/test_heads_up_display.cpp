// test_heads_up_display.cpp -- the overlay in a few states read back as text and compared with
// reviewed files; the help's black band and when it shows
#include <GL/gl.h>

#include <cstring>
#include <string>

#include "engine/viewer_state.h"
#include "platform/interval_timer.h"
#include "tests/fake_platform.h"
#include "tests/support/golden.h"
#include "tests/support/scene_text.h"
#include "ui/bitmap_font.h"
#include "ui/heads_up_display.h"
#include "ui/key_table.h"

namespace {

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
