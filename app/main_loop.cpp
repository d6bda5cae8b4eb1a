// main_loop.cpp -- viewerMain and the main loop
#include "app/main_loop.h"

#include "app/app_window.h"
#include "engine/viewer_state.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/termination.h"
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
// that Esc ends. Keys let go of before this pass have acted in it, and now go up.
PassOutcome idlePass() {
    if (viewerState.windowActive) runFrame();
    const bool done = KeyTable[VK_ESCAPE] != 0;
    if (!done) windowSystem->swapBuffers(viewerState.deviceContext);
    const bool switchFailed = KeyTable[VK_F1] && !switchScreenMode();
    keysRead();
    if (switchFailed) return SwitchFailed;
    return done ? Done : GoOn;
}

} // namespace

// A press and its release taken together would leave no trace in KeyTable: the release waits
// for a pass, which runs before the next message is taken. So every tap acts, however many
// come while a frame is busy. A minimised window draws nothing, so the loop sleeps until the next
// message instead of passing again and again.
int runMainLoop() {
    int exitCode = 0; // Esc ends with 0
    for (;;) {
        WindowMessage message;
        const bool taken = windowSystem->peekMessage(&message);
        if (taken) {
            if (message.message == WM_QUIT) {
                exitCode = int(message.wParam);
                break;
            }
            windowSystem->dispatchMessage(&message);
            if (!releaseWaiting()) continue;
        }
        const PassOutcome outcome = idlePass();
        // A failed start is a failure, unlike Esc and close; the creation released what it made.
        if (outcome == SwitchFailed) return 1;
        if (outcome == Done) break;
        if (!taken && !viewerState.windowActive) windowSystem->waitMessage();
    }
    destroyAppWindow();
    return exitCode;
}

int viewerMain() {
    viewerState.instanceHandle = windowSystem->currentInstance();
    if (showMessageBox("Cela obrazovka?", "Nastavenie obrazovky (pocas behu pomocou F1)",
                       IconQuestion, ButtonsYesNo) == AnswerNo)
        viewerState.fullScreen = 0;
    if (terminationRequested()) return 0; // the box went away unanswered: nothing to make
    if (!createAppWindow(AppTitle, AppWidth, AppHeight, AppBits, viewerState.fullScreen)) return 1;
    return runMainLoop();
}
