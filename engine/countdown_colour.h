// countdown_colour.h -- the colour of a pixel from the countdown at its escape
#pragma once

#include <cstdint>

#include "engine/escape_time.h"
#include "engine/palette_table.h"

// n is the countdown when the point escaped, or 0 when it stayed (escape_time.h). Writes three
// bytes and returns the position after them. Used by the x87 kernels and the packed-pair layer; the
// native 3DNow! kernels do the same in assembly.
template <bool isPalette> inline uint8_t* writeCountdownColour(uint8_t* pixel, uint32_t n) {
    if (n == 0) {
        pixel[0] = pixel[1] = pixel[2] = 0;
    } else if (isPalette) {
        const PaletteEntry& entry = PaletteTable[LastPaletteEntry - n];
        pixel[0] = entry.red;
        pixel[1] = entry.green;
        pixel[2] = entry.blue;
    } else {
        pixel[0] = pixel[1] = pixel[2] = uint8_t(256 - n);
    }
    return pixel + 3;
}
