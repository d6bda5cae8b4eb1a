// window_proc.cpp -- the window procedure
#include "app/window_proc.h"

#include "app/app_window.h"
#include "engine/viewer_state.h"
#include "platform/keys.h"
#include "platform/window_system.h"
#include "ui/key_table.h"

intptr_t WINDOW_PROC_CALL windowProc(WindowHandle window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam) {
    switch (message) {
    case WM_ACTIVATE:
        // Losing the focus alone does not stop the frames; only minimising does.
        viewerState.windowActive = highWord(wParam) == 0 ? 1 : 0;
        return 0;
    case WM_SIZE:
        // Some systems tell of the minimising here alone, after a plain deactivation.
        viewerState.windowActive = wParam != SIZE_MINIMIZED;
        resizeScene(lowWord(uintptr_t(lParam)), highWord(uintptr_t(lParam)));
        return 0;
    case WM_CLOSE:
        windowSystem->postQuitMessage(0); // the window itself goes in destroyAppWindow
        return 0;
    case WM_KEYDOWN:
        pressKey(uint8_t(wParam));
        return 0;
    case WM_KEYUP:
        releaseKey(uint8_t(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        pressKey(message == WM_LBUTTONDOWN ? VK_LBUTTON : VK_RBUTTON);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        releaseKey(message == WM_LBUTTONUP ? VK_LBUTTON : VK_RBUTTON);
        return 0;
    // Releases made while another window has the pointer or the keyboard never reach this one:
    // what was down is let go, lest a held command go on for ever.
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<WindowHandle>(lParam) != window) releaseButtons();
        return 0;
    case WM_KILLFOCUS:
        releaseAllKeys();
        return 0;
    }
    return windowSystem->defWindowProc(window, message, wParam, lParam);
}
