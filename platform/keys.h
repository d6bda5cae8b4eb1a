// keys.h -- Windows virtual-key codes, the indexes of KeyTable
#pragma once

#include <cstdint>

// Letters and digits are their upper-case ASCII codes; those the program reads are named.
constexpr uint8_t VK_KEY_1 = '1';
constexpr uint8_t VK_KEY_F = 'F';
constexpr uint8_t VK_KEY_H = 'H';
constexpr uint8_t VK_KEY_J = 'J';
constexpr uint8_t VK_KEY_R = 'R';
constexpr uint8_t VK_KEY_U = 'U';
constexpr uint8_t VK_LBUTTON = 1;
constexpr uint8_t VK_RBUTTON = 2;
constexpr uint8_t VK_BACK = 8;
constexpr uint8_t VK_TAB = 9;
constexpr uint8_t VK_RETURN = 13;
constexpr uint8_t VK_SHIFT = 16;
constexpr uint8_t VK_CONTROL = 17;
constexpr uint8_t VK_MENU = 18; // Alt
constexpr uint8_t VK_PAUSE = 19;
constexpr uint8_t VK_CAPITAL = 20;
constexpr uint8_t VK_ESCAPE = 27;
constexpr uint8_t VK_SPACE = 32;
constexpr uint8_t VK_PRIOR = 33;
constexpr uint8_t VK_NEXT = 34;
constexpr uint8_t VK_END = 35;
constexpr uint8_t VK_HOME = 36;
constexpr uint8_t VK_LEFT = 37;
constexpr uint8_t VK_UP = 38;
constexpr uint8_t VK_RIGHT = 39;
constexpr uint8_t VK_DOWN = 40;
constexpr uint8_t VK_SNAPSHOT = 44;
constexpr uint8_t VK_INSERT = 45;
constexpr uint8_t VK_DELETE = 46;
constexpr uint8_t VK_LWIN = 91;
constexpr uint8_t VK_RWIN = 92;
constexpr uint8_t VK_APPS = 93;
constexpr uint8_t VK_NUMPAD0 = 96;
constexpr uint8_t VK_MULTIPLY = 106;
constexpr uint8_t VK_ADD = 107;
constexpr uint8_t VK_SUBTRACT = 109;
constexpr uint8_t VK_DECIMAL = 110;
constexpr uint8_t VK_DIVIDE = 111;
constexpr uint8_t VK_F1 = 112;
constexpr uint8_t VK_F10 = 121;
constexpr uint8_t VK_NUMLOCK = 144;
constexpr uint8_t VK_SCROLL = 145;
