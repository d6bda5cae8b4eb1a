// png_file.h -- pictures encoded as PNG by the system's own encoder, for the tools
#pragma once

#include <cstdint>
#include <cstdio>

// One PNG image being written, a few rows at a time, so that a picture of any size needs only
// the rows at hand.
struct PngStream;

// Why this system can write no PNG at all, in words for the user, or null when it can.
const char* pngUnavailable();

// Starts an image of width x height pixels of red, green and blue in the open file. Null when
// the encoder cannot start.
PngStream* startPng(FILE* file, int width, int height);

// Encodes the next count rows, top row first. 1, or 0 when the encoder or the file fails.
int writePngRows(PngStream* png, const uint8_t* rows, int count);

// Ends the image when complete is 1, and frees the stream. 1 when the whole image is in the file.
int endPng(PngStream* png, int complete);
