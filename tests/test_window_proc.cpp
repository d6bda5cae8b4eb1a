// test_window_proc.cpp -- windowProc: KeyTable, windowActive, resizing and closing; and the
// keyboard's mapping to virtual-key codes
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>

#include <cstring>

#include "app/key_table.h"
#include "app/window_proc.h"
#include "engine/viewer_state.h"
#include "platform/keys.h"
#include "platform/messages.h"
#include "tests/support/gl_context.h"

namespace {

class WindowProc : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memset(KeyTable, 0, sizeof KeyTable);
        viewerState.windowActive = 1;
        discardMessages();
    }
    void TearDown() override {
        viewerState.renderContext = nullptr;
        discardMessages();
    }
    intptr_t send(uint32_t message, uintptr_t wParam, intptr_t lParam = 0) {
        return windowProc(nullptr, message, wParam, lParam);
    }
};

TEST_F(WindowProc, OnlyTheMinimisedStateStopsTheFrames) {
    struct Case {
        uint8_t before;
        uint16_t activation, minimised;
        uint8_t after;
    };
    const Case cases[] = {
        {0, WA_ACTIVE, 0, 1},   {1, WA_INACTIVE, 0, 1}, {0, WA_INACTIVE, 0, 1},
        {1, WA_INACTIVE, 1, 0}, {1, WA_ACTIVE, 1, 0},   {0, 2, 0, 1},
    };
    for (const Case& c : cases) {
        viewerState.windowActive = c.before;
        EXPECT_EQ(send(WM_ACTIVATE, makeLong(c.activation, c.minimised)), 0);
        EXPECT_EQ(viewerState.windowActive, c.after)
            << "activation " << c.activation << ", minimised " << c.minimised;
    }
}

TEST_F(WindowProc, EveryKeyIsEnteredWhileDown) {
    for (int key = 0; key < 256; ++key) {
        EXPECT_EQ(send(WM_KEYDOWN, key), 0);
        EXPECT_EQ(KeyTable[key], 1) << "key " << key;
        EXPECT_EQ(send(WM_KEYUP, key), 0);
        EXPECT_EQ(KeyTable[key], 0) << "key " << key;
    }
}

// A consumer clears a one-shot entry; the keyboard's repeat sets it again.
TEST_F(WindowProc, RepeatedKeyDownSetsAClearedEntryAgain) {
    send(WM_KEYDOWN, VK_F1);
    KeyTable[VK_F1] = 0;
    send(WM_KEYDOWN, VK_F1, 1 << 30);
    EXPECT_EQ(KeyTable[VK_F1], 1);
}

TEST_F(WindowProc, ButtonsUseTheirVirtualKeyEntries) {
    send(WM_LBUTTONDOWN, 0);
    EXPECT_EQ(KeyTable[VK_LBUTTON], 1);
    send(WM_RBUTTONDOWN, 0);
    EXPECT_EQ(KeyTable[VK_RBUTTON], 1);
    send(WM_LBUTTONUP, 0);
    EXPECT_EQ(KeyTable[VK_LBUTTON], 0);
    EXPECT_EQ(KeyTable[VK_RBUTTON], 1);
    send(WM_RBUTTONUP, 0);
    EXPECT_EQ(KeyTable[VK_RBUTTON], 0);
}

TEST_F(WindowProc, SystemKeysAndTheMiddleButtonAreNotEntered) {
    const uint32_t ignored[] = {WM_SYSKEYDOWN, WM_MBUTTONDOWN, 0x0200 /* pointer moved */};
    for (uint32_t message : ignored) {
        EXPECT_EQ(send(message, VK_MENU), 0);
        EXPECT_EQ(send(message, VK_F10), 0);
    }
    for (int key = 0; key < 256; ++key) EXPECT_EQ(KeyTable[key], 0) << "key " << key;
    KeyTable[VK_F10] = 1;
    send(WM_SYSKEYUP, VK_F10);
    EXPECT_EQ(KeyTable[VK_F10], 1);
}

TEST_F(WindowProc, CloseQueuesTheQuitMessage) {
    EXPECT_EQ(send(WM_CLOSE, 0), 0);
    WindowMessage message;
    ASSERT_EQ(peekMessage(&message), 1);
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(message.wParam, 0u);
}

TEST_F(WindowProc, SizeResizesTheSceneToTheClientArea) {
    useTestGlContext();
    int context;
    viewerState.renderContext = reinterpret_cast<RenderContext>(&context);
    send(WM_SIZE, SIZE_RESTORED, intptr_t(makeLong(1024, 0)));
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1024);
    EXPECT_EQ(viewport[3], 1) << "a client area of height 0 gets a viewport of height 1";
    send(WM_SIZE, SIZE_RESTORED, intptr_t(makeLong(640, 480)));
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
    useTestGlContext();
}

// ---- the keyboard's mapping

TEST(VirtualKeys, KeysMapToTheirWindowsCodes) {
    struct Case {
        SDL_Keycode keycode;
        int virtualKey;
    };
    const Case cases[] = {
        {SDLK_a, 'A'},
        {SDLK_f, 'F'},
        {SDLK_z, 'Z'},
        {SDLK_0, '0'},
        {SDLK_1, '1'},
        {SDLK_9, '9'},
        {SDLK_RETURN, 13},
        {SDLK_KP_ENTER, 13},
        {SDLK_LSHIFT, 16},
        {SDLK_RSHIFT, 16},
        {SDLK_ESCAPE, 27},
        {SDLK_SPACE, 32},
        {SDLK_LEFT, 37},
        {SDLK_UP, 38},
        {SDLK_RIGHT, 39},
        {SDLK_DOWN, 40},
        {SDLK_KP_PLUS, 107},
        {SDLK_KP_MINUS, 109},
        {SDLK_F1, 112},
        {SDLK_F2, 113},
        {SDLK_F12, 123},
        {SDLK_F13, 124},
        {SDLK_F24, 135},
        {SDLK_KP_0, 96},
        {SDLK_KP_1, 97},
        {SDLK_KP_9, 105},
        {SDLK_KP_MULTIPLY, 106},
        {SDLK_KP_PERIOD, 110},
        {SDLK_KP_DIVIDE, 111},
        {SDLK_LCTRL, 17},
        {SDLK_LALT, 18},
        {SDLK_BACKSPACE, 8},
        {SDLK_TAB, 9},
        {SDLK_HOME, 36},
        {SDLK_DELETE, 46},
        {SDLK_MINUS, 189},
        {SDLK_EQUALS, 187},
        {SDLK_SLASH, 191},
        {SDLK_QUOTE, 222},
        {SDLK_UNKNOWN, 0},
        {SDLK_MUTE, 0},
        {SDLK_AUDIOPLAY, 0},
        {0xE9, 0}, // a letter outside ASCII in the current layout
        {'A', 0},  // SDL names letter keys in lower case
    };
    for (const Case& c : cases)
        EXPECT_EQ(virtualKeyCode(c.keycode), c.virtualKey) << SDL_GetKeyName(c.keycode);
}

TEST(VirtualKeys, AltF10AndAltChordsAreSystemKeys) {
    EXPECT_TRUE(isSystemKey(SDLK_LALT, false));
    EXPECT_TRUE(isSystemKey(SDLK_RALT, false));
    EXPECT_TRUE(isSystemKey(SDLK_F10, false));
    EXPECT_TRUE(isSystemKey(SDLK_x, true));
    EXPECT_FALSE(isSystemKey(SDLK_x, false));
    EXPECT_FALSE(isSystemKey(SDLK_F1, false));
    EXPECT_FALSE(isSystemKey(SDLK_ESCAPE, false));
}

} // namespace
