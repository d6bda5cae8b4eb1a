// test_commands.cpp -- the commands of runFrame: else-chains, one-shot and held keys, Shift
// factors, the zoom and point mappings, and the recomputations they cause
#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "engine/tile_computation.h"
#include "engine/viewer_state.h"
#include "platform/keys.h"
#include "tests/fake_platform.h"
#include "ui/commands.h"
#include "ui/key_table.h"
#include "ui/palette.h"

namespace {

// The states that the recomputations would compute from: the commands are checked without
// pictures.
std::vector<ViewerState> recomputations;

void movePointer(int x, int y) {
    fake.pointerX = x;
    fake.pointerY = y;
}

class Commands : public FakePlatformTest {
  protected:
    void SetUp() override {
        FakePlatformTest::SetUp();
        recomputation = [] { recomputations.push_back(viewerState); };
        std::memset(KeyTable, 0, sizeof KeyTable);
        std::memset(PaletteTable, 0, sizeof PaletteTable);
        viewerState = ViewerState();
        viewerState.method = GreyX87;
        recomputations.clear();
        movePointer(700, 300);
    }

    // One frame's commands with these keys down.
    void frame(std::initializer_list<int> keys = {}) {
        for (int key : keys) KeyTable[key] = 1;
        applyCommands();
    }

    void TearDown() override {
        recomputation = recomputeImage;
        FakePlatformTest::TearDown();
    }
};

// Equal apart from rounding: the views here are of order 1 to 40.
void expectView(const ViewRegion& actual, const ViewRegion& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-13);
    EXPECT_NEAR(actual.dx, expected.dx, 1e-13);
    EXPECT_NEAR(actual.y, expected.y, 1e-13);
    EXPECT_NEAR(actual.dy, expected.dy, 1e-13);
}

// What the commands leave, as text, to compare whole outcomes.
std::string outcome() {
    unsigned palette = 0;
    for (const PaletteEntry& e : PaletteTable)
        palette = palette * 31 + e.red * 7 + e.green * 3 + e.blue;
    const ViewerState& s = viewerState;
    char text[200];
    std::snprintf(text, sizeof text,
                  "view %.17g %.17g %.17g %.17g, kind %d, seed %.17g %.17g, "
                  "method %d, palette %08x",
                  s.view.x, s.view.dx, s.view.y, s.view.dy, s.kind, s.juliaSeed.re, s.juliaSeed.im,
                  s.method, palette);
    return text;
}

// One frame from the initial view with a zoom or pan key, without and with Shift: the new view,
// and one recomputation made after the change.
TEST_F(Commands, ZoomAndPanStepsWithAndWithoutShift) {
    const std::tuple<int, PointerPosition, ViewRegion, ViewRegion> cases[] = {
        {VK_LBUTTON, {0, 599}, {-1.75, 1.0, -1.5, 1.0}, {-1.35, 0.2, -1.1, 0.2}},
        {VK_RBUTTON, {511, 88}, {-1.25, 4.0, -1.0, 4.0}, {-9.25, 20.0, -9.0, 20.0}},
        {VK_ADD, {}, {-0.45, 0.4, -0.2, 0.4}, {-0.3, 0.1, -0.05, 0.1}},
        {VK_SUBTRACT, {}, {-5.25, 10.0, -5.0, 10.0}, {-20.25, 40.0, -20.0, 40.0}},
        {VK_DOWN, {}, {-1.25, 2.0, -0.8, 2.0}, {-1.25, 2.0, -0.4, 2.0}},
        {VK_UP, {}, {-1.25, 2.0, -1.2, 2.0}, {-1.25, 2.0, -1.6, 2.0}},
        {VK_RIGHT, {}, {-1.05, 2.0, -1.0, 2.0}, {-0.65, 2.0, -1.0, 2.0}},
        {VK_LEFT, {}, {-1.45, 2.0, -1.0, 2.0}, {-1.85, 2.0, -1.0, 2.0}}};
    for (const auto& [key, pointer, view, shiftView] : cases) {
        for (bool shift : {false, true}) {
            SCOPED_TRACE(testing::Message() << "key " << key << (shift ? " with Shift" : ""));
            SetUp();
            movePointer(pointer.x, pointer.y);
            KeyTable[VK_SHIFT] = shift;
            frame({key});
            expectView(viewerState.view, shift ? shiftView : view);
            ASSERT_EQ(recomputations.size(), 1u);
            expectView(recomputations[0].view, shift ? shiftView : view);
        }
    }
}

