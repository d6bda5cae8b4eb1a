// test_commands.cpp -- the commands of runFrame: order, else-chains, one-shot and held keys,
// Shift factors, the zoom and point mappings, and the recomputations they cause
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/key_table.h"
#include "engine/viewer_state.h"
#include "platform/keys.h"
#include "tests/platform_window_fixture.h"
#include "ui/commands.h"
#include "ui/palette.h"

// What one recomputation would have computed.
struct Recomputation {
    ViewRegion view;
    FractalKind kind;
    JuliaSeed seed;
    ComputeMethod method;
};

std::vector<Recomputation> recomputations;

// The commands are checked without computing pictures: in this test program this definition
// stands in for the engine's, and records the state that each recomputation would compute.
void recomputeImage() {
    recomputations.push_back(
        {viewerState.view, viewerState.kind, viewerState.juliaSeed, viewerState.method});
}

namespace {

class Commands : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { window = makePlatformWindow(); }
    static void TearDownTestSuite() { destroyPlatformWindow(window); }

    void SetUp() override {
        std::memset(KeyTable, 0, sizeof KeyTable);
        std::memset(PaletteTable, 0, sizeof PaletteTable);
        viewerState.view = InitialView;
        viewerState.kind = Mandelbrot;
        viewerState.method = GreyX87;
        viewerState.colourEnabled = 0;
        viewerState.has3DNow = 0;
        viewerState.juliaSeed = {0.0, 0.0};
        viewerState.pointerPosition = {0, 0};
        recomputations.clear();
        movePointer(700, 300);
    }

    // One frame's commands with these keys down.
    void frame(std::initializer_list<int> keys = {}) {
        for (int key : keys) KeyTable[key] = 1;
        applyCommands();
    }

    static WindowHandle window;
};

WindowHandle Commands::window = nullptr;

// Equal apart from rounding: the views here are of order 1 to 40.
void expectView(const ViewRegion& actual, const ViewRegion& expected) {
    const double tolerance = 1e-13;
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.dx, expected.dx, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.dy, expected.dy, tolerance);
}

std::vector<PaletteEntry> paletteOf(const char* path) {
    std::vector<PaletteEntry> saved(PaletteTable, PaletteTable + 256);
    loadPalette(path);
    std::vector<PaletteEntry> loaded(PaletteTable, PaletteTable + 256);
    std::memcpy(PaletteTable, saved.data(), sizeof PaletteTable);
    return loaded;
}

bool paletteIs(const std::vector<PaletteEntry>& expected) {
    return std::memcmp(PaletteTable, expected.data(), sizeof PaletteTable) == 0;
}

// ---- the examples of the commands

TEST_F(Commands, LeftClickAtTheLowerLeftCornerCentresOnIt) {
    movePointer(0, 599);
    frame({VK_LBUTTON});
    const ViewRegion expected = {-1.75, 1.0, -1.5, 1.0};
    EXPECT_EQ(viewerState.view.x, expected.x);
    EXPECT_EQ(viewerState.view.dx, expected.dx);
    EXPECT_EQ(viewerState.view.y, expected.y);
    EXPECT_EQ(viewerState.view.dy, expected.dy);
    ASSERT_EQ(recomputations.size(), 1u);
    EXPECT_EQ(recomputations[0].view.x, expected.x);
    EXPECT_EQ(KeyTable[VK_LBUTTON], 0);
}

TEST_F(Commands, RightButtonAtTheUpperRightCornerCentresOnIt) {
    movePointer(511, 88);
    frame({VK_RBUTTON});
    expectView(viewerState.view, {-1.25, 4.0, -1.0, 4.0});
    EXPECT_EQ(recomputations.size(), 1u);
    EXPECT_EQ(KeyTable[VK_RBUTTON], 1) << "the right button zooms out while held";
    frame();
    EXPECT_DOUBLE_EQ(viewerState.view.dx, 8.0);
    EXPECT_EQ(recomputations.size(), 2u);
}

