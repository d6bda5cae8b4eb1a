// test_app_window.cpp -- createAppWindow, destroyAppWindow, resizeScene and initScene: every
// step in order, the message of each failure, what is released, and the scene they start
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/app_window.h"
#include "app/interval_timer.h"
#include "engine/processor_check.h"
#include "engine/viewer_state.h"
#include "platform/messages.h"
#include "platform/platform_window.h"
#include "tests/support/gl_context.h"
#include "tests/support/temp_files.h"
#include "tests/window_system_recorder.h"
#include "ui/palette.h"

namespace {

typedef std::vector<std::string> Log;

const Log windowedCreation = {
    "registerClass",  "createWindow framed", "getDeviceContext", "choosePixelFormat",
    "setPixelFormat", "createRenderContext", "makeCurrent",      "showCursor 0",
};
const Log windowedTeardown = {
    "showCursor 1",         "releaseCurrent", "deleteRenderContext",
    "releaseDeviceContext", "destroyWindow",  "unregisterClass",
};

Log joined(Log first, const Log& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::string creationBox(const std::string& text) {
    return "box ERROR: " + text + " (!, OK)";
}

std::string releaseBox(const std::string& text) {
    return "box ERROR: " + text + " (i, OK)";
}

class AppWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        startRecording();
        viewerState.instanceHandle = currentInstance();
        viewerState.fullScreen = 1;
        viewerState.windowActive = 1;
        viewerState.kind = Mandelbrot;
        viewerState.view = InitialView;
    }

    void TearDown() override {
        stopRecording();
        if (viewerState.mainWindow || viewerState.renderContext || viewerState.deviceContext)
            destroyAppWindow();
        if (isRegisteredClass("OpenGL", currentInstance()))
            sdlUnregisterClass("OpenGL", currentInstance());
        discardMessages();
    }

    int create(bool fullScreen) {
        return createAppWindow(AppTitle, AppWidth, AppHeight, AppBits, fullScreen);
    }

    // The log from here on.
    Log logSince(size_t start) const {
        return Log(recorder.log.begin() + start, recorder.log.end());
    }

    void expectNothingLeft() {
        EXPECT_EQ(viewerState.font, nullptr);
        EXPECT_EQ(viewerState.renderContext, nullptr);
        EXPECT_EQ(viewerState.deviceContext, nullptr);
        EXPECT_EQ(viewerState.mainWindow, nullptr);
        EXPECT_EQ(liveWindow(), nullptr);
        EXPECT_FALSE(isRegisteredClass("OpenGL", currentInstance()));
    }
};

// ---- success

