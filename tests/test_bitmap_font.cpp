// test_bitmap_font.cpp -- the glyph sheet, its texture and text drawn with a real OpenGL context
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/viewer_state.h"
#include "tests/support/gl_context.h"
#include "tests/support/message_recorder.h"
#include "tests/support/temp_files.h"
#include "ui/bitmap_font.h"
#include "ui/bitmap_loader.h"

namespace {

constexpr int SceneWidth = 800, SceneHeight = 600;

// The red channel of the scene, bottom row first; text and background are grey or white.
typedef std::vector<uint8_t> Scene;

Scene readScene() {
    std::vector<uint8_t> rgb(SceneWidth * SceneHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, SceneWidth, SceneHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    Scene red(SceneWidth * SceneHeight);
    for (size_t i = 0; i < red.size(); ++i) red[i] = rgb[3 * i];
    return red;
}

// Pixel (i, j) of cell k of the sheet, j counted from the bottom of the cell.
const uint8_t* sheetPixel(const RgbImage& sheet, int k, int i, int j) {
    return sheet.pixels + (size_t((15 - k / 16) * 16 + j) * 256 + k % 16 * 16 + i) * 3;
}

// Cell k of the sheet laid into a scene as a glyph quad with its lower-left corner at (x, y),
// blended as text mode does for white text: texel + background x (1 - texel).
void paintCell(const RgbImage& sheet, int k, int x, int y, Scene* scene) {
    for (int j = 0; j < 16; ++j)
        for (int i = 0; i < 16; ++i) {
            const int sx = x + i, sy = y + j;
            if (sx < 0 || sx >= SceneWidth || sy < 0 || sy >= SceneHeight) continue;
            const uint8_t texel = *sheetPixel(sheet, k, i, j);
            uint8_t& out = (*scene)[size_t(sy) * SceneWidth + sx];
            out = uint8_t(texel + out * (255 - texel) / 255);
        }
}

// Pixels where the scenes differ by more than one step of rounding.
int differences(const Scene& a, const Scene& b) {
    int count = 0;
    for (size_t i = 0; i < a.size(); ++i) count += std::abs(a[i] - b[i]) > 1;
    return count;
}

// Cells base + code - 32 for the codes of text.
std::vector<int> cells(const char* text, int base) {
    std::vector<int> out;
    for (const char* p = text; *p; ++p) out.push_back(base + *p - 32);
    return out;
}

class BitmapFontTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        useTestGlContext();
        sheet = loadBitmapImage("data/font.bmp");
        ASSERT_NE(sheet, nullptr);
        ASSERT_EQ(loadFontTexture(), 1);
        font = new BitmapFont(viewerState.fontTexture);
    }
    static void TearDownTestSuite() {
        delete font;
        glDeleteTextures(1, &viewerState.fontTexture);
        viewerState.fontTexture = 0;
        freeRgbImage(sheet);
    }
    void SetUp() override {
        useTestGlContext();
        glEnable(GL_TEXTURE_2D);
        glColor3f(1, 1, 1);
    }

    // Draws one text in its own text mode over a grey background, so that the blending shows.
    Scene draw(int column, int row, const char* text, int set, Scene* background = nullptr) {
        glClearColor(0.5f, 0.5f, 0.5f, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        if (background) *background = readScene();
        font->beginText();
        font->print(column, row, text, set);
        font->endText();
        return readScene();
    }

    static inline RgbImage* sheet = nullptr;
    static inline BitmapFont* font = nullptr;
};

// Sets above 1 count as 1. Below 32 set 0 names no list, so nothing is drawn and the pen stays;
// set 1 draws the blank cells 96 to 127. Bytes from 128 count as negative: nothing in set 0,
// set 0's glyphs in set 1. Text outside the scene is clipped.
TEST_F(BitmapFontTest, EachCodeIsDrawnFromItsCell) {
    struct Case {
        int column, row;
        const char* text;
        int set;
        std::vector<int> cells; // drawn one after the other from (column, row)
    };
    // clang-format off
    const Case cases[] = {
        {3, 2, "Ag", 0, cells("Ag", 0)}, {60, 30, "Julia 0.25", 1, cells("Julia 0.25", 128)},
        {5, 5, "x=1", 2, cells("x=1", 128)}, {5, 5, "x=1", 1000, cells("x=1", 128)},
        {4, 3, "", 0, {}}, {1, 1, "\001\037", 0, {}}, {1, 1, "A\001B", 0, cells("AB", 0)},
        {1, 1, "A\001B", 1, {161, 97, 162}}, {2, 2, "\301\377", 0, {}}, {2, 2, "\301", 1, {33}},
        {73, 0, "W", 0, {}}, {0, -1, "W", 0, {}}, {2000000000, -2000000000, "W", 0, {}}};
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << "\" in set " << c.set << " at "
                                        << c.column << ", " << c.row);
        Scene expected;
        const Scene drawn = draw(c.column, c.row, c.text, c.set, &expected);
        for (size_t n = 0; n < c.cells.size(); ++n)
            paintCell(*sheet, c.cells[n], 11 * (c.column + int(n)), 584 - 16 * c.row, &expected);
        EXPECT_EQ(differences(drawn, expected), 0);
    }
    // The two sets look different.
    EXPECT_GT(differences(draw(0, 0, "Mandelbrot", 0), draw(0, 0, "Mandelbrot", 1)), 50);
}

