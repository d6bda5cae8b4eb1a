// app_window.h -- the window, display mode and rendering context of the scene, made and unmade
#pragma once

#include "platform/pointer.h"
#include "platform/window_system.h"

// The program's window: title, client size and colour depth, the same for every mode switch.
extern const char AppTitle[];
constexpr int AppWidth = SceneWidth;
constexpr int AppHeight = SceneHeight;
constexpr int AppBits = 16;

// The frame buffer that every rendering context of the program asks for; filled by the first
// createAppWindow with that call's colour depth, then kept.
extern PixelFormatRequest pixelFormatRequest;

// Registers the class, changes the display mode in full screen (asking whether to go on in a
// window when it cannot), makes the window, its pixel format and rendering context, sets the
// scene and starts it. 1 on success. On failure it has shown its message and released what it
// made, except the class when the user declined to go on in a window. Called by the entry at
// start and by the main loop after each switch of screen mode.
int createAppWindow(const char* title, int width, int height, int bits, bool fullScreen);

// Releases what createAppWindow and initScene made, in reverse order, only what exists, and
// goes on after a release that fails. Called before each switch of screen mode, at the end, and
// by createAppWindow when a step fails after the class is registered.
void destroyAppWindow();

// Viewport over the whole client area and the fixed 800x600 projection. No effect before the
// rendering context exists. Called by createAppWindow and by windowProc on WM_SIZE.
void resizeScene(int width, int height);