TEST_F(Commands, NumpadPlusZoomsInByFiveAboutTheCentre) {
    frame({VK_ADD});
    expectView(viewerState.view, {-0.45, 0.4, -0.2, 0.4});
    EXPECT_EQ(recomputations.size(), 1u);
    EXPECT_EQ(KeyTable[VK_ADD], 0);
}

TEST_F(Commands, EnterTakesTheJuliaConstantFromThePointer) {
    viewerState.pointerPosition = {256, 343};
    frame({VK_RETURN});
    EXPECT_EQ(viewerState.kind, Julia);
    EXPECT_EQ(viewerState.juliaSeed.re, -0.25);
    EXPECT_EQ(viewerState.juliaSeed.im, 0.0);
    EXPECT_EQ(KeyTable[VK_RETURN], 0);
    ASSERT_EQ(recomputations.size(), 1u);
    EXPECT_EQ(recomputations[0].kind, Julia);
}

// The zoom maps the pointer with a step of 1/511, the Julia constant with 1/512.
TEST_F(Commands, ZoomAndPointMappingsDiffer) {
    const JuliaSeed corner = pointOfPointer({511, 88}, InitialView);
    EXPECT_EQ(corner.re, -1.25 + 511 * (2.0 / 512));
    EXPECT_EQ(corner.im, -1.0 + 511 * (2.0 / 512));
    movePointer(511, 88);
    frame({VK_LBUTTON});
    // Centred on the view's upper-right corner (0.75, 1.0), not on the pixel's point.
    EXPECT_DOUBLE_EQ(viewerState.view.x + viewerState.view.dx / 2, 0.75);
    EXPECT_DOUBLE_EQ(viewerState.view.y + viewerState.view.dy / 2, 1.0);
}

// ---- else-chains

TEST_F(Commands, NumpadPlusWinsOverMinusWhichActsNextFrame) {
    frame({VK_ADD, VK_SUBTRACT});
    expectView(viewerState.view, {-0.45, 0.4, -0.2, 0.4});
    EXPECT_EQ(KeyTable[VK_SUBTRACT], 1);
    frame();
    expectView(viewerState.view, InitialView);
    EXPECT_EQ(KeyTable[VK_SUBTRACT], 0);
    EXPECT_EQ(recomputations.size(), 2u);
}

TEST_F(Commands, LeftButtonWinsOverRightWhichActsFromTheNextFrame) {
    movePointer(0, 599);
    frame({VK_LBUTTON, VK_RBUTTON});
    expectView(viewerState.view, {-1.75, 1.0, -1.5, 1.0});
    EXPECT_EQ(KeyTable[VK_LBUTTON], 0);
    EXPECT_EQ(KeyTable[VK_RBUTTON], 1);
    frame();
    EXPECT_DOUBLE_EQ(viewerState.view.dx, 2.0);
    EXPECT_EQ(recomputations.size(), 2u);
}

TEST_F(Commands, DownWinsOverUpAndRightOverLeft) {
    frame({VK_DOWN, VK_UP, VK_RIGHT, VK_LEFT});
    expectView(viewerState.view, {-1.25 + 0.2, 2.0, -1.0 + 0.2, 2.0});
}

TEST_F(Commands, VerticalAndHorizontalArrowsRecomputeTwiceVerticalFirst) {
    frame({VK_UP, VK_LEFT});
    ASSERT_EQ(recomputations.size(), 2u);
    expectView(recomputations[0].view, {-1.25, 2.0, -1.2, 2.0});
    expectView(recomputations[1].view, {-1.45, 2.0, -1.2, 2.0});
    EXPECT_EQ(KeyTable[VK_UP], 1);
    EXPECT_EQ(KeyTable[VK_LEFT], 1);
}

TEST_F(Commands, LowestHeldDigitLoadsItsPaletteEveryFrame) {
    const std::vector<PaletteEntry> colours = paletteOf("palety/Colours.pal");
    ASSERT_FALSE(paletteIs(colours));
    frame({'5', '3', '8'});
    EXPECT_TRUE(paletteIs(colours));
    EXPECT_EQ(recomputations.size(), 1u);
    std::memset(PaletteTable, 0, sizeof PaletteTable);
    frame();
    EXPECT_TRUE(paletteIs(colours)) << "a held digit reloads its palette";
    EXPECT_EQ(recomputations.size(), 2u);
    EXPECT_EQ(KeyTable['3'], 1);
}

