// kernels.h -- the twelve escape-time kernels, all fulfilling the TileKernel contract
#pragma once

#include "engine/tile_image.h"

// Portable C++, IEEE double precision.
void mandelbrotGreyPortable(TileImage& tile, double x0, double dx, double y0, double dy);
void mandelbrotPalettePortable(TileImage& tile, double x0, double dx, double y0, double dy);
void juliaGreyPortable(TileImage& tile, double x0, double dx, double y0, double dy);
void juliaPalettePortable(TileImage& tile, double x0, double dx, double y0, double dy);

// The same four on the x87 unit, with the same IEEE double results, for processors without SSE2.
void mandelbrotGreyPortableOnX87(TileImage& tile, double x0, double dx, double y0, double dy);
void mandelbrotPalettePortableOnX87(TileImage& tile, double x0, double dx, double y0, double dy);
void juliaGreyPortableOnX87(TileImage& tile, double x0, double dx, double y0, double dy);
void juliaPalettePortableOnX87(TileImage& tile, double x0, double dx, double y0, double dy);

// x87, 64-bit significands.
void mandelbrotGreyX87(TileImage& tile, double x0, double dx, double y0, double dy);
void mandelbrotPaletteX87(TileImage& tile, double x0, double dx, double y0, double dy);
void juliaGreyX87(TileImage& tile, double x0, double dx, double y0, double dy);
void juliaPaletteX87(TileImage& tile, double x0, double dx, double y0, double dy);

// 3DNow!, single precision; only where detect3DNow reports 1.
void mandelbrotGrey3DNow(TileImage& tile, double x0, double dx, double y0, double dy);
void mandelbrotPalette3DNow(TileImage& tile, double x0, double dx, double y0, double dy);
void juliaGrey3DNow(TileImage& tile, double x0, double dx, double y0, double dy);
void juliaPalette3DNow(TileImage& tile, double x0, double dx, double y0, double dy);
