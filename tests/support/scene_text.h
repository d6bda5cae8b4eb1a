// scene_text.h -- the text of the 800x600 scene read back cell by cell against the glyph sheet
#pragma once

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "ui/bitmap_loader.h"

// The lit pixels of the 256 cells of "data/font.bmp" (256 x 256, light glyphs on black), each
// 16 x 16 from the bottom-left as a string of '#' and '.'; empty when the sheet cannot be read.
inline const std::vector<std::string>& sheetCells() {
    static std::vector<std::string> cells;
    RgbImage* sheet = cells.empty() ? loadBitmapImage("data/font.bmp") : nullptr;
    for (int k = 0; sheet && k < 256; ++k) {
        cells.emplace_back();
        for (int j = 0; j < 16; ++j)
            for (int i = 0; i < 16; ++i) {
                const size_t at = (size_t((15 - k / 16) * 16 + j) * 256 + k % 16 * 16 + i) * 3;
                cells.back() += sheet->pixels[at] ? '#' : '.';
            }
    }
    freeRgbImage(sheet);
    return cells;
}

// The scene, drawn over black, as text: for each row of 11 x 16 cells (row 0 at the top) with
// anything drawn, its number and characters, then a line with a letter for the colour of each
// character, upper case for glyph set 1, and at the end the colours' legend. '?' marks a cell
// that shows no glyph of the sheet. Glyphs alike in both sets read as set 0.
inline std::string sceneText(int firstRow = 0, int lastRow = 36, int firstColumn = 0) {
    std::vector<unsigned char> rgb(800 * 600 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    std::map<int, char> letters; // colour -> letter, in order of appearance
    std::string out, legend;
    for (int row = firstRow; row <= lastRow; ++row) {
        std::string text, colours;
        for (int column = firstColumn; column < 72; ++column) {
            std::string lit; // the cell's pixels, as the sheet's cells are kept
            int colour = 0;
            for (int j = 0; j < 16; ++j)
                for (int i = 0; i < 16; ++i) {
                    const unsigned char* p =
                        &rgb[((584 - 16 * row + j) * 800 + 11 * column + i) * 3];
                    const bool on = i < 11 && (p[0] || p[1] || p[2]);
                    lit += on ? '#' : '.';
                    if (on) colour = std::max(colour, p[0] << 16 | p[1] << 8 | p[2]);
                }
            char shown = '?';
            int set = 0;
            for (int k = int(sheetCells().size()) - 1; k >= 0; --k) // set 0 wins a tie
                if (k % 128 < 96 && sheetCells()[k] == lit)
                    shown = char(32 + k % 128), set = k / 128;
            if (!letters.count(colour) && shown != ' ') {
                letters[colour] = char('a' + letters.size());
                char entry[16];
                std::snprintf(entry, sizeof entry, " %c=%06x", letters[colour], colour);
                legend += entry;
            }
            text += shown;
            colours += shown == ' ' ? ' ' : char(letters[colour] - 32 * set);
        }
        text.erase(text.find_last_not_of(' ') + 1);
        colours.erase(colours.find_last_not_of(' ') + 1);
        if (text.empty()) continue;
        char number[8];
        std::snprintf(number, sizeof number, "%2d ", row);
        out += number + text + "\n   " + colours + "\n";
    }
    return out + "colours:" + legend + "\n";
}
