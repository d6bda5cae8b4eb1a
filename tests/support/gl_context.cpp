// gl_context.cpp -- a hidden window with an OpenGL context for tests that draw
#include "tests/support/gl_context.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <gtest/gtest.h>

namespace {
SDL_Window* window = nullptr;
SDL_GLContext context = nullptr;
} // namespace

void useTestGlContext() {
    if (!context) {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
        window = SDL_CreateWindow("test", 0, 0, 800, 600, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        context = SDL_GL_CreateContext(window);
        ASSERT_NE(context, nullptr) << SDL_GetError();
    }
    SDL_GL_MakeCurrent(window, context);
    glViewport(0, 0, 800, 600);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 800, 0, 600, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

unsigned readScenePixel(int x, int y) {
    unsigned char rgb[3] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return unsigned(rgb[0]) << 16 | unsigned(rgb[1]) << 8 | rgb[2];
}
