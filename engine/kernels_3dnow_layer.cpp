// kernels_3dnow_layer.cpp -- the 3DNow! kernels step for step over the packed-pair layer
//
// Twin of kernels_3dnow.cpp: each layer call below stands for the instruction of the same name
// there, in the same order, so that both forms give the same tiles and counts.
#include "engine/kernels_3dnow_layer.h"
#include "engine/countdown_colour.h"
#include "engine/escape_time.h"
#include "engine/kernels_3dnow_frame.h"

namespace {

// Iterates z <- z^2 + c from z = p, at most IterationLimit times, adding each iteration to count.
// Returns the countdown at the escape, or 0 when |z|^2 never exceeds the frame's bound.
//
// Unlike the native kernels, this one stops at a NaN iterate, which stays NaN and never escapes,
// and counts the iterations left at once. Its IEEE arithmetic makes NaN of a view at infinity; a
// 3DNow! unit knows no NaN and saturates, so the native kernels have nothing to stop at.
uint32_t escapeCountdown(PackedPair p, PackedPair c, const ThreeDNowFrame& frame, uint32_t& count) {
    PackedPair z = p;
    for (uint32_t n = IterationLimit; n != 0; --n) {
        const PackedPair s = pfmul(z, z);                          // (zi·zi, zr·zr)
        const PackedPair q = pfmul(punpckhdq(z, frame.zero), z);   // (zr·zi, 0)
        const PackedPair qq = punpckldq(q, q);                     // (zr·zi, zr·zi)
        const PackedPair a = punpckhdq(qq, s);                     // (zr·zi, zr·zr)
        const PackedPair b = punpckldq(qq, pfsubr(s, frame.zero)); // (zr·zi, -(zi·zi))
        z = pfadd(pfadd(a, b), c);
        const PackedPair zz = pfmul(z, z);
        const PackedPair m = pfacc(zz, zz); // zi·zi + zr·zr below
        ++count;
        // One comparison per step: the loop goes on while m <= 4, which fails for an escape and
        // for NaN alike; the two are told apart only then.
        if (!(m.low <= frame.bound.low)) {
            if (movd(pfcmpgt(m, frame.bound)) != 0) return n;
            count += n - 1;
            return 0;
        }
    }
    return 0;
}

// The point's real part is accumulated along a row and its imaginary part from row to row, one
// single-precision addition each.
template <bool isJulia, bool isPalette>
void layerKernel(TileImage& tile, double x0, double dx, double y0, double dy) {
    const ThreeDNowFrame frame = threeDNowFrame(x0, dx, y0, dy);
    uint32_t count = viewerState.iterationCount;
    uint8_t* pixel = tile.pixels;
    PackedPair p = movd(frame.y0f);
    for (int row = 0; row < TileSide; ++row) {
        p = pfadd(punpckldq(p, frame.zero), frame.start);
        for (int column = 0; column < TileSide; ++column) {
            const PackedPair c = isJulia ? frame.juliaSeed : p;
            pixel = writeCountdownColour<isPalette>(pixel, escapeCountdown(p, c, frame, count));
            p = pfadd(p, frame.columnStep);
        }
        p = pfadd(p, frame.rowStep);
    }
    viewerState.iterationCount = count;
}

} // namespace

void mandelbrotGrey3DNowLayer(TileImage& tile, double x0, double dx, double y0, double dy) {
    layerKernel<false, false>(tile, x0, dx, y0, dy);
}

void mandelbrotPalette3DNowLayer(TileImage& tile, double x0, double dx, double y0, double dy) {
    layerKernel<false, true>(tile, x0, dx, y0, dy);
}

void juliaGrey3DNowLayer(TileImage& tile, double x0, double dx, double y0, double dy) {
    layerKernel<true, false>(tile, x0, dx, y0, dy);
}

void juliaPalette3DNowLayer(TileImage& tile, double x0, double dx, double y0, double dy) {
    layerKernel<true, true>(tile, x0, dx, y0, dy);
}
