// fake_platform.h -- the platform as the tests play it: every window-system step and message box
// logged in order, any step made to fail, and the messages, pointer and clocks set by the test.
// Its rendering context is the tests' hidden OpenGL context, so the scene draws for real.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <deque>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/text_encoding.h"
#include "platform/window_system.h"
#include "tests/support/gl_context.h"

struct FakePlatform {
    std::vector<std::string> log; // steps and boxes in order, one a line
    // Steps that fail, by name; a failing release releases and then reports the failure.
    std::set<std::string> failing;
    int displayModeResult = DISP_CHANGE_SUCCESSFUL; // the answer to a full-screen request
    std::vector<MessageAnswer> answers; // of the Yes/No boxes in order; AnswerClosed after them
    std::deque<WindowMessage> messages; // waiting for peekMessage
    int swaps = 0, closeAfterSwaps = 0; // the user closes the window after that swap; 0: never
    bool closeOnWait = false; // the user closes the window while the loop waits for a message
    int cursorCounter = 0;    // the pointer is shown from 0 up
    int32_t pointerX = 0, pointerY = 0;                 // what readPointer reports
    int64_t counter = 0, counterFrequency = 1000000000; // the performance counter, in ns
    bool hasCounter = true; // false: the timers fall back on the millisecond clock
    uint32_t milliseconds = 0;
    WindowProcedure procedure = nullptr; // of the registered class, or null
};

inline FakePlatform fake;

