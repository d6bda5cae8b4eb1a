// test_app_window.cpp -- createAppWindow, destroyAppWindow, resizeScene and initScene: the steps
// in order, the message of each failure, what is released, and the scene they start
#include <GL/gl.h>
#include <unistd.h>

#include <array>
#include <tuple>

#include "app/window_proc.h"
#include "engine/processor_check.h"
#include "tests/shell_fixture.h"
#include "tests/support/gl_context.h"
#include "tests/support/temp_files.h"
#include "ui/heads_up_display.h"

namespace {

using AppWindow = ShellTest;

std::vector<GLint> viewport() {
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    return {v, v + 4};
}

// The order of the steps, what is released and the default palette are checked by the main
// loop's tests.
TEST_F(AppWindow, WindowAndSceneStartWithFontMethodPictureAndHelp) {
    viewerState.method = PaletteX87;
    const IntervalTimer beforeCreation;
    ASSERT_EQ(create(false), 1);
    EXPECT_EQ(fake.windowStyle, WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    const ClientRect& r = fake.windowRect;
    EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}), (std::array{0, 0, 800, 600}));
    EXPECT_NE(viewerState.font, nullptr);
    EXPECT_TRUE(glIsTexture(viewerState.fontTexture));
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
    EXPECT_EQ(std::vector<GLfloat>(clear, clear + 4), (std::vector<GLfloat>{0, 0, 0, 0.5f}));
    EXPECT_EQ(viewport(), (std::vector<GLint>{0, 0, 800, 600})) << "the scene fills the window";
}

TEST_F(AppWindow, PixelFormatRequestIsFilledOnceByTheFirstCall) {
    if (pixelFormatRequest.colourBits) GTEST_SKIP() << "a window was made earlier in this process";
    ASSERT_EQ(createAppWindow(AppTitle, 800, 600, 24, false), 1);
    destroyAppWindow();
    ASSERT_EQ(createAppWindow(AppTitle, 800, 600, 16, false), 1);
    EXPECT_EQ(pixelFormatRequest.flags, 0x25u) << "double-buffered OpenGL in a window";
    EXPECT_EQ(pixelFormatRequest.colourBits, 24) << "later calls keep the first call's bits";
    EXPECT_EQ(pixelFormatRequest.depthBits, 16);
}

// Each failing step releases what exists before its message, so that in full screen the
// desktop's mode is back when the user reads it.
TEST_F(AppWindow, EachFailedStepShowsItsMessageAfterReleasingWhatExists) {
    const char* const all = "showCursor 1; releaseDeviceContext; destroyWindow; unregisterClass";
    const std::tuple<bool, const char*, std::string, const char*> cases[] = {
        {false, "registerClass", "", "Chyba pri registracii triedy okna."},
        {false, "createWindow", "showCursor 1; unregisterClass", "Chyba pri tvorbe okna."},
        {false, "getDeviceContext", "showCursor 1; destroyWindow; unregisterClass",
         "Nejde vytvorit GL Device Context."},
        {false, "choosePixelFormat", all, "Nejde n\xe1jst PixelFormat."},
        {false, "setPixelFormat", all, "Nejde nastavit PixelFormat."},
        {false, "createRenderContext", all, "Nejde vytvorit GL Rendering Context."},
        {false, "makeCurrent", teardownLog(false), "Nejde aktivovat GL Rendering Context."},
        {true, "setPixelFormat",
         "showCursor 1; changeDisplayMode desktop; releaseDeviceContext; destroyWindow; "
         "unregisterClass",
         "Nejde nastavit PixelFormat."},
    };
    for (const auto& [fullScreen, step, teardown, message] : cases) {
        SCOPED_TRACE(step);
        startFaking();
        fake.failing = {step};
        EXPECT_EQ(create(fullScreen), 0);
        const std::string made = creationLog(fullScreen);
        EXPECT_EQ(logText(), made.substr(0, made.find(';', made.find(step))) +
                                 (teardown.empty() ? "" : "; " + teardown) +
                                 "; box ERROR: " + message + " (!, OK)");
        expectNothingLeft();
    }
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
    const std::string made = creationLog(false);
    EXPECT_EQ(logText(), made.substr(0, made.rfind("; showCursor 0")) +
                             "; box data/font.bmp: Chyba na\xe8\xedtania obr\xe1zka. (x, OK); " +
                             teardownLog(false) +
                             "; box ERROR: Chyba pri inicializ\xe1"
                             "cii. (!, OK)");
    expectNothingLeft();
}

