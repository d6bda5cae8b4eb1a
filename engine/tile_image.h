// tile_image.h -- one 256x256 tile of the picture and the contract of the kernels that fill it
#pragma once

#include <cstdint>

constexpr int TileSide = 256;
constexpr int TileRowBytes = TileSide * 3;
constexpr int TileBytes = TileSide * TileRowBytes;

// Red, green, blue bytes; row 0 (smallest imaginary part) first, column 0 (smallest real part)
// first within a row. Pixel (i, j) starts at byte (256 * j + i) * 3.
struct TileImage {
    uint8_t pixels[TileBytes];
};

// Fills the tile whose column 0 lies at real part x0 and row 0 at imaginary part y0; dx and dy
// are the tile's width and height in the plane. Adds its iterations to iterationCount.
typedef void (*TileKernel)(TileImage& tile, double x0, double dx, double y0, double dy);
