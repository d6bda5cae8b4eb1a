// test_bitmap_font.cpp -- the glyph sheet, its texture and text drawn with a real OpenGL context
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/viewer_state.h"
#include "platform/message_box.h"
#include "tests/support/gl_context.h"
#include "tests/support/temp_files.h"
#include "ui/bitmap_font.h"
#include "ui/bitmap_loader.h"

namespace {

constexpr int SceneWidth = 800, SceneHeight = 600;

struct Message {
    std::string text, caption;
    MessageIcon icon;
    MessageButtons buttons;
};
std::vector<Message> messages;

MessageAnswer recordMessage(const char* text, const char* caption, MessageIcon icon,
                            MessageButtons buttons) {
    messages.push_back({text, caption, icon, buttons});
    return AnswerOk;
}

// One channel of the scene, 800 x 600, bottom row first. The text is white, so red stands for
// all three.
typedef std::vector<uint8_t> Scene;

Scene readScene() {
    std::vector<uint8_t> rgb(SceneWidth * SceneHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, SceneWidth, SceneHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    Scene red(SceneWidth * SceneHeight);
    for (size_t i = 0; i < red.size(); ++i) {
        EXPECT_TRUE(rgb[3 * i] == rgb[3 * i + 1] && rgb[3 * i] == rgb[3 * i + 2]) << i;
        red[i] = rgb[3 * i];
    }
    return red;
}

// Cell k of the sheet laid into a scene as a glyph quad with its lower-left corner at (x, y),
// in the text mode's blending: bright texels replace the background, black ones keep it.
void paintCell(const RgbImage& sheet, int k, int x, int y, Scene* scene) {
    for (int j = 0; j < 16; ++j) {
        const int sheetRow = (15 - k / 16) * 16 + j; // counted from the bottom
        for (int i = 0; i < 16; ++i) {
            const int sx = x + i, sy = y + j;
            if (sx < 0 || sx >= SceneWidth || sy < 0 || sy >= SceneHeight) continue;
            const uint8_t texel = sheet.pixels[(size_t(sheetRow) * 256 + k % 16 * 16 + i) * 3];
            uint8_t& out = (*scene)[size_t(sy) * SceneWidth + sx];
            out = uint8_t(texel + out * (255 - texel) / 255);
        }
    }
}

// The cells, one per character, starting at the character cell (column, row).
Scene expectedScene(const RgbImage& sheet, const std::vector<int>& cells, int column, int row) {
    Scene scene(SceneWidth * SceneHeight, 0);
    for (size_t n = 0; n < cells.size(); ++n)
        paintCell(sheet, cells[n], 11 * (column + int(n)), 584 - 16 * row, &scene);
    return scene;
}

// Pixels where the scenes differ by more than one step of rounding.
int differences(const Scene& a, const Scene& b) {
    int count = 0;
    for (size_t i = 0; i < a.size(); ++i) count += (a[i] > b[i] ? a[i] - b[i] : b[i] - a[i]) > 1;
    return count;
}

int litPixels(const Scene& scene) {
    int count = 0;
    for (uint8_t value : scene) count += value > 0;
    return count;
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
        font = nullptr;
        glDeleteTextures(1, &viewerState.fontTexture);
        viewerState.fontTexture = 0;
        freeRgbImage(sheet);
        sheet = nullptr;
    }
    void SetUp() override {
        useTestGlContext();
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        glColor3f(1, 1, 1);
    }
    void TearDown() override { glDisable(GL_TEXTURE_2D); }

    // Draws one text in its own text mode and reads the scene back.
    Scene draw(int column, int row, const char* text, int set) {
        font->beginText();
        font->print(column, row, text, set);
        font->endText();
        return readScene();
    }

    static RgbImage* sheet;
    static BitmapFont* font;
};

RgbImage* BitmapFontTest::sheet = nullptr;
BitmapFont* BitmapFontTest::font = nullptr;

TEST_F(BitmapFontTest, TextLandsInItsCells) {
    const Scene drawn = draw(3, 2, "Ag", 0);
    EXPECT_GT(litPixels(drawn), 20);
    EXPECT_EQ(differences(drawn, expectedScene(*sheet, {'A' - 32, 'g' - 32}, 3, 2)), 0);
}

TEST_F(BitmapFontTest, SetOneComesFromTheLowerHalfOfTheSheet) {
    const Scene drawn = draw(60, 30, "Julia 0.25", 1);
    std::vector<int> cells;
    for (const char* p = "Julia 0.25"; *p; ++p) cells.push_back(128 + *p - 32);
    EXPECT_EQ(differences(drawn, expectedScene(*sheet, cells, 60, 30)), 0);
}

TEST_F(BitmapFontTest, TheTwoSetsDiffer) {
    const Scene set0 = draw(0, 0, "Mandelbrot", 0);
    glClear(GL_COLOR_BUFFER_BIT);
    const Scene set1 = draw(0, 0, "Mandelbrot", 1);
    EXPECT_GT(differences(set0, set1), 50);
    EXPECT_GT(litPixels(set0), litPixels(set1)); // set 0 is the bold one
}

TEST_F(BitmapFontTest, SetsAboveOneCountAsOne) {
    const Scene set1 = draw(5, 5, "x=1", 1);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(differences(draw(5, 5, "x=1", 2), set1), 0);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(differences(draw(5, 5, "x=1", 1000), set1), 0);
}

TEST_F(BitmapFontTest, EmptyTextDrawsNothingAndKeepsTheCellOrigin) {
    font->beginText();
    font->print(4, 3, "", 0);
    GLfloat modelView[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    font->endText();
    EXPECT_EQ(litPixels(readScene()), 0);
    EXPECT_EQ(modelView[12], 44.0f);
    EXPECT_EQ(modelView[13], 536.0f);
}

// Below 32, set 0 names no list: nothing is drawn and the pen does not move. Set 1 draws the
// blank cells 96 to 127 and moves on.
TEST_F(BitmapFontTest, CodesBelowThirtyTwo) {
    EXPECT_EQ(litPixels(draw(1, 1, "\x01\x1f", 0)), 0);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(differences(draw(1, 1,
                               "A\x01"
                               "B",
                               0),
                          expectedScene(*sheet, {'A' - 32, 'B' - 32}, 1, 1)),
              0);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(differences(draw(1, 1,
                               "A\x01"
                               "B",
                               1),
                          expectedScene(*sheet, {128 + 'A' - 32, 97, 128 + 'B' - 32}, 1, 1)),
              0);
}

// Bytes from 128 count as negative: nothing in set 0, set 0's glyphs from set 1.
TEST_F(BitmapFontTest, HighBytesCountAsNegative) {
    EXPECT_EQ(litPixels(draw(2, 2, "\xc1\xff", 0)), 0);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(differences(draw(2, 2, "\xc1", 1), expectedScene(*sheet, {'A' - 32}, 2, 2)), 0);
}

TEST_F(BitmapFontTest, TextOutsideTheSceneIsClipped) {
    EXPECT_EQ(litPixels(draw(73, 0, "W", 0)), 0);
    EXPECT_EQ(litPixels(draw(0, -1, "W", 0)), 0);
    EXPECT_EQ(litPixels(draw(2000000000, -2000000000, "W", 0)), 0);
}

TEST_F(BitmapFontTest, EndTextRestoresMatricesAndBlending) {
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(5, 6, 0);
    GLfloat projectionBefore[16], modelViewBefore[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projectionBefore);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelViewBefore);
    GLint projectionDepth, modelViewDepth;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projectionDepth);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelViewDepth);
    glMatrixMode(GL_PROJECTION);

    font->beginText();
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint source, destination, depth, mode;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE_MINUS_SRC_COLOR);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, projectionDepth + 1);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, modelViewDepth + 1);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    font->print(1, 1, "abc", 0);
    font->print(2, 7, "def", 1);
    font->endText();

    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLfloat projectionAfter[16], modelViewAfter[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projectionAfter);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelViewAfter);
    EXPECT_EQ(std::memcmp(projectionAfter, projectionBefore, sizeof projectionBefore), 0);
    EXPECT_EQ(std::memcmp(modelViewAfter, modelViewBefore, sizeof modelViewBefore), 0);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, projectionDepth);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, modelViewDepth);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(BitmapFontTest, ColouredTextOverABackgroundFollowsTheBlending) {
    glClearColor(0.0f, 0.0f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 0, 0);
    font->beginText();
    font->print(0, 0, "#", 0);
    font->endText();
    glColor3f(1, 1, 1);
    // Each channel: colour x texel + background x (1 - colour x texel).
    int red = 0, blue = 0;
    for (int y = 584; y < 600; ++y)
        for (int x = 0; x < 11; ++x) {
            const unsigned pixel = readScenePixel(x, y);
            red += pixel == 0xFF00FF;  // glyph: red added, blue kept
            blue += pixel == 0x0000FF; // between strokes: background only
        }
    EXPECT_GT(red, 10);
    EXPECT_GT(blue, 10);
    EXPECT_EQ(red + blue, 16 * 11);
}

class FontTextureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        useTestGlContext();
        messages.clear();
        setMessageBoxHook(recordMessage);
    }
    void TearDown() override {
        setMessageBoxHook(nullptr);
        if (viewerState.fontTexture) glDeleteTextures(1, &viewerState.fontTexture);
        viewerState.fontTexture = 0;
    }
};

TEST_F(FontTextureTest, TheSheetBecomesALinearRgbTexture) {
    ASSERT_EQ(loadFontTexture(), 1);
    EXPECT_NE(viewerState.fontTexture, 0u);
    EXPECT_TRUE(messages.empty());
    glBindTexture(GL_TEXTURE_2D, viewerState.fontTexture);
    GLint width, height, minFilter, magFilter;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    EXPECT_EQ(width, 256);
    EXPECT_EQ(height, 256);
    EXPECT_EQ(minFilter, GL_LINEAR);
    EXPECT_EQ(magFilter, GL_LINEAR);
}

// Runs loadFontTexture in a folder whose data/font.bmp holds bytes, or is missing for none.
int loadFontTextureIn(const TempFolder& folder, const std::vector<uint8_t>* bytes) {
    if (bytes) {
        EXPECT_EQ(mkdir(folder.path("data").c_str(), 0755), 0);
        folder.write("data/font.bmp", *bytes);
    }
    char* here = getcwd(nullptr, 0);
    EXPECT_EQ(chdir(folder.path("").c_str()), 0);
    const int result = loadFontTexture();
    EXPECT_EQ(chdir(here), 0);
    free(here);
    return result;
}

