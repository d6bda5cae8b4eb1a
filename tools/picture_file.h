// picture_file.h -- the 512x512 picture from its four tiles, written as PPM or PNG
#pragma once

#include <cstdint>

#include "engine/tile_computation.h"

constexpr int PictureBytes = PictureSide * PictureSide * 3;

// Lays the tiles out as the screen shows them (TilePlaces), the picture's top row first. picture
// holds PictureBytes.
void assemblePicture(const TileImage (&tiles)[4], uint8_t* picture);

// Writes an RGB image, top row first, as binary PPM ("P6\nW H\n255\n") or PNG, chosen by the
// name's ending, in any case. Returns 1 on success, else 0 with a message in error. path is
// written as openReplacement tells: what a regular file held before is then left as it was.
int writeImage(const char* path, const uint8_t* pixels, int width, int height, char* error,
               int errorSize);

// The 512x512 picture through writeImage.
int writePicture(const char* path, const uint8_t* picture, char* error, int errorSize);

// 1 when the name ends in .ppm or .png, in any case.
int isPictureName(const char* path);
