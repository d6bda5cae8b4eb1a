// keys.h -- SDL's keycodes mapped to the virtual-key codes of platform/keys.h
#pragma once

#include <cstdint>

#include "platform/keys.h"

// The virtual-key code of an SDL keycode, which names the key's character in the current
// keyboard layout; 0 for a key that has none.
uint8_t virtualKeyCode(int32_t keycode);

// Alt and F10, and any key pressed while Alt is held, reach the window as system keys.
bool isSystemKey(int32_t keycode, bool altHeld);