namespace faking {

// Stand-ins for the instance, window, device and context handles; the shell never looks inside.
inline char objects[4];
template <typename Handle> Handle handle(int i) {
    return reinterpret_cast<Handle>(objects + i);
}

inline std::string hex(uint32_t value) {
    char text[12];
    return std::string(text, std::snprintf(text, sizeof text, "0x%x", value));
}

// The parts joined by spaces. The program's texts are Windows-1250, the log's UTF-8.
template <typename... Parts> std::string line(const Parts&... parts) {
    std::ostringstream text;
    ((text << parts << ' '), ...);
    std::string utf8(3 * text.str().size() + 1, '\0');
    utf8.resize(convertCp1250ToUtf8(text.str().c_str(), utf8.data(), int(utf8.size())) - 1);
    return utf8;
}

// A message for the window.
inline void post(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
    fake.messages.push_back({handle<WindowHandle>(1), message, wParam, lParam});
}

// Logs the step; false when the test makes it fail.
template <typename... Parts> bool step(const std::string& name, const Parts&... parts) {
    fake.log.push_back(line(name, parts...));
    if (fake.log.size() > 10000) post(WM_QUIT, 99); // a main loop that would not end
    return fake.failing.count(name) == 0;
}

inline MessageAnswer messageBox(const char* text, const char* caption, MessageIcon icon,
                                MessageButtons buttons) {
    const char* const icons[] = {"", "question", "exclamation", "error", "information"};
    step("box", caption, "|", text, "|", icons[icon], buttons == ButtonsYesNo ? "YesNo" : "OK");
    if (buttons == ButtonsOk || fake.answers.empty())
        return buttons == ButtonsOk ? AnswerOk : AnswerClosed;
    const MessageAnswer answer = fake.answers.front();
    fake.answers.erase(fake.answers.begin());
    return answer;
}

inline const WindowSystem windowSystem = {
    .currentInstance = [] { return handle<InstanceHandle>(0); },
    .registerClass =
        [](const WindowClass* c) {
            const bool ok = step("registerClass", c->name, "style", hex(c->style)) &&
                            !fake.procedure && c->instance == handle<InstanceHandle>(0);
            if (ok) fake.procedure = c->procedure;
            return int(ok);
        },
    .changeDisplayMode =
        [](const DisplayMode* m, uint32_t flags) {
            if (!m) return step("changeDisplayMode desktop flags", flags) ? 0 : DISP_CHANGE_FAILED;
            step("changeDisplayMode", m->width, m->height, m->bitsPerPixel, "flags", flags);
            return fake.displayModeResult;
        },
    .showCursor =
        [](int show) {
            step("showCursor", show);
            return fake.cursorCounter += show ? 1 : -1;
        },
    .adjustWindowRect = [](auto...) {},
    .createWindow =
        [](uint32_t ex, const char* className, const char* title, uint32_t style, int32_t x,
           int32_t y, int32_t width, int32_t height, InstanceHandle) {
            const bool ok = step("createWindow", className, title, "style", hex(style), "ex",
                                 hex(ex), "at", x, y, "size", width, height);
            return ok && fake.procedure ? handle<WindowHandle>(1) : nullptr;
        },
    .getDeviceContext =
        [](auto) { return step("getDeviceContext") ? handle<DeviceContext>(2) : nullptr; },
    .choosePixelFormat =
        [](DeviceContext, const PixelFormatRequest* r) {
            return 7 * step("choosePixelFormat flags", hex(r->flags), "colour", int(r->colourBits),
                            "depth", int(r->depthBits));
        },
    .setPixelFormat = [](DeviceContext, int format,
                         auto) { return int(step("setPixelFormat", format)); },
    .createRenderContext =
        [](auto) { return step("createRenderContext") ? handle<RenderContext>(3) : nullptr; },
    .makeCurrent =
        [](auto, RenderContext context) {
            return int(context ? step("makeCurrent") && (useTestGlContext(), true)
                               : step("releaseCurrent"));
        },
    // Both systems tell the procedure that the window is active as it shows.
    .showWindow = [](auto w) { step("showWindow"), fake.procedure(w, WM_ACTIVATE, WA_ACTIVE, 0); },
    .setForegroundWindow = [](auto) { step("setForegroundWindow"); },
    .setFocus = [](auto) { step("setFocus"); },
    .getClientRect =
        [](auto, ClientRect* r) {
            step("getClientRect"), *r = {0, 0, 800, 600};
        },
    .deleteRenderContext = [](auto) { return int(step("deleteRenderContext")); },
    .releaseDeviceContext = [](auto...) { return int(step("releaseDeviceContext")); },
    .destroyWindow = [](auto) { return int(step("destroyWindow")); },
    .unregisterClass =
        [](const char* name, InstanceHandle) {
            const bool registered = std::exchange(fake.procedure, nullptr) != nullptr;
            return int(step("unregisterClass", name) && registered);
        },
    .peekMessage =
        [](WindowMessage* m) {
            if (fake.messages.empty()) return 0;
            return *m = fake.messages.front(), fake.messages.pop_front(), 1;
        },
    // A wait that no message would end ends the loop instead, with exit code 98.
    .waitMessage =
        [] {
            step("waitMessage");
            if (fake.messages.empty()) post(fake.closeOnWait ? WM_CLOSE : WM_QUIT, 98);
        },
    .dispatchMessage =
        [](const WindowMessage* m) {
            return fake.procedure ? fake.procedure(m->window, m->message, m->wParam, m->lParam) : 0;
        },
    .postQuitMessage = [](int code) { post(WM_QUIT, uintptr_t(code)); },
    .defWindowProc = [](auto...) { return intptr_t(0); },
    .swapBuffers =
        [](auto) {
            if (step("swapBuffers") && ++fake.swaps == fake.closeAfterSwaps) post(WM_CLOSE);
        },
    .readPointer = [](int32_t* x,
                      int32_t* y) { step("readPointer"), *x = fake.pointerX, *y = fake.pointerY; },
};

inline const ClockSource clocks = {
    [](int64_t* perSecond) { return *perSecond = fake.counterFrequency, fake.hasCounter; },
    [](int64_t* ticks) { *ticks = fake.counter; }, [] { return fake.milliseconds; }};

} // namespace faking

// A fresh platform in the place of the system's window system, message boxes and clocks, for
// each test of a FakePlatformTest.
inline void startFaking() {
    fake = FakePlatform();
    windowSystem = &faking::windowSystem;
    showMessageBox = faking::messageBox;
    clockSource = &faking::clocks;
}

// The system's own again.
inline void stopFaking() {
    windowSystem = &systemWindowSystem;
    showMessageBox = systemMessageBox;
    clockSource = &systemClocks;
}

// The log on one line, steps apart by "; ".
inline std::string logText() {
    std::string text;
    for (const std::string& step : fake.log) text += (text.empty() ? "" : "; ") + step;
    return text;
}

class FakePlatformTest : public ::testing::Test {
  protected:
    void SetUp() override { startFaking(); }
};
