// portable_arithmetic.h -- what the portable kernel's scalar and vectorised forms share: IEEE
// double operations on SSE2 and on the x87, the pixel points, the form of zi and the colour of
// an escape
//
// Included by files compiled for different instruction sets; internal linkage keeps a copy
// compiled for a wider set from standing in for another at link time.
#pragma once

#include <cstdint>

#include "engine/escape_time.h"
#include "engine/palette_table.h"
#include "engine/tile_image.h"

namespace {

// IEEE double operations, each rounded once to double, two ways, on values of type Real.
//
// SseDoubles: the compiler's own double arithmetic where it runs on SSE2 registers, as in every
// x86-64 program and in the files built for SSE2.
struct SseDoubles {
    using Real = double;
    static Real add(Real a, Real b) { return a + b; }
    static Real sub(Real a, Real b) { return a - b; }
    static Real mul(Real a, Real b) { return a * b; }
    static Real div(Real a, Real b) { return a / b; }
};

// X87Doubles: the x87 unit under x87DefaultControlWord, the only unit of a processor without SSE2.
// Its registers round to 53 bits but keep a wider exponent. A result beyond a double's range stays
// finite there, so it is stored, which overflows as a double does. A product or quotient among a
// double's subnormals would be rounded at full precision and again by a store, so it is formed
// again scaled down by 2^-15360, which puts a double's subnormal range onto the register's own,
// where the unit rounds at the same place as a double: scaled back (exactly) it has been rounded
// once. A subnormal sum or difference is exact. Every other result is the double's already and
// stays in its register: Real is the register's type, holding doubles only.
struct X87Doubles {
    using Real = long double;
    static constexpr Real Largest = 0x1.fffffffffffffp1023L;
    static constexpr Real SmallestNormal = 0x1p-1022L;
    static Real stored(Real value) {
        volatile double memory = double(value);
        return memory;
    }
    // NaN stays as it is.
    static Real inRange(Real value) {
        return __builtin_fabsl(value) > Largest ? stored(value) : value;
    }
    static bool normalOrZero(Real value) {
        const Real magnitude = __builtin_fabsl(value);
        return (magnitude >= SmallestNormal && magnitude <= Largest) || magnitude == 0;
    }
    static Real add(Real a, Real b) { return inRange(a + b); }
    static Real sub(Real a, Real b) { return inRange(a - b); }
    static Real mul(Real a, Real b) {
        const Real product = a * b;
        return normalOrZero(product) ? product : stored(a * 0x1p-15360L * b * 0x1p15360L);
    }
    static Real div(Real a, Real b) {
        const Real quotient = a / b;
        return normalOrZero(quotient) ? quotient : stored(a * 0x1p-15360L / b * 0x1p15360L);
    }
};

// The arithmetic of the file being built: SSE2 where its doubles live there, else the x87's.
#ifdef __SSE2_MATH__
using CompiledDoubles = SseDoubles;
#else
using CompiledDoubles = X87Doubles;
#endif

constexpr double PixelScale = -1.0 / TileSide;
// zi is formed as ci - t * MinusTwo, which is ci + 2t to the last bit.
constexpr double MinusTwo = -2.0;

// The pixel point of column i (or row j) of a tile starting at origin with the given extent.
template <class D> inline typename D::Real pixelPoint(double origin, int index, double extent) {
    return D::sub(origin, D::mul(D::mul(index, extent), PixelScale));
}

// An escape at iteration n (1 to IterationLimit) into the pixel: palette entry
// FirstPaletteEntry - 1 + n, or grey FirstGrey - 1 + n.
inline void writeEscapeColour(uint8_t* pixel, bool palette, int n) {
    if (palette) {
        const PaletteEntry& entry = PaletteTable[FirstPaletteEntry - 1 + n];
        pixel[0] = entry.red;
        pixel[1] = entry.green;
        pixel[2] = entry.blue;
    } else {
        pixel[0] = pixel[1] = pixel[2] = uint8_t(FirstGrey - 1 + n);
    }
}

} // namespace
