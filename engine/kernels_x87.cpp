// kernels_x87.cpp -- the escape-time kernels on the x87 unit
#include "engine/kernels.h"

// Fallback until the x87 kernels exist: the portable kernels of the same colouring.
void mandelbrotGreyX87(TileImage& t, double x0, double dx, double y0, double dy) {
    mandelbrotGreyPortable(t, x0, dx, y0, dy);
}
void mandelbrotPaletteX87(TileImage& t, double x0, double dx, double y0, double dy) {
    mandelbrotPalettePortable(t, x0, dx, y0, dy);
}
void juliaGreyX87(TileImage& t, double x0, double dx, double y0, double dy) {
    juliaGreyPortable(t, x0, dx, y0, dy);
}
void juliaPaletteX87(TileImage& t, double x0, double dx, double y0, double dy) {
    juliaPalettePortable(t, x0, dx, y0, dy);
}
