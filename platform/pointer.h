// pointer.h -- where the pointer is over the scene
#pragma once

#include <cstdint>

// The scene is 800x600 whatever the client area's size, and is stretched over it.
constexpr int32_t SceneWidth = 800;
constexpr int32_t SceneHeight = 600;

// A client-area point (from the top-left corner, y downwards) in the scene's pixels, counted the
// same way: scaled when the client area is not 800x600, unchanged when it is.
void scaleToScene(int32_t clientX, int32_t clientY, int32_t clientWidth, int32_t clientHeight,
                  int32_t* sceneX, int32_t* sceneY);

// The pointer's last position over the program's window, in scene pixels from the client area's
// top-left corner, y downwards; (0, 0) while there is no window. Called by the frame.
void readPointer(int32_t* x, int32_t* y);
