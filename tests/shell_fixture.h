// shell_fixture.h -- tests of the window shell over the fake platform, with the logs of a whole
// start-up and teardown
#pragma once

#include <cstring>
#include <string>

#include "app/app_window.h"
#include "engine/viewer_state.h"
#include "tests/fake_platform.h"
#include "ui/key_table.h"

// What a successful createAppWindow logs, and a destroyAppWindow of all it made.
inline std::string creationLog(bool fullScreen) {
    return std::string(fullScreen ? "registerClass; changeDisplayMode 800x600x16 full screen; "
                                    "showCursor 0; createWindow popup; "
                                  : "registerClass; createWindow framed; ") +
           "getDeviceContext; choosePixelFormat; setPixelFormat; createRenderContext; "
           "makeCurrent; showCursor 0";
}
inline std::string teardownLog(bool fullScreen) {
    return std::string("showCursor 1; ") + (fullScreen ? "changeDisplayMode desktop; " : "") +
           "releaseCurrent; deleteRenderContext; releaseDeviceContext; destroyWindow; "
           "unregisterClass";
}

// Each test starts with nothing made and the state of a program start.
class ShellTest : public FakePlatformTest {
  protected:
    void SetUp() override {
        FakePlatformTest::SetUp();
        std::memset(KeyTable, 0, sizeof KeyTable);
        viewerState = ViewerState();
        viewerState.instanceHandle = windowSystem->currentInstance();
    }
    void TearDown() override {
        if (viewerState.mainWindow || viewerState.renderContext || viewerState.deviceContext)
            destroyAppWindow();
        FakePlatformTest::TearDown();
    }

    int create(bool fullScreen) {
        return createAppWindow(AppTitle, AppWidth, AppHeight, AppBits, fullScreen);
    }

    void expectNothingLeft() {
        EXPECT_EQ(viewerState.font, nullptr);
        EXPECT_EQ(viewerState.renderContext, nullptr);
        EXPECT_EQ(viewerState.deviceContext, nullptr);
        EXPECT_EQ(viewerState.mainWindow, nullptr);
        EXPECT_FALSE(fake.window || fake.device || fake.context);
        EXPECT_EQ(fake.procedure, nullptr) << "the class is unregistered";
    }
};