TEST_F(FontTextureTest, AMissingSheetIsReported) {
    TempFolder folder;
    EXPECT_EQ(loadFontTextureIn(folder, nullptr), 0);
    EXPECT_EQ(viewerState.fontTexture, 0u);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Chyba na\xe8\xedtania obr\xe1zka.");
    EXPECT_EQ(messages[0].caption, "data/font.bmp");
    EXPECT_EQ(messages[0].icon, IconError);
    EXPECT_EQ(messages[0].buttons, ButtonsOk);
}

TEST_F(FontTextureTest, AnUnreadableSheetIsReportedAfterTheLoadersMessage) {
    TempFolder folder;
    const std::vector<uint8_t> junk = {'B', 'M', 1, 2, 3};
    EXPECT_EQ(loadFontTextureIn(folder, &junk), 0);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].caption, "Error");
    EXPECT_EQ(messages[1].caption, "data/font.bmp");
}

// The committed sheet: both sets drawn in the left 11 pixels of their cells, everything else
// black.
TEST(GlyphSheet, BothSetsAreDrawnWithinTheAdvance) {
    RgbImage* sheet = loadBitmapImage("data/font.bmp");
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->width, 256);
    ASSERT_EQ(sheet->height, 256);
    for (int k = 0; k < 256; ++k) {
        const bool glyph = (k < 96 || (k >= 128 && k < 224)) && k % 128 != 0; // 0: blank
        int lit = 0, outside = 0;
        for (int j = 0; j < 16; ++j)
            for (int i = 0; i < 16; ++i) {
                const uint8_t* p =
                    sheet->pixels + (size_t((15 - k / 16) * 16 + j) * 256 + k % 16 * 16 + i) * 3;
                EXPECT_TRUE((p[0] == 0 || p[0] == 255) && p[1] == p[0] && p[2] == p[0]);
                lit += p[0] != 0;
                outside += p[0] != 0 && i >= 11;
            }
        if (glyph)
            EXPECT_GT(lit, 0) << "cell " << k;
        else
            EXPECT_EQ(lit, 0) << "cell " << k;
        EXPECT_EQ(outside, 0) << "cell " << k;
    }
    freeRgbImage(sheet);
}

} // namespace
