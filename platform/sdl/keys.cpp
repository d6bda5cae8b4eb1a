// keys.cpp -- SDL keycodes to Windows virtual-key codes
#include "platform/sdl/keys.h"

#include <SDL.h>

namespace {

struct KeyPair {
    SDL_Keycode keycode;
    uint8_t virtualKey;
};

// Keys whose code is not their character. Punctuation follows the US layout's key codes.
const KeyPair namedKeys[] = {
    {SDLK_BACKSPACE, VK_BACK},
    {SDLK_TAB, VK_TAB},
    {SDLK_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, VK_RETURN},
    {SDLK_LSHIFT, VK_SHIFT},
    {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL},
    {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU},
    {SDLK_PAUSE, VK_PAUSE},
    {SDLK_CAPSLOCK, VK_CAPITAL},
    {SDLK_ESCAPE, VK_ESCAPE},
    {SDLK_SPACE, VK_SPACE},
    {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_END, VK_END},
    {SDLK_HOME, VK_HOME},
    {SDLK_LEFT, VK_LEFT},
    {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN},
    {SDLK_PRINTSCREEN, VK_SNAPSHOT},
    {SDLK_INSERT, VK_INSERT},
    {SDLK_DELETE, VK_DELETE},
    {SDLK_LGUI, VK_LWIN},
    {SDLK_RGUI, VK_RWIN},
    {SDLK_APPLICATION, VK_APPS},
    {SDLK_KP_MULTIPLY, VK_MULTIPLY},
    {SDLK_KP_PLUS, VK_ADD},
    {SDLK_KP_MINUS, VK_SUBTRACT},
    {SDLK_KP_PERIOD, VK_DECIMAL},
    {SDLK_KP_DIVIDE, VK_DIVIDE},
    {SDLK_NUMLOCKCLEAR, VK_NUMLOCK},
    {SDLK_SCROLLLOCK, VK_SCROLL},
    {SDLK_SEMICOLON, 186},
    {SDLK_EQUALS, 187},
    {SDLK_COMMA, 188},
    {SDLK_MINUS, 189},
    {SDLK_PERIOD, 190},
    {SDLK_SLASH, 191},
    {SDLK_BACKQUOTE, 192},
    {SDLK_LEFTBRACKET, 219},
    {SDLK_BACKSLASH, 220},
    {SDLK_RIGHTBRACKET, 221},
    {SDLK_QUOTE, 222},
};

// Runs of consecutive keycodes that map onto consecutive virtual-key codes.
struct KeyRun {
    SDL_Keycode first, last;
    uint8_t virtualKey;
};

const KeyRun keyRuns[] = {
    {SDLK_a, SDLK_z, 'A'},
    {SDLK_0, SDLK_9, '0'},
    {SDLK_KP_1, SDLK_KP_9, VK_NUMPAD0 + 1},
    {SDLK_KP_0, SDLK_KP_0, VK_NUMPAD0},
    {SDLK_F1, SDLK_F12, VK_F1},
    {SDLK_F13, SDLK_F24, VK_F1 + 12},
};

} // namespace

uint8_t virtualKeyCode(int32_t keycode) {
    for (const KeyRun& run : keyRuns)
        if (keycode >= run.first && keycode <= run.last)
            return uint8_t(run.virtualKey + (keycode - run.first));
    for (const KeyPair& pair : namedKeys)
        if (pair.keycode == keycode) return pair.virtualKey;
    return 0;
}

bool isSystemKey(int32_t keycode, bool altHeld) {
    return altHeld || keycode == SDLK_LALT || keycode == SDLK_RALT || keycode == SDLK_F10;
}
