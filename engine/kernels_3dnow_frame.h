// kernels_3dnow_frame.h -- the single-precision values a 3DNow! kernel prepares once per call
#pragma once

#include "engine/escape_time.h"
#include "engine/packed_pair.h"
#include "engine/tile_image.h"
#include "engine/viewer_state.h"

// Pairs are (low, high) = (imaginary, real).
struct ThreeDNowFrame {
    float y0f;             // imaginary part of row 0
    PackedPair start;      // (0, x0f): added to a row's point once its real lane is cleared
    PackedPair columnStep; // (0, sx)
    PackedPair rowStep;    // (sy, 0)
    PackedPair bound;      // (4, 4)
    PackedPair zero;       // (0, 0)
    PackedPair juliaSeed;  // (im, re) of the seed, for the Julia kernels
};

// The origin and seed are rounded to single precision; the steps are divided in double precision
// first and rounded after, so that the rounding happens once. All before any packed instruction:
// the native kernels' registers share the x87 unit. Shared by the native and the layer kernels.
inline ThreeDNowFrame threeDNowFrame(double x0, double dx, double y0, double dy) {
    const float sx = float(dx / TileSide);
    const float sy = float(dy / TileSide);
    const JuliaSeed& seed = viewerState.juliaSeed;
    return {float(y0),
            {0.0f, float(x0)},
            {0.0f, sx},
            {sy, 0.0f},
            {float(EscapeBound), float(EscapeBound)},
            {0.0f, 0.0f},
            {float(seed.im), float(seed.re)}};
}
