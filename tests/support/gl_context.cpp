// gl_context.cpp -- a hidden window with an OpenGL context for tests that draw
#include "tests/support/gl_context.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "platform/hidden_context.h"
#include "platform/pointer.h"
#include "ui/scene_projection.h"

void useTestGlContext() {
    ASSERT_EQ(makeHiddenContextCurrent(SceneWidth, SceneHeight), 1) << "no hidden OpenGL context";
    loadSceneProjection(SceneWidth, SceneHeight);
}

unsigned readScenePixel(int x, int y) {
    unsigned char rgb[3] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return unsigned(rgb[0]) << 16 | unsigned(rgb[1]) << 8 | rgb[2];
}
