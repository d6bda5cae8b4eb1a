// test_heads_up_display.cpp -- every item of the overlay in its cell, compared with the same
// text printed alone by the same font
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/interval_timer.h"
#include "app/key_table.h"
#include "engine/viewer_state.h"
#include "platform/clock.h"
#include "tests/support/gl_context.h"
#include "ui/bitmap_font.h"
#include "ui/heads_up_display.h"

namespace {

typedef std::vector<unsigned char> Frame; // 800 x 600 RGB, bottom row first

struct Colour {
    float red, green, blue;
};
constexpr Colour White = {1, 1, 1};

// The help timer reads this counter, in nanoseconds.
int64_t fakeNanoseconds;
const ClockSource fakeClocks = {
    [](int64_t* frequency) {
        *frequency = 1000000000;
        return true;
    },
    [](int64_t* ticks) { *ticks = fakeNanoseconds; },
    [] { return uint32_t(fakeNanoseconds / 1000000); },
};

// A mid-grey picture under the overlay, so that the help band's black shows.
void clearToBackground() {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glColor3f(0.5f, 0.5f, 0.5f);
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(512, 0);
    glVertex2i(512, 512);
    glVertex2i(0, 512);
    glEnd();
    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
}

// The opaque band behind the help text.
void drawHelpBand() {
    glDisable(GL_TEXTURE_2D);
    glColor3f(0, 0, 0);
    glRecti(80, 265, 800, 520);
    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
}

Frame readFrame() {
    Frame frame(800 * 600 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, frame.data());
    return frame;
}

class HeadsUpDisplay : public ::testing::Test {
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
        clockSource = &fakeClocks;
        fakeNanoseconds = 0;
        helpTimer.restart();
        fakeNanoseconds = 3'000'000'000; // help gone unless a test wants it
        std::memset(KeyTable, 0, sizeof KeyTable);
        viewerState.view = InitialView;
        viewerState.kind = Mandelbrot;
        viewerState.method = GreyX87;
        viewerState.has3DNow = 0;
        viewerState.colourEnabled = 0;
        viewerState.juliaSeed = {0.0, 0.0};
        viewerState.iterationCount = 1000;
        viewerState.computeSeconds = 0.25f;
        viewerState.framesPerSecond = 12.0f;
        viewerState.pointerPosition = {256, 343};
    }
    void TearDown() override { clockSource = &systemClocks; }

    Frame drawDisplay() {
        useTestGlContext();
        clearToBackground();
        drawHeadsUpDisplay();
        return readFrame();
    }

    // The text alone, printed by the same font in the same colour over the same background.
    static Frame drawAlone(int column, int row, const char* text, int set, Colour colour,
                           bool onHelpBand = false) {
        useTestGlContext();
        clearToBackground();
        if (onHelpBand) drawHelpBand();
        BitmapFont& font = *viewerState.font;
        font.beginText();
        glColor3f(colour.red, colour.green, colour.blue);
        font.print(column, row, text, set);
        font.endText();
        return readFrame();
    }

    // Compares the cells that text covers (each glyph quad reaches 5 units past its cell).
    static void expectText(const Frame& display, int column, int row, const char* text, int set,
                           Colour colour = White, bool onHelpBand = false) {
        SCOPED_TRACE(std::string("\"") + text + "\" at column " + std::to_string(column) +
                     ", row " + std::to_string(row) + ", set " + std::to_string(set));
        const Frame alone = drawAlone(column, row, text, set, colour, onHelpBand);
        const int left = 11 * column, right = std::min(800, left + 11 * int(strlen(text)));
        const int bottom = 584 - 16 * row;
        int differences = 0;
        for (int y = bottom; y < bottom + 16; ++y)
            for (int x = left; x < right; ++x) {
                const size_t at = (size_t(y) * 800 + x) * 3;
                differences += std::memcmp(&display[at], &alone[at], 3) != 0;
            }
        EXPECT_EQ(differences, 0);
        // The text really draws something there: it differs from an empty cell row.
        const Frame empty = drawAlone(column, row, "", set, colour, onHelpBand);
        int lit = 0;
        for (int y = bottom; y < bottom + 16; ++y)
            for (int x = left; x < right; ++x) {
                const size_t at = (size_t(y) * 800 + x) * 3;
                lit += std::memcmp(&alone[at], &empty[at], 3) != 0;
            }
        EXPECT_GT(lit, 0);
    }
};

TEST_F(HeadsUpDisplay, StatisticsOfTheLastComputation) {
    const Frame display = drawDisplay();
    expectText(display, 0, 0, "12.", 0);
    expectText(display, 15, 0, "h - zobrazi help", 1);
    expectText(display, 10, 1, "1000", 0);
    expectText(display, 0, 1, "Iteracii:", 0);
    expectText(display, 5, 2, "0.25", 0);
    expectText(display, 0, 2, "Cas:", 0);
    expectText(display, 18, 3, "4000.", 0);
    expectText(display, 0, 3, "Iteraci za 1 sec:", 0);
}

