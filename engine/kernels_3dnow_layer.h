// kernels_3dnow_layer.h -- the 3DNow! kernels over the packed-pair layer, for any processor
#pragma once

#include "engine/tile_image.h"

// The same steps and results as the native 3DNow! kernels of kernels.h. The tools run them for
// methods 2 and 5 where detect3DNow reports 0; the viewer never does.
void mandelbrotGrey3DNowLayer(TileImage& tile, double x0, double dx, double y0, double dy);
void mandelbrotPalette3DNowLayer(TileImage& tile, double x0, double dx, double y0, double dy);
void juliaGrey3DNowLayer(TileImage& tile, double x0, double dx, double y0, double dy);
void juliaPalette3DNowLayer(TileImage& tile, double x0, double dx, double y0, double dy);