TEST_F(Commands, EveryDigitLoadsItsOwnFileAndRecomputesEvenInGrey) {
    for (int digit = 0; digit < 8; ++digit) {
        SetUp();
        frame({'1' + digit});
        EXPECT_TRUE(paletteIs(paletteOf(PaletteFiles[digit]))) << "digit " << digit + 1;
        EXPECT_EQ(recomputations.size(), 1u);
        EXPECT_EQ(viewerState.method, GreyX87);
    }
}

TEST_F(Commands, EnterWinsOverJWhichSwitchesBackNextFrame) {
    viewerState.kind = Julia;
    viewerState.juliaSeed = {0.3, 0.4};
    viewerState.pointerPosition = {512, 87};
    frame({VK_RETURN, 'J'});
    EXPECT_EQ(viewerState.kind, Mandelbrot);
    EXPECT_EQ(viewerState.juliaSeed.re, 0.3) << "back to Mandelbrot keeps the constant";
    EXPECT_EQ(KeyTable['J'], 1);
    frame();
    EXPECT_EQ(viewerState.kind, Julia);
    EXPECT_EQ(viewerState.juliaSeed.re, 0.75);
    EXPECT_EQ(viewerState.juliaSeed.im, 1.0);
    EXPECT_EQ(recomputations.size(), 2u);
}

// ---- colouring and methods

TEST_F(Commands, FCarriesTheMethodToTheOtherFamily) {
    struct Case {
        int colourBefore;
        ComputeMethod before, after;
    };
    const Case cases[] = {
        {0, GreyPortable, PalettePortable}, {0, GreyX87, PaletteX87},
        {0, Grey3DNow, Palette3DNow},       {0, PalettePortable, PalettePortable},
        {0, PaletteX87, PaletteX87},        {0, Palette3DNow, Palette3DNow},
        {1, GreyPortable, GreyPortable},    {1, GreyX87, GreyX87},
        {1, Grey3DNow, Grey3DNow},          {1, PalettePortable, GreyPortable},
        {1, PaletteX87, GreyX87},           {1, Palette3DNow, Grey3DNow},
    };
    for (const Case& c : cases) {
        SetUp();
        viewerState.colourEnabled = c.colourBefore;
        viewerState.method = c.before;
        frame({'F'});
        EXPECT_EQ(viewerState.colourEnabled, !c.colourBefore);
        EXPECT_EQ(viewerState.method, c.after)
            << "colour " << c.colourBefore << ", method " << c.before;
        ASSERT_EQ(recomputations.size(), 1u);
        EXPECT_EQ(recomputations[0].method, c.after);
        EXPECT_EQ(KeyTable['F'], 0);
    }
}

TEST_F(Commands, FTwiceRestoresColouringAndMethodAndRecomputesTwice) {
    viewerState.method = PalettePortable;
    frame({'F'});
    frame({'F'});
    EXPECT_EQ(viewerState.colourEnabled, 0);
    EXPECT_EQ(viewerState.method, GreyPortable);
    EXPECT_EQ(recomputations.size(), 2u);
}

TEST_F(Commands, SpaceCyclesWithinTheFamilyWithoutRecomputing) {
    struct Case {
        int colour, has3DNow;
        ComputeMethod before, after;
    };
    const Case cases[] = {
        {0, 0, GreyPortable, GreyX87},
        {0, 0, GreyX87, GreyPortable},
        {0, 1, GreyX87, Grey3DNow},
        {0, 1, Grey3DNow, GreyPortable},
        {0, 1, PaletteX87, GreyPortable},
        {1, 0, PalettePortable, PaletteX87},
        {1, 0, PaletteX87, PalettePortable},
        {1, 1, PaletteX87, Palette3DNow},
        {1, 1, Palette3DNow, PalettePortable},
        {1, 1, GreyX87, PalettePortable},
    };
    for (const Case& c : cases) {
        SetUp();
        viewerState.colourEnabled = c.colour;
        viewerState.has3DNow = c.has3DNow;
        viewerState.method = c.before;
        frame({VK_SPACE});
        EXPECT_EQ(viewerState.method, c.after)
            << "colour " << c.colour << ", 3DNow! " << c.has3DNow << ", method " << c.before;
        EXPECT_TRUE(recomputations.empty());
        EXPECT_EQ(KeyTable[VK_SPACE], 0);
    }
}

