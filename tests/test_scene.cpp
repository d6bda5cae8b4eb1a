// test_scene.cpp -- what a frame shows: the picture, the pointer cross, text in the bitmap font and
// the heads-up display, read back (text cell by cell against the glyph sheet) and compared
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/viewer_state.h"
#include "platform/interval_timer.h"
#include "tests/fake_platform.h"
#include "tests/support/golden.h"
#include "tests/support/temp_files.h"
#include "ui/bitmap_font.h"
#include "ui/bitmap_loader.h"
#include "ui/frame.h"
#include "ui/heads_up_display.h"
#include "ui/key_table.h"

namespace {

// Texel (i, j) of tile t is (i, j, 50 + 40 t): every pixel says where it came from.
unsigned texel(int t, int i, int j) {
    return unsigned(i) << 16 | unsigned(j) << 8 | unsigned(50 + 40 * t);
}

using Frame = FakePlatformTest;
using HeadsUpDisplay = FakePlatformTest;

// The white pixels of the 21 x 21 square centred on scene point (x, y), as a plain PBM.
std::string whiteAround(int x, int y) {
    std::string pbm = "P1\n21 21\n";
    for (int j = y + 10; j >= y - 10; --j) {
        for (int i = x - 10; i <= x + 10; ++i) pbm += readScenePixel(i, j) == 0xFFFFFF ? '1' : '0';
        pbm += '\n';
    }
    return pbm;
}

// Texel row 0 at the bottom of each quad, the quads meeting without gap or overlap; the cross
// follows the pointer in every frame, the tiles showing around it; the frame rate.
TEST_F(Frame, TilesPointerCrossAndFrameRate) {
    useTestGlContext();
    viewerState = {}; // no key is down and there is no font: the tiles and the cross alone
    glClearColor(0, 0, 0, 0);
    glGenTextures(4, viewerState.tileTextures);
    std::vector<unsigned char> pixels(256 * 256 * 3);
    for (int t = 0; t < 4; ++t) {
        for (int p = 0; p < 256 * 256 * 3; ++p)
            pixels[p] = uint8_t(texel(t, p / 3 % 256, p / 768) >> (16 - 8 * (p % 3)));
        glBindTexture(GL_TEXTURE_2D, viewerState.tileTextures[t]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, 3, 256, 256, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    }
    frameTimer.restart();
    fake.counter += 20'000'000; // 20 ms
    fake.pointerX = 700;
    fake.pointerY = 100; // scene row 499
    runFrame();
    EXPECT_FLOAT_EQ(viewerState.framesPerSecond, 50.0f);
    EXPECT_EQ(frameTimer.elapsedSeconds(), 0.0) << "restarted";
    EXPECT_EQ(viewerState.pointerPosition.x, 700);
    EXPECT_EQ(viewerState.pointerPosition.y, 100);
    for (int y : {0, 1, 128, 255, 256, 257, 400, 510, 511, 512})
        for (int x : {0, 1, 128, 255, 256, 257, 400, 510, 511, 512})
            EXPECT_EQ(readScenePixel(x, y),
                      x < 512 && y < 512 ? texel((y < 256) * 2 + (x > 255), x % 256, y % 256) : 0)
                << x << "," << y;
    const std::string cross = whiteAround(701, 499);
    expectGolden("ui/pointer_cross.pbm", cross);
    fake.pointerX = 100;
    fake.pointerY = 400; // over the lower-left tile, scene (101, 199)
    runFrame();
    EXPECT_EQ(whiteAround(101, 199), cross);
    EXPECT_EQ(whiteAround(701, 499).find('1', 9), std::string::npos) << "the old cross is gone";
    EXPECT_EQ(readScenePixel(101, 199 + 8), texel(2, 101, 207));
    EXPECT_EQ(readScenePixel(101 + 8, 199), texel(2, 109, 199));
}

// The font over the committed sheet, made once; null if it cannot be.
BitmapFont* testFont() {
    useTestGlContext();
    static BitmapFont* font = loadFontTexture() ? new BitmapFont(viewerState.fontTexture) : nullptr;
    return font;
}

// The 256 cells of "data/font.bmp" (256 x 256, light glyphs on black), each 16 x 16 pixels from
// the bottom-left as '#' (lit) and '.'.
const std::vector<std::string>& sheetCells() {
    static std::vector<std::string> cells(256);
    static RgbImage* sheet = loadBitmapImage("data/font.bmp");
    for (int p = 0; sheet && p < 256 * 256; ++p) { // pixel p % 256 of cell p / 256
        const int at = (15 - p / 4096) * 4096 + p % 256 / 16 * 256 + p / 256 % 16 * 16 + p % 16;
        cells[p / 256] += sheet->pixels[3 * at] ? '#' : '.';
    }
    freeRgbImage(sheet);
    sheet = nullptr;
    return cells;
}

// The scene, drawn over black, as text: each row of cells with anything drawn, then a letter for
// the colour of each character (upper case: set 1; glyphs alike in both sets read as set 0) and
// at the end the colours. '?' marks a cell that shows no glyph of the sheet.
std::string sceneText(int firstRow = 0, int lastRow = 36) {
    std::vector<unsigned char> rgb(800 * 600 * 3); // rows of 2400 bytes need no packing change
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    std::vector<int> colours; // in order of appearance, named a, b, ...
    char number[16];
    std::string out;
    for (int row = firstRow; row <= lastRow; ++row) {
        std::string text(72, ' '), marks(72, ' ');
        for (int column = 0; column < 72; ++column) {
            std::string lit; // as the sheet's cells are kept
            int colour = 0, k = 0;
            for (int p = 0; p < 256; ++p) {
                const unsigned char* c =
                    &rgb[((584 - 16 * row + p / 16) * 800 + 11 * column + p % 16) * 3];
                lit += p % 16 < 11 && (c[0] | c[1] | c[2]) ? '#' : '.';
                if (lit.back() == '#') colour = std::max(colour, c[0] << 16 | c[1] << 8 | c[2]);
            }
            while (k < 224 && (k % 128 >= 96 || sheetCells()[k] != lit)) ++k; // set 0 first
            text[column] = k < 224 ? char(32 + k % 128) : '?';
            if (!colour) continue;
            const size_t at = std::find(colours.begin(), colours.end(), colour) - colours.begin();
            if (at == colours.size()) colours.push_back(colour);
            marks[column] = char('a' + at - (k >= 128 && k < 224 ? 32 : 0));
        }
        text.erase(text.find_last_not_of(' ') + 1);
        marks.erase(marks.find_last_not_of(' ') + 1);
        std::snprintf(number, sizeof number, "%2d ", row);
        if (!text.empty()) out += number + text + "\n   " + marks + "\n";
    }
    out += "colours:";
    for (size_t i = 0; i < colours.size(); ++i) {
        std::snprintf(number, sizeof number, " %c=%06x", char('a' + i), colours[i]);
        out += number;
    }
    return out + "\n";
}

// The matrices, their stack depths, the matrix mode and blending, 16 numbers each.
std::vector<GLfloat> textState() {
    std::vector<GLfloat> state(96);
    const GLenum names[] = {
        GL_PROJECTION_MATRIX,     GL_MODELVIEW_MATRIX, GL_PROJECTION_STACK_DEPTH,
        GL_MODELVIEW_STACK_DEPTH, GL_MATRIX_MODE,      GL_BLEND};
    for (int i = 0; i < 6; ++i) glGetFloatv(names[i], &state[16 * i]);
    return state;
}

// Every code in both sets, each glyph within the 11-unit advance; odd sets, codes and places.
// Text mode pushes both matrices, with the same projection; endText pops them, leaves the
// model-view selected and blending off.
TEST(BitmapFontTest, EachCodeIsDrawnFromItsCell) {
    BitmapFont* font = testFont();
    ASSERT_NE(font, nullptr);
    glEnable(GL_TEXTURE_2D);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    std::string low, high; // the codes 32 to 79 and 80 to 126
    for (int c = 32; c < 127; ++c) (c < 80 ? low : high) += char(c);
    const struct {
        int column, row;
        std::string text;
        int set;
    } cases[] = {// clang-format off
        {0, 0, low, 0}, {3, 1, high, 0}, {0, 2, low, 1}, {3, 3, high, 1}, {0, 4, low, 2},
        {3, 5, high, 1000}, {1, 8, "A\001B", 0}, {20, 8, "A\001B", 1}, {2, 9, "\301\340x", 0},
        {20, 9, "\301\340x", 1}, {4, 10, "", 0}, {70, 10, "WXYZ", 0}, {73, 11, "W", 0},
        {0, -1, "W", 0}, {-2, 12, "WXYZ", 1}, {2000000000, -2000000000, "W", 0}};
    // clang-format on
    glTranslatef(5, 6, 0);
    glMatrixMode(GL_PROJECTION);
    std::vector<GLfloat> expected = textState();
    font->beginText();
    const std::vector<GLfloat> inside = textState();
    for (const auto& c : cases) font->print(c.column, c.row, c.text.c_str(), c.set);
    font->endText();
    expected[64] = GL_MODELVIEW;
    EXPECT_EQ(textState(), expected);
    expected[32] += 1;
    expected[48] += 1;
    expected[80] = 1;
    EXPECT_EQ(inside, expected);
    expectGolden("ui/font_codes.txt", sceneText());
}

// A missing glyph sheet is reported by the font, and no texture is made.
TEST(FontTexture, AMissingSheetIsReported) {
    useTestGlContext();
    viewerState = {};
    TempFolder folder;
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(folder.path(""));
    startFaking();
    EXPECT_EQ(loadFontTexture(), 0);
    stopFaking();
    std::filesystem::current_path(here);
    EXPECT_EQ(viewerState.fontTexture, 0u);
    EXPECT_EQ(logText(), "box data/font.bmp | Chyba načítania obrázka. | error OK");
}

// The display over this grey: the text over black, or which of the help band's corners and the
// points just outside them are black, the last one under the text "H - help".
std::string drawDisplay(float grey = 0) {
    glClearColor(grey, grey, grey, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    drawHeadsUpDisplay();
    if (grey == 0) return sceneText();
    std::string band = "band ";
    const int points[] = {80, 265, 799, 265, 799, 519, 80,  519, // the corners, then just outside
                          79, 265, 80,  264, 799, 264, 799, 520, 80, 520, 79, 519, 170, 264};
    for (int i = 0; i < 22; i += 2) band += readScenePixel(points[i], points[i + 1]) ? '0' : '1';
    return band;
}

// The help for 2.5 s after the start and while H is held; the method list; a pointer off the
// scene, extrapolated; a Julia set with colouring; numbers just past each count of digits, and
// too long for their fields.
TEST_F(HeadsUpDisplay, HelpMethodsStatisticsColouringAndKind) {
    viewerState = {.font = testFont(), // the initial view, no 3DNow!
                   .iterationCount = 1000,
                   .computeSeconds = 0.25f,
                   .pointerPosition = {256, 343}, // -0.25 + 0i in the initial view
                   .framesPerSecond = 12.0f};
    ASSERT_NE(viewerState.font, nullptr);
    std::fill(std::begin(KeyTable), std::end(KeyTable), 0);
    helpTimer.restart(); // at fake.counter 0, in nanoseconds
    expectGolden("ui/display_initial.txt", drawDisplay() + drawDisplay(0.5f) + "\n");
    fake.counter = 2'400'000'000;
    EXPECT_EQ(drawDisplay(0.5f), "band 11110000000");
    fake.counter = 2'600'000'000;
    EXPECT_EQ(drawDisplay(0.5f), "band 00000000000");
    KeyTable['H'] = 1;
    EXPECT_EQ(drawDisplay(0.5f), "band 11110000000");
    KeyTable['H'] = 0;
    std::string out;
    for (int method = 0; method < 12; ++method) {
        viewerState.has3DNow = method / 6;
        viewerState.method = ComputeMethod(method % 6);
        drawDisplay();
        out += "3DNow " + std::to_string(method / 6) + ", method " + std::to_string(method % 6) +
               ":\n" + sceneText(1, 3);
    }
    expectGolden("ui/display_methods.txt", out);
    viewerState.view = {0.3, 0.004, 0.1, 20.0};
    viewerState.pointerPosition = {-3, 700};
    viewerState.iterationCount = 20000000;
    viewerState.computeSeconds = 0.0456f;
    viewerState.framesPerSecond = 60.2409f;
    viewerState.has3DNow = 0;
    viewerState.method = GreyPortable;
    out = drawDisplay();
    viewerState.colourEnabled = 1;
    viewerState.method = PaletteX87;
    viewerState.kind = Julia;
    viewerState.juliaSeed = {-0.75, 0.1};
    viewerState.view = {-5e18, 20.0, 5e18, 2.5};
    viewerState.iterationCount = 4000000000u;
    viewerState.computeSeconds = 20000.0f;
    out += drawDisplay();
    // Numbers that would run into the next field or off the scene lose digits instead.
    viewerState.view = {-3.9812345678901234e150, -2.5e150, -0.12345678901234567, 1.5e-300};
    viewerState.juliaSeed = {-0.013362279843444291, 1.2345678901234567e-300};
    viewerState.pointerPosition = {0, 599};
    expectGolden("ui/display_statistics.txt", out + drawDisplay());
}

} // namespace
