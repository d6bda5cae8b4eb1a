// kernels_portable.cpp -- the escape-time kernels in plain IEEE double arithmetic
//
// Every operation below rounds to double on its own (the build forbids contraction into fused
// multiply-adds), in the order written, so the pictures are the same on every processor.
#include <cstring>

#include "engine/escape_time.h"
#include "engine/kernels.h"
#include "engine/portable_arithmetic.h"
#include "engine/viewer_state.h"

namespace {

// One kernel for all four: Julia iterates from the pixel point with the seed as constant and
// escapes beyond PortableJuliaEscapeBound; Mandelbrot iterates from c = the pixel point and
// escapes beyond EscapeBound. n counts the iterations.
template <bool isJulia, bool isPalette>
void portableKernel(TileImage& tile, double x0, double dx, double y0, double dy) {
    constexpr double bound = isJulia ? PortableJuliaEscapeBound : EscapeBound;
    const JuliaSeed seed = viewerState.juliaSeed;
    uint32_t count = viewerState.iterationCount;

    std::memset(tile.pixels, 0, sizeof tile.pixels);
    for (int i = 0; i < TileSide; ++i) {
        const double pr = pixelPoint(x0, i, dx);
        for (int j = 0; j < TileSide; ++j) {
            const double pi = pixelPoint(y0, j, dy);
            const double cr = isJulia ? seed.re : pr;
            const double ci = isJulia ? seed.im : pi;
            double zr = pr, zi = pi, xx = pr * pr, yy = pi * pi;
            for (int n = 1; n <= int(IterationLimit); ++n) {
                const double t = zr * zi;
                zr = (xx - yy) + cr;
                zi = ci - t * MinusTwo;
                ++count;
                yy = zi * zi;
                xx = zr * zr;
                const double m = yy + xx;
                // One comparison in the loop: it fails on an escape and on NaN. A NaN iterate
                // stays NaN and never escapes; its pixel stays black and the iterations left
                // count at once.
                if (!(m <= bound)) {
                    if (m > bound)
                        writeEscapeColour(tile.pixels + (TileSide * j + i) * 3, isPalette, n);
                    else
                        count += IterationLimit - n;
                    break;
                }
            }
        }
    }
    viewerState.iterationCount = count;
}

} // namespace

void mandelbrotGreyPortable(TileImage& tile, double x0, double dx, double y0, double dy) {
    portableKernel<false, false>(tile, x0, dx, y0, dy);
}

void mandelbrotPalettePortable(TileImage& tile, double x0, double dx, double y0, double dy) {
    portableKernel<false, true>(tile, x0, dx, y0, dy);
}

void juliaGreyPortable(TileImage& tile, double x0, double dx, double y0, double dy) {
    portableKernel<true, false>(tile, x0, dx, y0, dy);
}

void juliaPalettePortable(TileImage& tile, double x0, double dx, double y0, double dy) {
    portableKernel<true, true>(tile, x0, dx, y0, dy);
}