TEST_F(Commands, SpaceWithout3DNowCyclesBetweenTwoMethods) {
    viewerState.method = GreyPortable;
    frame({VK_SPACE});
    frame({VK_SPACE});
    EXPECT_EQ(viewerState.method, GreyPortable);
}

// ---- reset, update, kind

TEST_F(Commands, RResetsTheViewOnly) {
    viewerState.view = {0.1, 0.2, 0.3, 0.4};
    viewerState.kind = Julia;
    viewerState.juliaSeed = {0.3, -0.5};
    viewerState.method = PaletteX87;
    frame({'R'});
    expectView(viewerState.view, InitialView);
    EXPECT_EQ(viewerState.kind, Julia);
    EXPECT_EQ(viewerState.juliaSeed.im, -0.5);
    EXPECT_EQ(viewerState.method, PaletteX87);
    EXPECT_EQ(recomputations.size(), 1u);
    EXPECT_EQ(KeyTable['R'], 0);
}

TEST_F(Commands, URecomputesTheSamePicture) {
    viewerState.view = {0.1, 0.2, 0.3, 0.4};
    frame({'U'});
    ASSERT_EQ(recomputations.size(), 1u);
    expectView(recomputations[0].view, {0.1, 0.2, 0.3, 0.4});
    EXPECT_EQ(KeyTable['U'], 0);
}

TEST_F(Commands, EnterInJuliaModeReturnsToMandelbrotAndResetsTheView) {
    viewerState.kind = Julia;
    viewerState.juliaSeed = {0.3, -0.5};
    viewerState.view = {0.1, 0.2, 0.3, 0.4};
    frame({VK_RETURN});
    EXPECT_EQ(viewerState.kind, Mandelbrot);
    EXPECT_EQ(viewerState.juliaSeed.re, 0.3);
    expectView(viewerState.view, InitialView);
    EXPECT_EQ(recomputations.size(), 1u);
}

