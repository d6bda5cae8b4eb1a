// test_main_loop.cpp -- the entry's question, the idle pass, the F1 switch and the exit codes
#include "app/main_loop.h"
#include "platform/keys.h"
#include "tests/shell_fixture.h"
#include "tests/support/temp_files.h"
#include "ui/frame.h"
#include "ui/palette.h"

namespace {

// What both systems send when the user minimises the window.
void minimise() {
    queueMessage(WM_SIZE, SIZE_MINIMIZED, 0);
    queueMessage(WM_ACTIVATE, makeLong(WA_INACTIVE, 1), 0);
}

class MainLoop : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        viewerState.framesPerSecond = -1.0f; // until a frame is drawn
    }
};

const std::string question =
    "box Nastavenie obrazovky (pocas behu pomocou F1): Cela obrazovka? (?, YesNo); ";
const std::string declined = "box ERROR: Program se uzavrie. (x, OK)";

TEST_F(MainLoop, OnlyNoStartsInAWindowAndEscEndsWithZero) {
    for (MessageAnswer answer : {AnswerNo, AnswerYes, AnswerClosed}) {
        SCOPED_TRACE(answer);
        SetUp();
        fake.answers = {answer};
        KeyTable[VK_ESCAPE] = 1;
        EXPECT_EQ(viewerMain(), 0);
        const bool fullScreen = answer != AnswerNo;
        EXPECT_EQ(logText(), question + creationLog(fullScreen) + "; " + teardownLog(fullScreen));
        EXPECT_EQ(fake.swaps, 0) << "the pass that Esc ends swaps nothing";
        expectNothingLeft();
    }
}

TEST_F(MainLoop, FailedStartEndsWithOneWithoutALoop) {
    fake.displayModeResult = DISP_CHANGE_BADMODE;
    fake.answers = {AnswerYes, AnswerNo};
    EXPECT_EQ(viewerMain(), 1);
    EXPECT_EQ(fake.log.back(), declined);
    EXPECT_EQ(viewerState.framesPerSecond, -1.0f) << "no frame was drawn";
}

TEST_F(MainLoop, QuitEndsWithItsExitCodeAndClosingTheWindowWithZero) {
    for (bool close : {false, true}) {
        ASSERT_EQ(create(false), 1);
        if (close)
            queueMessage(WM_CLOSE);
        else
            windowSystem->postQuitMessage(5);
        EXPECT_EQ(runMainLoop(), close ? 0 : 5);
        expectNothingLeft();
    }
}

// Esc is read even while minimised, when no frame is drawn.
TEST_F(MainLoop, IdlePassDrawsAFrameUnlessMinimisedAndEscEnds) {
    for (bool minimised : {false, true}) {
        SetUp();
        ASSERT_EQ(create(false), 1);
        if (minimised) minimise();
        KeyTable[VK_ESCAPE] = KeyTable[VK_KEY_R] = 1;
        frameTimer.restart();
        fake.counter += 1'000'000; // a frame would take 1 ms
        EXPECT_EQ(runMainLoop(), 0);
        EXPECT_EQ(viewerState.windowActive, minimised ? 0 : 1);
        EXPECT_EQ(viewerState.framesPerSecond > 0.0f, !minimised) << "a frame was drawn";
        EXPECT_EQ(KeyTable[VK_KEY_R], minimised ? 1 : 0) << "the frame's commands ran";
    }
}

// A minimised window is still swapped, before F1 is handled; a failed switch ends at once.
TEST_F(MainLoop, MinimisedPassSwapsAndAFailedSwitchEndsWithOne) {
    ASSERT_EQ(create(false), 1);
    minimise();
    fake.log.clear();
    fake.displayModeResult = DISP_CHANGE_FAILED;
    fake.answers = {AnswerNo};
    KeyTable[VK_F1] = 1;
    EXPECT_EQ(runMainLoop(), 1);
    EXPECT_EQ(fake.swaps, 1);
    EXPECT_EQ(viewerState.framesPerSecond, -1.0f);
    EXPECT_EQ(logText().substr(0, teardownLog(false).size()), teardownLog(false));
    EXPECT_EQ(fake.log.back(), declined) << "nothing is torn down after the failed creation";
}

// The switch runs in the pass that Esc ends, and the loop then tears the new window down. The
// view, kind, constant, colouring and keys survive; the scene starts afresh.
TEST_F(MainLoop, F1SwitchesModeEvenInThePassThatEscEnds) {
    const std::vector<unsigned char> palette = readWholeFile("palety/Default.pal");
    ASSERT_GE(palette.size(), 24u + 4 * 256);
    for (bool fullScreen : {false, true}) {
        SCOPED_TRACE(fullScreen ? "from full screen" : "from a window");
        ASSERT_EQ(create(fullScreen), 1);
        fake.log.clear();
        const ViewRegion view = {0.25, 0.5, -0.125, 0.5};
        viewerState.view = view;
        viewerState.kind = Julia;
        viewerState.juliaSeed = {-0.8, 0.156};
        viewerState.colourEnabled = 1;
        viewerState.method = PalettePortable;
        std::memset(PaletteTable, 0, sizeof PaletteTable);
        KeyTable[VK_KEY_H] = KeyTable[VK_F1] = KeyTable[VK_ESCAPE] = 1;
        EXPECT_EQ(runMainLoop(), 0);
        EXPECT_EQ(logText(), teardownLog(fullScreen) + "; " + creationLog(!fullScreen) + "; " +
                                 teardownLog(!fullScreen));
        EXPECT_EQ(viewerState.fullScreen, !fullScreen);
        EXPECT_EQ(KeyTable[VK_F1], 0);
        expectNothingLeft();

        EXPECT_EQ(std::memcmp(&viewerState.view, &view, sizeof view), 0);
        EXPECT_EQ(viewerState.kind, Julia);
        EXPECT_EQ(viewerState.juliaSeed.re, -0.8);
        EXPECT_EQ(viewerState.colourEnabled, 1);
        EXPECT_EQ(viewerState.method, viewerState.has3DNow ? Grey3DNow : GreyX87)
            << "a switch with colouring on computes in grey until Space or F";
        EXPECT_EQ(KeyTable[VK_KEY_H], 1);
        EXPECT_EQ(PaletteTable[50].green, palette[24 + 4 * 50 + 1]) << "the default palette again";
    }
}

} // namespace
