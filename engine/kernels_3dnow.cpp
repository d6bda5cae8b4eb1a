// kernels_3dnow.cpp -- the escape-time kernels on the 3DNow! unit
#include "engine/kernels.h"

// Fallback until the 3DNow! kernels exist: the portable kernels of the same colouring.
void mandelbrotGrey3DNow(TileImage& t, double x0, double dx, double y0, double dy) {
    mandelbrotGreyPortable(t, x0, dx, y0, dy);
}
void mandelbrotPalette3DNow(TileImage& t, double x0, double dx, double y0, double dy) {
    mandelbrotPalettePortable(t, x0, dx, y0, dy);
}
void juliaGrey3DNow(TileImage& t, double x0, double dx, double y0, double dy) {
    juliaGreyPortable(t, x0, dx, y0, dy);
}
void juliaPalette3DNow(TileImage& t, double x0, double dx, double y0, double dy) {
    juliaPalettePortable(t, x0, dx, y0, dy);
}
