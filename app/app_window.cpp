// app_window.cpp -- createAppWindow, destroyAppWindow and resizeScene
#include "app/app_window.h"

#include "app/scene.h"
#include "app/window_proc.h"
#include "engine/viewer_state.h"
#include "platform/gl.h"
#include "platform/message_box.h"
#include "ui/bitmap_font.h"
#include "ui/scene_projection.h"

const char AppTitle[] = "Zelvonia - Mandelbrotova a Juliova mnozina";

// Colour and depth bits stay 0 until the first createAppWindow fills them.
PixelFormatRequest pixelFormatRequest = {
    .flags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER,
    .colourBits = 0,
    .depthBits = 0,
};

namespace {

const char ClassName[] = "OpenGL";
bool firstCreation = true;

void reportCreationFailure(const char* text) {
    showMessageBox(text, "ERROR", IconExclamation, ButtonsOk);
}

// Once the window exists, everything goes before the message, so that in full screen the
// desktop's display mode is back when the user reads it.
int failAfterWindow(const char* text) {
    destroyAppWindow();
    reportCreationFailure(text);
    return 0;
}

void reportReleaseFailure(const char* text) {
    showMessageBox(text, "ERROR", IconInformation, ButtonsOk);
}

int registerAppClass() {
    const WindowClass windowClass = {CS_HREDRAW | CS_VREDRAW | CS_OWNDC, windowProc,
                                     viewerState.instanceHandle, ClassName};
    return windowSystem->registerClass(&windowClass);
}

const char* displayChangeMessage(int result) {
    switch (result) {
    case DISP_CHANGE_RESTART:
        return "The computer must be restarted in order for the graphics mode to work.";
    case DISP_CHANGE_BADFLAGS:
        return "An invalid set of flags was passed in.";
    case DISP_CHANGE_BADMODE:
        return "The graphics mode is not supported.";
    case DISP_CHANGE_FAILED:
        return "The display driver failed the specified graphics mode.";
    }
    return nullptr;
}

// 1 to go on, in full screen or, when the mode cannot be had and the user agrees, in a window;
// 0 when the user declines.
int changeToFullScreen(int width, int height, int bits) {
    const DisplayMode mode = {uint32_t(width), uint32_t(height), uint32_t(bits)};
    const int result = windowSystem->changeDisplayMode(&mode, CDS_FULLSCREEN);
    if (result == DISP_CHANGE_SUCCESSFUL) return 1;
    if (const char* text = displayChangeMessage(result))
        showMessageBox(text, "Chyba pri inicializacii grafickeho rezimu", IconError, ButtonsOk);
    if (showMessageBox("Chyba pri inicializacii grafickeho rezimu. Chcete pokracovat v okne?",
                       "Chyba", IconExclamation, ButtonsYesNo) == AnswerYes) {
        viewerState.fullScreen = 0;
        return 1;
    }
    showMessageBox("Program se uzavrie.", "ERROR", IconError, ButtonsOk);
    return 0;
}

void fillPixelFormatRequest(int bits) {
    pixelFormatRequest.colourBits = uint8_t(bits);
    pixelFormatRequest.depthBits = 16;
}

// Device context, pixel format, rendering context made current.
int makeRenderContext() {
    viewerState.deviceContext = windowSystem->getDeviceContext(viewerState.mainWindow);
    if (!viewerState.deviceContext) return failAfterWindow("Nejde vytvorit GL Device Context.");
    const int format =
        windowSystem->choosePixelFormat(viewerState.deviceContext, &pixelFormatRequest);
    if (format == 0) return failAfterWindow("Nejde n\xe1jst PixelFormat.");
    if (!windowSystem->setPixelFormat(viewerState.deviceContext, format, &pixelFormatRequest))
        return failAfterWindow("Nejde nastavit PixelFormat.");
    viewerState.renderContext = windowSystem->createRenderContext(viewerState.deviceContext);
    if (!viewerState.renderContext) return failAfterWindow("Nejde vytvorit GL Rendering Context.");
    if (!windowSystem->makeCurrent(viewerState.deviceContext, viewerState.renderContext))
        return failAfterWindow("Nejde aktivovat GL Rendering Context.");
    return 1;
}

void releaseRenderContext() {
    if (!windowSystem->makeCurrent(nullptr, nullptr)) reportReleaseFailure("DC a RC chyba.");
    if (!windowSystem->deleteRenderContext(viewerState.renderContext))
        reportReleaseFailure("Chyba: Delete Rendering Context.");
    viewerState.renderContext = nullptr; // its textures went with it
}

} // namespace

int createAppWindow(const char* title, int width, int height, int bits, bool fullScreen) {
    ClientRect rect = {0, 0, width, height};
    viewerState.fullScreen = fullScreen ? 1 : 0;
    if (!registerAppClass()) {
        reportCreationFailure("Chyba pri registracii triedy okna.");
        return 0;
    }
    if (viewerState.fullScreen && !changeToFullScreen(width, height, bits)) return 0;

    uint32_t style = WS_OVERLAPPEDWINDOW, exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    if (viewerState.fullScreen) {
        style = WS_POPUP;
        exStyle = WS_EX_APPWINDOW;
        windowSystem->showCursor(0);
    }
    windowSystem->adjustWindowRect(&rect, style, exStyle);
    viewerState.mainWindow = windowSystem->createWindow(
        exStyle, ClassName, title, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
        rect.right - rect.left, rect.bottom - rect.top, viewerState.instanceHandle);
    if (!viewerState.mainWindow) return failAfterWindow("Chyba pri tvorbe okna.");
    if (firstCreation) fillPixelFormatRequest(bits);
    firstCreation = false;
    if (!makeRenderContext()) return 0;

    windowSystem->showWindow(viewerState.mainWindow);
    windowSystem->setForegroundWindow(viewerState.mainWindow);
    windowSystem->setFocus(viewerState.mainWindow);
    if (viewerState.fullScreen) {
        resizeScene(width, height);
    } else {
        ClientRect client;
        windowSystem->getClientRect(viewerState.mainWindow, &client);
        resizeScene(client.right, client.bottom);
    }
    if (!initScene())
        return failAfterWindow("Chyba pri inicializ\xe1"
                               "cii.");
    return 1;
}

void destroyAppWindow() {
    if (viewerState.font) {
        delete viewerState.font; // deletes its display lists
        viewerState.font = nullptr;
    }
    windowSystem->showCursor(1);
    if (viewerState.fullScreen) windowSystem->changeDisplayMode(nullptr, 0);
    if (viewerState.renderContext) releaseRenderContext();
    if (viewerState.deviceContext) {
        if (!windowSystem->releaseDeviceContext(viewerState.mainWindow, viewerState.deviceContext))
            reportReleaseFailure("Chyba: Uvolnenia Device Context.");
        viewerState.deviceContext = nullptr;
    }
    if (viewerState.mainWindow) {
        if (!windowSystem->destroyWindow(viewerState.mainWindow))
            reportReleaseFailure("Chyba: hWnd.");
        viewerState.mainWindow = nullptr;
    }
    if (!windowSystem->unregisterClass(ClassName, viewerState.instanceHandle))
        reportReleaseFailure("Nejde odregistrovat okno.");
}

void resizeScene(int width, int height) {
    // Messages sent while the window is being made come before the context exists.
    if (!viewerState.renderContext) return;
    if (height == 0) height = 1;
    loadSceneProjection(width, height);
}