// One frame with one key: whether its entry is kept, and how often it recomputes.
TEST_F(Commands, OneShotEntriesAreClearedAndHeldOnesKept) {
    const int cases[][3] = {{VK_LBUTTON, 0, 1},  {VK_RBUTTON, 1, 1}, {VK_ADD, 0, 1},
                            {VK_SUBTRACT, 0, 1}, {VK_DOWN, 1, 1},    {VK_UP, 1, 1},
                            {VK_RIGHT, 1, 1},    {VK_LEFT, 1, 1},    {'1', 1, 1},
                            {'8', 1, 1},         {'F', 0, 1},        {'R', 0, 1},
                            {'U', 0, 1},         {VK_RETURN, 0, 1},  {'J', 1, 1},
                            {VK_SPACE, 0, 0},    {VK_SHIFT, 1, 0},   {'H', 1, 0}};
    for (const auto& [key, held, recomputed] : cases) {
        SetUp();
        frame({key});
        EXPECT_EQ(KeyTable[key], held) << "key " << key;
        EXPECT_EQ(recomputations.size(), size_t(recomputed)) << "key " << key;
    }
}

// The first set key of a chain acts as if alone, the others stay set, and after a one-shot
// winner the next one acts in the next frame. In a Julia set, so that Enter and J differ.
TEST_F(Commands, ElseChainsLetTheFirstSetKeyAct) {
    const std::vector<int> chains[] = {{'3', '5', '8'},          {VK_ADD, VK_SUBTRACT},
                                       {VK_LBUTTON, VK_RBUTTON}, {VK_DOWN, VK_UP},
                                       {VK_RIGHT, VK_LEFT},      {VK_RETURN, 'J'}};
    for (const std::vector<int>& chain : chains) {
        SCOPED_TRACE(testing::Message() << "chain of key " << chain[0]);
        std::string alone;
        for (bool together : {false, true}) {
            SetUp();
            viewerState.kind = Julia;
            viewerState.juliaSeed = {0.3, 0.4};
            for (int key : chain) KeyTable[key] = together || key == chain[0];
            frame();
            if (!together) alone = outcome();
        }
        EXPECT_EQ(outcome(), alone);
        EXPECT_EQ(recomputations.size(), 1u);
        for (size_t i = 1; i < chain.size(); ++i) EXPECT_EQ(KeyTable[chain[i]], 1);
        if (KeyTable[chain[0]]) continue; // a held winner goes on winning
        frame();
        EXPECT_EQ(recomputations.size(), 2u);
        EXPECT_NE(outcome(), alone) << "the second key acts in the next frame";
    }
}

TEST_F(Commands, VerticalAndHorizontalArrowsRecomputeTwiceVerticalFirst) {
    frame({VK_UP, VK_LEFT});
    ASSERT_EQ(recomputations.size(), 2u);
    expectView(recomputations[0].view, {-1.25, 2.0, -1.2, 2.0});
    expectView(recomputations[1].view, {-1.45, 2.0, -1.2, 2.0});
}

// Each digit loads its own file, also in grey (held, it recomputes in every frame).
TEST_F(Commands, DigitsLoadTheirPalettes) {
    const char* const files[] = {"Default", "CMY",     "Colours", "Fire",
                                 "Grey",    "Pulsate", "Rainbow", "Standard"};
    std::string previous = outcome();
    for (int digit = 0; digit < 8; ++digit) {
        SCOPED_TRACE(files[digit]);
        SetUp();
        loadPalette(("palety/" + std::string(files[digit]) + ".pal").c_str());
        const std::string expected = outcome();
        ASSERT_NE(expected, previous) << "the palettes differ";
        previous = expected;
        std::memset(PaletteTable, 0, sizeof PaletteTable);
        frame({'1' + digit});
        EXPECT_EQ(outcome(), expected);
    }
}

