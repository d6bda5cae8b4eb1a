// gl_context.h -- a hidden window with an OpenGL context for tests that draw
#pragma once

// Makes the context current on first use (SDL's offscreen driver needs no display) and sets
// the 800x600 scene: viewport, orthographic projection, identity model-view.
void useTestGlContext();

// Reads the scene's pixel (x, y), origin at the lower-left, as 0xRRGGBB.
unsigned readScenePixel(int x, int y);
