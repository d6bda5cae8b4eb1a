// picture_file.h -- pictures laid out from their tiles and written as PPM or PNG
#pragma once

#include <cstdint>

#include "engine/tile_computation.h"

#include "platform/png_file.h"
#include "platform/replace_file.h"

// A picture file being written a band of rows at a time, so that a picture of any size needs
// only the band at hand: binary PPM ("P6\nW H\n255\n") or PNG, chosen by the name's ending, in
// any case. The file is written as openReplacement tells: a failure, or an end that is not
// complete, leaves what a regular file held before as it was.
struct PictureFile {
    const char* path;
    ReplacementFile replacement;
    PngStream* png; // null for PPM
    int width;
    bool failed;
};

// Opens path for an image of width x height pixels of red, green and blue. Returns 1, else 0
// with a message in error.
int startPictureFile(const char* path, int width, int height, PictureFile* picture, char* error,
                     int errorSize);

// The next count rows, top row first. Returns 0 once a write has failed.
int writePictureRows(PictureFile* picture, const uint8_t* rows, int count);

// Closes the file, and puts it in place when complete is 1 and every write succeeded. Returns 1
// when the whole picture is in place, else 0 with a message in error.
int finishPictureFile(PictureFile* picture, int complete, char* error, int errorSize);

// A whole image through a PictureFile.
int writeImage(const char* path, const uint8_t* pixels, int width, int height, char* error,
               int errorSize);

// Lays out a row of grid.columns tiles, from the left, as TileSide rows of the picture, top row
// first: band holds grid.columns * TileSide * TileSide * 3 bytes.
void assembleTileRow(const TileImage* tiles, int columns, uint8_t* band);

// 1 when the name ends in .ppm or .png, in any case.
int isPictureName(const char* path);
