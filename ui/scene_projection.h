// scene_projection.h -- the 800x600 scene's coordinates in OpenGL, whatever the window's size
#pragma once

// Multiplies the current matrix by the scene's orthographic projection: x from 0 to SceneWidth,
// y from 0 to SceneHeight, origin at the lower-left, near plane -1 and far plane 1.
void multiplySceneProjection();

// Viewport over width x height, the scene's projection alone on its stack, the model-view reset
// and left selected. Called by resizeScene, and by the tests' hidden context.
void loadSceneProjection(int width, int height);
