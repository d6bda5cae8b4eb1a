// test_main_loop.cpp -- the entry's question, the idle pass, the F1 switch and the exit codes
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_window.h"
#include "app/key_table.h"
#include "app/main_loop.h"
#include "engine/viewer_state.h"
#include "platform/keys.h"
#include "platform/messages.h"
#include "platform/platform_window.h"
#include "tests/support/temp_files.h"
#include "tests/window_system_recorder.h"
#include "ui/palette.h"

namespace {

typedef std::vector<std::string> Log;

const std::string question =
    "box Nastavenie obrazovky (pocas behu pomocou F1): Cela obrazovka? (?, YesNo)";

class MainLoop : public ::testing::Test {
  protected:
    void SetUp() override {
        startRecording();
        std::memset(KeyTable, 0, sizeof KeyTable);
        viewerState.instanceHandle = currentInstance();
        viewerState.fullScreen = 1;
        viewerState.windowActive = 1;
        viewerState.view = InitialView;
        viewerState.kind = Mandelbrot;
        viewerState.colourEnabled = 0;
        viewerState.framesPerSecond = -1.0f;
    }
    void TearDown() override {
        stopRecording();
        if (viewerState.mainWindow) destroyAppWindow();
        if (isRegisteredClass("OpenGL", currentInstance()))
            sdlUnregisterClass("OpenGL", currentInstance());
        discardMessages();
    }

    void createWindowed() {
        ASSERT_EQ(createAppWindow(AppTitle, AppWidth, AppHeight, AppBits, false), 1);
        recorder.log.clear();
    }

