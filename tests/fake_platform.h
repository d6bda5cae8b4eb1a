// fake_platform.h -- the platform as the tests play it: every window-system step and message box
// logged in order, any step made to fail, and the messages, pointer and clocks set by the test
//
// The rendering context it makes current is the tests' hidden OpenGL context, so the scene the
// shell starts draws for real.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/window_system.h"
#include "tests/support/gl_context.h"

struct FakePlatform {
    // Steps and boxes in order, e.g. "createWindow popup", "box ERROR: text (!, OK)".
    std::vector<std::string> log;
    // Steps that fail, by name. A failing creation makes nothing; a failing release releases
    // and then reports failure, as when the system reports an error after all.
    std::set<std::string> failing;
    // The answer to a full-screen request.
    int displayModeResult = DISP_CHANGE_SUCCESSFUL;
    // Answers of the Yes/No boxes, in order; AnswerClosed once they run out.
    std::vector<MessageAnswer> answers;

    // Messages waiting for peekMessage, after those the program posts.
    std::deque<WindowMessage> messages;
    int swaps = 0;        // buffer swaps, which are not logged
    int32_t pointerX = 0; // what readPointer reports
    int32_t pointerY = 0;
    int64_t counter = 0;    // the performance counter, in nanoseconds
    bool hasCounter = true; // false: the timers fall back on the millisecond clock
    int64_t counterFrequency = 1000000000;
    uint32_t milliseconds = 0;

    // What exists.
    WindowProcedure procedure = nullptr; // of the registered class, or null
    std::string className;
    bool window = false, device = false, context = false;
    uint32_t windowStyle = 0;
    ClientRect windowRect = {0, 0, 0, 0}; // x, y, width, height as createWindow got them
    int cursorCounter = 0;
};

inline FakePlatform fake;

namespace faking {

// Stand-ins for the handles; the shell never looks inside them.
inline char windowObject, deviceObject, contextObject, instanceObject;
inline WindowHandle windowHandle() {
    return reinterpret_cast<WindowHandle>(&windowObject);
}
inline DeviceContext deviceHandle() {
    return reinterpret_cast<DeviceContext>(&deviceObject);
}
inline RenderContext contextHandle() {
    return reinterpret_cast<RenderContext>(&contextObject);
}
inline InstanceHandle instanceHandle() {
    return reinterpret_cast<InstanceHandle>(&instanceObject);
}

// Logs the step; false when the test makes it fail.
inline bool step(const std::string& name, const std::string& detail = "") {
    fake.log.push_back(detail.empty() ? name : name + " " + detail);
    return fake.failing.count(name) == 0;
}

// A release: done, then logged, and reported as failed when the test says so.
inline int release(const std::string& name, bool& exists) {
    exists = false;
    return step(name) ? 1 : 0;
}

inline intptr_t send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return fake.procedure ? fake.procedure(windowHandle(), message, wParam, lParam) : 0;
}

inline std::string displayMode(const DisplayMode& mode, uint32_t flags) {
    return std::to_string(mode.width) + "x" + std::to_string(mode.height) + "x" +
           std::to_string(mode.bitsPerPixel) + (flags == CDS_FULLSCREEN ? " full screen" : "");
}

inline MessageAnswer messageBox(const char* text, const char* caption, MessageIcon icon,
                                MessageButtons buttons) {
    const char icons[] = "-?!xi"; // in the order of MessageIcon
    fake.log.push_back(std::string("box ") + caption + ": " + text + " (" + icons[icon] +
                       (buttons == ButtonsYesNo ? ", YesNo)" : ", OK)"));
    if (buttons == ButtonsOk) return AnswerOk;
    if (fake.answers.empty()) return AnswerClosed;
    const MessageAnswer answer = fake.answers.front();
    fake.answers.erase(fake.answers.begin());
    return answer;
}

