// cursor.cpp -- the pointer's show counter and its place over the scene
#include "platform/pointer.h"
#include "platform/win32/win32_window.h"

int win32ShowCursor(int show) {
    return ShowCursor(show ? TRUE : FALSE);
}

// The screen position made relative to the client area and stretched onto the 800x600 scene,
// so that the pointer is right in a window and whatever the client area's size.
void win32ReadPointer(int32_t* x, int32_t* y) {
    POINT position = {0, 0};
    RECT client = {0, 0, 0, 0};
    HWND window = liveWindow();
    if (!window || !GetCursorPos(&position) || !ScreenToClient(window, &position) ||
        !GetClientRect(window, &client)) {
        *x = *y = 0;
        return;
    }
    scaleToScene(position.x, position.y, client.right, client.bottom, x, y);
}
