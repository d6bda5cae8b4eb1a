// kernels_portable_body.h -- the portable kernels' loops, written once for SSE2 and x87 arithmetic
//
// Included by kernels_portable.cpp and kernels_portable_x87.cpp only; internal linkage keeps the
// copy built for SSE2 from standing in for the x87 one at link time.
#pragma once

#include <cstring>

#include "engine/escape_time.h"
#include "engine/portable_arithmetic.h"
#include "engine/tile_image.h"
#include "engine/viewer_state.h"

namespace {

// One kernel for all four: Julia iterates from the pixel point with the seed as constant and
// escapes beyond PortableJuliaEscapeBound; Mandelbrot iterates from c = the pixel point and
// escapes beyond EscapeBound. n counts the iterations. D is the arithmetic (portable_arithmetic.h).
template <class D, bool isJulia, bool isPalette>
void portableKernel(TileImage& tile, double x0, double dx, double y0, double dy) {
    using Real = typename D::Real;
    constexpr double bound = isJulia ? PortableJuliaEscapeBound : EscapeBound;
    const JuliaSeed seed = viewerState.juliaSeed;
    uint32_t count = viewerState.iterationCount;

    std::memset(tile.pixels, 0, sizeof tile.pixels);
    for (int i = 0; i < TileSide; ++i) {
        const Real pr = pixelPoint<D>(x0, i, dx);
        for (int j = 0; j < TileSide; ++j) {
            const Real pi = pixelPoint<D>(y0, j, dy);
            const Real cr = isJulia ? seed.re : pr;
            const Real ci = isJulia ? seed.im : pi;
            Real zr = pr, zi = pi, xx = D::mul(pr, pr), yy = D::mul(pi, pi);
            for (int n = 1; n <= int(IterationLimit); ++n) {
                const Real t = D::mul(zr, zi);
                zr = D::add(D::sub(xx, yy), cr);
                zi = D::sub(ci, D::mul(t, MinusTwo));
                ++count;
                yy = D::mul(zi, zi);
                xx = D::mul(zr, zr);
                const Real m = D::add(yy, xx);
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
