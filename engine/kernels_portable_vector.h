// kernels_portable_vector.h -- the portable kernels' arithmetic over whole SIMD registers of pixels
#pragma once

#include <cstdint>

#include "engine/processor_check.h"
#include "engine/tile_image.h"
#include "engine/viewer_state.h"

// One tile of method 0 (grey) or 3 (palette) of one kind: the portable kernel's arguments and
// the Julia seed it would read.
struct VectorTile {
    TileImage* tile;
    double x0, dx, y0, dy;
    FractalKind kind;
    bool palette;
    JuliaSeed seed;
};

// Writes columns first to end - 1 of the tile with the pixels the portable kernel writes there
// and returns the iterations it would count for them. Every lane performs the portable kernel's
// IEEE double operations in its order, so tiles and counts are the same bit for bit.
uint32_t portableVectorColumns(const VectorTile& job, int first, int end);

// 1 when the processor offers AVX2 and the system saves its registers (CPUID and XGETBV).
int32_t detectAvx2();

// The same decision over the answers of source.
int32_t detectAvx2(const CpuidSource& source);

// Doubles per register of the form in use: 4 (AVX2) where detectAvx2 reports 1, else 2 (SSE2).
int vectorLanes();

// Makes the SSE2 form run even where AVX2 exists (or gives back the processor's choice).
void forceSse2Form(bool sse2);
