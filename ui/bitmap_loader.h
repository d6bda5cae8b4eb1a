// bitmap_loader.h -- BMP files read into 24-bit RGB images for OpenGL textures
#pragma once

#include <cstddef>
#include <cstdint>

// The caller owns the record and its pixels; freeRgbImage releases both.
struct RgbImage {
    int32_t width;
    int32_t height;
    // width x height pixels of red, green, blue; rows packed, bottom row first.
    uint8_t* pixels;
};

// While on (from start), each failure of readBitmapFile shows a message box captioned "Error".
extern int reportLoaderErrors;

// Null for no name, and null without any message for a file that cannot be opened; otherwise
// loadBitmapImage(name). Called by loadFontTexture, which reports the missing file itself.
RgbImage* loadBitmapIfPresent(const char* name);

// readBitmapFile with a narrow name.
RgbImage* loadBitmapImage(const char* name);

// Reads a BMP file with or without its 14-byte file header, with a 12-byte core or a 40-byte
// info header, in 1, 4, 8 or 24 bits per pixel without compression. Null after a message on any
// failure. A picture stored top row first comes back bottom row first, with a positive height.
RgbImage* readBitmapFile(const char* name);

// readBitmapFile's work on a file already in memory; the fuzz target drives it over exactly
// sized blocks, where a read past the end is caught.
RgbImage* decodeBitmap(const uint8_t* file, size_t size);

// Entries of the colour table that follows a DIB header. header must hold the whole header when
// its size field says 12, else at least its first 36 bytes.
uint16_t dibColourCount(const uint8_t* header);

// Null is allowed.
void freeRgbImage(RgbImage* image);
