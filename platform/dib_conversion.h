// dib_conversion.h -- device-independent bitmap pixels of 1, 4, 8 and 24 bits made 24-bit
#pragma once

#include <cstddef>
#include <cstdint>

// The fields of a DIB header that describe its pixels.
struct DibDescription {
    int32_t width;
    int32_t height; // negative: rows stored top row first
    uint16_t bitsPerPixel;
    uint32_t compression;
};

constexpr uint32_t DibUncompressed = 0;

// One colour-table entry as the info header's table stores it.
struct DibColour {
    uint8_t blue, green, red, reserved;
};

// A 24-bit image, rows bottom row first, each row 3 x width bytes (blue, green, red) padded to
// a multiple of 4 bytes.
struct Dib24 {
    int32_t width;
    int32_t height;
    size_t rowBytes;
    uint8_t* bits;
};

// Bytes that the pixel rows of an image so described take, rows padded to 4 bytes. 0 when
// the conversion cannot take it: compressed, a depth other than 1, 4, 8 or 24, a width below 1,
// a height of 0 or one whose magnitude is no 32-bit signed number.
uint64_t dibPixelBytes(const DibDescription& description);

// A zero-filled target of width x height, width and height at least 1. Returns 0, with nothing
// allocated, when its size overflows or the memory cannot be had.
int createDib24(int32_t width, int32_t height, Dib24* target);
void destroyDib24(Dib24* target);

// Converts the rows of bits (available bytes) into target, which must have the source's width
// and |height|. A top-row-first source is turned over. Pixels of 1, 4 and 8 bits index the
// colour table, leftmost pixel in the most significant bits; an index past the table gives
// black. Returns the rows converted: all of them, or 0 when dibPixelBytes refuses the source,
// its rows do not all lie within available or the target does not match.
int convertDibRows(const DibDescription& source, const DibColour* colours, uint32_t colourCount,
                   const uint8_t* bits, size_t available, Dib24* target);