TEST_F(AppWindow, WindowIsMadeInOrderAndReleasedInReverse) {
    ASSERT_EQ(create(false), 1);
    EXPECT_EQ(recorder.log, windowedCreation);
    EXPECT_EQ(viewerState.fullScreen, 0);
    EXPECT_NE(viewerState.font, nullptr);
    EXPECT_EQ(liveWindow()->style, WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    EXPECT_EQ(liveWindow()->x, 0);
    EXPECT_EQ(liveWindow()->y, 0);
    EXPECT_EQ(liveWindow()->width, 800);
    EXPECT_EQ(liveWindow()->height, 600);
    EXPECT_EQ(viewerState.windowActive, 1);

    destroyAppWindow();
    EXPECT_EQ(logSince(windowedCreation.size()), windowedTeardown);
    expectNothingLeft();
}

TEST_F(AppWindow, FullScreenChangesTheModeAndHidesThePointerTwice) {
    recorder.fakeDisplayMode = true;
    ASSERT_EQ(create(true), 1);
    const Log creation = {
        "registerClass",    "changeDisplayMode 800x600x16 full screen",
        "showCursor 0",     "createWindow popup",
        "getDeviceContext", "choosePixelFormat",
        "setPixelFormat",   "createRenderContext",
        "makeCurrent",      "showCursor 0",
    };
    EXPECT_EQ(recorder.log, creation);
    EXPECT_EQ(viewerState.fullScreen, 1);
    EXPECT_EQ(liveWindow()->style, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);

    destroyAppWindow();
    const Log teardown = {"showCursor 1",        "changeDisplayMode desktop", "releaseCurrent",
                          "deleteRenderContext", "releaseDeviceContext",      "destroyWindow",
                          "unregisterClass"};
    EXPECT_EQ(logSince(creation.size()), teardown);
    expectNothingLeft();
}

TEST_F(AppWindow, SceneStartsWithFontDefaultPaletteStartMethodPictureAndHelp) {
    std::memset(PaletteTable, 0, sizeof PaletteTable);
    viewerState.method = PaletteX87;
    const IntervalTimer beforeCreation;
    ASSERT_EQ(create(false), 1);

    EXPECT_NE(viewerState.font, nullptr);
    EXPECT_TRUE(glIsTexture(viewerState.fontTexture));
    const std::vector<unsigned char> file = readWholeFile("palety/Default.pal");
    ASSERT_GE(file.size(), 24u + 4 * 256);
    for (int i : {0, 2, 101, 255}) {
        EXPECT_EQ(PaletteTable[i].red, file[24 + 4 * i]) << "entry " << i;
        EXPECT_EQ(PaletteTable[i].blue, file[26 + 4 * i]) << "entry " << i;
    }
    EXPECT_EQ(viewerState.has3DNow, detect3DNow());
    EXPECT_EQ(viewerState.method, viewerState.has3DNow ? Grey3DNow : GreyX87);
    for (uint32_t texture : viewerState.tileTextures) EXPECT_TRUE(glIsTexture(texture));
    EXPECT_GE(viewerState.iterationCount, 262144u);
    // Restarted after the picture was computed, so later than this test's own timer.
    EXPECT_LE(helpTimer.elapsedSeconds(), beforeCreation.elapsedSeconds());

    GLint shadeModel;
    glGetIntegerv(GL_SHADE_MODEL, &shadeModel);
    EXPECT_EQ(shadeModel, GL_FLAT);
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0], 0.0f);
    EXPECT_EQ(clear[3], 0.5f);
}

TEST_F(AppWindow, SceneFillsTheWholeClientArea) {
    ASSERT_EQ(create(false), 1);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
}

TEST_F(AppWindow, PixelFormatRequestIsFilledOnceByTheFirstCall) {
    if (pixelFormatRequest.colourBits != 0) GTEST_SKIP() << "a window was made earlier in this run";
    ASSERT_EQ(createAppWindow(AppTitle, 800, 600, 24, false), 1);
    destroyAppWindow();
    ASSERT_EQ(createAppWindow(AppTitle, 800, 600, 16, false), 1);
    EXPECT_EQ(pixelFormatRequest.size, 40);
    EXPECT_EQ(pixelFormatRequest.version, 1);
    EXPECT_EQ(pixelFormatRequest.flags, 0x25u);
    EXPECT_EQ(pixelFormatRequest.pixelType, PFD_TYPE_RGBA);
    EXPECT_EQ(pixelFormatRequest.colourBits, 24) << "later calls keep the first call's bits";
    EXPECT_EQ(pixelFormatRequest.depthBits, 16);
    EXPECT_EQ(pixelFormatRequest.alphaBits, 0);
    EXPECT_EQ(pixelFormatRequest.accumBits, 0);
    EXPECT_EQ(pixelFormatRequest.stencilBits, 0);
}

// ---- creation failures

