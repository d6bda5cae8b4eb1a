// test_window_proc.cpp -- SDL's events through the platform's messages into windowProc: the
// KeyTable, windowActive and the quit message; and the keyboard's virtual-key codes
#include <algorithm>
#include <cstring>
#include <iterator>

#include "app/window_proc.h"
#include "engine/viewer_state.h"
#include "platform/sdl/keys.h"
#include "tests/sdl_window_fixture.h"
#include "ui/key_table.h"

namespace {

class WindowProc : public ::testing::Test {
  protected:
    void SetUp() override {
        window = makePlatformWindow(800, 600, windowProc);
        std::memset(KeyTable, 0, sizeof KeyTable);
        viewerState.windowActive = 1;
        discardMessages();
    }
    void TearDown() override { destroyPlatformWindow(window); }

    Uint32 windowId() const { return SDL_GetWindowID(liveWindow()->surface); }

    // Takes and dispatches every message waiting, as the main loop does; returns the last.
    WindowMessage deliver() {
        WindowMessage message = {}, last = {};
        while (sdlPeekMessage(&message)) {
            sdlDispatchMessage(&message);
            last = message;
        }
        return last;
    }

    static long keysDown() { return std::count(KeyTable, KeyTable + 256, 1); }

    WindowHandle window = nullptr;
};

TEST_F(WindowProc, KeysAndButtonsAreEnteredWhileDownRepeatsIncluded) {
    pushEvent(SDL_KEYDOWN, SDLK_KP_PLUS);
    deliver();
    EXPECT_EQ(KeyTable[VK_ADD], 1);
    EXPECT_EQ(keysDown(), 1);
    KeyTable[VK_ADD] = 0; // a one-shot consumer acted; the keyboard's repeat sets it again
    pushEvent(SDL_KEYDOWN, SDLK_KP_PLUS, 0, 1);
    deliver();
    EXPECT_EQ(KeyTable[VK_ADD], 1);
    pushEvent(SDL_KEYUP, SDLK_KP_PLUS);
    pushEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    pushEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    pushEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    deliver();
    EXPECT_EQ(KeyTable[VK_RBUTTON], 1);
    EXPECT_EQ(keysDown(), 1);
    pushEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
    deliver();
    EXPECT_EQ(keysDown(), 0);
}

TEST_F(WindowProc, EveryVirtualKeyHasItsEntry) {
    for (int key = 0; key < 256; ++key) {
        EXPECT_EQ(windowProc(window, WM_KEYDOWN, key, 0), 0);
        EXPECT_EQ(KeyTable[key], 1) << "key " << key;
        EXPECT_EQ(windowProc(window, WM_KEYUP, key, 0), 0);
        EXPECT_EQ(KeyTable[key], 0) << "key " << key;
    }
}

// Alt, F10 and Alt chords are system keys, which the table leaves alone, as the middle button.
TEST_F(WindowProc, SystemKeysAndTheMiddleButtonAreNotEntered) {
    pushEvent(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT);
    pushEvent(SDL_KEYDOWN, SDLK_x, KMOD_LALT);
    pushEvent(SDL_KEYDOWN, SDLK_F10);
    pushEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE);
    pushEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1);
    deliver();
    EXPECT_EQ(keysDown(), 0);
    KeyTable[VK_KEY_R] = 1;
    pushEvent(SDL_KEYUP, SDLK_r, KMOD_LALT);
    deliver();
    EXPECT_EQ(KeyTable[VK_KEY_R], 1);
}

// SDL lets go of every held key when the window loses the keyboard; here a key stays down until
// its own release reaches the window.
TEST_F(WindowProc, KeysLetGoOfAtAFocusLossStayDown) {
    pushEvent(SDL_KEYDOWN, SDLK_LEFT);
    pushEvent(SDL_KEYDOWN, SDLK_RIGHT);
    deliver();
    pushEvent(SDL_KEYUP, SDLK_LEFT);
    pushEvent(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST);
    pushEvent(SDL_KEYUP, SDLK_RIGHT); // a release of its own
    deliver();
    EXPECT_EQ(KeyTable[VK_LEFT], 1);
    EXPECT_EQ(KeyTable[VK_RIGHT], 0);
}

// Only minimising stops the frames, not the loss of the focus; another window's events are
// not this window's.
TEST_F(WindowProc, WindowIsActiveUnlessMinimised) {
    const std::pair<Uint8, int> steps[] = {
        {SDL_WINDOWEVENT_FOCUS_LOST, 1}, {SDL_WINDOWEVENT_MINIMIZED, 0},
        {SDL_WINDOWEVENT_FOCUS_LOST, 0}, {SDL_WINDOWEVENT_FOCUS_GAINED, 0},
        {SDL_WINDOWEVENT_RESTORED, 1},   {SDL_WINDOWEVENT_FOCUS_GAINED, 1}};
    for (const auto& [event, active] : steps) {
        pushEvent(SDL_WINDOWEVENT, SDL_WINDOWEVENT_MINIMIZED, 0, 0, windowId() + 100);
        pushEvent(SDL_WINDOWEVENT, event);
        deliver();
        EXPECT_EQ(viewerState.windowActive, active) << "after window event " << int(event);
    }
    viewerState.windowActive = 0;
    sdlShowWindow(window);
    EXPECT_EQ(viewerState.windowActive, 1) << "a window shown is active";
}

TEST_F(WindowProc, CloseAndQuitRequestsBecomeTheQuitMessage) {
    pushEvent(SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE, 0, 0, windowId() + 100);
    EXPECT_EQ(deliver().message, 0u) << "another window's close";
    for (bool quitEvent : {false, true}) {
        if (quitEvent)
            pushEvent(SDL_QUIT, 0);
        else
            pushEvent(SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE);
        const WindowMessage last = deliver();
        EXPECT_EQ(last.message, WM_QUIT);
        EXPECT_EQ(last.wParam, 0u);
    }
}

TEST(VirtualKeys, KeysMapToTheirWindowsCodes) {
    // Pairs of SDL keycode and virtual-key code. 0xE9 is a letter outside ASCII; SDL names
    // letter keys in lower case, so 'A' is no key.
    const int cases[] = {
        SDLK_a,       'A', SDLK_f,         'F', SDLK_z,         'Z', SDLK_0,        '0',
        SDLK_1,       '1', SDLK_9,         '9', SDLK_RETURN,    13,  SDLK_KP_ENTER, 13,
        SDLK_LSHIFT,  16,  SDLK_RSHIFT,    16,  SDLK_ESCAPE,    27,  SDLK_SPACE,    32,
        SDLK_LEFT,    37,  SDLK_UP,        38,  SDLK_RIGHT,     39,  SDLK_DOWN,     40,
        SDLK_KP_PLUS, 107, SDLK_KP_MINUS,  109, SDLK_F1,        112, SDLK_F12,      123,
        SDLK_F24,     135, SDLK_KP_0,      96,  SDLK_KP_9,      105, SDLK_LCTRL,    17,
        SDLK_LALT,    18,  SDLK_BACKSPACE, 8,   SDLK_TAB,       9,   SDLK_HOME,     36,
        SDLK_DELETE,  46,  SDLK_MINUS,     189, SDLK_SLASH,     191, SDLK_QUOTE,    222,
        SDLK_UNKNOWN, 0,   SDLK_MUTE,      0,   SDLK_AUDIOPLAY, 0,   0xE9,          0,
        'A',          0};
    for (size_t i = 0; i < std::size(cases); i += 2)
        EXPECT_EQ(virtualKeyCode(cases[i]), cases[i + 1]) << SDL_GetKeyName(cases[i]);
}
} // namespace
