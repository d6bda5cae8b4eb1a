// messages.cpp -- SDL's events as window messages, and the queue of posted messages
#include <deque>

#include "platform/sdl/keys.h"
#include "platform/sdl/sdl_window.h"
#include "platform/termination.h"

namespace {

// Posted messages, and the further messages of an event that gives more than one.
std::deque<WindowMessage> queued;

void queue(PlatformWindow* window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    queued.push_back({window, message, wParam, lParam});
}

intptr_t clientSize(const PlatformWindow* window) {
    int width = window->width, height = window->height;
    if (window->surface) SDL_GetWindowSize(window->surface, &width, &height);
    return intptr_t(makeLong(uint16_t(width), uint16_t(height)));
}

void translateKey(PlatformWindow* window, const SDL_KeyboardEvent& key) {
    const uint8_t virtualKey = virtualKeyCode(key.keysym.sym);
    if (virtualKey == 0) return;
    const bool down = key.type == SDL_KEYDOWN;
    const bool system = isSystemKey(key.keysym.sym, (key.keysym.mod & KMOD_ALT) != 0);
    const uint32_t message =
        down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    // Repeat count 1; bit 30 for a key that was already down, bit 31 for a release.
    const uintptr_t flags = 1u | (key.repeat || !down ? 1u << 30 : 0u) | (down ? 0u : 1u << 31);
    queue(window, message, virtualKey, intptr_t(flags));
}

void translateButton(PlatformWindow* window, const SDL_MouseButtonEvent& button) {
    const bool down = button.type == SDL_MOUSEBUTTONDOWN;
    uint32_t message;
    switch (button.button) {
    case SDL_BUTTON_LEFT:
        message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        break;
    case SDL_BUTTON_RIGHT:
        message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        break;
    case SDL_BUTTON_MIDDLE:
        message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
        break;
    default:
        return;
    }
    queue(window, message, 0, intptr_t(makeLong(uint16_t(button.x), uint16_t(button.y))));
}

// A minimised window has a client area of 0x0 and is told so, as it is told when it is back.
void translateWindowEvent(PlatformWindow* window, const SDL_WindowEvent& event) {
    const uint16_t minimised = window->minimised ? 1 : 0;
    switch (event.event) {
    case SDL_WINDOWEVENT_MINIMIZED:
        window->minimised = true;
        queue(window, WM_SIZE, SIZE_MINIMIZED, 0);
        queue(window, WM_ACTIVATE, makeLong(WA_INACTIVE, 1), 0);
        break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
        if (!window->minimised) break;
        window->minimised = false;
        queue(window, WM_SIZE, SIZE_RESTORED, clientSize(window));
        queue(window, WM_ACTIVATE, makeLong(WA_ACTIVE, 0), 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        queue(window, WM_ACTIVATE, makeLong(WA_ACTIVE, minimised), 0);
        break;
    // Releases made while another window has the keyboard never come here, so the window lets
    // every key go. (A button's release does come: while a button is down, X sends the pointer's
    // events to the window that took the press.)
    case SDL_WINDOWEVENT_FOCUS_LOST:
        queue(window, WM_ACTIVATE, makeLong(WA_INACTIVE, minimised), 0);
        queue(window, WM_KILLFOCUS, 0, 0);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        window->width = event.data1;
        window->height = event.data2;
        if (!window->minimised) queue(window, WM_SIZE, SIZE_RESTORED, clientSize(window));
        break;
    case SDL_WINDOWEVENT_CLOSE:
        queue(window, WM_CLOSE, 0, 0);
        break;
    }
}

// Keys and buttons belong to the program's window whichever window SDL names: after a switch
// of screen mode, releases can still name the window that is gone.
void translateEvent(const SDL_Event& event) {
    PlatformWindow* window = liveWindow();
    if (!window) return;
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        translateKey(window, event.key);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        translateButton(window, event.button);
        break;
    case SDL_WINDOWEVENT:
        if (window->surface && event.window.windowID == SDL_GetWindowID(window->surface))
            translateWindowEvent(window, event.window);
        break;
    case SDL_QUIT: // the last window closed
        queue(window, WM_CLOSE, 0, 0);
        break;
    }
}

// A termination signal is a close of the program's window, told once.
void queueTermination() {
    static bool told = false;
    if (told || !terminationRequested() || !liveWindow()) return;
    told = true;
    queue(liveWindow(), WM_CLOSE, 0, 0);
}

} // namespace

int sdlPeekMessage(WindowMessage* message) {
    queueTermination();
    SDL_Event event;
    while (queued.empty() && SDL_WasInit(SDL_INIT_EVENTS) && SDL_PollEvent(&event))
        translateEvent(event);
    if (queued.empty()) return 0;
    *message = queued.front();
    queued.pop_front();
    return 1;
}

// SDL's wait may go on through a signal, so it waits a tenth of a second at a time and looks
// for a termination request in between.
void sdlWaitMessage() {
    while (queued.empty() && !terminationRequested() && SDL_WasInit(SDL_INIT_EVENTS) &&
           !SDL_WaitEventTimeout(nullptr, 100)) {
    }
}

intptr_t sendMessage(PlatformWindow* window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return window->procedure ? window->procedure(window, message, wParam, lParam) : 0;
}

intptr_t sdlDispatchMessage(const WindowMessage* message) {
    PlatformWindow* window = message->window;
    if (!window || window != liveWindow()) return 0;
    return sendMessage(window, message->message, message->wParam, message->lParam);
}

void sdlPostQuitMessage(int exitCode) {
    queue(nullptr, WM_QUIT, uintptr_t(exitCode), 0);
}

intptr_t sdlDefWindowProc(WindowHandle, uint32_t, uintptr_t, intptr_t) {
    return 0;
}
