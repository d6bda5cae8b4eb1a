// display_mode.cpp -- the full-screen display mode and the return to the one in the settings
#include "platform/win32/win32_window.h"

int win32ChangeDisplayMode(const DisplayMode* mode, uint32_t flags) {
    if (!mode) return ChangeDisplaySettingsA(nullptr, flags);
    DEVMODEA request = {};
    request.dmSize = sizeof request;
    request.dmPelsWidth = mode->width;
    request.dmPelsHeight = mode->height;
    request.dmBitsPerPel = mode->bitsPerPixel;
    request.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsA(&request, flags);
}
