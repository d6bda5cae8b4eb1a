// test_window_messages.cpp -- SDL's events as the window messages that the main loop takes
#include <gtest/gtest.h>

#include "platform/keys.h"
#include "tests/platform_window_fixture.h"

namespace {

class WindowMessages : public ::testing::Test {
  protected:
    void SetUp() override {
        window = makePlatformWindow();
        discardMessages();
        receivedMessages.clear();
    }
    void TearDown() override { destroyPlatformWindow(window); }

    Uint32 windowId() const { return SDL_GetWindowID(liveWindow()->surface); }

    void pushKey(Uint32 type, SDL_Keycode keycode, Uint16 modifiers = 0, Uint8 repeat = 0) {
        SDL_Event event = {};
        event.key.type = type;
        event.key.windowID = windowId();
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = repeat;
        event.key.keysym.sym = keycode;
        event.key.keysym.mod = modifiers;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    void pushButton(Uint32 type, Uint8 button, int x = 0, int y = 0) {
        SDL_Event event = {};
        event.button.type = type;
        event.button.windowID = windowId();
        event.button.button = button;
        event.button.x = x;
        event.button.y = y;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    void pushWindowEvent(Uint8 what, Uint32 id = 0) {
        SDL_Event event = {};
        event.window.type = SDL_WINDOWEVENT;
        event.window.windowID = id ? id : windowId();
        event.window.event = what;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    // Every message waiting now.
    std::vector<WindowMessage> takeAll() {
        std::vector<WindowMessage> messages;
        WindowMessage message;
        while (peekMessage(&message)) messages.push_back(message);
        return messages;
    }

    WindowHandle window = nullptr;
};

void expectMessage(const WindowMessage& actual, uint32_t message, uintptr_t wParam) {
    EXPECT_EQ(actual.message, message);
    EXPECT_EQ(actual.wParam, wParam);
}

TEST_F(WindowMessages, KeysArriveWithTheirVirtualKeyCodesRepeatsIncluded) {
    pushKey(SDL_KEYDOWN, SDLK_KP_PLUS);
    pushKey(SDL_KEYDOWN, SDLK_KP_PLUS, 0, 1);
    pushKey(SDL_KEYUP, SDLK_KP_PLUS);
    pushKey(SDL_KEYDOWN, SDLK_MUTE); // no virtual-key code: not delivered
    const std::vector<WindowMessage> messages = takeAll();
    ASSERT_EQ(messages.size(), 3u);
    expectMessage(messages[0], WM_KEYDOWN, VK_ADD);
    expectMessage(messages[1], WM_KEYDOWN, VK_ADD);
    EXPECT_NE(messages[1].lParam & (1 << 30), 0) << "a repeat says the key was down";
    expectMessage(messages[2], WM_KEYUP, VK_ADD);
    EXPECT_EQ(messages[0].window, window);
}

TEST_F(WindowMessages, AltF10AndAltChordsArriveAsSystemKeys) {
    pushKey(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT);
    pushKey(SDL_KEYDOWN, SDLK_r, KMOD_LALT);
    pushKey(SDL_KEYUP, SDLK_r, KMOD_LALT);
    pushKey(SDL_KEYDOWN, SDLK_F10);
    const std::vector<WindowMessage> messages = takeAll();
    ASSERT_EQ(messages.size(), 4u);
    expectMessage(messages[0], WM_SYSKEYDOWN, VK_MENU);
    expectMessage(messages[1], WM_SYSKEYDOWN, 'R');
    expectMessage(messages[2], WM_SYSKEYUP, 'R');
    expectMessage(messages[3], WM_SYSKEYDOWN, VK_F10);
}

TEST_F(WindowMessages, ButtonsArriveWithTheClientPosition) {
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20);
    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 11, 21);
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE);
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1);
    const std::vector<WindowMessage> messages = takeAll();
    ASSERT_EQ(messages.size(), 5u);
    expectMessage(messages[0], WM_LBUTTONDOWN, 0);
    EXPECT_EQ(messages[0].lParam, intptr_t(makeLong(10, 20)));
    expectMessage(messages[1], WM_LBUTTONUP, 0);
    expectMessage(messages[2], WM_RBUTTONDOWN, 0);
    expectMessage(messages[3], WM_RBUTTONUP, 0);
    expectMessage(messages[4], WM_MBUTTONDOWN, 0);
}

