// kernels_x87.cpp -- the escape-time kernels on the x87 unit, with 64-bit significands
//
// Every x87 operation is written in inline assembly, so that each one rounds under the compute
// control word, in the order given, and none is left to the compiler's choice of unit or
// precision. Between the assembly blocks the points wait in memory as 80-bit values, which hold
// them exactly.
#include <cmath>
#include <cstring>
#include <limits>

#include "engine/countdown_colour.h"
#include "engine/escape_time.h"
#include "engine/kernels.h"
#include "engine/viewer_state.h"
#include "platform/x87_control.h"

namespace {

// All exceptions masked, 64-bit significand, round to nearest.
constexpr uint16_t x87ComputeControlWord = 0x037F;

constexpr double StepsPerTile = TileSide;

// Each block leaves the register stack empty as it found it; naming the whole stack keeps the
// compiler from holding anything there across a block.
#define X87_STACK "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)", "st(6)", "st(7)"

// extent / 256 at 64-bit precision, stored as a double.
double pixelStep(double extent) {
    double step;
    asm volatile("fldl %1\n\t"
                 "fdivl %2\n\t"
                 "fstpl %0"
                 : "=m"(step)
                 : "m"(extent), "m"(StepsPerTile)
                 : X87_STACK);
    return step;
}

// point + step.
long double addedStep(long double point, double step) {
    asm volatile("fldt %0\n\t"
                 "faddl %1\n\t"
                 "fstpt %0"
                 : "+m"(point)
                 : "m"(step)
                 : X87_STACK);
    return point;
}

// index * step + origin, for index 1 on; at index 0 the callers take the origin itself.
long double indexedPoint(int32_t index, double step, double origin) {
    long double point;
    asm volatile("fildl %1\n\t"
                 "fmull %2\n\t"
                 "faddl %3\n\t"
                 "fstpt %0"
                 : "=m"(point)
                 : "m"(index), "m"(step), "m"(origin)
                 : X87_STACK);
    return point;
}

// Iterates z <- z^2 + c from z = (zr, zi), at most IterationLimit times, adding each iteration
// to count. Returns the countdown at the escape, or 0 when |z|^2 never exceeds EscapeBound. The
// iterate, the constant and the bound stay on the register stack for the whole loop; the comparison
// is unordered-safe, so NaN does not escape. Inlined always, so that the counter stays in a
// register from pixel to pixel too.
//
// The kernels give it finite operands only (specialCountdown takes the others): then the x87's
// range keeps every iterate finite, and |z|^2 escapes or stays within the bound, never NaN.
[[gnu::always_inline]] inline uint32_t
escapeCountdown(long double zr, long double zi, long double cr, long double ci, uint32_t& count) {
    uint32_t n;
    asm volatile("fldl %[bound]\n\t"
                 "fldt %[ci]\n\t"
                 "fldt %[cr]\n\t"
                 "fldt %[zi]\n\t"
                 "fldt %[zr]\n\t" // zr zi cr ci 4
                 "movl %[limit], %[n]\n"
                 "1:\n\t"
                 "fld %%st(1)\n\t"
                 "fmul %%st(0), %%st\n\t" // zi² zr zi cr ci 4
                 "fld %%st(1)\n\t"
                 "fmul %%st(0), %%st\n\t" // zr² zi² zr zi cr ci 4
                 "fsub %%st(1), %%st\n\t" // zr²-zi² zi² zr zi cr ci 4
                 "fstp %%st(1)\n\t"       // zr²-zi² zr zi cr ci 4
                 "fadd %%st(3), %%st\n\t" // zr' zr zi cr ci 4
                 "fxch %%st(1)\n\t"       // zr zr' zi cr ci 4
                 "fadd %%st(0), %%st\n\t" // zr+zr zr' zi cr ci 4
                 "fmul %%st(2), %%st\n\t" // (zr+zr)zi zr' zi cr ci 4
                 "fadd %%st(4), %%st\n\t" // zi' zr' zi cr ci 4
                 "fstp %%st(2)\n\t"       // zr' zi' cr ci 4
                 "fld %%st(0)\n\t"
                 "fmul %%st(0), %%st\n\t" // zr'² zr' zi' cr ci 4
                 "fld %%st(2)\n\t"
                 "fmul %%st(0), %%st\n\t"  // zi'² zr'² zr' zi' cr ci 4
                 "faddp %%st, %%st(1)\n\t" // |z'|² zr' zi' cr ci 4
                 "incl %[count]\n\t"
                 "fucomip %%st(5), %%st\n\t" // zr' zi' cr ci 4
                 "ja 2f\n\t"
                 "decl %[n]\n\t"
                 "jnz 1b\n"
                 "2:\n\t"
                 "fstp %%st(0)\n\t"
                 "fstp %%st(0)\n\t"
                 "fstp %%st(0)\n\t"
                 "fstp %%st(0)\n\t"
                 "fstp %%st(0)"
                 : [n] "=&r"(n), [count] "+r"(count)
                 : [zr] "m"(zr), [zi] "m"(zi), [cr] "m"(cr), [ci] "m"(ci), [bound] "m"(EscapeBound),
                   [limit] "i"(IterationLimit)
                 : "cc", X87_STACK);
    return n;
}

// Points with a NaN or infinite operand (coordinate or seed) are decided without the x87, which
// on some processors takes hundreds of cycles for each operation on such a value; a view at
// infinity is made of them.

// The sign bit and the 15 exponent bits of an 80-bit value, above its 64-bit significand.
uint16_t signAndExponent(const long double& value) {
    uint16_t bits;
    std::memcpy(&bits, reinterpret_cast<const char*>(&value) + 8, sizeof bits);
    return bits;
}

// Whether an 80-bit value is NaN or infinite: its exponent bits are all ones.
bool nonFinite(const long double& value) {
    return (signAndExponent(value) & 0x7FFF) == 0x7FFF;
}

// A double that stands for value in such a first iteration: NaN and infinities as they are, a
// finite number as 1 or 0 with its sign. Nothing else of a finite operand decides whether
// inf - inf or inf * 0 arises, and on the x87 no finite part overflows in one iteration.
double standIn(const long double& value) {
    uint64_t significand;
    std::memcpy(&significand, &value, sizeof significand);
    const double sign = signAndExponent(value) & 0x8000 ? -1.0 : 1.0;
    if (nonFinite(value))
        return significand << 1 ? std::numeric_limits<double>::quiet_NaN() : sign * INFINITY;
    return significand ? sign : sign * 0.0;
}

// escapeCountdown for a point with a NaN or infinite operand. Such an operand leaves a NaN or
// infinite part in the first iterate, so |z|^2 is NaN, and stays so (the point never escapes), or
// infinite (it escapes at once). The iteration over stand-ins, in double precision and the x87's
// order of operations, tells the two apart.
uint32_t specialCountdown(const long double& zr, const long double& zi, const long double& cr,
                          const long double& ci, uint32_t& count) {
    const double r = standIn(zr), i = standIn(zi);
    const double re = (r * r - i * i) + standIn(cr);
    const double im = ((r + r) * i) + standIn(ci);
    if (re * re + im * im > EscapeBound) {
        count += 1;
        return IterationLimit;
    }
    count += IterationLimit;
    return 0;
}

// How a kernel moves from one pixel's coordinate to the next: by adding the step to the last
// coordinate, or by forming index * step + origin afresh.
enum class Stepping { Accumulated, Recomputed };

template <Stepping stepping>
long double nextPoint(long double point, int32_t nextIndex, double step, double origin) {
    if constexpr (stepping == Stepping::Accumulated)
        return addedStep(point, step);
    else
        return indexedPoint(nextIndex, step, origin);
}

// The rows and columns of a tile, from the points' origins and steps; returns count with the
// tile's iterations added. withSpecials when a point may have a NaN or infinite operand: the
// other tiles, nearly all, are spared the test. The Julia kernels form both parts of each point
// afresh from the indexes; the imaginary part is the same for a whole row, so it is formed once a
// row here with the same value.
template <bool isJulia, bool isPalette, Stepping stepping, bool withSpecials>
uint32_t fillTile(uint8_t* pixel, double x0, double stepX, double y0, double stepY,
                  const long double& seedRe, const long double& seedIm, uint32_t count) {
    const bool seedSpecial = isJulia && (nonFinite(seedRe) || nonFinite(seedIm));
    long double pi = y0;
    for (int32_t j = 0; j < TileSide; ++j) {
        long double pr = x0;
        for (int32_t i = 0; i < TileSide; ++i) {
            const long double& cr = isJulia ? seedRe : pr;
            const long double& ci = isJulia ? seedIm : pi;
            const uint32_t n = withSpecials && (seedSpecial || nonFinite(pr) || nonFinite(pi))
                                   ? specialCountdown(pr, pi, cr, ci, count)
                                   : escapeCountdown(pr, pi, cr, ci, count);
            pixel = writeCountdownColour<isPalette>(pixel, n);
            pr = nextPoint<stepping>(pr, i + 1, stepX, x0);
        }
        pi = nextPoint<stepping>(pi, j + 1, stepY, y0);
    }
    return count;
}

// The common frame of the four kernels, under their own control word; the caller's, which in the
// programs is x87DefaultControlWord, is put back.
template <bool isJulia, bool isPalette, Stepping stepping>
void x87Kernel(TileImage& tile, double x0, double dx, double y0, double dy) {
    const JuliaSeed seed = viewerState.juliaSeed;
    // Finite numbers give finite points, which the x87's range holds.
    const bool special = !std::isfinite(x0) || !std::isfinite(dx) || !std::isfinite(y0) ||
                         !std::isfinite(dy) ||
                         (isJulia && (!std::isfinite(seed.re) || !std::isfinite(seed.im)));
    const uint32_t count = viewerState.iterationCount;
    viewerState.iterationCount = underX87ControlWord(x87ComputeControlWord, [&] {
        const double stepX = pixelStep(dx);
        const double stepY = pixelStep(dy);
        const long double seedRe = seed.re;
        const long double seedIm = seed.im;
        return special ? fillTile<isJulia, isPalette, stepping, true>(tile.pixels, x0, stepX, y0,
                                                                      stepY, seedRe, seedIm, count)
                       : fillTile<isJulia, isPalette, stepping, false>(
                             tile.pixels, x0, stepX, y0, stepY, seedRe, seedIm, count);
    });
}

} // namespace

void mandelbrotGreyX87(TileImage& tile, double x0, double dx, double y0, double dy) {
    x87Kernel<false, false, Stepping::Recomputed>(tile, x0, dx, y0, dy);
}

void mandelbrotPaletteX87(TileImage& tile, double x0, double dx, double y0, double dy) {
    x87Kernel<false, true, Stepping::Accumulated>(tile, x0, dx, y0, dy);
}

void juliaGreyX87(TileImage& tile, double x0, double dx, double y0, double dy) {
    x87Kernel<true, false, Stepping::Recomputed>(tile, x0, dx, y0, dy);
}

void juliaPaletteX87(TileImage& tile, double x0, double dx, double y0, double dy) {
    x87Kernel<true, true, Stepping::Recomputed>(tile, x0, dx, y0, dy);
}
