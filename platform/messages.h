// messages.h -- the window messages that the main loop takes and hands to the window procedure,
// with the Win32 numbers
#pragma once

#include <cstdint>

#include "platform/handles.h"

constexpr uint32_t WM_SIZE = 0x0005;
constexpr uint32_t WM_ACTIVATE = 0x0006;
constexpr uint32_t WM_KILLFOCUS = 0x0008; // wParam: the window that gets the keyboard, or none
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_SYSKEYUP = 0x0105;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;
constexpr uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr uint32_t WM_MBUTTONUP = 0x0208;
constexpr uint32_t WM_CAPTURECHANGED = 0x0215; // lParam: the window that takes the pointer

// WM_ACTIVATE: low word of wParam; the high word is non-zero while the window is minimised.
constexpr uint16_t WA_INACTIVE = 0;
constexpr uint16_t WA_ACTIVE = 1;
// WM_SIZE: wParam; lParam holds the client width (low word) and height (high word).
constexpr uintptr_t SIZE_RESTORED = 0;
constexpr uintptr_t SIZE_MINIMIZED = 1;

struct WindowMessage {
    WindowHandle window; // none for WM_QUIT
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};

inline uint16_t lowWord(uintptr_t value) {
    return uint16_t(value & 0xFFFF);
}
inline uint16_t highWord(uintptr_t value) {
    return uint16_t((value >> 16) & 0xFFFF);
}
inline uintptr_t makeLong(uint16_t low, uint16_t high) {
    return uintptr_t(low) | uintptr_t(high) << 16;
}
