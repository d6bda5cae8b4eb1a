// test_kernels.cpp -- every kernel against the escape iteration in its own precision, and the
// processor checks; tests/cmake/emulated.cmake runs the 3DNow! ones where the processor has it
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "engine/kernels.h"
#include "engine/kernels_3dnow_layer.h"
#include "engine/kernels_portable_vector.h"
#include "engine/palette_table.h"
#include "engine/portable_arithmetic.h"
#include "engine/processor_check.h"
#include "platform/x87_control.h"

namespace {

enum Family { Portable, X87, ThreeDNow };

struct TileView {
    const char* name;
    double x0, dx, y0, dy;
    JuliaSeed seed;
    // Infinities or NaN in the iteration, in single precision at least: a 3DNow! unit knows
    // neither and saturates, while the emulator's is IEEE arithmetic.
    bool special = false;
};

// The escape iteration (1 to 100, 0: none) of each pixel (j * 256 + i), each operation rounded
// to T (long double: 64-bit significands under the word 0x037F); returns the iterations. The
// portable forms scale the index by the extent, the others take the origin itself at index 0 and
// then form index * step + origin or add the step to the last point (accumulated); portable Julia
// escapes beyond 2, as it always has.
template <class T>
uint32_t expectedTile(Family family, bool accumulated, bool julia, const TileView& v, int* out) {
    T xs[TileSide], ys[TileSide];
    const auto axis = [&](double origin, double extent, T* at) {
        for (int i = 0; i < TileSide; ++i)
            at[i] = family == Portable ? T(origin - (i * extent) * -0.00390625)
                    : !i               ? T(origin)
                    : accumulated      ? at[i - 1] + T(extent / 256.0)
                                       : T(i) * T(extent / 256.0) + T(origin);
    };
    axis(v.x0, v.dx, xs);
    axis(v.y0, v.dy, ys);
    const T bound = family == Portable && julia ? 2 : 4, sr = T(v.seed.re), si = T(v.seed.im);
    uint32_t count = 0;
    for (int p = 0; p < TileSide * TileSide; ++p) {
        T zr = xs[p % TileSide], zi = ys[p / TileSide];
        const T cr = julia ? sr : zr, ci = julia ? si : zi;
        out[p] = 0;
        for (int n = 1; n <= 100 && !out[p]; ++n, ++count) {
            const T t = zr * zi;
            zr = (zr * zr - zi * zi) + cr;
            zi = (t + t) + ci;
            if (zr * zr + zi * zi > bound) out[p] = n;
        }
    }
    return count;
}

// 3/8 of the spacing 2^-63 at 1 per pixel: added to 1 it rounds away every time, while 2 steps
// and more, formed afresh, move off 1.
constexpr double BelowSpacing = 256 * 0x3p-66;

const TileView tileViews[] = {
    {"upper-left tile of the initial view", -1.25, 1.0, 0.0, 1.0, {-0.8, 0.156}},
    {"boundary, inexact step", -0.7436439, 1e-4, 0.1318259, 1e-4, {-0.8, 0.156}},
    // The column step 2^-25 is below half the single-precision spacing 2^-23 near -1.5.
    {"rows collapse in single precision", -1.4968, 0x1p-17, 0.0, 0x1p-17, {0.285, 0.01}},
    {"around i, step below a double's spacing", -0.5e-14, 1e-14, 1 - 0.5e-14, 1e-14, {0.285, 0.01}},
    {"c = -2, and 2 under the seed -2, on the bound 4", -2.0, 4.0, -2.0, 4.0, {-2.0, 0.0}},
    {"1 + i under the seed 1 - i, on the bound 2", 0.0, 2.0, 0.0, 2.0, {1.0, -1.0}},
    {"hundredth iteration everywhere", 0.2509307861328125, 0.0, 0.0, 0.0, {0.0, 0.0}},
    {"real axis from 1, escapes at 2, anything above at 1", 1.0, BelowSpacing, 0.0, 0.0, {1.0, 0}},
    {"imaginary axis from i, periodic", 0.0, 0.0, 1.0, BelowSpacing, {0.0, 1.0}},
    // A NaN iterate stays NaN; the kernels stop there and count the 99 iterations left at once.
    // It arises at the first iteration only (later ones start within the bound), from infinities
    // or from squares that overflow, next to points that escape at once or later, or stay.
    {"NaN origin", NAN, 1.0, 0.0, 1.0, {0.285, 0.01}, true},
    {"NaN extents", -1.0, NAN, -1.0, NAN, {0.285, 0.01}, true},
    {"NaN seed", -1.5, 3.0, -1.2, 2.4, {NAN, 0.0}, true},
    {"infinite extents, 0 * inf in column 0", -1.25, INFINITY, 0.0, INFINITY, {0.3, 0.0}, true},
    {"infinite origin", -INFINITY, 1.0, INFINITY, 1.0, {0.285, 0.01}, true},
    {"extents that overflow", -1e308, 1.7e308, -1e308, 1.7e308, {0.285, 0.01}, true},
    {"squares overflow a double", 0.0, 4e154, 0.0, 4e154, {0.3, 0.0}, true},
    {"squares overflow a float", 0.0, 4e19, 0.0, 4e19, {0.3, 0.0}, true},
};

constexpr uint16_t StandingWord = 0x037F; // Linux's: extended precision, round to nearest

// Kernels k of a family (k % 4: Mandelbrot grey, palette, Julia grey, palette) in every view, the
// special ones if asked. The x87 kernels compute under their own control word, whatever the
// caller's (extended, double, single precision; extended rounding toward zero, down, up), and
// leave the caller's.
template <class T>
void expectFamily(Family family, const std::vector<TileKernel>& kernels, bool special = true) {
    const uint16_t callerWords[] = {0x037F, 0x027F, 0x007F, 0x0F7F, 0x077F, 0x0B7F};
    // Every entry differs from black and every grey, entries 0 and 1 included; a spare byte of
    // 0xEE would show if it reached a tile.
    for (int k = 0; k < 256; ++k) PaletteTable[k] = {uint8_t(k), uint8_t(~k), uint8_t(k * 3), 0xEE};
    static TileImage tile;
    static int expected[2][TileSide * TileSide]; // by coordinate rule: formed afresh, accumulated
    uint32_t counts[2];
    for (size_t v = 0; v < std::size(tileViews); ++v)
        for (bool julia : {false, true}) {
            const TileView& view = tileViews[v];
            if (view.special && !special) continue;
            for (bool rule : {false, true}) // the same rule for the portable forms
                counts[rule] = expectedTile<T>(family, rule, julia, view, expected[rule]);
            for (size_t k = 0; k < kernels.size(); ++k) {
                if (k / 2 % 2 != julia) continue;
                SCOPED_TRACE(testing::Message() << "kernel " << k << ", " << view.name);
                viewerState.juliaSeed = view.seed;
                viewerState.iterationCount = 5; // kernels add to the count, never reset it
                std::memset(tile.pixels, 0x77, TileBytes);
                const uint16_t word = family == X87 ? callerWords[v % 6] : StandingWord;
                loadX87ControlWord(word);
                kernels[k](tile, view.x0, view.dx, view.y0, view.dy);
                EXPECT_EQ(storeX87ControlWord(), word);
                loadX87ControlWord(StandingWord);
                const int rule = family == ThreeDNow || (family == X87 && k == 1);
                EXPECT_EQ(viewerState.iterationCount, 5 + counts[rule]);
                int wrong = 0; // bytes off the colour of their iteration (0: black)
                for (int b = 0; b < TileBytes; ++b) {
                    const int n = expected[rule][b / 3];
                    const PaletteEntry& e = PaletteTable[n + 1];
                    const uint8_t colour[3] = {e.red, e.green, e.blue};
                    wrong += tile.pixels[b] != (!n ? 0 : k % 2 ? colour[b % 3] : 155 + n);
                }
                EXPECT_EQ(wrong, 0);
            }
        }
}

// The vectorised form in pieces of columns that do not fit its groups; which is 2 * julia +
// palette.
template <int which, VectorForm form>
void vectorised(TileImage& tile, double x0, double dx, double y0, double dy) {
    limitVectorForm(form);
    const VectorTile job = {
        &tile, x0, dx, y0, dy, FractalKind(which / 2), which % 2 == 1, viewerState.juliaSeed};
    viewerState.iterationCount += portableVectorColumns(job, 0, 5) +
                                  portableVectorColumns(job, 5, 100) +
                                  portableVectorColumns(job, 100, TileSide);
    limitVectorForm(Avx512Form);
}

template <VectorForm form> std::vector<TileKernel> vectorisedKernels() {
    return {vectorised<0, form>, vectorised<1, form>, vectorised<2, form>, vectorised<3, form>};
}

// The portable kernels on SSE2 and on the x87, then each vectorised form that this processor runs
// up to AVX2.
TEST(Kernels, PortableFormsFollowTheDefinition) {
    expectFamily<double>(Portable, {mandelbrotGreyPortable, mandelbrotPalettePortable,
                                    juliaGreyPortable, juliaPalettePortable});
    expectFamily<double>(Portable, {mandelbrotGreyPortableOnX87, mandelbrotPalettePortableOnX87,
                                    juliaGreyPortableOnX87, juliaPalettePortableOnX87});
    const std::vector<TileKernel> forms[] = {vectorisedKernels<ScalarForm>(),
                                             vectorisedKernels<Sse2Form>(),
                                             vectorisedKernels<Avx2Form>()};
    for (int form = ScalarForm; form <= Avx2Form; ++form) {
        SCOPED_TRACE(vectorFormName(VectorForm(form)));
        if (form <= processorVectorForm()) expectFamily<double>(Portable, forms[form]);
    }
}

// The x87's doubles round once, as SSE2's do: products and quotients among the subnormals, where
// a register rounds to 53 bits and its store again (wrongly about once in a hundred here), and
// results beyond a double's range, which a register holds.
TEST(Kernels, X87DoublesRoundOnce) {
    const auto bits = [](double value) { return std::bit_cast<uint64_t>(value); };
    std::mt19937_64 random(7);
    const auto tiny = [&] {
        const double value = std::ldexp(1 + double(random() >> 12) * 0x1p-52, -500 - random() % 40);
        return random() % 2 ? value : -value;
    };
    loadX87ControlWord(x87DefaultControlWord);
    int wrong = 0;
    for (int k = 0; k < 20000; ++k) {
        const double a = tiny(), b = tiny(), big = 1 / tiny();
        wrong += bits(double(X87Doubles::mul(a, b))) != bits(SseDoubles::mul(a, b));
        wrong += bits(double(X87Doubles::div(a, big))) != bits(SseDoubles::div(a, big));
    }
    loadX87ControlWord(StandingWord);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(X87Doubles::mul(1e200, -1e200), -INFINITY);
    EXPECT_EQ(X87Doubles::div(1e200, 1e-200), INFINITY);
    EXPECT_EQ(X87Doubles::add(1.7e308, 1.7e308), INFINITY);
    EXPECT_EQ(X87Doubles::sub(-1.7e308, 1.7e308), -INFINITY);
}

TEST(Kernels, Avx512FormFollowsTheDefinition) {
    if (processorVectorForm() < Avx512Form) GTEST_SKIP() << "no AVX-512 on this processor";
    expectFamily<double>(Portable, vectorisedKernels<Avx512Form>());
}

TEST(Kernels, X87FollowsTheDefinition) {
    expectFamily<long double>(
        X87, {mandelbrotGreyX87, mandelbrotPaletteX87, juliaGreyX87, juliaPaletteX87});
}

TEST(ThreeDNowKernels, LayerFollowsTheDefinition) {
    expectFamily<float>(ThreeDNow, {mandelbrotGrey3DNowLayer, mandelbrotPalette3DNowLayer,
                                    juliaGrey3DNowLayer, juliaPalette3DNowLayer});
}

// The emulated run sets ZELVONIA_IEEE_3DNOW: there the special views follow the definition too.
TEST(ThreeDNowKernels, NativeFollowsTheDefinition) {
    if (!detect3DNow()) GTEST_SKIP() << "no 3DNow!; the emulated test runs this under qemu";
    expectFamily<float>(
        ThreeDNow, {mandelbrotGrey3DNow, mandelbrotPalette3DNow, juliaGrey3DNow, juliaPalette3DNow},
        std::getenv("ZELVONIA_IEEE_3DNOW") != nullptr);
}

// CPUID 0 EAX, 1 ECX, 7 EBX, 0x80000000 EAX, 0x80000001 EDX and XCR0 of a processor that, as
// real ones, answers functions beyond its range too, here with the flags set.
struct Answers {
    int32_t exists;
    uint32_t highest, ecx1, ebx7, highestExtended, edx;
    uint64_t xcr0;
} answers;

const CpuidSource fakeSource = {
    [] { return answers.exists; },
    [](uint32_t f) -> CpuidRegisters {
        if (f == 0 || f == 0x80000000)
            return {f ? answers.highestExtended : answers.highest, 0, 0, 0};
        return {0, f == 7 ? answers.ebx7 : 0, f == 1 ? answers.ecx1 : 0,
                f == 0x80000001 ? answers.edx : 0};
    },
    [](uint32_t index) { return index ? 0 : answers.xcr0; }};

TEST(ProcessorCheck, DecidesFromTheCpuidAnswers) {
    // 3DNow! is EDX bit 31 of 0x80000001, asked only when 0x80000000 names it in the extended
    // range (else EAX echoes the highest basic function). AVX2 is EBX bit 5 of function 7, with
    // AVX (bit 28) and OSXSAVE (bit 27) of ECX of 1 and the SSE and AVX registers saved (XCR0 6);
    // AVX-512F is EBX bit 16, with AVX2 and the mask and upper ZMM registers saved too (XCR0 0xE6).
    const uint32_t Avx = 3u << 27, Flag = 1u << 31, F = 0x10020;
    const std::tuple<const char*, Answers, int32_t, int32_t, int32_t> cases[] = {
        {"no CPUID", {0, 13, Avx, F, 0x80000008, Flag, 0xE6}, 0, 0, 0},
        {"no extended functions", {1, 13, Avx, 0x20, 0x0000000D, Flag, 6}, 0, 1, 0},
        {"extended range ends at 0x80000000", {1, 7, Avx, 0x20, 0x80000000, Flag, 6}, 0, 1, 0},
        {"EAX beyond the extended range", {1, 13, Avx, 0x20, 0xFFFFFFFF, Flag, 6}, 0, 1, 0},
        {"3DNow! clear; 7 beyond the highest", {1, 6, Avx, F, 0x80000008, ~Flag, 0xE6}, 0, 0, 0},
        {"3DNow! set; AVX registers not saved", {1, 13, Avx, F, 0x80000001, Flag, 0xE2}, 1, 0, 0},
        {"3DNow! etc.; no OSXSAVE", {1, 13, 1u << 28, F, 0x8000001B, 0xEBD3FBFF, 0xE6}, 1, 0, 0},
        {"no AVX", {1, 13, 1u << 27, F, 0, 0, 0xE6}, 0, 0, 0},
        {"no AVX2, all else", {1, 13, ~0u, ~0x20u, 0, 0, ~0ull}, 0, 0, 0},
        {"AVX-512F, its registers saved", {1, 13, Avx, F, 0, 0, 0xE7}, 0, 1, 1},
        {"AVX-512F, upper ZMM registers not saved", {1, 13, Avx, F, 0, 0, 0x66}, 0, 1, 0},
        {"AVX-512F, mask registers not saved", {1, 13, Avx, F, 0, 0, 0xC6}, 0, 1, 0}};
    for (const auto& [name, processor, threeDNow, avx2, avx512] : cases) {
        answers = processor;
        EXPECT_EQ(detect3DNow(fakeSource), threeDNow) << name;
        EXPECT_EQ(detectAvx2(fakeSource), avx2) << name;
        EXPECT_EQ(detectAvx512(fakeSource), avx512) << name;
    }
}

// The emulated run sets ZELVONIA_EXPECT_3DNOW, since qemu does not speak for /proc/cpuinfo.
TEST(ProcessorCheck, AgreesWithThisProcessor) {
    std::ifstream cpuinfo("/proc/cpuinfo");
    bool listed = false;
    for (std::string word; cpuinfo >> word;) listed |= word == "3dnow";
    EXPECT_EQ(detect3DNow(), std::getenv("ZELVONIA_EXPECT_3DNOW") || listed ? 1 : 0);
    EXPECT_EQ(detectAvx2(), __builtin_cpu_supports("avx2") ? 1 : 0);
    EXPECT_EQ(detectAvx512(), __builtin_cpu_supports("avx512f") ? 1 : 0);
    EXPECT_EQ(detectSse2(), __builtin_cpu_supports("sse2") ? 1 : 0);
    EXPECT_EQ(processorVectorForm(), detectAvx512() ? Avx512Form
                                     : detectAvx2() ? Avx2Form
                                     : detectSse2() ? Sse2Form
                                                    : ScalarForm);
}

} // namespace
