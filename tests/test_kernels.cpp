// test_kernels.cpp -- every kernel against the escape iteration in its own precision, and the
// processor check; tests/cmake/emulated.cmake runs the 3DNow! ones where the processor has it
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <tuple>

#include "engine/kernels.h"
#include "engine/kernels_3dnow_layer.h"
#include "engine/kernels_portable_vector.h"
#include "engine/palette_table.h"
#include "engine/processor_check.h"
#include "engine/viewer_state.h"
#include "platform/x87_control.h"

namespace {

enum Family { Portable, X87, ThreeDNowLayer, ThreeDNow };

// The vectorised form in pieces of columns that do not fit its blocks; sse2 false leaves the
// processor's choice (AVX2 where present).
template <FractalKind kind, bool palette, bool sse2>
void vectorised(TileImage& tile, double x0, double dx, double y0, double dy) {
    forceSse2Form(sse2);
    const VectorTile job = {&tile, x0, dx, y0, dy, kind, palette, viewerState.juliaSeed};
    viewerState.iterationCount += portableVectorColumns(job, 0, 5) +
                                  portableVectorColumns(job, 5, 100) +
                                  portableVectorColumns(job, 100, TileSide);
    forceSse2Form(false);
}

struct Form {
    Family family;
    const char* name;
    TileKernel run[2][2]; // [kind][palette]
};

const Form forms[] = {
    {Portable,
     "portable",
     {{mandelbrotGreyPortable, mandelbrotPalettePortable},
      {juliaGreyPortable, juliaPalettePortable}}},
    {Portable,
     "SSE2",
     {{vectorised<Mandelbrot, false, true>, vectorised<Mandelbrot, true, true>},
      {vectorised<Julia, false, true>, vectorised<Julia, true, true>}}},
    {Portable,
     "processor's vector form",
     {{vectorised<Mandelbrot, false, false>, vectorised<Mandelbrot, true, false>},
      {vectorised<Julia, false, false>, vectorised<Julia, true, false>}}},
    {X87, "x87", {{mandelbrotGreyX87, mandelbrotPaletteX87}, {juliaGreyX87, juliaPaletteX87}}},
    {ThreeDNowLayer,
     "layer",
     {{mandelbrotGrey3DNowLayer, mandelbrotPalette3DNowLayer},
      {juliaGrey3DNowLayer, juliaPalette3DNowLayer}}},
    {ThreeDNow,
     "3DNow!",
     {{mandelbrotGrey3DNow, mandelbrotPalette3DNow}, {juliaGrey3DNow, juliaPalette3DNow}}},
};

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

// The coordinates of a tile along one axis: the portable forms scale the index by the extent,
// the x87 ones form index * step + origin, or add the step to the last coordinate (accumulated).
template <class T>
void axis(Family family, bool accumulated, double origin, double extent, T (&out)[TileSide]) {
    const T step = T(extent / 256.0);
    for (int i = 0; i < TileSide; ++i)
        if (family == Portable)
            out[i] = T(origin - (i * extent) * -0.00390625);
        else if (accumulated)
            out[i] = i ? out[i - 1] + step : T(origin);
        else
            out[i] = T(i) * step + T(origin);
}

struct TileView {
    const char* name;
    double x0, dx, y0, dy;
    JuliaSeed seed;
    bool finite = true; // else only the portable forms, in double precision, follow the definition
};

struct Expected {
    int iterations[TileSide][TileSide]; // [j][i]
    uint32_t count;
};

template <class T>
void expectedTile(Family family, bool accumulated, FractalKind kind, const TileView& v,
                  Expected& out) {
    T xs[TileSide], ys[TileSide];
    axis(family, accumulated, v.x0, v.dx, xs);
    axis(family, accumulated, v.y0, v.dy, ys);
    // The portable Julia kernels escape beyond 2, as the program always has.
    const T bound = family == Portable && kind == Julia ? 2 : 4;
    out.count = 0;
    for (int j = 0; j < TileSide; ++j)
        for (int i = 0; i < TileSide; ++i)
            out.iterations[j][i] =
                kind == Julia
                    ? escapeIteration(xs[i], ys[j], T(v.seed.re), T(v.seed.im), bound, out.count)
                    : escapeIteration(xs[i], ys[j], xs[i], ys[j], bound, out.count);
}

// The tile a kernel of family must give, worked out once for all kernels of the same rules.
const Expected& expectedFor(Family family, FractalKind kind, bool palette, const TileView& v) {
    static Expected expected;
    static std::tuple<Family, FractalKind, bool, const TileView*> last;
    const bool accumulated = family >= ThreeDNowLayer || (family == X87 && !kind && palette);
    if (std::tuple(family, kind, accumulated, &v) == last) return expected;
    last = {family, kind, accumulated, &v};
    if (family == Portable) expectedTile<double>(family, false, kind, v, expected);
    if (family == X87) expectedTile<long double>(family, accumulated, kind, v, expected);
    if (family >= ThreeDNowLayer) expectedTile<float>(family, true, kind, v, expected);
    return expected;
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

uint32_t pixelAt(const TileImage& tile, int i, int j) {
    const uint8_t* p = tile.pixels + (TileSide * j + i) * 3;
    return p[0] << 16 | p[1] << 8 | p[2];
}

// The colour of a pixel that escapes at iteration (1 to 100), or stays (0).
uint32_t colourOf(bool palette, int iteration) {
    if (iteration == 0) return 0;
    if (!palette) return (155 + iteration) * 0x010101u;
    const PaletteEntry& e = PaletteTable[iteration + 1];
    return e.red << 16 | e.green << 8 | e.blue;
}

class Kernels : public testing::TestWithParam<Family> {
  protected:
    // Every entry differs from black and every grey, entries 0 and 1 included; a spare byte of
    // 0xEE would show if it reached a tile.
    void SetUp() override {
        for (int k = 0; k < 256; ++k)
            PaletteTable[k] = {uint8_t(k), uint8_t(255 - k), uint8_t(k ^ 0x5A), 0xEE};
    }
    void TearDown() override { loadX87ControlWord(StandingWord); }
};

TEST_P(Kernels, WholeTilesFollowTheDefinition) {
    const Family family = GetParam();
    if (family == ThreeDNow && !detect3DNow())
        GTEST_SKIP() << "no 3DNow!; the emulated test runs this under qemu";
    static TileImage tile;
    for (size_t v = 0; v < std::size(tileViews); ++v) {
        const TileView& view = tileViews[v];
        if (!view.finite && family != Portable) continue;
        for (FractalKind kind : {Mandelbrot, Julia})
            for (const Form& form : forms)
                for (bool palette : {false, true}) {
                    if (form.family != family) continue;
                    SCOPED_TRACE(testing::Message()
                                 << form.name << (kind ? " Julia" : " Mandelbrot")
                                 << (palette ? " palette, " : " grey, ") << view.name);
                    viewerState.juliaSeed = view.seed;
                    viewerState.iterationCount = 5; // kernels add to the count, never reset it
                    std::memset(tile.pixels, 0x77, TileBytes);
                    const uint16_t word = family == X87 ? callerWords[v % 6] : StandingWord;
                    loadX87ControlWord(word);
                    form.run[kind][palette](tile, view.x0, view.dx, view.y0, view.dy);
                    EXPECT_EQ(storeX87ControlWord(), word);
                    loadX87ControlWord(StandingWord);
                    const Expected& expected = expectedFor(family, kind, palette, view);
                    EXPECT_EQ(viewerState.iterationCount, 5 + expected.count);
                    int wrong = 0, firstWrong = -1;
                    for (int j = 0; j < TileSide; ++j)
                        for (int i = 0; i < TileSide; ++i)
                            if (pixelAt(tile, i, j) != colourOf(palette, expected.iterations[j][i]))
                                firstWrong = wrong++ ? firstWrong : j * TileSide + i;
                    EXPECT_EQ(wrong, 0) << "first at j * 256 + i = " << firstWrong;
                }
    }
}

const char* const familyNames[] = {"Portable", "X87", "ThreeDNowLayer", "ThreeDNow"};
INSTANTIATE_TEST_SUITE_P(Family, Kernels, testing::Values(Portable, X87, ThreeDNowLayer, ThreeDNow),
                         [](const auto& info) { return familyNames[info.param]; });

// --- processor check -------------------------------------------------------------------------

struct FakeProcessor {
    int32_t hasCpuid;
    uint32_t highestExtended; // EAX of 0x80000000
    uint32_t featureEdx;      // EDX of 0x80000001
    int queries, featureQueries;
} fake;

const CpuidSource fakeSource = {[] { return fake.hasCpuid; },
                                [](uint32_t function) -> CpuidRegisters {
                                    ++fake.queries;
                                    if (function == 0x80000000)
                                        return {fake.highestExtended, 0, 0, 0};
                                    if (function != 0x80000001) return {0, 0, 0, 0};
                                    ++fake.featureQueries;
                                    return {0, 0, 0, fake.featureEdx};
                                }};

TEST(ProcessorCheck, DecidesFromTheCpuidAnswers) {
    // Without extended functions 0x80000000 echoes the highest basic function, and 0x80000001
    // may answer anything, here the 3DNow! flag.
    const struct {
        const char* name;
        FakeProcessor processor;
        int32_t expected;
        bool asksFeatures;
    } cases[] = {
        {"no CPUID", {0, 0x80000008, 0x80000000, 0, 0}, 0, false},
        {"no extended functions", {1, 0x0000000D, 0x80000000, 0, 0}, 0, false},
        {"range ends at 0x80000000", {1, 0x80000000, 0x80000000, 0, 0}, 0, false},
        {"EAX beyond the extended range", {1, 0xFFFFFFFF, 0x80000000, 0, 0}, 0, false},
        {"flag clear, others set", {1, 0x80000008, 0x7FFFFFFF, 0, 0}, 0, true},
        {"flag set", {1, 0x80000001, 0x80000000, 0, 0}, 1, true},
        {"flag set with others", {1, 0x8000001B, 0xEBD3FBFF, 0, 0}, 1, true},
    };
    for (const auto& c : cases) {
        fake = c.processor;
        EXPECT_EQ(detect3DNow(fakeSource), c.expected) << c.name;
        EXPECT_EQ(fake.featureQueries > 0, c.asksFeatures) << c.name;
        EXPECT_TRUE(c.processor.hasCpuid || fake.queries == 0) << c.name;
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