TEST_F(AppWindow, EachFailedStepShowsItsMessageAfterReleasingWhatExists) {
    struct Case {
        Step step;
        Log expected;
    };
    const Case cases[] = {
        {Step::RegisterClass, {"registerClass", creationBox("Chyba pri registracii triedy okna.")}},
        {Step::CreateWindow,
         {"registerClass", "createWindow framed", "showCursor 1", "unregisterClass",
          creationBox("Chyba pri tvorbe okna.")}},
        {Step::GetDeviceContext,
         {"registerClass", "createWindow framed", "getDeviceContext", "showCursor 1",
          "destroyWindow", "unregisterClass", creationBox("Nejde vytvorit GL Device Context.")}},
        {Step::ChoosePixelFormat,
         {"registerClass", "createWindow framed", "getDeviceContext", "choosePixelFormat",
          "showCursor 1", "releaseDeviceContext", "destroyWindow", "unregisterClass",
          creationBox("Nejde n\xe1jst PixelFormat.")}},
        {Step::SetPixelFormat,
         {"registerClass", "createWindow framed", "getDeviceContext", "choosePixelFormat",
          "setPixelFormat", "showCursor 1", "releaseDeviceContext", "destroyWindow",
          "unregisterClass", creationBox("Nejde nastavit PixelFormat.")}},
        {Step::CreateRenderContext,
         {"registerClass", "createWindow framed", "getDeviceContext", "choosePixelFormat",
          "setPixelFormat", "createRenderContext", "showCursor 1", "releaseDeviceContext",
          "destroyWindow", "unregisterClass", creationBox("Nejde vytvorit GL Rendering Context.")}},
        {Step::MakeCurrent,
         {"registerClass", "createWindow framed", "getDeviceContext", "choosePixelFormat",
          "setPixelFormat", "createRenderContext", "makeCurrent", "showCursor 1", "releaseCurrent",
          "deleteRenderContext", "releaseDeviceContext", "destroyWindow", "unregisterClass",
          creationBox("Nejde aktivovat GL Rendering Context.")}},
    };
    for (const Case& c : cases) {
        startRecording();
        recorder.failing = {c.step};
        EXPECT_EQ(create(false), 0);
        EXPECT_EQ(recorder.log, c.expected) << "failing step " << int(c.step);
        expectNothingLeft();
    }
}

TEST_F(AppWindow, FailureInFullScreenRestoresTheDisplayModeBeforeTheMessage) {
    recorder.fakeDisplayMode = true;
    recorder.failing = {Step::SetPixelFormat};
    EXPECT_EQ(create(true), 0);
    const Log expected = {"registerClass",
                          "changeDisplayMode 800x600x16 full screen",
                          "showCursor 0",
                          "createWindow popup",
                          "getDeviceContext",
                          "choosePixelFormat",
                          "setPixelFormat",
                          "showCursor 1",
                          "changeDisplayMode desktop",
                          "releaseDeviceContext",
                          "destroyWindow",
                          "unregisterClass",
                          creationBox("Nejde nastavit PixelFormat.")};
    EXPECT_EQ(recorder.log, expected);
    expectNothingLeft();
}

// The font loader reports the missing sheet itself; start-up then adds its own message.
TEST_F(AppWindow, MissingFontSheetEndsStartUpWithBothMessages) {
    TempFolder folder;
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(chdir(folder.path("").c_str()), 0);
    const int result = create(false);
    ASSERT_EQ(chdir(here), 0);

    EXPECT_EQ(result, 0);
    Log expected = windowedCreation;
    expected.pop_back(); // the scene stops before it hides the pointer
    expected.push_back("box data/font.bmp: Chyba na\xe8\xedtania obr\xe1zka. (x, OK)");
    expected.push_back("showCursor 1");
    expected.insert(expected.end(), windowedTeardown.begin() + 1, windowedTeardown.end());
    expected.push_back(creationBox("Chyba pri inicializ\xe1"
                                   "cii."));
    EXPECT_EQ(recorder.log, expected);
    expectNothingLeft();
}

// ---- the display-mode dialogue

