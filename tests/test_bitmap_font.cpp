// test_bitmap_font.cpp -- the glyph sheet, its texture and text drawn with a real OpenGL context
#include <filesystem>
#include <string>
#include <vector>

#include "tests/fake_platform.h"
#include "tests/support/golden.h"
#include "tests/support/scene_text.h"
#include "tests/support/temp_files.h"

namespace {

// The matrices, their stack depths, the matrix mode and blending, 16 numbers each.
std::vector<GLfloat> textState() {
    std::vector<GLfloat> state(96);
    const GLenum names[] = {
        GL_PROJECTION_MATRIX,     GL_MODELVIEW_MATRIX, GL_PROJECTION_STACK_DEPTH,
        GL_MODELVIEW_STACK_DEPTH, GL_MATRIX_MODE,      GL_BLEND};
    for (int i = 0; i < 6; ++i) glGetFloatv(names[i], &state[16 * i]);
    return state;
}

// Every code in both sets, sets above 1 counting as 1; codes below 32 name no list in set 0
// and blank cells in set 1; bytes from 128 draw nothing in set 0 and set 0's glyphs in set 1;
// text beyond the scene is clipped away. Read back against the sheet, each glyph also shows
// that it lies within the 11 units of the advance. Text mode pushes the projection, loads the
// same 800 x 600 one and pushes the caller's model-view; endText pops both, leaves the
// model-view selected and blending off.
TEST(BitmapFontTest, EachCodeIsDrawnFromItsCell) {
    BitmapFont* font = testFont();
    ASSERT_NE(font, nullptr);
    glEnable(GL_TEXTURE_2D);
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

// A glyph sheet that is missing, or there but unreadable after the loader's own message, is
// reported by the font, and no texture is made.
TEST(FontTexture, AMissingOrUnreadableSheetIsReported) {
    useTestGlContext();
    viewerState = {};
    const std::string box = "box data/font.bmp: Chyba na\xe8\xedtania obr\xe1zka. (x, OK)";
    const std::filesystem::path here = std::filesystem::current_path();
    for (bool present : {false, true}) {
        TempFolder folder;
        std::filesystem::create_directory(folder.path("data"));
        if (present) folder.write("data/font.bmp", {'B', 'M', 1, 2, 3});
        std::filesystem::current_path(folder.path(""));
        startFaking();
        EXPECT_EQ(loadFontTexture(), 0);
        stopFaking();
        std::filesystem::current_path(here);
        EXPECT_EQ(viewerState.fontTexture, 0u);
        EXPECT_EQ(logText(), present ? "box Error: Unknown DIB file format. (-, OK); " + box : box);
    }
}

} // namespace
