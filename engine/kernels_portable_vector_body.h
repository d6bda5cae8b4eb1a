// kernels_portable_vector_body.h -- the vectorised iteration, written once for every form
//
// Included by the files of the forms only. Everything here has internal linkage, so that no
// function compiled for a wider form can stand in for its narrower twin at link time.
#pragma once

#include <cmath>
#include <cstdint>

#include "engine/escape_time.h"
#include "engine/kernels_portable_vector.h"
#include "engine/portable_arithmetic.h"

// The forms with SIMD registers, each in the one file compiled for its instructions.
uint32_t portableVectorPixelsSse2(const VectorTile& job, int first, int end, int bottom, int top);
uint64_t bareIterationsSse2(int chains, uint64_t steps);
uint32_t portableVectorPixelsAvx2(const VectorTile& job, int first, int end, int bottom, int top);
uint64_t bareIterationsAvx2(int chains, uint64_t steps);
uint32_t portableVectorPixelsAvx512(const VectorTile& job, int first, int end, int bottom, int top);
uint64_t bareIterationsAvx512(int chains, uint64_t steps);

namespace {

// The real part of each column's points and the imaginary part of each row's, exactly as the
// portable kernel forms them, for columns from on and for rows of the tile.
struct Points {
    double re[TileSide], im[TileSide];
};

void formPoints(Points& p, const VectorTile& job, int from, int end, int bottom, int top) {
    for (int i = from; i < end; ++i)
        p.re[i - from] = pixelPoint<CompiledDoubles>(job.x0, i, job.dx);
    for (int j = bottom; j < top; ++j) p.im[j] = pixelPoint<CompiledDoubles>(job.y0, j, job.dy);
}

// Below this, a number's square is far from overflowing: a first iteration from points and seed
// below it makes no NaN (an infinity at most, which escapes).
constexpr double CalmMagnitude = 0x1p500;

// The pixels that go through the iteration together: V::Chains columns of V::Lanes rows, one
// register a column. Independent chains hide the latency of one iteration (a multiply and two
// additions); a square block wastes few iterations on pixels that have escaped while their
// neighbours go on. Everything stays in registers: z alone is carried from one iteration to the
// next (its squares are formed at the top of each, then serve the test and the next iterate, the
// same operations as the portable kernel's), each lane counts the iterations it survives, and the
// lanes still iterating are a mask.
//
// A NaN iterate stays NaN and never escapes; it can only arise in the first iteration, since after
// that the iterate is finite with |z|^2 within the bound, and so is z^2 + c. Where it may arise
// (mayTurnNaN), pixels that are NaN then stop at once, so that a view at infinity does not run
// every block to the end; they count as the pixels that stayed, black with 100 iterations.
// Iterations between two looks at whether any lane still iterates: each look costs as much as
// a few steps of one register, and a block goes on at most this many steps too long.
constexpr uint32_t StepsPerLook = 4;
static_assert(IterationLimit % StepsPerLook == 0, "the last look falls on the last iteration");

template <class V, bool isJulia, bool mayTurnNaN>
void iterateBlock(const Points& p, int column, int row, const JuliaSeed& seed,
                  int64_t (&survived)[V::Chains][V::Lanes]) {
    constexpr int chains = V::Chains;
    typename V::Real zr[chains], zi[chains], cr[chains];
    typename V::Mask alive[chains];
    typename V::Count count[chains];
    const auto pointI = V::load(p.im + row);
    const auto ci = isJulia ? V::set(seed.im) : pointI;
    const auto bound = V::set(isJulia ? PortableJuliaEscapeBound : EscapeBound);
    const auto minusTwo = V::set(MinusTwo);
    // The next iterate from z and its squares.
    auto advance = [&](int k, typename V::Real xx, typename V::Real yy) {
        const auto t = V::mul(zr[k], zi[k]);
        zr[k] = V::add(V::sub(xx, yy), cr[k]);
        zi[k] = V::sub(ci, V::mul(t, minusTwo));
    };
    for (int k = 0; k < chains; ++k) {
        zr[k] = V::set(p.re[column + k]);
        zi[k] = pointI;
        cr[k] = isJulia ? V::set(seed.re) : zr[k];
        alive[k] = V::all();
        count[k] = V::zero();
        advance(k, V::mul(zr[k], zr[k]), V::mul(pointI, pointI)); // iteration 1
    }
    for (uint32_t n = 1;; n += StepsPerLook) {
        for (uint32_t step = 0; step < StepsPerLook; ++step)
            for (int k = 0; k < chains; ++k) { // the test of iterate n + step, then the next one
                const auto xx = V::mul(zr[k], zr[k]), yy = V::mul(zi[k], zi[k]);
                const auto sum = V::add(yy, xx);
                alive[k] = V::stays(alive[k], sum, bound);
                if (mayTurnNaN && n + step == 1) {
                    const auto nan = V::unordered(alive[k], sum);
                    alive[k] = V::without(alive[k], nan);
                    count[k] = V::setWhere(count[k], nan, IterationLimit);
                }
                count[k] = V::count(count[k], alive[k]);
                advance(k, xx, yy);
            }
        if (n + StepsPerLook > IterationLimit) break;
        auto any = alive[0];
        for (int k = 1; k < chains; ++k) any = V::either(any, alive[k]);
        if (!V::anyOf(any)) break;
    }
    for (int k = 0; k < chains; ++k) V::storeCounts(survived[k], count[k]);
}

// Writes the block's pixels of columns from to end - 1 (the block starting at column column of
// the piece, which starts at tile column first) and returns their iterations. A pixel that
// survived every test stayed (black); one that survived n - 1 escaped at iteration n.
template <class V>
uint32_t writeBlock(const int64_t (&survived)[V::Chains][V::Lanes], const VectorTile& job,
                    int column, int from, int end, int row) {
    uint32_t total = 0;
    for (int i = from; i < end; ++i)
        for (int lane = 0; lane < V::Lanes; ++lane) {
            const uint32_t lived = uint32_t(survived[i - column][lane]);
            const int n = lived < IterationLimit ? int(lived) + 1 : 0;
            uint8_t* pixel = job.tile->pixels + (TileSide * (row + lane) + i) * 3;
            total += n ? uint32_t(n) : IterationLimit;
            if (n)
                writeEscapeColour(pixel, job.palette, n);
            else
                pixel[0] = pixel[1] = pixel[2] = 0;
        }
    return total;
}

// Blocks of columns, each from the bottom row up to the top. Where the blocks do not fit the
// columns, the last one overlaps its predecessor (or lies partly before first) and writes only its
// new columns.
template <class V, bool isJulia, bool mayTurnNaN>
uint32_t pixelsOfKind(const VectorTile& job, int first, int end, int bottom, int top) {
    constexpr int chains = V::Chains;
    uint32_t total = 0;
    Points p;
    int64_t survived[chains][V::Lanes];
    const int from = end - first < chains ? end - chains : first; // the first point formed
    formPoints(p, job, from, end, bottom, top);
    for (int i = first; i < end; i += chains) {
        const int column = i + chains <= end ? i : end - chains;
        for (int j = bottom; j < top; j += V::Lanes) {
            iterateBlock<V, isJulia, mayTurnNaN>(p, column - from, j, job.seed, survived);
            total +=
                writeBlock<V>(survived, job, column, i, i + chains < end ? i + chains : end, j);
        }
    }
    return total;
}

template <class V, bool isJulia>
uint32_t pixelsOfKind(const VectorTile& job, int first, int end, int bottom, int top) {
    // Every point lies within the origin's magnitude and the extent's; false for NaN.
    const bool calm = std::fabs(job.x0) + std::fabs(job.dx) < CalmMagnitude &&
                      std::fabs(job.y0) + std::fabs(job.dy) < CalmMagnitude &&
                      (!isJulia || (std::fabs(job.seed.re) < CalmMagnitude &&
                                    std::fabs(job.seed.im) < CalmMagnitude));
    return calm ? pixelsOfKind<V, isJulia, false>(job, first, end, bottom, top)
                : pixelsOfKind<V, isJulia, true>(job, first, end, bottom, top);
}

template <class V>
uint32_t vectorPixels(const VectorTile& job, int first, int end, int bottom, int top) {
    return job.kind == Julia ? pixelsOfKind<V, true>(job, first, end, bottom, top)
                             : pixelsOfKind<V, false>(job, first, end, bottom, top);
}

// What the machine can do at most: chains independent iterations in registers, with the kernels'
// operations and escape test, points inside the set and no bookkeeping. The tests are gathered
// so that none can be left out.
volatile bool bareSink;

template <class V, int chains> uint64_t bareChains(uint64_t steps) {
    typename V::Real zr[chains], zi[chains];
    typename V::Mask stayed[chains];
    const auto cr = V::set(-0.5), ci = V::set(0.1), bound = V::set(EscapeBound);
    const auto minusTwo = V::set(MinusTwo);
    for (int k = 0; k < chains; ++k) {
        zr[k] = V::set(-0.5 + 0.01 * k);
        zi[k] = ci;
        stayed[k] = V::all();
    }
    for (uint64_t n = 0; n < steps; ++n)
        for (int k = 0; k < chains; ++k) {
            const auto xx = V::mul(zr[k], zr[k]), yy = V::mul(zi[k], zi[k]);
            stayed[k] = V::stays(stayed[k], V::add(yy, xx), bound);
            const auto t = V::mul(zr[k], zi[k]);
            zr[k] = V::add(V::sub(xx, yy), cr);
            zi[k] = V::sub(ci, V::mul(t, minusTwo));
        }
    auto any = V::none();
    for (int k = 0; k < chains; ++k) any = V::either(any, stayed[k]);
    bareSink = V::anyOf(any);
    return steps * chains * V::Lanes;
}

// chains is one of BareChainCounts; any other runs 8.
template <class V> uint64_t bareForm(int chains, uint64_t steps) {
    switch (chains) {
    case 2:
        return bareChains<V, 2>(steps);
    case 4:
        return bareChains<V, 4>(steps);
    case 6:
        return bareChains<V, 6>(steps);
    case 12:
        return bareChains<V, 12>(steps);
    default:
        return bareChains<V, 8>(steps);
    }
}

} // namespace