TEST_F(AppWindow, DisplayModeFailureAsksWhetherToGoOnInAWindow) {
    const std::pair<int, const char*> cases[] = {
        {DISP_CHANGE_RESTART,
         "The computer must be restarted in order for the graphics mode to work."},
        {DISP_CHANGE_BADFLAGS, "An invalid set of flags was passed in."},
        {DISP_CHANGE_BADMODE, "The graphics mode is not supported."},
        {DISP_CHANGE_FAILED, "The display driver failed the specified graphics mode."},
        {-3, nullptr}, // no message of its own
        {2, nullptr}};
    for (const auto& [result, message] : cases) {
        for (MessageAnswer answer : {AnswerYes, AnswerNo, AnswerClosed}) {
            SCOPED_TRACE(testing::Message() << "result " << result << ", answer " << answer);
            startFaking();
            fake.displayModeResult = result;
            fake.answers = {answer};
            const int created = create(true);
            std::string expected = "registerClass; changeDisplayMode 800x600x16 full screen; ";
            if (message)
                expected += std::string("box Chyba pri inicializacii grafickeho rezimu: ") +
                            message + " (x, OK); ";
            expected += "box Chyba: Chyba pri inicializacii grafickeho rezimu. Chcete "
                        "pokracovat v okne? (!, YesNo); ";
            if (answer != AnswerYes) {
                EXPECT_EQ(created, 0);
                EXPECT_EQ(logText(), expected + "box ERROR: Program se uzavrie. (x, OK)");
                EXPECT_FALSE(fake.window);
                EXPECT_NE(fake.procedure, nullptr) << "class kept";
                continue;
            }
            EXPECT_EQ(created, 1);
            EXPECT_EQ(viewerState.fullScreen, 0);
            EXPECT_EQ(logText(), expected + creationLog(false).substr(strlen("registerClass; ")));
            const size_t made = fake.log.size();
            destroyAppWindow();
            EXPECT_EQ(logText(made), teardownLog(false)) << "no display mode to restore";
        }
    }
}

TEST_F(AppWindow, EachFailedReleaseIsReportedAndTheRestStillReleased) {
    const char* const cases[][2] = {
        {"releaseCurrent", "DC a RC chyba."},
        {"deleteRenderContext", "Chyba: Delete Rendering Context."},
        {"releaseDeviceContext", "Chyba: Uvolnenia Device Context."},
        {"destroyWindow", "Chyba: hWnd."},
        {"unregisterClass", "Nejde odregistrovat okno."},
    };
    for (const auto& c : cases) {
        startFaking();
        ASSERT_EQ(create(false), 1);
        fake.failing = {c[0]};
        const size_t made = fake.log.size();
        destroyAppWindow();
        std::string expected = teardownLog(false);
        expected.insert(expected.find(c[0]) + strlen(c[0]),
                        std::string("; box ERROR: ") + c[1] + " (i, OK)");
        EXPECT_EQ(logText(made), expected);
        expectNothingLeft();
    }
}

TEST_F(AppWindow, TeardownOfNothingOnlyShowsThePointerAndUnregisters) {
    viewerState.fullScreen = 0;
    destroyAppWindow();
    EXPECT_EQ(logText(),
              "showCursor 1; unregisterClass; box ERROR: Nejde odregistrovat okno. (i, OK)");
}

// WM_SIZE gives resizeScene the client size from lParam; before the rendering context exists,
// resizing has no effect.
TEST_F(AppWindow, SizeMessageSetsTheViewportAndThe800x600Projection) {
    useTestGlContext();
    glViewport(1, 2, 3, 4);
    resizeScene(640, 480);
    EXPECT_EQ(viewport(), (std::vector<GLint>{1, 2, 3, 4})) << "no context yet";
    ASSERT_EQ(create(false), 1);
    const int cases[][3] = {{640, 480, 480}, {1024, 0, 1}, {800, 600, 600}};
    for (const auto& c : cases) {
        windowProc(viewerState.mainWindow, WM_SIZE, SIZE_RESTORED, intptr_t(makeLong(c[0], c[1])));
        EXPECT_EQ(viewport(), (std::vector<GLint>{0, 0, c[0], c[2]})) << "height " << c[1];
        GLint mode;
        GLfloat projection[16];
        glGetFloatv(GL_PROJECTION_MATRIX, projection);
        const float expected[] = {2.0f / 800, 2.0f / 600, -1.0f, -1.0f, -1.0f};
        const int index[] = {0, 5, 10, 12, 13};
        for (int i = 0; i < 5; ++i) EXPECT_FLOAT_EQ(projection[index[i]], expected[i]);
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
    }
}

} // namespace
