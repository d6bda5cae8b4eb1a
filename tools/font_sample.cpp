// font_sample.cpp -- zelvonia-font-sample: both glyph sets of data/font.bmp as the viewer prints
// them, written to a picture file for a person to look at
#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "engine/viewer_state.h"
#include "tools/picture_file.h"
#include "ui/bitmap_font.h"

namespace {

// The picture is the upper-left 512 x 512 units of the 800 x 600 scene: 46 columns, 32 rows.
constexpr int SceneHeight = 600;

struct Line {
    int column, row, set;
    float red, green, blue;
    const char* text;
};

const Line sampleLines[] = {
    {0, 0, 0, 1, 1, 1, "Set 0:"},
    {0, 1, 0, 1, 1, 1, " !\"#$%&'()*+,-./0123456789:;<=>?"},
    {0, 2, 0, 1, 1, 1, "@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_"},
    {0, 3, 0, 1, 1, 1, "`abcdefghijklmnopqrstuvwxyz{|}~\x7f"},
    {0, 5, 1, 1, 1, 1, "Set 1:"},
    {0, 6, 1, 1, 1, 1, " !\"#$%&'()*+,-./0123456789:;<=>?"},
    {0, 7, 1, 1, 1, 1, "@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_"},
    {0, 8, 1, 1, 1, 1, "`abcdefghijklmnopqrstuvwxyz{|}~\x7f"},
    {0, 10, 0, 1, 1, 1, "Iteracii:"},
    {10, 10, 0, 1, 1, 1, "2621440"},
    {0, 11, 0, 1, 1, 1, "Cas:"},
    {5, 11, 0, 1, 1, 1, "4.56e-002"},
    {0, 12, 0, 1, 1, 1, "x:-1.25 dx:2. y:-1. dy:2."},
    {0, 14, 1, 1, 1, 1, "Sposob vypoctu (medzernik):"},
    {2, 15, 0, 1, 0, 0, "jazyk c"},
    {2, 16, 1, 1, 1, 1, "assembler s FPU"},
    {0, 17, 1, 0.7f, 1.0f, 0.6f, "(CPU nepodporuje) assembler s 3Dnow!"},
    {0, 19, 0, 1, 0.3f, 0, "far"},
    {3, 19, 0, 0, 1, 0.3f, "ben"},
    {6, 19, 0, 0.3f, 0, 1, "ie"},
    {10, 19, 0, 1, 1, 1, "Mandelbrot"},
    {0, 21, 0, 1, 0.5f, 0.5f, "H - help"},
    {0, 22, 1, 1, 1, 1, "1,2,3,4,5,6,7,8 - meni paletu"},
};

void drawSample(BitmapFont* font) {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    font->beginText();
    for (const Line& line : sampleLines) {
        glColor3f(line.red, line.green, line.blue);
        font->print(line.column, line.row, line.text, line.set);
    }
    font->endText();
}

// The top 512 rows of the scene's left 512 columns, top row first.
void readPicture(uint8_t* picture) {
    std::vector<uint8_t> rows(PictureBytes);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, SceneHeight - PictureSide, PictureSide, PictureSide, GL_RGB, GL_UNSIGNED_BYTE,
                 rows.data());
    const size_t rowBytes = PictureSide * 3;
    for (int y = 0; y < PictureSide; ++y)
        std::copy_n(rows.data() + (PictureSide - 1 - y) * rowBytes, rowBytes,
                    picture + y * rowBytes);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 || !isPictureName(argv[1])) {
        std::fprintf(stderr, "usage: zelvonia-font-sample OUT.png|OUT.ppm\n"
                             "run from the folder that holds data/font.bmp\n");
        return 2;
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "zelvonia-font-sample: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Window* window = SDL_CreateWindow("font sample", 0, 0, 800, SceneHeight,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context) {
        std::fprintf(stderr, "zelvonia-font-sample: %s\n", SDL_GetError());
        return 1;
    }
    glViewport(0, 0, 800, SceneHeight);
    int result = 1;
    if (loadFontTexture()) {
        BitmapFont* font = new BitmapFont(viewerState.fontTexture);
        drawSample(font);
        static uint8_t picture[PictureBytes];
        readPicture(picture);
        delete font;
        char error[512];
        result = writePicture(argv[1], picture, error, sizeof error) ? 0 : 1;
        if (result) std::fprintf(stderr, "zelvonia-font-sample: %s\n", error);
    }
    // The context and window die with the process: unloading the GL driver first would hide
    // its own allocations from the leak checker's suppressions.
    return result;
}
