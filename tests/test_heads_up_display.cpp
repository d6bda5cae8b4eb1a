// test_heads_up_display.cpp -- the overlay in a few states, read back as text and compared with
// reviewed files; the help's black band and its timing
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/viewer_state.h"
#include "platform/interval_timer.h"
#include "tests/fake_platform.h"
#include "tests/support/gl_context.h"
#include "tests/support/golden.h"
#include "tests/support/scene_text.h"
#include "ui/bitmap_font.h"
#include "ui/heads_up_display.h"
#include "ui/key_table.h"

namespace {

class HeadsUpDisplay : public FakePlatformTest {
  protected:
    static void SetUpTestSuite() {
        useTestGlContext();
        ASSERT_TRUE(loadFontTexture());
        viewerState.font = new BitmapFont(viewerState.fontTexture);
    }
    static void TearDownTestSuite() {
        delete viewerState.font;
        viewerState.font = nullptr;
    }
    void SetUp() override {
        FakePlatformTest::SetUp();
        BitmapFont* font = viewerState.font;
        viewerState = {}; // the initial view, a Mandelbrot set, no colouring, no 3DNow!
        viewerState.font = font;
        viewerState.iterationCount = 1000;
        viewerState.computeSeconds = 0.25f;
        viewerState.framesPerSecond = 12.0f;
        viewerState.pointerPosition = {256, 343};
        std::memset(KeyTable, 0, sizeof KeyTable);
        helpTimer.restart();
        fake.counter = 3'000'000'000; // help gone unless a test wants it, in nanoseconds
    }

    // The display over a background of this grey.
    static void draw(float grey) {
        useTestGlContext();
        glClearColor(grey, grey, grey, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        glColor3f(1, 1, 1);
        drawHeadsUpDisplay();
    }
    static std::string text(int firstRow = 0, int lastRow = 36, int firstColumn = 0) {
        draw(0);
        return sceneText(firstRow, lastRow, firstColumn);
    }
    // The black pixels over a grey scene: the help's band, when shown.
    static std::string band() {
        draw(0.5f);
        std::vector<unsigned char> grey(800 * 600);
        glReadPixels(0, 0, 800, 600, GL_RED, GL_UNSIGNED_BYTE, grey.data());
        int left = 800, bottom = 600, right = -1, top = -1;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                if (grey[y * 800 + x] == 0)
                    left = std::min(left, x), right = std::max(right, x),
                    bottom = std::min(bottom, y), top = std::max(top, y);
        return "black band x " + std::to_string(left) + " to " + std::to_string(right) + ", y " +
               std::to_string(bottom) + " to " + std::to_string(top) + "\n";
    }
};

// Right after the start, with the help; (256, 343) is -0.25 + 0i in the initial view.
TEST_F(HeadsUpDisplay, InitialWithHelp) {
    fake.counter = 0;
    expectGolden("ui/display_initial.txt", text() + band());
}

// Other numbers, a pointer off the scene whose point is extrapolated; and a Julia set with
// colouring on, whose constant shows.
TEST_F(HeadsUpDisplay, StatisticsColouringAndKind) {
    viewerState.view = {0.3, 0.004, 0.1, 20.0};
    viewerState.pointerPosition = {-3, 700};
    viewerState.iterationCount = 4000000000u;
    viewerState.computeSeconds = 0.0456f;
    viewerState.framesPerSecond = 60.2409f;
    std::string out = text();
    viewerState.colourEnabled = 1;
    viewerState.method = PaletteX87;
    viewerState.kind = Julia;
    viewerState.juliaSeed = {-0.75, 0.1};
    expectGolden("ui/display_statistics.txt", out + text());
}

// The active method in red in set 0, the others in set 1; without 3DNow! its entry says so.
TEST_F(HeadsUpDisplay, MethodListMarksTheActiveMethod) {
    std::string out;
    for (int has3DNow : {0, 1})
        for (int method = 0; method < 6; ++method) {
            viewerState.has3DNow = has3DNow;
            viewerState.method = ComputeMethod(method);
            out += "3DNow " + std::to_string(has3DNow) + ", method " + std::to_string(method) +
                   ":\n" + text(1, 3, 33);
        }
    expectGolden("ui/display_methods.txt", out);
}

TEST_F(HeadsUpDisplay, HelpForTwoAndAHalfSecondsAfterStartAndWhileHIsHeld) {
    const std::string none = "black band x 800 to -1, y 600 to -1\n";
    fake.counter = 2'400'000'000;
    EXPECT_NE(band(), none);
    fake.counter = 2'600'000'000;
    EXPECT_EQ(band(), none);
    KeyTable['H'] = 1;
    EXPECT_NE(band(), none);
}

} // namespace
