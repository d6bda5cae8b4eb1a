// test_heads_up_display.cpp -- every item of the overlay in its cell, compared with the same
// text printed alone by the same font
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/viewer_state.h"
#include "platform/interval_timer.h"
#include "tests/fake_platform.h"
#include "tests/support/gl_context.h"
#include "ui/bitmap_font.h"
#include "ui/heads_up_display.h"
#include "ui/key_table.h"

namespace {

typedef std::vector<unsigned char> Frame; // 800 x 600 RGB, bottom row first

struct Item {
    int column, row;
    const char* text;
    int set;
    float red = 1, green = 1, blue = 1;
};

// A grey picture under the overlay, so that the help band's black shows.
void drawBackground(bool helpBand) {
    useTestGlContext();
    glClearColor(0.5f, 0.5f, 0.5f, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glColor3f(0, 0, 0);
    if (helpBand) glRecti(80, 265, 800, 520);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
}

Frame readFrame() {
    Frame frame(800 * 600 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, frame.data());
    return frame;
}

// Pixels in [left, right) x [bottom, top) where the frames differ.
int differingPixels(const Frame& a, const Frame& b, int left, int right, int bottom, int top) {
    int count = 0;
    for (int y = bottom; y < top; ++y)
        for (int x = left; x < right; ++x) {
            const size_t at = (size_t(y) * 800 + x) * 3;
            count += std::memcmp(&a[at], &b[at], 3) != 0;
        }
    return count;
}

Frame drawDisplay() {
    drawBackground(false);
    drawHeadsUpDisplay();
    return readFrame();
}

// Items printed by the same font in their colours over the same background.
Frame drawAlone(const std::vector<Item>& items, bool helpBand) {
    drawBackground(helpBand);
    viewerState.font->beginText();
    for (const Item& item : items) {
        glColor3f(item.red, item.green, item.blue);
        viewerState.font->print(item.column, item.row, item.text, item.set);
    }
    viewerState.font->endText();
    return readFrame();
}

// The cells of each item (its glyph quads reach 5 units further) are as when it is printed
// alone, and differ from the bare background, so the item really draws something.
void expectItems(const Frame& display, const std::vector<Item>& items, bool helpBand = false) {
    const Frame bare = drawAlone({}, helpBand);
    for (const Item& item : items) {
        SCOPED_TRACE(testing::Message() << '"' << item.text << "\" at column " << item.column
                                        << ", row " << item.row << ", set " << item.set);
        const Frame alone = drawAlone({item}, helpBand);
        const int left = 11 * item.column, bottom = 584 - 16 * item.row;
        const int right = std::min(800, left + 11 * int(std::strlen(item.text)));
        EXPECT_EQ(differingPixels(display, alone, left, right, bottom, bottom + 16), 0);
        EXPECT_GT(differingPixels(alone, bare, left, right, bottom, bottom + 16), 0);
    }
}

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
};

TEST_F(HeadsUpDisplay, StatisticsViewRegionAndPointer) {
    // clang-format off
    expectItems(drawDisplay(), {
        {0, 0, "12.", 0}, {15, 0, "h - zobrazi help", 1}, {10, 1, "1000", 0},
        {0, 1, "Iteracii:", 0}, {5, 2, "0.25", 0}, {0, 2, "Cas:", 0}, {18, 3, "4000.", 0},
        {0, 3, "Iteraci za 1 sec:", 0}, {0, 4, "x:", 0}, {2, 4, "-1.25", 0}, {25, 4, "dx:", 0},
        {28, 4, "2.", 0}, {36, 4, "y:", 0}, {38, 4, "-1.", 0}, {61, 4, "dy:", 0}, {64, 4, "2.", 0},
        {35, 0, "Mys: x =", 1}, {44, 0, "256", 1}, {48, 0, "y =", 1}, {52, 0, "256", 1},
        {23, 1, "Sposob vypoctu (medzernik):", 1}, {50, 5, "-0.25", 0}, {50, 6, "0.", 0}});
    // (256, 343) above is -0.25 + 0i in the initial view.

    // A pointer outside the scene extrapolates; 0.3 and 0.004 show their binary expansions.
    viewerState.view = {0.3, 0.004, 0.1, 20.0};
    viewerState.pointerPosition = {-3, 700};
    expectItems(drawDisplay(), {
        {2, 4, "0.29999999999999999", 0}, {28, 4, "4.e-003", 0}, {38, 4, "0.10000000000000001", 0},
        {64, 4, "20", 0}, {44, 0, "-3", 1}, {52, 0, "-101", 1}, {50, 5, "0.29997656249999999", 0},
        {50, 6, "-3.8453124999999999", 0}});
    // clang-format on
}

TEST_F(HeadsUpDisplay, MethodListMarksTheActiveMethod) {
    const char* const entries[3] = {"jazyk c", "assembler s FPU", "assembler s 3Dnow!"};
    for (int has3DNow : {0, 1})
        for (int method = 0; method < 6; ++method) {
            if (!has3DNow && method % 3 == 2) continue; // never selected without 3DNow!
            SCOPED_TRACE(testing::Message() << "method " << method << ", 3DNow! " << has3DNow);
            viewerState.has3DNow = has3DNow;
            viewerState.method = ComputeMethod(method);
            std::vector<Item> items;
            for (int row = 1; row <= 3; ++row) {
                const bool active = method % 3 == row - 1;
                items.push_back(
                    {51, row, entries[row - 1], !active, 1, active ? 0.f : 1, active ? 0.f : 1});
            }
            if (!has3DNow)
                items[2] = {33, 3, "(CPU nepodporuje) assembler s 3Dnow!", 1, 0.7f, 1, 0.6f};
            expectItems(drawDisplay(), items);
        }
}

// The colouring indicator only while colouring, the seed only for a Julia set, although it
// keeps its value.
TEST_F(HeadsUpDisplay, ColouringAndKind) {
    viewerState.colourEnabled = 1;
    viewerState.method = PaletteX87;
    viewerState.kind = Julia;
    viewerState.juliaSeed = {-0.75, 0.1};
    // clang-format off
    expectItems(drawDisplay(), {
        {60, 0, "far", 0, 1, 0.3f, 0}, {63, 0, "ben", 0, 0, 1, 0.3f}, {66, 0, "ie", 0, 0.3f, 0, 1},
        {60, 1, "Julia", 0}, {50, 7, "-0.75", 0}, {50, 8, "0.10000000000000001", 0}});
    // clang-format on
    viewerState.colourEnabled = 0;
    viewerState.method = GreyX87;
    viewerState.kind = Mandelbrot;
    const Frame display = drawDisplay(), bare = drawAlone({}, false);
    expectItems(display, {{60, 1, "Mandelbrot", 0}});
    EXPECT_EQ(differingPixels(display, bare, 660, 800, 584, 600), 0); // row 0 from column 60
    EXPECT_EQ(differingPixels(display, bare, 550, 800, 456, 488), 0); // rows 7 and 8
}

TEST_F(HeadsUpDisplay, HelpForTwoAndAHalfSecondsAfterStartAndWhileHIsHeld) {
    // clang-format off
    const std::vector<Item> lines = {
        {15, 5, "Program: Zelvonia - Mandelbrotova a Juliova mnozina", 0},
        {10, 8, "Pouzivane klavesy:", 0}, {15, 9, "medzernik - zmena sposobu vypoctu", 1},
        {15, 12, "F - zapne/vypne farbebie", 1}, {15, 19, "sipky - posuvanie", 1},
        {15, 15, "  - komplexne cislo pre Juliovu mnozinu sa nastavuje mysou", 1},
        {15, 20, "H - help", 0, 1, 0.5f, 0.5f}};
    // clang-format on
    auto expectHelp = [&](bool shown) {
        const Frame display = drawDisplay();
        // Left of the lines: the band's left and lower edges over the picture, or no band.
        EXPECT_EQ(differingPixels(display, drawAlone({}, shown), 0, 88, 0, 520), 0);
        if (shown) expectItems(display, lines, true);
    };
    fake.counter = 2'400'000'000;
    expectHelp(true);
    fake.counter = 2'600'000'000;
    expectHelp(false);
    KeyTable[72] = 1;
    expectHelp(true);
}

} // namespace
