// main_loop.cpp -- viewerMain and the main loop
#include "app/main_loop.h"

#include "app/app_window.h"
#include "engine/viewer_state.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "ui/frame.h"
#include "ui/key_table.h"

namespace {

enum PassOutcome { GoOn, Done, SwitchFailed };

// Switching tears the whole window down and makes it again in the other mode.
bool switchScreenMode() {
    KeyTable[VK_F1] = 0;
    destroyAppWindow();
    viewerState.fullScreen = !viewerState.fullScreen;
    return createAppWindow(AppTitle, AppWidth, AppHeight, AppBits, viewerState.fullScreen);
}

// The buffers are swapped even while no frame is drawn, and F1 is handled even in the pass
// that Esc ends.
PassOutcome idlePass() {
    if (viewerState.windowActive) runFrame();
    const bool done = KeyTable[VK_ESCAPE] != 0;
    if (!done) windowSystem->swapBuffers(viewerState.deviceContext);
    if (KeyTable[VK_F1] && !switchScreenMode()) return SwitchFailed;
    return done ? Done : GoOn;
}

} // namespace

int runMainLoop() {
    int exitCode = 0; // Esc ends with 0
    for (;;) {
        WindowMessage message;
        if (windowSystem->peekMessage(&message)) {
            if (message.message == WM_QUIT) {
                exitCode = int(message.wParam);
                break;
            }
            windowSystem->dispatchMessage(&message);
            continue;
        }
        const PassOutcome outcome = idlePass();
        // A failed start is a failure, unlike Esc and close; the creation released what it made.
        if (outcome == SwitchFailed) return 1;
        if (outcome == Done) break;
    }
    destroyAppWindow();
    return exitCode;
}

int viewerMain() {
    viewerState.instanceHandle = windowSystem->currentInstance();
    if (showMessageBox("Cela obrazovka?", "Nastavenie obrazovky (pocas behu pomocou F1)",
                       IconQuestion, ButtonsYesNo) == AnswerNo)
        viewerState.fullScreen = 0;
    if (!createAppWindow(AppTitle, AppWidth, AppHeight, AppBits, viewerState.fullScreen)) return 1;
    return runMainLoop();
}