inline const WindowSystem windowSystem = {
    .currentInstance = instanceHandle,
    .registerClass =
        [](const WindowClass* windowClass) {
            if (!step("registerClass") || fake.procedure) return 0;
            fake.procedure = windowClass->procedure;
            fake.className = windowClass->name;
            return 1;
        },
    .changeDisplayMode =
        [](const DisplayMode* mode, uint32_t flags) {
            if (!mode)
                return step("changeDisplayMode", "desktop") ? DISP_CHANGE_SUCCESSFUL
                                                            : DISP_CHANGE_FAILED;
            step("changeDisplayMode", displayMode(*mode, flags));
            return fake.displayModeResult;
        },
    .showCursor =
        [](int show) {
            step("showCursor", show ? "1" : "0");
            return fake.cursorCounter += show ? 1 : -1;
        },
    .adjustWindowRect = [](ClientRect*, uint32_t, uint32_t) {},
    .createWindow =
        [](uint32_t, const char* className, const char*, uint32_t style, int32_t x, int32_t y,
           int32_t width, int32_t height, InstanceHandle) {
            if (!step("createWindow", style & WS_POPUP ? "popup" : "framed") || fake.window ||
                fake.className != className)
                return WindowHandle(nullptr);
            fake.window = true;
            fake.windowStyle = style;
            fake.windowRect = {x, y, width, height};
            return windowHandle();
        },
    .getDeviceContext =
        [](WindowHandle) {
            if (!step("getDeviceContext")) return DeviceContext(nullptr);
            fake.device = true;
            return deviceHandle();
        },
    .choosePixelFormat =
        [](DeviceContext, const PixelFormatRequest*) { return step("choosePixelFormat") ? 1 : 0; },
    .setPixelFormat = [](DeviceContext, int,
                         const PixelFormatRequest*) { return step("setPixelFormat") ? 1 : 0; },
    .createRenderContext =
        [](DeviceContext) {
            if (!step("createRenderContext")) return RenderContext(nullptr);
            fake.context = true;
            return contextHandle();
        },
    .makeCurrent =
        [](DeviceContext, RenderContext context) {
            bool nothing = false;
            if (!context) return release("releaseCurrent", nothing);
            if (!step("makeCurrent")) return 0;
            useTestGlContext();
            return 1;
        },
    // Both systems tell the procedure that the window is active as it shows.
    .showWindow = [](WindowHandle) { send(WM_ACTIVATE, makeLong(WA_ACTIVE, 0), 0); },
    .setForegroundWindow = [](WindowHandle) {},
    .setFocus = [](WindowHandle) {},
    .getClientRect =
        [](WindowHandle, ClientRect* rect) {
            *rect = {0, 0, fake.windowRect.right, fake.windowRect.bottom};
        },
    .deleteRenderContext =
        [](RenderContext) { return release("deleteRenderContext", fake.context); },
    .releaseDeviceContext =
        [](WindowHandle, DeviceContext) { return release("releaseDeviceContext", fake.device); },
    .destroyWindow = [](WindowHandle) { return release("destroyWindow", fake.window); },
    .unregisterClass =
        [](const char*, InstanceHandle) {
            const bool registered = fake.procedure != nullptr;
            fake.procedure = nullptr;
            return step("unregisterClass") && registered ? 1 : 0;
        },
    .peekMessage =
        [](WindowMessage* message) {
            if (fake.messages.empty()) return 0;
            *message = fake.messages.front();
            fake.messages.pop_front();
            return 1;
        },
    .dispatchMessage =
        [](const WindowMessage* message) {
            return message->window == windowHandle() && fake.window
                       ? send(message->message, message->wParam, message->lParam)
                       : 0;
        },
    .postQuitMessage =
        [](int exitCode) {
            fake.messages.push_back({nullptr, WM_QUIT, uintptr_t(exitCode), 0});
        },
    .defWindowProc = [](WindowHandle, uint32_t, uintptr_t, intptr_t) { return intptr_t(0); },
    .swapBuffers = [](DeviceContext) { ++fake.swaps; },
    .readPointer =
        [](int32_t* x, int32_t* y) {
            *x = fake.pointerX;
            *y = fake.pointerY;
        },
};

inline const ClockSource clocks = {
    [](int64_t* ticksPerSecond) {
        *ticksPerSecond = fake.counterFrequency;
        return fake.hasCounter;
    },
    [](int64_t* ticks) { *ticks = fake.counter; },
    [] { return fake.milliseconds; },
};

} // namespace faking

// The platform starts afresh and takes the place of the system's for the window system, the
// message boxes and the clocks.
inline void startFaking() {
    fake = FakePlatform();
    windowSystem = &faking::windowSystem;
    showMessageBox = faking::messageBox;
    clockSource = &faking::clocks;
}

inline void stopFaking() {
    windowSystem = &systemWindowSystem;
    showMessageBox = systemMessageBox;
    clockSource = &systemClocks;
}

// A message from the window system to the program's window.
inline void queueMessage(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
    fake.messages.push_back({faking::windowHandle(), message, wParam, lParam});
}

// The log from entry `from` on, joined by "; ".
inline std::string logText(size_t from = 0) {
    std::string text;
    for (size_t i = from; i < fake.log.size(); ++i) text += (i > from ? "; " : "") + fake.log[i];
    return text;
}

// Each test runs over a fresh fake platform.
class FakePlatformTest : public ::testing::Test {
  protected:
    void SetUp() override { startFaking(); }
    void TearDown() override { stopFaking(); }
};