TEST_F(HeadsUpDisplay, ViewRegionAndPointer) {
    Frame display = drawDisplay();
    expectText(display, 0, 4, "x:", 0);
    expectText(display, 2, 4, "-1.25", 0);
    expectText(display, 25, 4, "dx:", 0);
    expectText(display, 28, 4, "2.", 0);
    expectText(display, 36, 4, "y:", 0);
    expectText(display, 38, 4, "-1.", 0);
    expectText(display, 61, 4, "dy:", 0);
    expectText(display, 64, 4, "2.", 0);
    expectText(display, 35, 0, "Mys: x =", 1);
    expectText(display, 44, 0, "256", 1);
    expectText(display, 48, 0, "y =", 1);
    expectText(display, 52, 0, "256", 1);
    // (256, 343) is the point -0.25 + 0i of the initial view: x + 256 * 2/512.
    expectText(display, 50, 5, "-0.25", 0);
    expectText(display, 50, 6, "0.", 0);
    expectText(display, 23, 1, "Sposob vypoctu (medzernik):", 1);

    // A pointer outside the scene extrapolates; 0.3 and 0.004 show their binary expansions.
    viewerState.view = {0.3, 0.004, 0.1, 20.0};
    viewerState.pointerPosition = {-3, 700};
    display = drawDisplay();
    expectText(display, 2, 4, "0.29999999999999999", 0);
    expectText(display, 28, 4, "4.e-003", 0);
    expectText(display, 64, 4, "20", 0);
    expectText(display, 44, 0, "-3", 1);
    expectText(display, 52, 0, "-101", 1);
    expectText(display, 50, 5, "0.29997656249999999", 0);
    expectText(display, 50, 6, "-3.8453124999999999", 0);
}

TEST_F(HeadsUpDisplay, MethodListMarksTheActiveMethod) {
    const char* const entries[3] = {"jazyk c", "assembler s FPU", "assembler s 3Dnow!"};
    const Colour red = {1, 0, 0};
    for (int has3DNow = 0; has3DNow <= 1; ++has3DNow)
        for (int method = 0; method < 6; ++method) {
            if (!has3DNow && method % 3 == 2) continue; // never selected without 3DNow!
            SCOPED_TRACE("method " + std::to_string(method) + ", 3DNow! " +
                         std::to_string(has3DNow));
            viewerState.has3DNow = has3DNow;
            viewerState.method = ComputeMethod(method);
            const Frame display = drawDisplay();
            for (int row = 1; row <= 3; ++row) {
                const bool active = method % 3 == row - 1;
                if (row == 3 && !has3DNow)
                    expectText(display, 33, 3, "(CPU nepodporuje) assembler s 3Dnow!", 1,
                               {0.7f, 1.0f, 0.6f});
                else
                    expectText(display, 51, row, entries[row - 1], active ? 0 : 1,
                               active ? red : White);
            }
        }
}

TEST_F(HeadsUpDisplay, ColouringIndicatorOnlyWhileColouring) {
    viewerState.colourEnabled = 1;
    viewerState.method = PaletteX87;
    Frame display = drawDisplay();
    expectText(display, 60, 0, "far", 0, {1, 0.3f, 0});
    expectText(display, 63, 0, "ben", 0, {0, 1, 0.3f});
    expectText(display, 66, 0, "ie", 0, {0.3f, 0, 1});

    viewerState.colourEnabled = 0;
    viewerState.method = GreyX87;
    display = drawDisplay();
    const Frame blank = drawAlone(60, 0, "", 0, White);
    for (int x = 660; x < 800; ++x)
        for (int y = 584; y < 600; ++y) {
            const size_t at = (size_t(y) * 800 + x) * 3;
            ASSERT_EQ(std::memcmp(&display[at], &blank[at], 3), 0) << x << ", " << y;
        }
}

TEST_F(HeadsUpDisplay, KindAndJuliaSeed) {
    viewerState.juliaSeed = {-0.75, 0.1};
    Frame display = drawDisplay();
    expectText(display, 60, 1, "Mandelbrot", 0);
    const Frame blank = drawAlone(0, 0, "", 0, White);
    for (int y = 584 - 16 * 8; y < 600 - 16 * 7; ++y) // rows 7 and 8 stay empty
        for (int x = 550; x < 800; ++x) {
            const size_t at = (size_t(y) * 800 + x) * 3;
            ASSERT_EQ(std::memcmp(&display[at], &blank[at], 3), 0) << x << ", " << y;
        }

    viewerState.kind = Julia;
    display = drawDisplay();
    expectText(display, 60, 1, "Julia", 0);
    expectText(display, 50, 7, "-0.75", 0);
    expectText(display, 50, 8, "0.10000000000000001", 0);
}

TEST_F(HeadsUpDisplay, HelpForTwoAndAHalfSecondsAfterStartAndWhileHIsHeld) {
    auto expectHelp = [&](bool shown) {
        const Frame display = drawDisplay();
        const size_t bandPixel = (size_t(300) * 800 + 100) * 3; // inside the band, over the picture
        const unsigned grey = display[bandPixel];
        if (!shown) {
            EXPECT_GT(grey, 100u);
            return;
        }
        EXPECT_EQ(grey, 0u);
        expectText(display, 15, 5, "Program: Zelvonia - Mandelbrotova a Juliova mnozina", 0, White,
                   true);
        expectText(display, 10, 8, "Pouzivane klavesy:", 0, White, true);
        expectText(display, 15, 9, "medzernik - zmena sposobu vypoctu", 1, White, true);
        expectText(display, 15, 12, "F - zapne/vypne farbebie", 1, White, true);
        expectText(display, 15, 15, "  - komplexne cislo pre Juliovu mnozinu sa nastavuje mysou", 1,
                   White, true);
        expectText(display, 15, 19, "sipky - posuvanie", 1, White, true);
        expectText(display, 15, 20, "H - help", 0, {1, 0.5f, 0.5f}, true);
    };
    fakeNanoseconds = 2'400'000'000;
    expectHelp(true);
    fakeNanoseconds = 2'600'000'000;
    expectHelp(false);
    KeyTable[72] = 1;
    expectHelp(true);
}

} // namespace
