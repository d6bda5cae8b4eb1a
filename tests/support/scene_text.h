// scene_text.h -- the tests' font, and the text of the 800x600 scene read back cell by cell
// against its glyph sheet
#pragma once

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "engine/viewer_state.h"
#include "tests/support/gl_context.h"
#include "ui/bitmap_font.h"
#include "ui/bitmap_loader.h"

// The font over the committed sheet, made once in the tests' OpenGL context; null if it cannot be.
inline BitmapFont* testFont() {
    useTestGlContext();
    static BitmapFont* font = loadFontTexture() ? new BitmapFont(viewerState.fontTexture) : nullptr;
    return font;
}

// The 256 cells of "data/font.bmp" (256 x 256, light glyphs on black), each 16 x 16 pixels from
// the bottom-left as '#' (lit) and '.'; none when the sheet cannot be read.
inline const std::vector<std::string>& sheetCells() {
    static std::vector<std::string> cells;
    RgbImage* sheet = cells.empty() ? loadBitmapImage("data/font.bmp") : nullptr;
    for (int k = 0; sheet && k < 256; ++k) {
        cells.emplace_back();
        for (int p = 0; p < 256; ++p) // row p / 16 of the cell, counted from its bottom
            cells.back() +=
                sheet->pixels[((15 - k / 16) * 4096 + p / 16 * 256 + k % 16 * 16 + p % 16) * 3]
                    ? '#'
                    : '.';
    }
    freeRgbImage(sheet);
    return cells;
}

// The scene, drawn over black, as text: each row of 11 x 16 cells (row 0 at the top) with
// anything drawn, then a line with a letter for the colour of each character, upper case for
// glyph set 1, and the colours' legend at the end. '?' marks a cell that shows no glyph of the
// sheet. Glyphs alike in both sets read as set 0.
inline std::string sceneText(int firstRow = 0, int lastRow = 36) {
    std::vector<unsigned char> rgb(800 * 600 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    std::map<int, char> letters; // by colour, in order of appearance
    char line[80];
    std::string out, legend = "colours:";
    for (int row = firstRow; row <= lastRow; ++row) {
        std::string text(72, ' '), colours(72, ' ');
        for (int column = 0; column < 72; ++column) {
            std::string lit; // as the sheet's cells are kept
            int colour = 0;
            for (int p = 0; p < 256; ++p) {
                const unsigned char* c =
                    &rgb[((584 - 16 * row + p / 16) * 800 + 11 * column + p % 16) * 3];
                lit += p % 16 < 11 && (c[0] | c[1] | c[2]) ? '#' : '.';
                if (lit.back() == '#') colour = std::max(colour, c[0] << 16 | c[1] << 8 | c[2]);
            }
            int set = 0;
            text[column] = '?';
            for (int k = int(sheetCells().size()) - 1; k >= 0; --k) // set 0 wins a tie
                if (k % 128 < 96 && sheetCells()[k] == lit)
                    text[column] = char(32 + k % 128), set = k / 128;
            if (lit.find('#') == std::string::npos) continue;
            if (!letters.count(colour)) {
                letters[colour] = char('a' + letters.size());
                std::snprintf(line, sizeof line, " %c=%06x", letters[colour], colour);
                legend += line;
            }
            colours[column] = char(letters[colour] - 32 * set);
        }
        text.erase(text.find_last_not_of(' ') + 1);
        colours.erase(colours.find_last_not_of(' ') + 1);
        std::snprintf(line, sizeof line, "%2d ", row);
        if (!text.empty()) out += line + text + "\n   " + colours + "\n";
    }
    return out + legend + "\n";
}