TEST_F(AppWindow, DisplayModeFailureAsksWhetherToGoOnInAWindow) {
    struct Case {
        int result;
        const char* message; // none for results without one
    };
    const Case cases[] = {
        {DISP_CHANGE_RESTART,
         "The computer must be restarted in order for the graphics mode to work."},
        {DISP_CHANGE_BADFLAGS, "An invalid set of flags was passed in."},
        {DISP_CHANGE_BADMODE, "The graphics mode is not supported."},
        {DISP_CHANGE_FAILED, "The display driver failed the specified graphics mode."},
        {-3, nullptr},
        {2, nullptr},
    };
    const std::string question = "box Chyba: Chyba pri inicializacii grafickeho rezimu. Chcete "
                                 "pokracovat v okne? (!, YesNo)";
    for (const Case& c : cases) {
        for (MessageAnswer answer : {AnswerYes, AnswerNo, AnswerClosed}) {
            SCOPED_TRACE(testing::Message() << "result " << c.result << ", answer " << answer);
            startRecording();
            recorder.fakeDisplayMode = true;
            recorder.displayModeResult = c.result;
            recorder.answers = {answer};
            const int created = create(true);

            Log expected = {"registerClass", "changeDisplayMode 800x600x16 full screen"};
            if (c.message)
                expected.push_back(std::string("box Chyba pri inicializacii grafickeho rezimu: ") +
                                   c.message + " (x, OK)");
            expected.push_back(question);
            if (answer == AnswerYes) {
                EXPECT_EQ(created, 1);
                EXPECT_EQ(viewerState.fullScreen, 0);
                EXPECT_EQ(recorder.log, joined(expected, Log(windowedCreation.begin() + 1,
                                                             windowedCreation.end())));
                const size_t made = recorder.log.size();
                destroyAppWindow();
                EXPECT_EQ(logSince(made), windowedTeardown) << "no display mode to restore";
            } else {
                EXPECT_EQ(created, 0);
                expected.push_back("box ERROR: Program se uzavrie. (x, OK)");
                EXPECT_EQ(recorder.log, expected);
                EXPECT_EQ(liveWindow(), nullptr);
                EXPECT_TRUE(isRegisteredClass("OpenGL", currentInstance()))
                    << "the class stays registered";
                sdlUnregisterClass("OpenGL", currentInstance());
            }
        }
    }
}

// ---- release failures

TEST_F(AppWindow, EachFailedReleaseIsReportedAndTheRestStillReleased) {
    struct Case {
        Step step;
        size_t after; // the message follows this entry of the teardown
        const char* message;
    };
    const Case cases[] = {
        {Step::ReleaseCurrent, 1, "DC a RC chyba."},
        {Step::DeleteRenderContext, 2, "Chyba: Delete Rendering Context."},
        {Step::ReleaseDeviceContext, 3, "Chyba: Uvolnenia Device Context."},
        {Step::DestroyWindow, 4, "Chyba: hWnd."},
        {Step::UnregisterClass, 5, "Nejde odregistrovat okno."},
    };
    for (const Case& c : cases) {
        startRecording();
        ASSERT_EQ(create(false), 1);
        recorder.failing = {c.step};
        const size_t made = recorder.log.size();
        destroyAppWindow();
        Log expected = windowedTeardown;
        expected.insert(expected.begin() + c.after + 1, releaseBox(c.message));
        EXPECT_EQ(logSince(made), expected) << c.message;
        expectNothingLeft();
    }
}

TEST_F(AppWindow, TeardownOfNothingOnlyShowsThePointerAndUnregisters) {
    viewerState.fullScreen = 0;
    destroyAppWindow();
    EXPECT_EQ(recorder.log,
              (Log{"showCursor 1", "unregisterClass", releaseBox("Nejde odregistrovat okno.")}));
}

// ---- resizeScene

TEST_F(AppWindow, ResizeSetsTheViewportAndThe800x600Projection) {
    ASSERT_EQ(create(false), 1);
    struct Case {
        int width, height, viewportHeight;
    };
    for (const Case& c : {Case{640, 480, 480}, Case{1024, 0, 1}, Case{800, 600, 600}}) {
        resizeScene(c.width, c.height);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[0], 0);
        EXPECT_EQ(viewport[1], 0);
        EXPECT_EQ(viewport[2], c.width);
        EXPECT_EQ(viewport[3], c.viewportHeight);
        GLfloat projection[16];
        glGetFloatv(GL_PROJECTION_MATRIX, projection);
        EXPECT_FLOAT_EQ(projection[0], 2.0f / 800);
        EXPECT_FLOAT_EQ(projection[5], 2.0f / 600);
        EXPECT_FLOAT_EQ(projection[10], -1.0f);
        EXPECT_FLOAT_EQ(projection[12], -1.0f);
        EXPECT_FLOAT_EQ(projection[13], -1.0f);
        GLint mode;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
    }
}

TEST_F(AppWindow, ResizeBeforeTheContextExistsHasNoEffect) {
    useTestGlContext();
    glViewport(1, 2, 3, 4);
    resizeScene(640, 480);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 1);
    EXPECT_EQ(viewport[3], 4);
}

} // namespace
