// portable_arithmetic.h -- what the portable kernel's scalar and vectorised forms share: the
// pixel points, the form of zi and the colour of an escape
//
// Included by files compiled for different instruction sets; internal linkage keeps a copy
// compiled for a wider set from standing in for another at link time.
#pragma once

#include <cstdint>

#include "engine/escape_time.h"
#include "engine/palette_table.h"
#include "engine/tile_image.h"

namespace {

constexpr double PixelScale = -1.0 / TileSide;
// zi is formed as ci - t * MinusTwo, which is ci + 2t to the last bit.
constexpr double MinusTwo = -2.0;

// The pixel point of column i (or row j) of a tile starting at origin with the given extent.
inline double pixelPoint(double origin, int index, double extent) {
    return origin - (index * extent) * PixelScale;
}

// An escape at iteration n (1 to IterationLimit) into the pixel: palette entry
// FirstPaletteEntry - 1 + n, or grey FirstGrey - 1 + n.
inline void writeEscapeColour(uint8_t* pixel, bool palette, int n) {
    if (palette) {
        const PaletteEntry& entry = PaletteTable[FirstPaletteEntry - 1 + n];
        pixel[0] = entry.red;
        pixel[1] = entry.green;
        pixel[2] = entry.blue;
    } else {
        pixel[0] = pixel[1] = pixel[2] = uint8_t(FirstGrey - 1 + n);
    }
}

} // namespace