// The matrices, their stack depths, the matrix mode and the blending switch, in one list.
enum { Projection = 0, ModelView = 16, ProjectionDepth = 32, ModelViewDepth, Mode, Blend };
std::vector<GLfloat> textState() {
    std::vector<GLfloat> state(36);
    glGetFloatv(GL_PROJECTION_MATRIX, &state[Projection]);
    glGetFloatv(GL_MODELVIEW_MATRIX, &state[ModelView]);
    glGetFloatv(GL_PROJECTION_STACK_DEPTH, &state[ProjectionDepth]);
    glGetFloatv(GL_MODELVIEW_STACK_DEPTH, &state[ModelViewDepth]);
    glGetFloatv(GL_MATRIX_MODE, &state[Mode]);
    glGetFloatv(GL_BLEND, &state[Blend]);
    return state;
}

// Text mode keeps one extra matrix on each stack; print puts the model-view at its cell
// whatever was printed before, also for an empty text.
TEST_F(BitmapFontTest, EndTextRestoresMatricesAndBlending) {
    glDisable(GL_BLEND);
    glTranslatef(5, 6, 0);
    glMatrixMode(GL_PROJECTION);
    const std::vector<GLfloat> before = textState();
    font->beginText();
    const std::vector<GLfloat> inside = textState();
    font->print(1, 1, "abc", 0);
    font->print(4, 3, "", 1);
    const std::vector<GLfloat> printed = textState();
    font->endText();
    std::vector<GLfloat> expected = before;
    expected[Mode] = GL_MODELVIEW;
    EXPECT_EQ(textState(), expected); // blending off again
    expected[ProjectionDepth] += 1;
    expected[ModelViewDepth] += 1;
    expected[Blend] = 1;
    EXPECT_EQ(inside, expected); // the same projection, the caller's model-view, pushed
    EXPECT_EQ(printed[ModelView + 12], 44);
    EXPECT_EQ(printed[ModelView + 13], 536);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// Missing, the sheet is reported by the font alone; unreadable, after the loader's message.
TEST(FontTexture, AMissingOrUnreadableSheetIsReported) {
    useTestGlContext();
    const RecordedMessage missing = {"Chyba na\xe8\xedtania obr\xe1zka.", "data/font.bmp",
                                     IconError, ButtonsOk};
    for (bool present : {false, true}) {
        SCOPED_TRACE(present ? "unreadable" : "missing");
        TempFolder folder;
        if (present) {
            ASSERT_EQ(mkdir(folder.path("data").c_str(), 0755), 0);
            folder.write("data/font.bmp", {'B', 'M', 1, 2, 3});
        }
        MessageRecorder recorder;
        char* here = getcwd(nullptr, 0);
        ASSERT_EQ(chdir(folder.path("").c_str()), 0);
        EXPECT_EQ(loadFontTexture(), 0);
        ASSERT_EQ(chdir(here), 0);
        free(here);
        EXPECT_EQ(viewerState.fontTexture, 0u);
        ASSERT_EQ(recorder.messages.size(), present ? 2u : 1u);
        EXPECT_EQ(recorder.messages.back(), missing);
        EXPECT_EQ(recorder.messages.front().caption, present ? "Error" : "data/font.bmp");
    }
}

// The committed sheet: black and white only, both sets drawn in the left 11 pixels of their
// cells (the advance), cell 0 of each set and all others blank.
TEST_F(BitmapFontTest, BothSetsAreDrawnWithinTheAdvance) {
    ASSERT_EQ(sheet->width, 256);
    ASSERT_EQ(sheet->height, 256);
    for (int k = 0; k < 256; ++k) {
        int lit = 0, outside = 0;
        for (int j = 0; j < 16; ++j)
            for (int i = 0; i < 16; ++i) {
                const uint8_t* p = sheetPixel(*sheet, k, i, j);
                EXPECT_TRUE((p[0] == 0 || p[0] == 255) && p[1] == p[0] && p[2] == p[0]);
                lit += p[0] != 0;
                outside += p[0] != 0 && i >= 11;
            }
        EXPECT_EQ(lit > 0, k % 128 < 96 && k % 128 != 0) << "cell " << k;
        EXPECT_EQ(outside, 0) << "cell " << k;
    }
}

} // namespace
