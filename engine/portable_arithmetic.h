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

// IEEE double operations, each rounded once to double, two ways.
//
// SseDoubles: the compiler's own double arithmetic where it runs on SSE2 registers, as in every
// x86-64 program and in the files built for SSE2.
struct SseDoubles {
    static double add(double a, double b) { return a + b; }
    static double sub(double a, double b) { return a - b; }
    static double mul(double a, double b) { return a * b; }
    static double div(double a, double b) { return a / b; }
};

// X87Doubles: the x87 unit under x87DefaultControlWord, the only unit of a processor without SSE2.
// Its registers round to 53 bits but keep a wider exponent: a result beyond a double's range stays
// finite until stored, and one in a double's subnormal range is rounded at full precision first
// and again by the store. So every result is stored, which overflows as a double does; and a
// product or quotient is scaled down by 2^-15360 first, which puts a double's subnormal range onto
// the register's own, where the unit rounds at the same place as a double: scaled back (exactly) it
// has been rounded once. A sum or difference that is subnormal is exact, so needs no scaling.
struct X87Doubles {
    static double stored(long double value) {
        volatile double memory = double(value);
        return memory;
    }
    static double add(double a, double b) { return stored((long double)a + b); }
    static double sub(double a, double b) { return stored((long double)a - b); }
    static double mul(double a, double b) {
        const long double scaled = (long double)a * 0x1p-15360L;
        return stored(scaled * b * 0x1p15360L);
    }
    static double div(double a, double b) {
        const long double scaled = (long double)a * 0x1p-15360L;
        return stored(scaled / b * 0x1p15360L);
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
template <class D> inline double pixelPoint(double origin, int index, double extent) {
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
