// bitmap_font.cpp -- the glyph sheet texture and BitmapFont's display lists and text mode
#include "ui/bitmap_font.h"

#include <cstring>

#include "engine/viewer_state.h"
#include "platform/gl.h"
#include "platform/message_box.h"
#include "platform/pointer.h"
#include "ui/bitmap_loader.h"
#include "ui/scene_projection.h"

namespace {

const char FontSheetName[] = "data/font.bmp";

constexpr int GlyphCount = 256;
constexpr float CellSide = 0.0625f; // the sheet is 16 x 16 cells

void uploadSheet(const RgbImage& image) {
    glGenTextures(1, &viewerState.fontTexture);
    glBindTexture(GL_TEXTURE_2D, viewerState.fontTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // The image's rows are packed; only sheets whose width is a multiple of 4 would upload
    // right under OpenGL's default alignment.
    GLint alignment;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 image.pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

// Cell k of the sheet as a 16 x 16 quad; sheet rows are counted from the top (t = 1).
void compileGlyph(GLuint list, unsigned k) {
    const float s0 = float(k % 16) * CellSide;
    const float s1 = s0 + CellSide;
    const float t1 = 1.0f - float(k / 16) * CellSide;
    const float t0 = t1 - CellSide;
    glNewList(list, GL_COMPILE);
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t0);
    glVertex2f(0, 0);
    glTexCoord2f(s1, t0);
    glVertex2f(float(GlyphHeight), 0);
    glTexCoord2f(s1, t1);
    glVertex2f(float(GlyphHeight), float(GlyphHeight));
    glTexCoord2f(s0, t1);
    glVertex2f(0, float(GlyphHeight));
    glEnd();
    glTranslatef(float(GlyphAdvance), 0, 0);
    glEndList();
}

} // namespace

int loadFontTexture() {
    int result = 1;
    RgbImage* image = loadBitmapIfPresent(FontSheetName);
    if (image) {
        uploadSheet(*image);
    } else {
        showMessageBox("Chyba na\xe8\xedtania obr\xe1zka.", FontSheetName, IconError, ButtonsOk);
        result = 0;
    }
    freeRgbImage(image);
    return result;
}

BitmapFont::BitmapFont(uint32_t texture) : listBase(0), glyphCounter(0), glyphTexture(texture) {
    listBase = glGenLists(GlyphCount);
    glBindTexture(GL_TEXTURE_2D, glyphTexture);
    for (glyphCounter = 0; glyphCounter < GlyphCount; ++glyphCounter)
        compileGlyph(listBase + glyphCounter, glyphCounter);
}

BitmapFont::~BitmapFont() {
    glDeleteLists(listBase, GlyphCount);
}

void BitmapFont::beginText() {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_COLOR);
    glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, glyphTexture);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    multiplySceneProjection();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
}

void BitmapFont::print(int32_t column, int32_t row, const char* text, int32_t set) {
    if (set > 1) set = 1;
    glLoadIdentity();
    // In 64 bits so that no column or row overflows; far ones are merely clipped away.
    glTranslatef(float(GlyphAdvance * int64_t(column)),
                 float(SceneHeight - GlyphHeight * (int64_t(row) + 1)), 0);
    // Codes below 32 in set 0 name no list and draw nothing; bytes from 128 count as negative,
    // so in set 1 they reach back into set 0.
    glListBase(listBase - 32 + 128 * uint32_t(set));
    glCallLists(GLsizei(std::strlen(text)), GL_BYTE, text);
}

void BitmapFont::endText() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glDisable(GL_BLEND);
}
