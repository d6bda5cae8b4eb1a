// font_sample.cpp -- zelvonia-font-sample: texts printed through the viewer's font into the
// 800x600 scene, written to a picture file: both glyph sets for a person to look at, or the
// texts given, for comparing a text with the viewer's screen
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <vector>

#include "engine/viewer_state.h"
#include "platform/console_program.h"
#include "platform/gl.h"
#include "platform/hidden_context.h"
#include "platform/pointer.h"
#include "tools/picture_file.h"
#include "tools/standard_output.h"
#include "tools/tool_options.h"
#include "ui/bitmap_font.h"

namespace {

const char Usage[] =
    "usage: zelvonia-font-sample OUT.png|OUT.ppm [COLUMN ROW SET RED,GREEN,BLUE TEXT]...\n"
    "prints the texts (with none, both glyph sets) through the viewer's font into\n"
    "the 800x600 scene; run from the folder that holds data/font.bmp\n";

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

void drawLines(BitmapFont* font, const std::vector<Line>& lines) {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    font->beginText();
    for (const Line& line : lines) {
        glColor3f(line.red, line.green, line.blue);
        font->print(line.column, line.row, line.text, line.set);
    }
    font->endText();
}

// The whole scene, top row first.
void readScene(uint8_t* scene) {
    const size_t rowBytes = SceneWidth * 3;
    std::vector<uint8_t> rows(rowBytes * SceneHeight);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, SceneWidth, SceneHeight, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    for (int y = 0; y < SceneHeight; ++y)
        std::copy_n(rows.data() + (SceneHeight - 1 - y) * rowBytes, rowBytes, scene + y * rowBytes);
}

bool readInt(const char* text, int* value) {
    char* end;
    const long number = std::strtol(text, &end, 10);
    *value = int(number);
    return end != text && *end == '\0' && number >= -1000 && number <= 1000;
}

// Each text is given as COLUMN ROW SET RED,GREEN,BLUE TEXT.
bool parseLines(int count, char** args, std::vector<Line>* lines) {
    if (count % 5 != 0) return false;
    for (int i = 0; i < count; i += 5) {
        Line line;
        char rest;
        if (!readInt(args[i], &line.column) || !readInt(args[i + 1], &line.row) ||
            !readInt(args[i + 2], &line.set) ||
            std::sscanf(args[i + 3], "%f,%f,%f%c", &line.red, &line.green, &line.blue, &rest) != 3)
            return false;
        line.text = args[i + 4];
        lines->push_back(line);
    }
    return true;
}

int runTool(int argc, char** argv) {
    // Only the first argument can be an option: a column or row may be negative.
    if (argc > 1 && isOption(argv[1])) return answerOption("zelvonia-font-sample", Usage, argv[1]);
    std::vector<Line> lines;
    if (argc < 2 || !isPictureName(argv[1]) || !parseLines(argc - 2, argv + 2, &lines)) {
        std::fputs(Usage, stderr);
        return 2;
    }
    if (lines.empty()) lines.assign(std::begin(sampleLines), std::end(sampleLines));
    if (!makeHiddenContextCurrent(SceneWidth, SceneHeight)) {
        std::fprintf(stderr, "zelvonia-font-sample: no OpenGL context\n");
        return 1;
    }
    glViewport(0, 0, SceneWidth, SceneHeight);
    int result = 1;
    if (loadFontTexture()) {
        BitmapFont* font = new BitmapFont(viewerState.fontTexture);
        drawLines(font, lines);
        static uint8_t scene[SceneWidth * SceneHeight * 3];
        readScene(scene);
        delete font;
        char error[512];
        result = writeImage(argv[1], scene, SceneWidth, SceneHeight, error, sizeof error) ? 0 : 1;
        if (result) std::fprintf(stderr, "zelvonia-font-sample: %s\n", error);
    }
    return result;
}

} // namespace

int main(int argc, char** argv) {
    startConsoleProgram("zelvonia-font-sample", &argc, &argv);
    return finishStandardOutput("zelvonia-font-sample", runTool(argc, argv));
}
