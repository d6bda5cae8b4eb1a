// scene_projection.cpp -- the scene's projection
#include "ui/scene_projection.h"

#include "platform/gl.h"
#include "platform/pointer.h"

void multiplySceneProjection() {
    glOrtho(0, SceneWidth, 0, SceneHeight, -1, 1);
}

void loadSceneProjection(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    multiplySceneProjection();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
