// pointer.h -- the 800x600 scene and the pointer's place in it
#pragma once

#include <cstdint>

// The scene is 800x600 whatever the client area's size, and is stretched over it.
constexpr int32_t SceneWidth = 800;
constexpr int32_t SceneHeight = 600;

// A client-area point (from the top-left corner, y downwards) in the scene's pixels, counted the
// same way: scaled when the client area is not 800x600, unchanged when it is. For the platforms
// whose pointer is read over the client area.
void scaleToScene(int32_t clientX, int32_t clientY, int32_t clientWidth, int32_t clientHeight,
                  int32_t* sceneX, int32_t* sceneY);

// The scene row, counted from the bottom, of a pointer row counted from the top.
inline int32_t sceneRowOfPointer(int32_t pointerY) {
    return SceneHeight - 1 - pointerY;
}
