// window_proc.cpp -- the window procedure
#include "app/window_proc.h"

#include "app/app_window.h"
#include "engine/viewer_state.h"
#include "platform/keys.h"
#include "platform/window_system.h"
#include "ui/key_table.h"

intptr_t windowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
    case WM_ACTIVATE:
        // Losing the focus alone does not stop the frames; only minimising does.
        viewerState.windowActive = highWord(wParam) == 0 ? 1 : 0;
        return 0;
    case WM_SIZE:
        resizeScene(lowWord(uintptr_t(lParam)), highWord(uintptr_t(lParam)));
        return 0;
    case WM_CLOSE:
        windowSystem->postQuitMessage(0); // the window itself goes in destroyAppWindow
        return 0;
    case WM_KEYDOWN:
        KeyTable[wParam & 0xFF] = 1;
        return 0;
    case WM_KEYUP:
        KeyTable[wParam & 0xFF] = 0;
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        KeyTable[VK_LBUTTON] = message == WM_LBUTTONDOWN;
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        KeyTable[VK_RBUTTON] = message == WM_RBUTTONDOWN;
        return 0;
    }
    return windowSystem->defWindowProc(window, message, wParam, lParam);
}
