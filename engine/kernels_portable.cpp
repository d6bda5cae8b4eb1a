// kernels_portable.cpp -- the escape-time kernels in plain IEEE double arithmetic, on SSE2
//
// Every operation rounds to double on its own (the build forbids contraction into fused
// multiply-adds), in the order written, so the pictures are the same on every processor. IA-32
// builds compile this file for SSE2 and run it only where the processor has it; elsewhere the
// same loops run on the x87 (kernels_portable_x87.cpp).
#include "engine/kernels.h"
#include "engine/kernels_portable_body.h"

void mandelbrotGreyPortable(TileImage& tile, double x0, double dx, double y0, double dy) {
    portableKernel<SseDoubles, false, false>(tile, x0, dx, y0, dy);
}

void mandelbrotPalettePortable(TileImage& tile, double x0, double dx, double y0, double dy) {
    portableKernel<SseDoubles, false, true>(tile, x0, dx, y0, dy);
}

void juliaGreyPortable(TileImage& tile, double x0, double dx, double y0, double dy) {
    portableKernel<SseDoubles, true, false>(tile, x0, dx, y0, dy);
}

void juliaPalettePortable(TileImage& tile, double x0, double dx, double y0, double dy) {
    portableKernel<SseDoubles, true, true>(tile, x0, dx, y0, dy);
}
