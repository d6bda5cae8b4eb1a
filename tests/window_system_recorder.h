// window_system_recorder.h -- the SDL window system with every call and message box logged in
// order, any step made to fail on its own, and a fixture for tests of the window shell
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/app_window.h"
#include "engine/viewer_state.h"
#include "platform/message_box.h"
#include "platform/sdl/sdl_window.h"
#include "tests/platform_window_fixture.h"
#include "ui/key_table.h"

struct WindowSystemRecorder {
    // Calls and boxes in order, e.g. "createWindow popup", "box ERROR: text (!, OK)".
    std::vector<std::string> log;
    // Steps that fail, by name. A failing creation makes nothing; a failing release releases
    // and then reports failure, as when the system reports an error after all.
    std::set<std::string> failing;
    // The answer to a full-screen request; SDL's display mode is never changed.
    int displayModeResult = DISP_CHANGE_SUCCESSFUL;
    // Answers of the Yes/No boxes, in order; AnswerClosed once they run out.
    std::vector<MessageAnswer> answers;
    // Buffer swaps, which are not logged.
    int swaps = 0;
};

inline WindowSystemRecorder recorder;

namespace recording {

// Logs the call; false when the test makes this step fail.
inline bool call(const std::string& step, const std::string& detail = "") {
    recorder.log.push_back(detail.empty() ? step : step + " " + detail);
    return recorder.failing.count(step) == 0;
}

// The release has been made before the step is logged.
inline int release(const char* step, int result) {
    return call(step) ? result : 0;
}

inline MessageAnswer messageBox(const char* text, const char* caption, MessageIcon icon,
                                MessageButtons buttons) {
    const char icons[] = "-?!xi"; // in the order of MessageIcon
    recorder.log.push_back(std::string("box ") + caption + ": " + text + " (" + icons[icon] +
                           (buttons == ButtonsYesNo ? ", YesNo)" : ", OK)"));
    if (buttons == ButtonsOk) return AnswerOk;
    if (recorder.answers.empty()) return AnswerClosed;
    const MessageAnswer answer = recorder.answers.front();
    recorder.answers.erase(recorder.answers.begin());
    return answer;
}

// The SDL operations, each logged first and made to fail when the test says.
inline const WindowSystem table = {
    .currentInstance = sdlCurrentInstance,
    .registerClass = [](auto... a) { return call("registerClass") ? sdlRegisterClass(a...) : 0; },
    .changeDisplayMode =
        [](const DisplayMode* mode, uint32_t flags) {
            if (!mode)
                return call("changeDisplayMode", "desktop") ? DISP_CHANGE_SUCCESSFUL
                                                            : DISP_CHANGE_FAILED;
            call("changeDisplayMode", std::to_string(mode->width) + "x" +
                                          std::to_string(mode->height) + "x" +
                                          std::to_string(mode->bitsPerPixel) +
                                          (flags == CDS_FULLSCREEN ? " full screen" : ""));
            return recorder.displayModeResult;
        },
    .showCursor =
        [](int show) {
            call("showCursor", show ? "1" : "0");
            return sdlShowCursor(show);
        },
    .adjustWindowRect = sdlAdjustWindowRect,
    .createWindow =
        [](uint32_t exStyle, const char* className, const char* title, uint32_t style, auto... a) {
            return call("createWindow", style & WS_POPUP ? "popup" : "framed")
                       ? sdlCreateWindow(exStyle, className, title, style, a...)
                       : nullptr;
        },
    .getDeviceContext =
        [](auto... a) { return call("getDeviceContext") ? sdlGetDeviceContext(a...) : nullptr; },
    .choosePixelFormat =
        [](auto... a) { return call("choosePixelFormat") ? sdlChoosePixelFormat(a...) : 0; },
    .setPixelFormat =
        [](auto... a) { return call("setPixelFormat") ? sdlSetPixelFormat(a...) : 0; },
    .createRenderContext =
        [](auto... a) {
            return call("createRenderContext") ? sdlCreateRenderContext(a...) : nullptr;
        },
    .makeCurrent =
        [](DeviceContext device, RenderContext context) {
            if (!context) return release("releaseCurrent", sdlMakeCurrent(device, context));
            return call("makeCurrent") ? sdlMakeCurrent(device, context) : 0;
        },
    .showWindow = sdlShowWindow,
    .setForegroundWindow = sdlSetForegroundWindow,
    .setFocus = sdlSetFocus,
    .getClientRect = sdlGetClientRect,
    .deleteRenderContext =
        [](auto... a) { return release("deleteRenderContext", sdlDeleteRenderContext(a...)); },
    .releaseDeviceContext =
        [](auto... a) { return release("releaseDeviceContext", sdlReleaseDeviceContext(a...)); },
    .destroyWindow = [](auto... a) { return release("destroyWindow", sdlDestroyWindow(a...)); },
    .unregisterClass =
        [](auto... a) { return release("unregisterClass", sdlUnregisterClass(a...)); },
    .peekMessage = sdlPeekMessage,
    .dispatchMessage = sdlDispatchMessage,
    .postQuitMessage = sdlPostQuitMessage,
    .defWindowProc = sdlDefWindowProc,
    .swapBuffers =
        [](DeviceContext device) {
            ++recorder.swaps;
            sdlSwapBuffers(device);
        },
    .readPointer = sdlReadPointer,
};

} // namespace recording

// Routes the shell's window system and message boxes through the recorder, afresh.
inline void startRecording() {
    recorder = WindowSystemRecorder();
    windowSystem = &recording::table;
    showMessageBox = recording::messageBox;
}

// The log from entry `from` on, joined by "; ".
inline std::string logText(size_t from = 0) {
    std::string text;
    for (size_t i = from; i < recorder.log.size(); ++i)
        text += (i > from ? "; " : "") + recorder.log[i];
    return text;
}

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

// Each test starts recording, with nothing made and the state of a program start.
class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        startRecording();
        std::memset(KeyTable, 0, sizeof KeyTable);
        viewerState = ViewerState();
        viewerState.instanceHandle = sdlCurrentInstance();
    }
    void TearDown() override {
        windowSystem = &systemWindowSystem;
        showMessageBox = systemMessageBox;
        if (viewerState.mainWindow || viewerState.renderContext || viewerState.deviceContext)
            destroyAppWindow();
        if (isRegisteredClass("OpenGL", sdlCurrentInstance()))
            sdlUnregisterClass("OpenGL", sdlCurrentInstance());
        discardMessages();
    }

    int create(bool fullScreen) {
        return createAppWindow(AppTitle, AppWidth, AppHeight, AppBits, fullScreen);
    }

    void expectNothingLeft() {
        EXPECT_EQ(viewerState.font, nullptr);
        EXPECT_EQ(viewerState.renderContext, nullptr);
        EXPECT_EQ(viewerState.deviceContext, nullptr);
        EXPECT_EQ(viewerState.mainWindow, nullptr);
        EXPECT_EQ(liveWindow(), nullptr);
        EXPECT_FALSE(isRegisteredClass("OpenGL", sdlCurrentInstance()));
    }
};
