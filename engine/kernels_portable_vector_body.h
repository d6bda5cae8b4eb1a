// kernels_portable_vector_body.h -- the vectorised iteration, written once for both forms
//
// Included by the SSE2 and the AVX2 file only. Everything here has internal linkage, so that no
// function compiled for AVX2 can stand in for its SSE2 twin at link time.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "engine/escape_time.h"
#include "engine/kernels_portable_vector.h"
#include "engine/palette_table.h"

// The AVX2 form, in the one file compiled for AVX2.
uint32_t portableVectorColumnsAvx2(const VectorTile& job, int first, int end);

namespace {

// As in the portable kernels: zi is formed as ci - t * MinusTwo.
constexpr double PixelScale = -1.0 / TileSide;
constexpr double MinusTwo = -2.0;

// Bits 0 to 7 of bits, each in the lowest bit of its own byte (bit i in byte i).
inline uint64_t spreadBits(uint64_t bits) {
    const uint64_t picked = (bits * 0x0101010101010101u) & 0x8040201008040201u;
    return ((picked + 0x7F7F7F7F7F7F7F7Fu) >> 7) & 0x0101010101010101u;
}

// The pixels that go through the iteration together: a block of V::Registers columns and
// V::Lanes rows, one register per column. That is enough independent chains to hide the latency of
// one iteration (a multiply and two additions), and a compact block wastes few iterations on
// pixels that have escaped while their neighbours go on. Which pixels have escaped is kept in
// the bits of an integer (bit r * Lanes + lane), not in vector registers.
template <class V> struct PixelBlock {
    static constexpr int Columns = V::Registers;
    static constexpr int Pixels = Columns * V::Lanes;
    static_assert(Pixels <= 64 && Pixels % 8 == 0 && TileSide % V::Lanes == 0,
                  "one bit per pixel, whole bytes of them");
    typename V::Real cr[Columns];
    typename V::Real zr[Columns], zi[Columns], xx[Columns], yy[Columns], ci;
    uint8_t escapedAt[Pixels]; // the iteration of escape, 0 for none
};

// Point and start of the iteration of rows firstRow and on, exactly as the portable kernel forms
// them; pr holds the real parts of the block's columns.
template <class V, bool isJulia>
void startBlock(PixelBlock<V>& b, const VectorTile& job, const double* pr, int firstRow) {
    const auto rows = V::ramp(double(firstRow));
    const auto pi =
        V::sub(V::set(job.y0), V::mul(V::mul(rows, V::set(job.dy)), V::set(PixelScale)));
    b.ci = isJulia ? V::set(job.seed.im) : pi;
    for (int r = 0; r < V::Registers; ++r) {
        const auto pointR = V::set(pr[r]);
        b.cr[r] = isJulia ? V::set(job.seed.re) : pointR;
        b.zr[r] = pointR;
        b.zi[r] = pi;
        b.xx[r] = V::mul(pointR, pointR);
        b.yy[r] = V::mul(pi, pi);
    }
}

// One iteration of every pixel of the block; returns those that escape in it. Escaped pixels go
// on computing alongside, but nothing reads their values any more.
template <class V> uint64_t stepBlock(PixelBlock<V>& b, typename V::Real bound) {
    const auto minusTwo = V::set(MinusTwo);
    uint64_t escaping = 0;
    for (int r = 0; r < V::Registers; ++r) {
        const auto t = V::mul(b.zr[r], b.zi[r]);
        b.zr[r] = V::add(V::sub(b.xx[r], b.yy[r]), b.cr[r]);
        b.zi[r] = V::sub(b.ci, V::mul(t, minusTwo));
        b.yy[r] = V::mul(b.zi[r], b.zi[r]);
        b.xx[r] = V::mul(b.zr[r], b.zr[r]);
        escaping |= uint64_t(V::signs(V::greater(V::add(b.yy[r], b.xx[r]), bound)))
                    << (r * V::Lanes);
    }
    return escaping;
}

// The pixels of the block whose |z|^2 is NaN, one bit each as for the escapes.
template <class V> uint64_t unorderedPixels(const PixelBlock<V>& b) {
    uint64_t unordered = 0;
    for (int r = 0; r < V::Registers; ++r) {
        const auto m = V::add(b.yy[r], b.xx[r]);
        unordered |= uint64_t(V::signs(V::unordered(m, m))) << (r * V::Lanes);
    }
    return unordered;
}

// Below this, a number's square is far from overflowing: a first iteration from points and seed
// below it makes no NaN (an infinity at most, which escapes).
constexpr double CalmMagnitude = 0x1p500;

// Iterates every pixel of the block until all have escaped or done 100 iterations.
//
// A NaN iterate stays NaN and never escapes, and it can only arise in the first iteration: after
// that the iterate is finite with |z|^2 within the bound, and so is z^2 + c. Where it may arise
// (mayTurnNaN), pixels that are NaN then stop at once, so that a view at infinity does not run
// every block to the end; they are written as the pixels that stayed, black with 100 iterations.
template <class V, bool mayTurnNaN> void iterateBlock(PixelBlock<V>& b, typename V::Real bound) {
    constexpr int CountBits = 7;
    static_assert(IterationLimit < 1u << CountBits, "the counter holds every iteration");
    uint64_t live = ~uint64_t(0) >> (64 - PixelBlock<V>::Pixels), planes[CountBits] = {};
    uint64_t stayed = 0;
    for (uint32_t n = 1; n <= IterationLimit; ++n) {
        const uint64_t escaping = stepBlock(b, bound);
        // Every live pixel counts this iteration, in a counter of seven bit planes.
        uint64_t carry = live;
        for (int plane = 0; plane < CountBits; ++plane) {
            const uint64_t next = planes[plane] & carry;
            planes[plane] ^= carry;
            carry = next;
        }
        live &= ~escaping;
        if (mayTurnNaN && n == 1) {
            stayed = live & unorderedPixels(b);
            live &= ~stayed;
        }
        if (!live) break;
    }
    live |= stayed;
    // Eight pixels at a time: each bit plane spread out to one byte per pixel.
    for (int at = 0; at < PixelBlock<V>::Pixels; at += 8) {
        uint64_t counts = 0;
        for (int plane = 0; plane < CountBits; ++plane)
            counts |= spreadBits(planes[plane] >> at & 0xFF) << plane;
        counts &= ~(spreadBits(live >> at & 0xFF) * 0xFF);
        std::memcpy(b.escapedAt + at, &counts, 8); // little-endian: byte i for pixel at + i
    }
}

// Writes the block's pixels of columns from to end - 1 (the block starting at column
// firstColumn) and returns their iterations.
template <class V>
uint32_t writeBlock(const PixelBlock<V>& b, const VectorTile& job, int firstColumn, int from,
                    int end, int firstRow) {
    uint32_t total = 0;
    for (int i = from; i < end; ++i)
        for (int lane = 0; lane < V::Lanes; ++lane) {
            const int n = b.escapedAt[(i - firstColumn) * V::Lanes + lane];
            uint8_t* pixel = job.tile->pixels + (TileSide * (firstRow + lane) + i) * 3;
            total += n ? uint32_t(n) : IterationLimit;
            if (!n) {
                pixel[0] = pixel[1] = pixel[2] = 0;
            } else if (job.palette) {
                const PaletteEntry& entry = PaletteTable[FirstPaletteEntry - 1 + n];
                pixel[0] = entry.red;
                pixel[1] = entry.green;
                pixel[2] = entry.blue;
            } else {
                pixel[0] = pixel[1] = pixel[2] = uint8_t(FirstGrey - 1 + n);
            }
        }
    return total;
}

// Blocks of columns, each from the bottom row up. Where the blocks do not fit the columns, the
// last one overlaps its predecessor (or lies partly before first) and writes only its new columns.
template <class V, bool isJulia> uint32_t columnsOfKind(const VectorTile& job, int first, int end) {
    constexpr int columns = PixelBlock<V>::Columns;
    const auto bound = V::set(isJulia ? PortableJuliaEscapeBound : EscapeBound);
    // Every point lies within the origin's magnitude and the extent's; false for NaN.
    const bool calm = std::fabs(job.x0) + std::fabs(job.dx) < CalmMagnitude &&
                      std::fabs(job.y0) + std::fabs(job.dy) < CalmMagnitude &&
                      (!isJulia || (std::fabs(job.seed.re) < CalmMagnitude &&
                                    std::fabs(job.seed.im) < CalmMagnitude));
    uint32_t total = 0;
    PixelBlock<V> b;
    for (int i = first; i < end; i += columns) {
        const int firstColumn = i + columns <= end ? i : end - columns;
        double pr[columns]; // the real part of the point, once per column
        for (int c = 0; c < columns; ++c)
            pr[c] = job.x0 - ((firstColumn + c) * job.dx) * PixelScale;
        for (int j = 0; j < TileSide; j += V::Lanes) {
            startBlock<V, isJulia>(b, job, pr, j);
            if (calm)
                iterateBlock<V, false>(b, bound);
            else
                iterateBlock<V, true>(b, bound);
            total += writeBlock(b, job, firstColumn, i, i + columns < end ? i + columns : end, j);
        }
    }
    return total;
}

template <class V> uint32_t vectorColumns(const VectorTile& job, int first, int end) {
    return job.kind == Julia ? columnsOfKind<V, true>(job, first, end)
                             : columnsOfKind<V, false>(job, first, end);
}

} // namespace
