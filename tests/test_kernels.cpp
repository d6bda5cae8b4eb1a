// test_kernels.cpp -- the twelve kernels and the 3DNow! layer against their definitions, and the
// processor check; tests/cmake/emulated.cmake runs the 3DNow! ones where the processor has it
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "engine/kernels.h"
#include "engine/kernels_3dnow_layer.h"
#include "engine/kernels_portable_vector.h"
#include "engine/processor_check.h"
#include "engine/tile_computation.h"
#include "platform/x87_control.h"
#include "ui/palette.h"

namespace {

enum Family { Portable, X87, ThreeDNow };

struct Kernel {
    const char* name;
    TileKernel run;
    Family family;
    FractalKind kind;
    bool palette, accumulated; // accumulated: coordinates by repeated addition of the step
    bool native = false;       // runs 3DNow! instructions
};

const Kernel kernels[] = {
    {"mandelbrotGreyPortable", mandelbrotGreyPortable, Portable, Mandelbrot, false, false},
    {"mandelbrotPalettePortable", mandelbrotPalettePortable, Portable, Mandelbrot, true, false},
    {"juliaGreyPortable", juliaGreyPortable, Portable, Julia, false, false},
    {"juliaPalettePortable", juliaPalettePortable, Portable, Julia, true, false},
    {"mandelbrotGreyX87", mandelbrotGreyX87, X87, Mandelbrot, false, false},
    {"mandelbrotPaletteX87", mandelbrotPaletteX87, X87, Mandelbrot, true, true},
    {"juliaGreyX87", juliaGreyX87, X87, Julia, false, false},
    {"juliaPaletteX87", juliaPaletteX87, X87, Julia, true, false},
    {"mandelbrotGrey3DNowLayer", mandelbrotGrey3DNowLayer, ThreeDNow, Mandelbrot, false, true},
    {"mandelbrotPalette3DNowLayer", mandelbrotPalette3DNowLayer, ThreeDNow, Mandelbrot, true, true},
    {"juliaGrey3DNowLayer", juliaGrey3DNowLayer, ThreeDNow, Julia, false, true},
    {"juliaPalette3DNowLayer", juliaPalette3DNowLayer, ThreeDNow, Julia, true, true},
    {"mandelbrotGrey3DNow", mandelbrotGrey3DNow, ThreeDNow, Mandelbrot, false, true, true},
    {"mandelbrotPalette3DNow", mandelbrotPalette3DNow, ThreeDNow, Mandelbrot, true, true, true},
    {"juliaGrey3DNow", juliaGrey3DNow, ThreeDNow, Julia, false, true, true},
    {"juliaPalette3DNow", juliaPalette3DNow, ThreeDNow, Julia, true, true, true},
};

// The kernels of family that this processor runs.
std::vector<Kernel> kernelsOf(Family family) {
    std::vector<Kernel> chosen;
    for (const Kernel& k : kernels)
        if (k.family == family && (!k.native || detect3DNow())) chosen.push_back(k);
    return chosen;
}

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

constexpr uint16_t StandingWord = 0x037F; // Linux's: extended precision, round to nearest

class KernelTest : public testing::Test {
  protected:
    // Every entry differs from black and every grey, entries 0 and 1 included; a spare byte of
    // 0xEE would show if it reached a tile.
    void SetUp() override {
        loadX87ControlWord(StandingWord);
        for (int k = 0; k < 256; ++k)
            PaletteTable[k] = {uint8_t(k), uint8_t(255 - k), uint8_t(k ^ 0x5A), 0xEE};
    }
    void TearDown() override {
        loadX87ControlWord(StandingWord);
        useThreeDNowLayer(false);
    }
};
class Kernels : public KernelTest, public testing::WithParamInterface<Family> {};
using X87Kernels = KernelTest;
using ThreeDNowKernels = KernelTest;

// Tiles whose pixels all escape at one iteration (0: stay), under the bound 4 and under the
// portable Julia kernels' bound 2. The points are short binary fractions or far from the bound,
// so the three precisions agree on every Mandelbrot case and on Julia (1, 0).
struct UniformCase {
    const char* name;
    FractalKind kind;
    double x0, y0, extent;
    JuliaSeed seed;
    int iteration, portableIteration;
};

const UniformCase uniformCases[] = {
    {"(0.75, -1)", Mandelbrot, 0.75, -1.0, 0.0, {}, 1, 1},
    {"(-1.25, -1)", Mandelbrot, -1.25, -1.0, 0.0, {}, 2, 2},
    {"(0.5, 0.5)", Mandelbrot, 0.5, 0.5, 0.0, {}, 4, 4},
    {"hundredth iteration", Mandelbrot, 0.2509307861328125, 0.0, 0.0, {}, 100, 100},
    {"(-2, 0), |z|^2 = 4 throughout", Mandelbrot, -2.0, 0.0, 0.0, {}, 0, 0},
    {"origin", Mandelbrot, 0.0, 0.0, 0.0, {}, 0, 0},
    {"tile beyond 2 + 2i, all escape at once", Mandelbrot, 2.0, 2.0, 1.0, {}, 1, 1},
    {"tile within |c| < 1/4, none escapes", Mandelbrot, -0.2, -0.1, 0.2, {}, 0, 0},
    {"seed 0, (1.25, 0)", Julia, 1.25, 0.0, 0.0, {0.0, 0.0}, 2, 1},
    {"seed 0, (1, 0)", Julia, 1.0, 0.0, 0.0, {0.0, 0.0}, 0, 0},
    {"seed -2, (2, 0), |z|^2 = 4 throughout", Julia, 2.0, 0.0, 0.0, {-2.0, 0.0}, 0, 1},
};

TEST_P(Kernels, UniformTilesInBothColourings) {
    static TileImage tile;
    for (const Kernel& k : kernelsOf(GetParam()))
        for (const UniformCase& c : uniformCases) {
            if (c.kind != k.kind) continue;
            SCOPED_TRACE(std::string(k.name) + ", " + c.name);
            const int iteration = k.family == Portable ? c.portableIteration : c.iteration;
            viewerState.juliaSeed = c.seed;
            viewerState.iterationCount = 1234567; // kernels add to the count, never reset it
            std::memset(tile.pixels, 0x77, TileBytes);
            k.run(tile, c.x0, c.extent, c.y0, c.extent);
            EXPECT_EQ(viewerState.iterationCount,
                      1234567u + 65536u * uint32_t(iteration ? iteration : 100));
            int wrong = 0;
            for (int j = 0; j < TileSide; ++j)
                for (int i = 0; i < TileSide; ++i)
                    wrong += pixelAt(tile, i, j) != colourOf(k.palette, iteration);
            EXPECT_EQ(wrong, 0) << std::hex << "pixel (0, 0) is " << pixelAt(tile, 0, 0);
        }
}

// The definition in the family's precision: T is double, long double (the x87's 64-bit
// significands under the standing word) or float, each operation rounded to T.
template <class T> int escapeIteration(T zr, T zi, T cr, T ci, T bound, uint32_t& count) {
    for (int n = 1; n <= 100; ++n) {
        const T re = (zr * zr - zi * zi) + cr;
        zi = (zr + zr) * zi + ci;
        zr = re;
        ++count;
        if (zr * zr + zi * zi > bound) return n;
    }
    return 0;
}

// The coordinates along one axis of a tile, formed as the kernel forms them.
template <class T> void axis(const Kernel& k, double origin, double extent, T (&out)[TileSide]) {
    const T step = T(extent / 256.0);
    for (int i = 0; i < TileSide; ++i)
        if (k.family == Portable)
            out[i] = T(origin - (i * extent) * -0.00390625);
        else if (k.accumulated)
            out[i] = i ? out[i - 1] + step : T(origin);
        else
            out[i] = T(i) * step + T(origin);
}

struct TileView {
    const char* name;
    double x0, dx, y0, dy;
    JuliaSeed seed;
};

struct Reference {
    int iterations[TileSide][TileSide]; // [j][i]
    uint32_t count;
};

template <class T> void referenceTile(const Kernel& k, const TileView& v, Reference& out) {
    T xs[TileSide], ys[TileSide];
    axis(k, v.x0, v.dx, xs);
    axis(k, v.y0, v.dy, ys);
    const T bound = k.family == Portable && k.kind == Julia ? 2 : 4;
    out.count = 0;
    for (int j = 0; j < TileSide; ++j)
        for (int i = 0; i < TileSide; ++i)
            out.iterations[j][i] =
                k.kind == Julia
                    ? escapeIteration(xs[i], ys[j], T(v.seed.re), T(v.seed.im), bound, out.count)
                    : escapeIteration(xs[i], ys[j], xs[i], ys[j], bound, out.count);
}

const TileView tileViews[] = {
    {"upper-left tile of the initial view", -1.25, 1.0, 0.0, 1.0, {-0.8, 0.156}},
    {"boundary, inexact step", -0.7436439, 1e-4, 0.1318259, 1e-4, {-0.8, 0.156}},
    {"seahorse valley", -0.75, 0.1, 0.05, 0.1, {-0.4, 0.6}},
    // The column step 2^-25 is below half the single-precision spacing 2^-23 near -1.5.
    {"rows collapse in single precision", -1.4968, 0x1p-17, 0.0, 0x1p-17, {0.285, 0.01}},
    {"around i, step below a double's spacing", -0.5e-14, 1e-14, 1 - 0.5e-14, 1e-14, {0.285, 0.01}},
};

TEST_P(Kernels, WholeTilesFollowTheirDefinition) {
    static TileImage tile;
    static Reference expected;
    for (const TileView& v : tileViews)
        for (const Kernel& k : kernelsOf(GetParam())) {
            SCOPED_TRACE(std::string(k.name) + ", " + v.name);
            viewerState.juliaSeed = v.seed;
            viewerState.iterationCount = 5;
            std::memset(tile.pixels, 0x77, TileBytes); // the last tile's pixels must not stay
            k.run(tile, v.x0, v.dx, v.y0, v.dy);
            loadX87ControlWord(StandingWord);
            if (k.family == Portable) referenceTile<double>(k, v, expected);
            if (k.family == X87) referenceTile<long double>(k, v, expected);
            if (k.family == ThreeDNow) referenceTile<float>(k, v, expected);
            EXPECT_EQ(viewerState.iterationCount, 5 + expected.count);
            int wrong = 0, firstWrong = -1;
            for (int j = 0; j < TileSide; ++j)
                for (int i = 0; i < TileSide; ++i)
                    if (pixelAt(tile, i, j) != colourOf(k.palette, expected.iterations[j][i]))
                        firstWrong = wrong++ ? firstWrong : j * TileSide + i;
            EXPECT_EQ(wrong, 0) << "first at j * 256 + i = " << firstWrong;
        }
}

const char* const familyNames[] = {"Portable", "X87", "ThreeDNow"};
INSTANTIATE_TEST_SUITE_P(Family, Kernels, testing::Values(Portable, X87, ThreeDNow),
                         [](const auto& info) { return familyNames[info.param]; });

// --- x87 -------------------------------------------------------------------------------------

// Pixels where mandelbrotGreyX87 (recomputed coordinates) and mandelbrotPaletteX87 (accumulated)
// reach different iterations.
int pixelsWhereTheRulesDiffer(double x0, double dx, double y0, double dy) {
    static TileImage grey, palette;
    mandelbrotGreyX87(grey, x0, dx, y0, dy);
    mandelbrotPaletteX87(palette, x0, dx, y0, dy);
    int differ = 0;
    for (int j = 0; j < TileSide; ++j)
        for (int i = 0; i < TileSide; ++i) {
            const int level = pixelAt(grey, i, j) & 0xFF;
            differ += pixelAt(palette, i, j) != colourOf(true, level ? level - 155 : 0);
        }
    return differ;
}

TEST_F(X87Kernels, CoordinateRulesDifferOnlyWhereAdditionsRound) {
    // 3/8 of the spacing 2^-63 at 1: added to 1 it rounds away every time, while 2 steps and
    // more, recomputed, move off 1.
    const double dx = 256 * 0x3p-66;
    const struct {
        const char* name;
        double x0, dx, y0, dy;
        bool differ;
    } cases[] = {
        {"initial view, upper left (short binary fractions)", -1.25, 1.0, 0.0, 1.0, false},
        {"real axis from 1, which escapes at 2, anything above at 1", 1.0, dx, 0.0, 0.0, true},
        {"imaginary axis from i, periodic, anything above escapes", 0.0, 0.0, 1.0, dx, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pixelsWhereTheRulesDiffer(c.x0, c.dx, c.y0, c.dy) > 0, c.differ) << c.name;
}

// (A value left on the register stack needs no test of its own: it overflows the stack within
// a few pixels and turns every x87 result into NaN.)
TEST_F(X87Kernels, LeaveTheCallersControlWord) {
    static TileImage standing, tile;
    const TileView& v = tileViews[1];
    viewerState.juliaSeed = v.seed;
    // extended, double, single precision; extended rounding toward zero, down, up
    const uint16_t words[] = {0x037F, 0x027F, 0x007F, 0x0F7F, 0x077F, 0x0B7F};
    for (const Kernel& k : kernelsOf(X87)) {
        k.run(standing, v.x0, v.dx, v.y0, v.dy);
        for (uint16_t word : words) {
            SCOPED_TRACE(std::string(k.name) + ", starting word " + std::to_string(word));
            loadX87ControlWord(word);
            k.run(tile, v.x0, v.dx, v.y0, v.dy);
            const uint16_t after = storeX87ControlWord();
            loadX87ControlWord(StandingWord);
            EXPECT_EQ(after, word);
            // The kernel computes under its own word, whatever the caller's.
            EXPECT_EQ(std::memcmp(tile.pixels, standing.pixels, TileBytes), 0);
        }
    }
}

// --- 3DNow! ----------------------------------------------------------------------------------

// Under the seed (-2, 0) the point (2, 0) stays, while any real part above 2 escapes at once.
TEST_F(ThreeDNowKernels, FirstPixelsLieAtTheOriginRoundedToSinglePrecision) {
    static TileImage tile;
    viewerState.juliaSeed = {-2.0, 0.0};
    for (const Kernel& k : kernelsOf(ThreeDNow)) {
        if (k.kind != Julia) continue;
        SCOPED_TRACE(k.name);
        // 2 + 3/4 of the single-precision spacing at 2 rounds up, 2 + 1/4 of it down.
        k.run(tile, 2.0 + 0x3p-24, 1.0, 0.0, 1.0);
        EXPECT_EQ(pixelAt(tile, 0, 0), colourOf(k.palette, 1));
        k.run(tile, 2.0 + 0x1p-24, 1.0, 0.0, 1.0);
        EXPECT_EQ(pixelAt(tile, 0, 0), colourOf(k.palette, 0));
    }
}

int rowsOfOneColour(const TileImage& tile) {
    int rows = 0;
    for (int j = 0; j < TileSide; ++j) {
        std::set<uint32_t> colours;
        for (int i = 0; i < TileSide; ++i) colours.insert(pixelAt(tile, i, j));
        rows += colours.size() == 1;
    }
    return rows;
}

TEST_F(ThreeDNowKernels, DeepZoomRowsTakeTheColourOfTheirFirstPixel) {
    static TileImage tile;
    const TileView& v = tileViews[3];
    for (const Kernel& k : kernelsOf(ThreeDNow)) {
        if (k.kind != Mandelbrot) continue;
        k.run(tile, v.x0, v.dx, v.y0, v.dy);
        EXPECT_EQ(rowsOfOneColour(tile), TileSide) << k.name;
    }
    mandelbrotPaletteX87(tile, v.x0, v.dx, v.y0, v.dy); // extended precision still shows detail
    EXPECT_LT(rowsOfOneColour(tile), TileSide / 2);
}

// The layer stands for the instructions: a wrong layer function shows in these pictures.
TEST_F(ThreeDNowKernels, NativeKernelsGiveTheLayersTilesAndCounts) {
    if (!detect3DNow()) GTEST_SKIP() << "no 3DNow!; the emulated test runs this under qemu";
    const struct {
        const char* name;
        FractalKind kind;
        ViewRegion view;
        JuliaSeed seed;
    } cases[] = {
        {"initial view", Mandelbrot, InitialView, {}},
        {"deep zoom, rows collapse", Mandelbrot, {-1.4968, 0x1p-16, 0.0, 0x1p-16}, {}},
        {"deep zoom on a Julia set", Julia, {-1.2, 0x1p-16, 0.1, 0x1p-16}, {-0.8, 0.156}},
        {"tile origin at (-2, 0)", Mandelbrot, {-2.0, 0.5, -0.25, 0.5}, {}},
        {"Julia set of -0.8 + 0.156i", Julia, InitialView, {-0.8, 0.156}},
        {"Julia set of 0.285 + 0.01i", Julia, {-1.5, 3.0, -1.2, 2.4}, {0.285, 0.01}},
        {"Julia, (2, 0) on the bound", Julia, {1.5, 1.0, -0.5, 1.0}, {-2.0, 0.0}},
    };
    static TileImage native[4], layer[4];
    for (const auto& c : cases)
        for (ComputeMethod method : {Grey3DNow, Palette3DNow}) {
            SCOPED_TRACE(std::string(c.name) + ", method " + std::to_string(method));
            viewerState.kind = c.kind;
            viewerState.view = c.view;
            viewerState.juliaSeed = c.seed;
            viewerState.method = method;
            computeTilesInMemory(native);
            const uint32_t nativeCount = viewerState.iterationCount;
            useThreeDNowLayer(true);
            computeTilesInMemory(layer);
            useThreeDNowLayer(false);
            EXPECT_EQ(nativeCount, viewerState.iterationCount);
            for (int t = 0; t < 4; ++t)
                EXPECT_EQ(std::memcmp(native[t].pixels, layer[t].pixels, TileBytes), 0) << t;
        }
}

// --- vectorised portable form ----------------------------------------------------------------

// Views where rounding, the bound or special values decide, computed in pieces of columns that
// do not fit the form's blocks (5, 95 and 156 columns): the SSE2 and (where present) the AVX2
// form must give the portable kernels' tiles and counts bit for bit.
TEST_F(KernelTest, VectorisedFormGivesThePortableTilesAndCounts) {
    const double inf = INFINITY, nan = NAN;
    const struct {
        const char* name;
        FractalKind kind;
        double x0, dx, y0, dy;
        JuliaSeed seed;
    } cases[] = {
        {"upper-left tile of the initial view", Mandelbrot, -1.25, 1.0, 0.0, 1.0, {}},
        {"boundary, inexact step", Mandelbrot, -0.7436439, 1e-4, 0.1318259, 1e-4, {}},
        {"around i, step below a double's spacing",
         Mandelbrot,
         -0.5e-14,
         1e-14,
         1 - 0.5e-14,
         1e-14,
         {}},
        {"(-2, 0) on the bound at the origin", Mandelbrot, -2.0, 0.5, -0.25, 0.5, {}},
        {"hundredth iteration", Mandelbrot, 0.2509307861328125, 0.0, 0.0, 0.0, {}},
        {"Julia set of -0.8 + 0.156i", Julia, -1.5, 3.0, -1.2, 2.4, {-0.8, 0.156}},
        {"Julia, (2, 0) on the bound", Julia, 1.5, 1.0, -0.5, 1.0, {-2.0, 0.0}},
        {"Julia, seed 0 from (1, 0)", Julia, 1.0, 0.5, 0.0, 0.0, {0.0, 0.0}},
        {"NaN origin", Mandelbrot, nan, 1.0, 0.0, 1.0, {}},
        {"NaN extents", Julia, -1.0, nan, -1.0, nan, {0.285, 0.01}},
        {"NaN seed", Julia, -1.5, 3.0, -1.2, 2.4, {nan, 0.0}},
        {"infinite extents (0 times infinity in column 0)", Mandelbrot, -1.25, inf, 0.0, inf, {}},
        {"infinite origin", Julia, -inf, 1.0, inf, 1.0, {0.285, 0.01}},
        {"extents that overflow", Mandelbrot, -1e308, 1.7e308, -1e308, 1.7e308, {}},
    };
    const TileKernel portable[2][2] = {{mandelbrotGreyPortable, mandelbrotPalettePortable},
                                       {juliaGreyPortable, juliaPalettePortable}};
    static TileImage expected, tile;
    for (const auto& c : cases)
        for (bool palette : {false, true})
            for (bool sse2 : {true, false}) {
                SCOPED_TRACE(testing::Message() << c.name << (palette ? ", palette" : ", grey")
                                                << (sse2 ? ", SSE2" : ", processor's form"));
                viewerState.juliaSeed = c.seed;
                viewerState.iterationCount = 0;
                portable[c.kind == Julia][palette](expected, c.x0, c.dx, c.y0, c.dy);
                std::memset(tile.pixels, 0x77, TileBytes);
                forceSse2Form(sse2);
                const VectorTile job = {&tile, c.x0, c.dx, c.y0, c.dy, c.kind, palette, c.seed};
                const uint32_t count = portableVectorColumns(job, 0, 5) +
                                       portableVectorColumns(job, 5, 100) +
                                       portableVectorColumns(job, 100, TileSide);
                forceSse2Form(false);
                EXPECT_EQ(count, viewerState.iterationCount);
                EXPECT_EQ(std::memcmp(tile.pixels, expected.pixels, TileBytes), 0);
            }
}

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
        if (!c.processor.hasCpuid) {
            EXPECT_EQ(fake.queries, 0) << c.name;
        }
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
