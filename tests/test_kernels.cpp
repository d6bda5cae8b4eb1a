// test_kernels.cpp -- every kernel against the escape iteration in its own precision, and the
// processor checks; tests/cmake/emulated.cmake runs the 3DNow! ones where the processor has it
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "engine/kernels.h"
#include "engine/kernels_3dnow_layer.h"
#include "engine/kernels_portable_vector.h"
#include "engine/palette_table.h"
#include "engine/processor_check.h"
#include "platform/x87_control.h"

namespace {

enum Family { Portable, X87, ThreeDNowLayer, ThreeDNow };

// The vectorised form in pieces of columns that do not fit its blocks; which is 2 * julia +
// palette; sse2 false leaves the processor's choice (AVX2 where present).
template <int which, bool sse2>
void vectorised(TileImage& tile, double x0, double dx, double y0, double dy) {
    forceSse2Form(sse2);
    const VectorTile job = {
        &tile, x0, dx, y0, dy, FractalKind(which / 2), which % 2 == 1, viewerState.juliaSeed};
    viewerState.iterationCount += portableVectorColumns(job, 0, 5) +
                                  portableVectorColumns(job, 5, 100) +
                                  portableVectorColumns(job, 100, TileSide);
    forceSse2Form(false);
}

// Each form's kernels: Mandelbrot grey and palette, Julia grey and palette.
struct Form {
    Family family;
    const char* name;
    TileKernel run[4];
};

const Form forms[] = { // clang-format off
    {Portable, "portable", {mandelbrotGreyPortable, mandelbrotPalettePortable, juliaGreyPortable,
                            juliaPalettePortable}},
    {Portable, "SSE2",
     {vectorised<0, true>, vectorised<1, true>, vectorised<2, true>, vectorised<3, true>}},
    {Portable, "processor's vector form",
     {vectorised<0, false>, vectorised<1, false>, vectorised<2, false>, vectorised<3, false>}},
    {X87, "x87", {mandelbrotGreyX87, mandelbrotPaletteX87, juliaGreyX87, juliaPaletteX87}},
    {ThreeDNowLayer, "layer", {mandelbrotGrey3DNowLayer, mandelbrotPalette3DNowLayer,
                               juliaGrey3DNowLayer, juliaPalette3DNowLayer}},
    {ThreeDNow, "3DNow!", {mandelbrotGrey3DNow, mandelbrotPalette3DNow, juliaGrey3DNow,
                           juliaPalette3DNow}}}; // clang-format on

// The escape iteration (1 to 100, 0 for none) with every operation rounded to T: double,
// long double (64-bit significands under the standing word 0x037F) or float.
template <class T> int escapeIteration(T zr, T zi, T cr, T ci, T bound, uint32_t& count) {
    for (int n = 1; n <= 100; ++n) {
        const T t = zr * zi;
        zr = (zr * zr - zi * zi) + cr;
        zi = (t + t) + ci;
        ++count;
        if (zr * zr + zi * zi > bound) return n;
    }
    return 0;
}

struct TileView {
    const char* name;
    double x0, dx, y0, dy;
    JuliaSeed seed;
    bool finite = true; // else only the portable forms, in double precision, follow the definition
};

// The iterations of each pixel (j * 256 + i) of view; returns their sum. The portable forms
// scale the index by the extent, the x87 ones form index * step + origin, or add the step to the
// last coordinate (accumulated); the portable Julia kernels escape beyond 2, as the program
// always has.
template <class T>
uint32_t expectedTile(Family family, bool accumulated, bool julia, const TileView& v, int* out) {
    T xs[TileSide], ys[TileSide];
    const auto axis = [&](double origin, double extent, T* at) {
        for (int i = 0; i < TileSide; ++i)
            at[i] = family == Portable ? T(origin - (i * extent) * -0.00390625)
                    : accumulated      ? (i ? at[i - 1] + T(extent / 256.0) : T(origin))
                                       : T(i) * T(extent / 256.0) + T(origin);
    };
    axis(v.x0, v.dx, xs);
    axis(v.y0, v.dy, ys);
    const T bound = family == Portable && julia ? 2 : 4, sr = T(v.seed.re), si = T(v.seed.im);
    uint32_t count = 0;
    for (int p = 0; p < TileSide * TileSide; ++p) {
        const T x = xs[p % TileSide], y = ys[p / TileSide];
        out[p] = escapeIteration(x, y, julia ? sr : x, julia ? si : y, bound, count);
    }
    return count;
}

// 3/8 of the spacing 2^-63 at 1 per pixel: added to 1 it rounds away every time, while 2 steps
// and more, formed afresh, move off 1.
constexpr double BelowSpacing = 256 * 0x3p-66;
const double inf = INFINITY, nan = NAN;

const TileView tileViews[] = {
    {"upper-left tile of the initial view", -1.25, 1.0, 0.0, 1.0, {-0.8, 0.156}},
    {"boundary, inexact step", -0.7436439, 1e-4, 0.1318259, 1e-4, {-0.8, 0.156}},
    {"seahorse valley", -0.75, 0.1, 0.05, 0.1, {-0.4, 0.6}},
    // The column step 2^-25 is below half the single-precision spacing 2^-23 near -1.5.
    {"rows collapse in single precision", -1.4968, 0x1p-17, 0.0, 0x1p-17, {0.285, 0.01}},
    {"around i, step below a double's spacing", -0.5e-14, 1e-14, 1 - 0.5e-14, 1e-14, {0.285, 0.01}},
    {"c = -2, and 2 under the seed -2, on the bound 4", -2.0, 4.0, -2.0, 4.0, {-2.0, 0.0}},
    {"1 + i under the seed 1 - i, on the bound 2", 0.0, 2.0, 0.0, 2.0, {1.0, -1.0}},
    {"hundredth iteration everywhere", 0.2509307861328125, 0.0, 0.0, 0.0, {0.0, 0.0}},
    {"real axis from 1, escapes at 2, anything above at 1", 1.0, BelowSpacing, 0.0, 0.0, {1.0, 0}},
    {"imaginary axis from i, periodic", 0.0, 0.0, 1.0, BelowSpacing, {0.0, 1.0}},
    {"NaN origin", nan, 1.0, 0.0, 1.0, {0.285, 0.01}, false},
    {"NaN extents", -1.0, nan, -1.0, nan, {0.285, 0.01}, false},
    {"NaN seed", -1.5, 3.0, -1.2, 2.4, {nan, 0.0}, false},
    {"infinite extents (0 times infinity in column 0)", -1.25, inf, 0.0, inf, {0.3, 0.0}, false},
    {"infinite origin", -inf, 1.0, inf, 1.0, {0.285, 0.01}, false},
    {"extents that overflow", -1e308, 1.7e308, -1e308, 1.7e308, {0.285, 0.01}, false},
};

constexpr uint16_t StandingWord = 0x037F; // Linux's: extended precision, round to nearest
// The x87 kernels compute under their own word, whatever the caller's, and leave the caller's:
// extended, double, single precision; extended rounding toward zero, down, up.
const uint16_t callerWords[] = {0x037F, 0x027F, 0x007F, 0x0F7F, 0x077F, 0x0B7F};

// The colour of a pixel that escapes at iteration (1 to 100), or stays (0).
uint32_t colourOf(bool palette, int iteration) {
    const PaletteEntry& e = PaletteTable[iteration + 1];
    return !iteration ? 0
           : palette  ? e.red << 16 | e.green << 8 | e.blue
                      : (155 + iteration) * 0x010101u;
}

class Kernels : public testing::TestWithParam<Family> {
    void TearDown() override { loadX87ControlWord(StandingWord); }
};

TEST_P(Kernels, WholeTilesFollowTheDefinition) {
    const Family family = GetParam();
    if (family == ThreeDNow && !detect3DNow())
        GTEST_SKIP() << "no 3DNow!; the emulated test runs this";
    // Every entry differs from black and every grey, entries 0 and 1 included; a spare byte of
    // 0xEE would show if it reached a tile.
    for (int k = 0; k < 256; ++k)
        PaletteTable[k] = {uint8_t(k), uint8_t(255 - k), uint8_t(k ^ 0x5A), 0xEE};
    static TileImage tile;
    static int expected[2][TileSide * TileSide]; // by coordinate rule: formed afresh, accumulated
    uint32_t counts[2];
    for (size_t v = 0; v < std::size(tileViews); ++v)
        for (bool julia : {false, true}) {
            const TileView& view = tileViews[v];
            if (!view.finite && family != Portable) continue;
            for (bool rule : {false, true}) // ignored by the portable forms
                counts[rule] =
                    family == Portable
                        ? expectedTile<double>(family, rule, julia, view, expected[rule])
                    : family == X87
                        ? expectedTile<long double>(family, rule, julia, view, expected[rule])
                        : expectedTile<float>(family, rule, julia, view, expected[rule]);
            for (const Form& form : forms)
                for (bool palette : {false, true}) {
                    if (form.family != family) continue;
                    SCOPED_TRACE(testing::Message()
                                 << form.name << (julia ? " Julia" : " Mandelbrot")
                                 << (palette ? " palette, " : " grey, ") << view.name);
                    viewerState.juliaSeed = view.seed;
                    viewerState.iterationCount = 5; // kernels add to the count, never reset it
                    std::memset(tile.pixels, 0x77, TileBytes);
                    const uint16_t word = family == X87 ? callerWords[v % 6] : StandingWord;
                    loadX87ControlWord(word);
                    form.run[julia * 2 + palette](tile, view.x0, view.dx, view.y0, view.dy);
                    EXPECT_EQ(storeX87ControlWord(), word);
                    loadX87ControlWord(StandingWord);
                    const int rule =
                        family >= ThreeDNowLayer || (family == X87 && !julia && palette);
                    EXPECT_EQ(viewerState.iterationCount, 5 + counts[rule]);
                    int wrong = 0, firstWrong = -1;
                    for (int p = 0; p < TileSide * TileSide; ++p) {
                        const uint8_t* rgb = tile.pixels + 3 * p;
                        if (uint32_t(rgb[0] << 16 | rgb[1] << 8 | rgb[2]) !=
                            colourOf(palette, expected[rule][p]))
                            firstWrong = wrong++ ? firstWrong : p;
                    }
                    EXPECT_EQ(wrong, 0) << "first at j * 256 + i = " << firstWrong;
                }
        }
}

const char* const familyNames[] = {"Portable", "X87", "ThreeDNowLayer", "ThreeDNow"};
INSTANTIATE_TEST_SUITE_P(Family, Kernels, testing::Values(Portable, X87, ThreeDNowLayer, ThreeDNow),
                         [](const auto& info) { return familyNames[info.param]; });

// The answers of a processor: CPUID 0 EAX, 1 ECX, 7 EBX, 0x80000000 EAX, 0x80000001 EDX, XCR0.
// It answers every function asked, as real ones do beyond their range, here with the flags set.
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
    // AVX (bit 28) and OSXSAVE (bit 27) of ECX of 1 and the SSE and AVX registers saved (XCR0 6).
    const uint32_t Avx = 3u << 27, Flag = 1u << 31;
    const struct {
        const char* name;
        Answers answers;
        int32_t threeDNow, avx2;
    } cases[] = {
        // clang-format off
        {"no CPUID", {0, 13, Avx, 0x20, 0x80000008, Flag, 6}, 0, 0},
        {"no extended functions", {1, 13, Avx, 0x20, 0x0000000D, Flag, 6}, 0, 1},
        {"extended range ends at 0x80000000", {1, 7, Avx, 0x20, 0x80000000, Flag, 6}, 0, 1},
        {"EAX beyond the extended range", {1, 13, Avx, 0x20, 0xFFFFFFFF, Flag, 6}, 0, 1},
        {"3DNow! clear; 7 beyond the highest", {1, 6, Avx, 0x20, 0x80000008, ~Flag, 6}, 0, 0},
        {"3DNow! set; AVX registers not saved", {1, 13, Avx, 0x20, 0x80000001, Flag, 2}, 1, 0},
        {"3DNow! and others; no OSXSAVE", {1, 13, 1u << 28, 0x20, 0x8000001B, 0xEBD3FBFF, 6}, 1, 0},
        {"no AVX", {1, 13, 1u << 27, 0x20, 0, 0, 6}, 0, 0},
        {"no AVX2, all else", {1, 13, ~0u, ~0x20u, 0, 0, 6}, 0, 0}}; // clang-format on
    for (const auto& c : cases) {
        answers = c.answers;
        EXPECT_EQ(detect3DNow(fakeSource), c.threeDNow) << c.name;
        EXPECT_EQ(detectAvx2(fakeSource), c.avx2) << c.name;
    }
}

// The emulated run sets ZELVONIA_EXPECT_3DNOW, since qemu does not speak for /proc/cpuinfo.
TEST(ProcessorCheck, AgreesWithThisProcessor) {
    std::ifstream file("/proc/cpuinfo");
    std::string line;
    while (std::getline(file, line) && line.rfind("flags", 0) != 0) {
    }
    const bool listed = (line + " ").find(" 3dnow ") != std::string::npos;
    EXPECT_EQ(detect3DNow(), std::getenv("ZELVONIA_EXPECT_3DNOW") || listed ? 1 : 0);
    EXPECT_EQ(detectAvx2(), __builtin_cpu_supports("avx2") ? 1 : 0);
    EXPECT_EQ(vectorLanes(), detectAvx2() ? 4 : 2);
}

} // namespace