// Enter uses the pointer as stored; it does not read it again.
TEST_F(Commands, EnterUsesTheStoredPointerPosition) {
    movePointer(0, 0);
    viewerState.pointerPosition = {256, 343};
    frame({VK_RETURN});
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

TEST_F(Commands, HeldJFollowsThePointerInTheResetView) {
    viewerState.view = {1.0, 0.5, 1.0, 0.5};
    viewerState.pointerPosition = {256, 343};
    frame({'J'});
    EXPECT_EQ(viewerState.kind, Julia);
    EXPECT_EQ(viewerState.juliaSeed.re, 1.25) << "first frame: the view that was shown";
    EXPECT_EQ(viewerState.juliaSeed.im, 1.25);
    expectView(viewerState.view, InitialView);
    viewerState.pointerPosition = {0, 599};
    frame();
    EXPECT_EQ(viewerState.juliaSeed.re, -1.25) << "later frames: the reset view";
    EXPECT_EQ(viewerState.juliaSeed.im, -1.0);
    EXPECT_EQ(recomputations.size(), 2u);
    EXPECT_EQ(KeyTable['J'], 1);
}

// ---- one-shot and held keys, Shift

TEST_F(Commands, OneShotKeysAreClearedAndHeldKeysKept) {
    struct Case {
        int key;
        bool held;
        size_t recomputations;
    };
    const Case cases[] = {
        {VK_LBUTTON, false, 1},  {VK_RBUTTON, true, 1}, {VK_RETURN, false, 1},
        {VK_SPACE, false, 0},    {VK_LEFT, true, 1},    {VK_UP, true, 1},
        {VK_RIGHT, true, 1},     {VK_DOWN, true, 1},    {'1', true, 1},
        {'8', true, 1},          {'F', false, 1},       {'J', true, 1},
        {'R', false, 1},         {'U', false, 1},       {VK_ADD, false, 1},
        {VK_SUBTRACT, false, 1}, {VK_SHIFT, true, 0},   {'H', true, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        frame({c.key});
        EXPECT_EQ(KeyTable[c.key], c.held ? 1 : 0) << "key " << c.key;
        EXPECT_EQ(recomputations.size(), c.recomputations) << "key " << c.key;
    }
}

TEST_F(Commands, ShiftMakesEveryStepLarger) {
    struct Case {
        int key;
        bool shift;
        ViewRegion expected;
    };
    const Case cases[] = {
        {VK_ADD, false, {-0.45, 0.4, -0.2, 0.4}},
        {VK_ADD, true, {-0.3, 0.1, -0.05, 0.1}},
        {VK_SUBTRACT, false, {-5.25, 10.0, -5.0, 10.0}},
        {VK_SUBTRACT, true, {-20.25, 40.0, -20.0, 40.0}},
        {VK_LBUTTON, false, {-1.75, 1.0, -1.5, 1.0}},
        {VK_LBUTTON, true, {-1.35, 0.2, -1.1, 0.2}},
        {VK_RBUTTON, false, {-3.25, 4.0, -3.0, 4.0}},
        {VK_RBUTTON, true, {-11.25, 20.0, -11.0, 20.0}},
        {VK_DOWN, false, {-1.25, 2.0, -0.8, 2.0}},
        {VK_DOWN, true, {-1.25, 2.0, -0.4, 2.0}},
        {VK_UP, false, {-1.25, 2.0, -1.2, 2.0}},
        {VK_UP, true, {-1.25, 2.0, -1.6, 2.0}},
        {VK_RIGHT, false, {-1.05, 2.0, -1.0, 2.0}},
        {VK_RIGHT, true, {-0.65, 2.0, -1.0, 2.0}},
        {VK_LEFT, false, {-1.45, 2.0, -1.0, 2.0}},
        {VK_LEFT, true, {-1.85, 2.0, -1.0, 2.0}},
    };
    for (const Case& c : cases) {
        SetUp();
        movePointer(0, 599);
        if (c.shift) KeyTable[VK_SHIFT] = 1;
        frame({c.key});
        SCOPED_TRACE(testing::Message() << "key " << c.key << (c.shift ? " with Shift" : ""));
        expectView(viewerState.view, c.expected);
        EXPECT_EQ(KeyTable[VK_SHIFT], c.shift ? 1 : 0);
    }
}

TEST_F(Commands, NumpadPlusThenMinusGivesTheViewBack) {
    for (bool shift : {false, true}) {
        SetUp();
        viewerState.view = {0.3, 0.02, -0.7, 0.03};
        KeyTable[VK_SHIFT] = shift;
        frame({VK_ADD});
        frame({VK_SUBTRACT});
        EXPECT_NEAR(viewerState.view.x, 0.3, 1e-15);
        EXPECT_NEAR(viewerState.view.dx, 0.02, 1e-17);
        EXPECT_NEAR(viewerState.view.y, -0.7, 1e-15);
        EXPECT_NEAR(viewerState.view.dy, 0.03, 1e-17);
    }
}

TEST_F(Commands, TwoLeftClicksZoomInByFourAboutThePointsClicked) {
    movePointer(0, 599);
    frame({VK_LBUTTON});
    frame({VK_LBUTTON});
    // Each click centres on the view's lower-left corner.
    expectView(viewerState.view, {-1.25 - 0.5 - 0.25, 0.5, -1.0 - 0.5 - 0.25, 0.5});
    EXPECT_EQ(recomputations.size(), 2u);
}

TEST_F(Commands, NoKeyNoChange) {
    frame();
    expectView(viewerState.view, InitialView);
    EXPECT_TRUE(recomputations.empty());
}

} // namespace