// F carries the method to the same implementation in the other family and recomputes; Space
// takes the next method of the family, skipping 3DNow! without it, and recomputes nothing.
TEST_F(Commands, FAndSpaceChooseTheMethod) {
    // key, colouring, 3DNow!, method before and after
    const int cases[][5] = {
        {'F', 0, 0, 0, 3}, {'F', 0, 0, 1, 4}, {'F', 0, 0, 2, 5}, {'F', 0, 0, 3, 3},
        {'F', 0, 0, 4, 4}, {'F', 0, 0, 5, 5}, {'F', 1, 0, 0, 0}, {'F', 1, 0, 1, 1},
        {'F', 1, 0, 2, 2}, {'F', 1, 0, 3, 0}, {'F', 1, 0, 4, 1}, {'F', 1, 0, 5, 2},
        {' ', 0, 0, 0, 1}, {' ', 0, 0, 1, 0}, {' ', 0, 1, 1, 2}, {' ', 0, 1, 2, 0},
        {' ', 0, 1, 4, 0}, {' ', 1, 0, 3, 4}, {' ', 1, 0, 4, 3}, {' ', 1, 1, 4, 5},
        {' ', 1, 1, 5, 3}, {' ', 1, 1, 1, 3}};
    for (const auto& [key, colour, has3DNow, before, after] : cases) {
        SCOPED_TRACE(testing::Message() << char(key) << ", colour " << colour << ", 3DNow! "
                                        << has3DNow << ", method " << before);
        SetUp();
        viewerState.colourEnabled = colour;
        viewerState.has3DNow = has3DNow;
        viewerState.method = ComputeMethod(before);
        frame({key});
        EXPECT_EQ(viewerState.method, after);
        EXPECT_EQ(viewerState.colourEnabled, key == 'F' ? !colour : colour);
        ASSERT_EQ(recomputations.size(), key == 'F' ? 1u : 0u);
        for (const ViewerState& recomputed : recomputations) EXPECT_EQ(recomputed.method, after);
    }
}

// From a Julia set in a zoomed view: R resets the view only, Enter returns to the Mandelbrot set
// keeping the constant, J takes a new one from the stored pointer in the view shown, and while
// J is held, in the reset view.
TEST_F(Commands, RAndEnterAndJResetTheView) {
    const std::tuple<int, FractalKind, JuliaSeed> cases[] = {
        {'R', Julia, {0.3, -0.5}}, {VK_RETURN, Mandelbrot, {0.3, -0.5}}, {'J', Julia, {0.2, 0.5}}};
    for (const auto& [key, kind, seed] : cases) {
        SCOPED_TRACE(key);
        SetUp();
        viewerState.view = {0.1, 0.2, 0.3, 0.4};
        viewerState.kind = Julia;
        viewerState.juliaSeed = {0.3, -0.5};
        viewerState.method = PaletteX87;
        viewerState.pointerPosition = {256, 343};
        frame({key});
        expectView(viewerState.view, InitialView);
        EXPECT_EQ(viewerState.kind, kind);
        EXPECT_DOUBLE_EQ(viewerState.juliaSeed.re, seed.re);
        EXPECT_DOUBLE_EQ(viewerState.juliaSeed.im, seed.im);
        EXPECT_EQ(viewerState.method, PaletteX87);
        ASSERT_EQ(recomputations.size(), 1u);
        EXPECT_EQ(recomputations[0].kind, kind);
    }
    viewerState.pointerPosition = {0, 599};
    frame();
    EXPECT_EQ(viewerState.juliaSeed.re, -1.25);
    EXPECT_EQ(viewerState.juliaSeed.im, -1.0);
}

// Enter maps the pointer as stored, not read again, with a step of exactly 1/512.
TEST_F(Commands, EnterTakesTheJuliaConstantFromTheStoredPointer) {
    viewerState.pointerPosition = {256, 343};
    frame({VK_RETURN});
    EXPECT_EQ(viewerState.kind, Julia);
    EXPECT_EQ(viewerState.juliaSeed.re, -0.25);
    EXPECT_EQ(viewerState.juliaSeed.im, 0.0);
}

// A button handled in the same frame has just read the pointer; Enter maps it in the new view.
TEST_F(Commands, EnterAfterAClickUsesThePointerTheClickRead) {
    movePointer(0, 599);
    frame({VK_LBUTTON, VK_RETURN});
    EXPECT_EQ(viewerState.pointerPosition.x, 0);
    EXPECT_EQ(viewerState.pointerPosition.y, 599);
    EXPECT_EQ(viewerState.juliaSeed.re, -1.75);
    EXPECT_EQ(viewerState.juliaSeed.im, -1.5);
    EXPECT_EQ(recomputations.size(), 2u);
}

} // namespace