    void pushWindowEvent(Uint8 what) {
        SDL_Event event = {};
        event.window.type = SDL_WINDOWEVENT;
        event.window.windowID = SDL_GetWindowID(liveWindow()->surface);
        event.window.event = what;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    bool logged(const std::string& entry) const {
        return std::find(recorder.log.begin(), recorder.log.end(), entry) != recorder.log.end();
    }

    void expectNothingLeft() {
        EXPECT_EQ(viewerState.mainWindow, nullptr);
        EXPECT_EQ(viewerState.renderContext, nullptr);
        EXPECT_FALSE(isRegisteredClass("OpenGL", currentInstance()));
    }
};

TEST_F(MainLoop, NoStartsInAWindowAndEscEndsWithZero) {
    recorder.answers = {AnswerNo};
    KeyTable[VK_ESCAPE] = 1;
    EXPECT_EQ(viewerMain(), 0);
    ASSERT_GE(recorder.log.size(), 3u);
    EXPECT_EQ(recorder.log[0], question);
    EXPECT_EQ(recorder.log[2], "createWindow framed");
    EXPECT_EQ(viewerState.fullScreen, 0);
    EXPECT_EQ(recorder.log.back(), "unregisterClass");
    expectNothingLeft();
}

TEST_F(MainLoop, AnyAnswerButNoStartsFullScreen) {
    for (MessageAnswer answer : {AnswerYes, AnswerClosed}) {
        startRecording();
        recorder.fakeDisplayMode = true;
        recorder.answers = {answer};
        viewerState.fullScreen = 1;
        KeyTable[VK_ESCAPE] = 1;
        EXPECT_EQ(viewerMain(), 0);
        ASSERT_GE(recorder.log.size(), 5u);
        EXPECT_EQ(recorder.log[2], "changeDisplayMode 800x600x16 full screen");
        EXPECT_EQ(recorder.log[4], "createWindow popup");
        EXPECT_TRUE(logged("changeDisplayMode desktop"));
        expectNothingLeft();
    }
}

TEST_F(MainLoop, FailedStartEndsWithZeroWithoutALoop) {
    recorder.fakeDisplayMode = true;
    recorder.displayModeResult = DISP_CHANGE_BADMODE;
    recorder.answers = {AnswerYes, AnswerNo};
    EXPECT_EQ(viewerMain(), 0);
    EXPECT_EQ(recorder.log.back(), "box ERROR: Program se uzavrie. (x, OK)");
    EXPECT_EQ(viewerState.framesPerSecond, -1.0f) << "no frame was drawn";
}

TEST_F(MainLoop, QuitEndsWithItsExitCode) {
    createWindowed();
    postQuitMessage(5);
    EXPECT_EQ(runMainLoop(), 5);
    expectNothingLeft();
}

TEST_F(MainLoop, ClosingTheWindowEndsWithZero) {
    createWindowed();
    pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    EXPECT_EQ(runMainLoop(), 0);
    expectNothingLeft();
}

TEST_F(MainLoop, IdlePassDrawsAFrameBeforeEscEnds) {
    createWindowed();
    KeyTable[VK_ESCAPE] = 1;
    KeyTable['R'] = 1;
    EXPECT_EQ(runMainLoop(), 0);
    EXPECT_GT(viewerState.framesPerSecond, 0.0f);
    EXPECT_EQ(KeyTable['R'], 0) << "the frame's commands ran";
}

TEST_F(MainLoop, MinimisedWindowDrawsNoFramesButEscStillEnds) {
    createWindowed();
    pushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    KeyTable[VK_ESCAPE] = 1;
    KeyTable['R'] = 1;
    EXPECT_EQ(runMainLoop(), 0);
    EXPECT_EQ(viewerState.windowActive, 0);
    EXPECT_EQ(viewerState.framesPerSecond, -1.0f);
    EXPECT_EQ(KeyTable['R'], 1);
}

// The switch runs in the pass that Esc ends; the loop then tears the new window down.
TEST_F(MainLoop, F1SwitchesModeEvenInThePassThatEscEnds) {
    createWindowed();
    recorder.fakeDisplayMode = true;
    KeyTable[VK_F1] = 1;
    KeyTable[VK_ESCAPE] = 1;
    EXPECT_EQ(runMainLoop(), 0);
    const Log expected = {
        "showCursor 1",         "releaseCurrent",
        "deleteRenderContext",  "releaseDeviceContext",
        "destroyWindow",        "unregisterClass",
        "registerClass",        "changeDisplayMode 800x600x16 full screen",
        "showCursor 0",         "createWindow popup",
        "getDeviceContext",     "choosePixelFormat",
        "setPixelFormat",       "createRenderContext",
        "makeCurrent",          "showCursor 0",
        "showCursor 1",         "changeDisplayMode desktop",
        "releaseCurrent",       "deleteRenderContext",
        "releaseDeviceContext", "destroyWindow",
        "unregisterClass",
    };
    EXPECT_EQ(recorder.log, expected);
    EXPECT_EQ(viewerState.fullScreen, 1);
    EXPECT_EQ(KeyTable[VK_F1], 0);
    expectNothingLeft();
}

TEST_F(MainLoop, F1TwiceReturnsToTheFirstMode) {
    createWindowed();
    recorder.fakeDisplayMode = true;
    for (const char* mode : {"createWindow popup", "createWindow framed"}) {
        recorder.log.clear();
        KeyTable[VK_F1] = 1;
        KeyTable[VK_ESCAPE] = 1;
        EXPECT_EQ(runMainLoop(), 0);
        EXPECT_TRUE(logged(mode)) << mode;
        ASSERT_EQ(createAppWindow(AppTitle, AppWidth, AppHeight, AppBits, viewerState.fullScreen),
                  1);
    }
    EXPECT_EQ(viewerState.fullScreen, 0);
}

// The view, kind, constant, colouring and keys survive; the scene starts afresh.
TEST_F(MainLoop, SwitchKeepsTheViewerStateAndStartsTheSceneAfresh) {
    createWindowed();
    recorder.fakeDisplayMode = true;
    const ViewRegion view = {0.25, 0.5, -0.125, 0.5};
    viewerState.view = view;
    viewerState.kind = Julia;
    viewerState.juliaSeed = {-0.8, 0.156};
    viewerState.colourEnabled = 1;
    viewerState.method = PalettePortable;
    std::memset(PaletteTable, 0, sizeof PaletteTable);
    KeyTable['H'] = 1;
    KeyTable[VK_F1] = 1;
    KeyTable[VK_ESCAPE] = 1;
    EXPECT_EQ(runMainLoop(), 0);

    EXPECT_EQ(viewerState.view.x, view.x);
    EXPECT_EQ(viewerState.view.dy, view.dy);
    EXPECT_EQ(viewerState.kind, Julia);
    EXPECT_EQ(viewerState.juliaSeed.re, -0.8);
    EXPECT_EQ(viewerState.colourEnabled, 1);
    EXPECT_EQ(viewerState.method, viewerState.has3DNow ? Grey3DNow : GreyX87)
        << "a switch with colouring on computes in grey until Space or F";
    EXPECT_EQ(KeyTable['H'], 1);
    const std::vector<unsigned char> file = readWholeFile("palety/Default.pal");
    ASSERT_GE(file.size(), 24u + 4 * 256);
    EXPECT_EQ(PaletteTable[50].green, file[24 + 4 * 50 + 1]) << "the default palette again";
}

TEST_F(MainLoop, FailedSwitchEndsAtOnceWithZero) {
    createWindowed();
    recorder.fakeDisplayMode = true;
    recorder.displayModeResult = DISP_CHANGE_FAILED;
    recorder.answers = {AnswerNo};
    KeyTable[VK_F1] = 1;
    EXPECT_EQ(runMainLoop(), 0);
    EXPECT_EQ(recorder.log.back(), "box ERROR: Program se uzavrie. (x, OK)")
        << "nothing is torn down after the failed creation";
}

} // namespace
