// window_system_recorder.h -- the SDL window system with every call and message box recorded,
// and any step made to fail on its own
#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/window_system.h"

enum class Step {
    RegisterClass,
    ChangeDisplayMode,
    CreateWindow,
    GetDeviceContext,
    ChoosePixelFormat,
    SetPixelFormat,
    CreateRenderContext,
    MakeCurrent,
    ReleaseCurrent,
    DeleteRenderContext,
    ReleaseDeviceContext,
    DestroyWindow,
    UnregisterClass,
};

struct WindowSystemRecorder {
    // Calls and message boxes in order, e.g. "createWindow popup", "box ERROR: text (!, OK)".
    std::vector<std::string> log;
    // Steps that fail. A failing creation makes nothing; a failing release releases and then
    // reports failure, as when the system reports an error after all.
    std::set<Step> failing;
    // When set, the display mode is not asked of SDL: changeDisplayMode answers this result.
    bool fakeDisplayMode = false;
    int displayModeResult = DISP_CHANGE_SUCCESSFUL;
    // Answers of the Yes/No boxes, in order; AnswerClosed once they run out.
    std::vector<MessageAnswer> answers;
};

inline WindowSystemRecorder recorder;

namespace recording {

inline bool fails(Step step) {
    return recorder.failing.count(step) != 0;
}

inline void note(const std::string& call) {
    recorder.log.push_back(call);
}

inline const char* iconName(MessageIcon icon) {
    switch (icon) {
    case IconQuestion:
        return "?";
    case IconExclamation:
        return "!";
    case IconError:
        return "x";
    case IconInformation:
        return "i";
    case IconNone:
        break;
    }
    return "-";
}

inline MessageAnswer messageBox(const char* text, const char* caption, MessageIcon icon,
                                MessageButtons buttons) {
    note(std::string("box ") + caption + ": " + text + " (" + iconName(icon) +
         (buttons == ButtonsYesNo ? ", YesNo)" : ", OK)"));
    if (buttons == ButtonsOk) return AnswerOk;
    if (recorder.answers.empty()) return AnswerClosed;
    const MessageAnswer answer = recorder.answers.front();
    recorder.answers.erase(recorder.answers.begin());
    return answer;
}

inline int registerClass(const WindowClass* windowClass) {
    note("registerClass");
    return fails(Step::RegisterClass) ? 0 : sdlWindowSystem.registerClass(windowClass);
}

inline int changeDisplayMode(const DisplayMode* mode, uint32_t flags) {
    if (mode)
        note("changeDisplayMode " + std::to_string(mode->width) + "x" +
             std::to_string(mode->height) + "x" + std::to_string(mode->bitsPerPixel) +
             (flags == CDS_FULLSCREEN ? " full screen" : ""));
    else
        note("changeDisplayMode desktop");
    if (recorder.fakeDisplayMode) return mode ? recorder.displayModeResult : 0;
    if (fails(Step::ChangeDisplayMode)) return DISP_CHANGE_FAILED;
    return sdlWindowSystem.changeDisplayMode(mode, flags);
}

inline int showCursor(int show) {
    note(show ? "showCursor 1" : "showCursor 0");
    return sdlWindowSystem.showCursor(show);
}

inline WindowHandle createWindow(uint32_t exStyle, const char* className, const char* title,
                                 uint32_t style, int32_t x, int32_t y, int32_t width,
                                 int32_t height, InstanceHandle instance) {
    note(std::string("createWindow ") + ((style & WS_POPUP) ? "popup" : "framed"));
    if (fails(Step::CreateWindow)) return nullptr;
    return sdlWindowSystem.createWindow(exStyle, className, title, style, x, y, width, height,
                                        instance);
}

inline DeviceContext getDeviceContext(WindowHandle window) {
    note("getDeviceContext");
    return fails(Step::GetDeviceContext) ? nullptr : sdlWindowSystem.getDeviceContext(window);
}

inline int choosePixelFormat(DeviceContext device, const PixelFormatRequest* request) {
    note("choosePixelFormat");
    return fails(Step::ChoosePixelFormat) ? 0 : sdlWindowSystem.choosePixelFormat(device, request);
}

inline int setPixelFormat(DeviceContext device, int format, const PixelFormatRequest* request) {
    note("setPixelFormat");
    return fails(Step::SetPixelFormat) ? 0
                                       : sdlWindowSystem.setPixelFormat(device, format, request);
}

inline RenderContext createRenderContext(DeviceContext device) {
    note("createRenderContext");
    return fails(Step::CreateRenderContext) ? nullptr : sdlWindowSystem.createRenderContext(device);
}

inline int makeCurrent(DeviceContext device, RenderContext context) {
    if (!context) {
        note("releaseCurrent");
        const int released = sdlWindowSystem.makeCurrent(device, context);
        return fails(Step::ReleaseCurrent) ? 0 : released;
    }
    note("makeCurrent");
    return fails(Step::MakeCurrent) ? 0 : sdlWindowSystem.makeCurrent(device, context);
}

inline int deleteRenderContext(RenderContext context) {
    note("deleteRenderContext");
    const int deleted = sdlWindowSystem.deleteRenderContext(context);
    return fails(Step::DeleteRenderContext) ? 0 : deleted;
}

inline int releaseDeviceContext(WindowHandle window, DeviceContext device) {
    note("releaseDeviceContext");
    const int released = sdlWindowSystem.releaseDeviceContext(window, device);
    return fails(Step::ReleaseDeviceContext) ? 0 : released;
}

inline int destroyWindow(WindowHandle window) {
    note("destroyWindow");
    const int destroyed = sdlWindowSystem.destroyWindow(window);
    return fails(Step::DestroyWindow) ? 0 : destroyed;
}

inline int unregisterClass(const char* className, InstanceHandle instance) {
    note("unregisterClass");
    const int unregistered = sdlWindowSystem.unregisterClass(className, instance);
    return fails(Step::UnregisterClass) ? 0 : unregistered;
}

} // namespace recording

inline const WindowSystem recordingWindowSystem = {
    recording::registerClass,       recording::changeDisplayMode,    recording::showCursor,
    recording::createWindow,        recording::getDeviceContext,     recording::choosePixelFormat,
    recording::setPixelFormat,      recording::createRenderContext,  recording::makeCurrent,
    recording::deleteRenderContext, recording::releaseDeviceContext, recording::destroyWindow,
    recording::unregisterClass,
};

// Routes the shell's window system and message boxes through the recorder, afresh.
inline void startRecording() {
    recorder = WindowSystemRecorder();
    windowSystem = &recordingWindowSystem;
    setMessageBoxHook(recording::messageBox);
}

inline void stopRecording() {
    windowSystem = &sdlWindowSystem;
    setMessageBoxHook(nullptr);
}
