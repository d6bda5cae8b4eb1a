// bitmap_font.h -- text in 11x16 character cells of the 800x600 scene, from a glyph sheet
#pragma once

#include <cstdint>

// Each glyph is GlyphHeight units square and the next one starts GlyphAdvance units to its
// right, so glyphs overlap. Cell (column, row) has its lower-left corner at
// (GlyphAdvance * column, SceneHeight - GlyphHeight * (row + 1)): row 0 is the top line.
constexpr int GlyphAdvance = 11;
constexpr int GlyphHeight = 16;

// Loads "data/font.bmp" into a new texture named in viewerState.fontTexture. On failure shows
// its message box and returns 0. Called first by initScene.
int loadFontTexture();

class BitmapFont {
  public:
    // Compiles the 256 glyph display lists over the sheet texture.
    explicit BitmapFont(uint32_t glyphTexture);
    // Deletes the display lists.
    ~BitmapFont();
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    // Blending on, sheet bound, projection and model-view saved; text mode until endText.
    void beginText();
    // Text at the character cell (column, row), row 0 at the top, in glyph set 0 or 1.
    void print(int32_t column, int32_t row, const char* text, int32_t set);
    // Restores both matrices, leaves the model-view selected, turns blending off.
    void endText();

  private:
    uint32_t listBase;
    uint32_t glyphCounter;
    uint32_t glyphTexture;
};
