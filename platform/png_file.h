// png_file.h -- pictures encoded as PNG by the system's own encoder, for the tools
#pragma once

#include <cstdint>
#include <cstdio>

// Writes width x height pixels of red, green and blue, top row first, as one PNG image into the
// open file. 1 on success, 0 when the encoder fails or the file cannot take the bytes.
int writePngFile(FILE* file, const uint8_t* pixels, int width, int height);