TEST_F(WindowMessages, MinimisingReportsAnEmptyClientAreaAndTheMinimisedState) {
    pushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    pushWindowEvent(SDL_WINDOWEVENT_RESTORED);
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    const std::vector<WindowMessage> messages = takeAll();
    ASSERT_EQ(messages.size(), 7u);
    expectMessage(messages[0], WM_SIZE, SIZE_MINIMIZED);
    EXPECT_EQ(messages[0].lParam, 0);
    expectMessage(messages[1], WM_ACTIVATE, makeLong(WA_INACTIVE, 1));
    expectMessage(messages[2], WM_ACTIVATE, makeLong(WA_INACTIVE, 1));
    expectMessage(messages[3], WM_ACTIVATE, makeLong(WA_ACTIVE, 1));
    expectMessage(messages[4], WM_SIZE, SIZE_RESTORED);
    EXPECT_EQ(messages[4].lParam, intptr_t(makeLong(800, 600)));
    expectMessage(messages[5], WM_ACTIVATE, makeLong(WA_ACTIVE, 0));
    expectMessage(messages[6], WM_ACTIVATE, makeLong(WA_INACTIVE, 0));
}

TEST_F(WindowMessages, ResizingReportsTheNewClientSize) {
    SDL_SetWindowSize(liveWindow()->surface, 640, 480);
    const std::vector<WindowMessage> messages = takeAll();
    ASSERT_EQ(messages.size(), 1u);
    expectMessage(messages[0], WM_SIZE, SIZE_RESTORED);
    EXPECT_EQ(messages[0].lParam, intptr_t(makeLong(640, 480)));
}

TEST_F(WindowMessages, ClosingTheWindowOrAQuitRequestArriveAsClose) {
    pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    const std::vector<WindowMessage> messages = takeAll();
    ASSERT_EQ(messages.size(), 2u);
    expectMessage(messages[0], WM_CLOSE, 0);
    expectMessage(messages[1], WM_CLOSE, 0);
}

TEST_F(WindowMessages, EventsOfAnotherWindowAreNotDelivered) {
    pushWindowEvent(SDL_WINDOWEVENT_MINIMIZED, windowId() + 100);
    pushWindowEvent(SDL_WINDOWEVENT_CLOSE, windowId() + 100);
    EXPECT_TRUE(takeAll().empty());
}

// SDL lets go of every held key when the window loses the keyboard; here a key stays down until
// its own release reaches the window.
TEST_F(WindowMessages, KeysLetGoOfAtAFocusLossStayDown) {
    pushKey(SDL_KEYUP, SDLK_LEFT);
    pushKey(SDL_KEYUP, SDLK_LSHIFT);
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    pushKey(SDL_KEYUP, SDLK_RIGHT); // a release of its own
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    const std::vector<WindowMessage> messages = takeAll();
    ASSERT_EQ(messages.size(), 3u);
    expectMessage(messages[0], WM_ACTIVATE, makeLong(WA_INACTIVE, 0));
    expectMessage(messages[1], WM_KEYUP, VK_RIGHT);
    expectMessage(messages[2], WM_LBUTTONDOWN, 0);
}

TEST_F(WindowMessages, PostedQuitComesFirstWithItsExitCode) {
    pushKey(SDL_KEYDOWN, SDLK_a);
    postQuitMessage(7);
    const std::vector<WindowMessage> messages = takeAll();
    ASSERT_EQ(messages.size(), 2u);
    expectMessage(messages[0], WM_QUIT, 7);
    EXPECT_EQ(messages[0].window, nullptr);
    expectMessage(messages[1], WM_KEYDOWN, 'A');
}

TEST_F(WindowMessages, DispatchHandsTheMessageToTheClassProcedure) {
    pushKey(SDL_KEYDOWN, SDLK_j);
    WindowMessage message;
    ASSERT_EQ(peekMessage(&message), 1);
    dispatchMessage(&message);
    ASSERT_EQ(receivedMessages.size(), 1u);
    expectMessage(receivedMessages[0], WM_KEYDOWN, 'J');
    EXPECT_EQ(receivedMessages[0].window, window);
}

// As window systems do, making the window tells its procedure the client size at once, and
// showing it tells it that it is active.
TEST(WindowCreation, ProcedureHearsTheSizeWhenMadeAndTheActivationWhenShown) {
    receivedMessages.clear();
    WindowHandle window = makePlatformWindow(640, 480);
    ASSERT_GE(receivedMessages.size(), 1u);
    expectMessage(receivedMessages[0], WM_SIZE, SIZE_RESTORED);
    EXPECT_EQ(receivedMessages[0].lParam, intptr_t(makeLong(640, 480)));
    receivedMessages.clear();
    showWindow(window);
    ASSERT_EQ(receivedMessages.size(), 1u);
    expectMessage(receivedMessages[0], WM_ACTIVATE, makeLong(WA_ACTIVE, 0));
    destroyPlatformWindow(window);
}

} // namespace
