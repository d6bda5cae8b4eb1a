// bitmap_font.cpp -- the glyph sheet texture and BitmapFont
#include "ui/bitmap_font.h"

// Placeholder until the font is written: no sheet, no text.
int loadFontTexture() {
    return 1;
}
BitmapFont::BitmapFont(uint32_t texture) : listBase(0), glyphCounter(0), glyphTexture(texture) {}
BitmapFont::~BitmapFont() {}
void BitmapFont::beginText() {}
void BitmapFont::print(int32_t, int32_t, const char*, int32_t) {}
void BitmapFont::endText() {}
