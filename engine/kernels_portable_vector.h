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

// Writes columns first to end - 1 of rows bottom to top - 1 of the tile with the pixels the
// portable kernel writes there and returns the iterations it would count for them; bottom and top
// are multiples of 8. Every lane performs the portable kernel's IEEE double operations in its
// order, so tiles and counts are the same bit for bit.
uint32_t portableVectorPixels(const VectorTile& job, int first, int end, int bottom, int top);

// The same for whole columns.
inline uint32_t portableVectorColumns(const VectorTile& job, int first, int end) {
    return portableVectorPixels(job, first, end, 0, TileSide);
}

// The forms of the vectorised kernels, narrowest first; each needs the processor features of
// the one before it.
enum VectorForm { ScalarForm, Sse2Form, Avx2Form, Avx512Form, VectorFormCount };

// "x87", "SSE2", "AVX2" or "AVX-512".
const char* vectorFormName(VectorForm form);

// Doubles per register of the form: 1, 2, 4 or 8.
int vectorFormLanes(VectorForm form);

// 1 when the processor offers AVX2 and the system saves its registers (CPUID and XGETBV).
int32_t detectAvx2();
int32_t detectAvx2(const CpuidSource& source);

// 1 when it offers AVX-512F as well and the system saves the mask and upper ZMM registers too.
int32_t detectAvx512();
int32_t detectAvx512(const CpuidSource& source);

// The widest form this processor runs: the scalar one, on the x87, where it lacks SSE2.
VectorForm processorVectorForm();

// The form in use: the processor's, or a narrower one after limitVectorForm.
VectorForm vectorForm();

// Computes as on a processor whose widest form is widest (or the processor's, if narrower).
void limitVectorForm(VectorForm widest);

// The bare iteration on the form in use, with no escape bookkeeping and no memory traffic: every
// lane of chains independent chains in registers steps z <- z^2 + c and compares |z|^2 with the
// bound, with the portable kernels' operations, steps times. Returns the iterations performed.
// How many chains a processor needs to keep its units busy is found by trying these.
constexpr int BareChainCounts[] = {2, 4, 6, 8, 12};
uint64_t bareIterations(int chains, uint64_t steps);
