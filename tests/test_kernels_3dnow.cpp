// test_kernels_3dnow.cpp -- the 3DNow! kernels, native and over the packed-pair layer: escape
// cases, coordinates, single-precision tiles, and native against layer where the processor (or
// its emulator) has 3DNow!
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>

#include "engine/kernels.h"
#include "engine/kernels_3dnow_layer.h"
#include "engine/packed_pair.h"
#include "engine/processor_check.h"
#include "engine/tile_computation.h"
#include "tests/kernel_checks.h"

namespace {

using namespace kernel_checks;

const KernelUnderTest layerKernels[] = {
    {"mandelbrotGrey3DNowLayer", mandelbrotGrey3DNowLayer, Mandelbrot, false},
    {"mandelbrotPalette3DNowLayer", mandelbrotPalette3DNowLayer, Mandelbrot, true},
    {"juliaGrey3DNowLayer", juliaGrey3DNowLayer, Julia, false},
    {"juliaPalette3DNowLayer", juliaPalette3DNowLayer, Julia, true},
};

const KernelUnderTest nativeKernels[] = {
    {"mandelbrotGrey3DNow", mandelbrotGrey3DNow, Mandelbrot, false},
    {"mandelbrotPalette3DNow", mandelbrotPalette3DNow, Mandelbrot, true},
    {"juliaGrey3DNow", juliaGrey3DNow, Julia, false},
    {"juliaPalette3DNow", juliaPalette3DNow, Julia, true},
};

// The 3DNow! kernels this processor can run: the layer always, the native ones with 3DNow!.
std::vector<KernelUnderTest> runnableKernels() {
    std::vector<KernelUnderTest> kernels(std::begin(layerKernels), std::end(layerKernels));
    if (detect3DNow())
        kernels.insert(kernels.end(), std::begin(nativeKernels), std::end(nativeKernels));
    return kernels;
}

const char NoThreeDNow[] =
    "no 3DNow! here; the emulated test runs this under qemu-x86_64 -cpu phenom";

class ThreeDNowKernels : public ::testing::Test {
  protected:
    void SetUp() override { loadTellingPalette(); }
    void TearDown() override { useThreeDNowLayer(false); }
};

// --- the layer against the instructions ---------------------------------------------------

// Runs instruction a, b (a is the destination) on the processor; the result's 64 bits.
#define NATIVE_PAIR_INSTRUCTION(function, instruction)                                             \
    PackedPair function(PackedPair a, PackedPair b) {                                              \
        asm volatile("movq %0, %%mm0\n\t" instruction " %1, %%mm0\n\t"                             \
                     "movq %%mm0, %0\n\t"                                                          \
                     "femms"                                                                       \
                     : "+m"(a)                                                                     \
                     : "m"(b)                                                                      \
                     : "mm0", "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)", "st(6)",          \
                       "st(7)");                                                                   \
        return a;                                                                                  \
    }

NATIVE_PAIR_INSTRUCTION(nativePfadd, "pfadd")
NATIVE_PAIR_INSTRUCTION(nativePfmul, "pfmul")
NATIVE_PAIR_INSTRUCTION(nativePfsubr, "pfsubr")
NATIVE_PAIR_INSTRUCTION(nativePfacc, "pfacc")
NATIVE_PAIR_INSTRUCTION(nativePfcmpgt, "pfcmpgt")
NATIVE_PAIR_INSTRUCTION(nativePunpckldq, "punpckldq")
NATIVE_PAIR_INSTRUCTION(nativePunpckhdq, "punpckhdq")

PackedPair nativeMovdIn(float value) {
    PackedPair r = {-1.0f, -1.0f};
    asm volatile("movd %1, %%mm0\n\t"
                 "movq %%mm0, %0\n\t"
                 "femms"
                 : "=m"(r)
                 : "m"(value)
                 : "mm0", "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)", "st(6)", "st(7)");
    return r;
}

uint32_t nativeMovdOut(PackedPair a) {
    uint32_t r;
    asm volatile("movq %1, %%mm0\n\t"
                 "movd %%mm0, %0\n\t"
                 "femms"
                 : "=r"(r)
                 : "m"(a)
                 : "mm0", "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)", "st(6)", "st(7)");
    return r;
}

bool sameBits(PackedPair a, PackedPair b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::string show(PackedPair p) {
    char text[96];
    std::snprintf(text, sizeof text, "(%a, %a)", p.low, p.high);
    return text;
}

TEST_F(ThreeDNowKernels, LayerFunctionsFollowTheirInstructions) {
    if (!detect3DNow()) GTEST_SKIP() << NoThreeDNow;
    struct Instruction {
        const char* name;
        PackedPair (*layer)(PackedPair, PackedPair);
        PackedPair (*native)(PackedPair, PackedPair);
    };
    const Instruction instructions[] = {
        {"pfadd", pfadd, nativePfadd},
        {"pfmul", pfmul, nativePfmul},
        {"pfsubr", pfsubr, nativePfsubr},
        {"pfacc", pfacc, nativePfacc},
        {"pfcmpgt", pfcmpgt, nativePfcmpgt},
        {"punpckldq", punpckldq, nativePunpckldq},
        {"punpckhdq", punpckhdq, nativePunpckhdq},
    };
    // Distinct lanes, so that a swapped operand or lane shows; rounding cases; equal values.
    const PackedPair operands[] = {
        {1.5f, -2.25f},
        {0.1f, 3.0f},
        {4.0f, 4.0f},
        {4.0f, 3.99999976f},
        {0.0f, -0.0f},
        {-7.75f, 1e-3f},
        {1.0f / 3.0f, 2.0f / 3.0f},
        {16777216.0f, 1.0f},
    };
    for (const Instruction& instruction : instructions)
        for (PackedPair a : operands)
            for (PackedPair b : operands) {
                const PackedPair mine = instruction.layer(a, b);
                const PackedPair theirs = instruction.native(a, b);
                EXPECT_TRUE(sameBits(mine, theirs))
                    << instruction.name << " " << show(a) << ", " << show(b) << ": layer "
                    << show(mine) << ", processor " << show(theirs);
            }
    for (PackedPair a : operands) {
        EXPECT_TRUE(sameBits(movd(a.high), nativeMovdIn(a.high))) << show(a);
        EXPECT_EQ(movd(a), nativeMovdOut(a)) << show(a);
    }
}

// --- the kernels' contract -------------------------------------------------------------------

TEST_F(ThreeDNowKernels, EscapeCasesInBothColourings) {
    for (const KernelUnderTest& k : runnableKernels())
        for (const EscapeCase& c : escapeCases)
            if (c.kind == k.kind) expectUniformTile(k, c);
}

TEST_F(ThreeDNowKernels, TilesWhereAllOrNoneEscapeAtOnce) {
    for (const KernelUnderTest& k : runnableKernels()) expectWholeTileCounts(k);
}

TEST_F(ThreeDNowKernels, ShortBinaryFractionsGiveOneColourUnderAllThreeFamilies) {
    std::vector<KernelUnderTest> kernels = runnableKernels();
    const KernelUnderTest others[] = {
        {"mandelbrotGreyPortable", mandelbrotGreyPortable, Mandelbrot, false},
        {"mandelbrotPalettePortable", mandelbrotPalettePortable, Mandelbrot, true},
        {"juliaGreyPortable", juliaGreyPortable, Julia, false},
        {"juliaPalettePortable", juliaPalettePortable, Julia, true},
        {"mandelbrotGreyX87", mandelbrotGreyX87, Mandelbrot, false},
        {"mandelbrotPaletteX87", mandelbrotPaletteX87, Mandelbrot, true},
        {"juliaGreyX87", juliaGreyX87, Julia, false},
        {"juliaPaletteX87", juliaPaletteX87, Julia, true},
    };
    kernels.insert(kernels.end(), std::begin(others), std::end(others));
    // As the first pixel of a tile; the portable Julia kernels' bound of 2 leaves (1.25, 0) out.
    const EscapeCase points[] = {
        {"(0.75, -1)", Mandelbrot, 0.75, -1.0, {}, 1},
        {"(-1.25, -1)", Mandelbrot, -1.25, -1.0, {}, 2},
        {"(0.5, 0.5)", Mandelbrot, 0.5, 0.5, {}, 4},
        {"(-2, 0)", Mandelbrot, -2.0, 0.0, {}, 0},
        {"Julia (1, 0)", Julia, 1.0, 0.0, {0.0, 0.0}, 0},
    };
    static TileImage tile;
    for (const KernelUnderTest& k : kernels)
        for (const EscapeCase& p : points) {
            if (p.kind != k.kind) continue;
            viewerState.juliaSeed = p.seed;
            k.kernel(tile, p.re, 1.0, p.im, 1.0);
            EXPECT_EQ(pixelAt(tile, 0, 0), colourOf(k.palette, p.iteration))
                << k.name << " " << p.name;
        }
}

// Under the Julia seed (-2, 0) the point (2, 0) stays at 2 with |z|^2 = 4, while any real part
// above 2 escapes at the first iteration.
TEST_F(ThreeDNowKernels, FirstPixelsLieAtTheOriginRoundedToSinglePrecision) {
    static TileImage tile;
    viewerState.juliaSeed = {-2.0, 0.0};
    for (const KernelUnderTest& k : runnableKernels()) {
        if (k.kind != Julia) continue;
        SCOPED_TRACE(k.name);
        // 2 + 3/4 of the single-precision spacing at 2 rounds up, 2 + 1/4 of it down.
        k.kernel(tile, 2.0 + 0x3p-24, 1.0, 0.0, 1.0);
        EXPECT_EQ(pixelAt(tile, 0, 0), colourOf(k.palette, 1));
        k.kernel(tile, 2.0 + 0x1p-24, 1.0, 0.0, 1.0);
        EXPECT_EQ(pixelAt(tile, 0, 0), colourOf(k.palette, 0));
        // Every row starts again at exactly 2, not where the last row's additions ended.
        k.kernel(tile, 2.0, 0x1p-12, 0.0, 0.0);
        for (int j = 0; j < TileSide; ++j) {
            EXPECT_EQ(pixelAt(tile, 0, j), colourOf(k.palette, 0)) << "row " << j;
            EXPECT_EQ(pixelAt(tile, 1, j), colourOf(k.palette, 1)) << "row " << j;
        }
    }
}

// The kernels' definition in plain float arithmetic, pixel by pixel: coordinates accumulated in
// single precision from the rounded origin, the iteration in the order of the lanes.
struct ReferenceTile {
    int iterations[TileSide][TileSide]; // [j][i], 0 for a point that stayed
    uint32_t count;
};

int referenceIteration(float zr, float zi, float cr, float ci, uint32_t& count) {
    for (int m = 1; m <= 100; ++m) {
        const float nr = (zr * zr + -(zi * zi)) + cr;
        const float ni = (zr * zi + zr * zi) + ci;
        zr = nr;
        zi = ni;
        ++count;
        if (zi * zi + zr * zr > 4.0f) return m;
    }
    return 0;
}

void referenceTile(ReferenceTile& out, bool julia, double x0, double dx, double y0, double dy) {
    const float sx = float(dx / 256.0), sy = float(dy / 256.0);
    const float seedRe = float(viewerState.juliaSeed.re), seedIm = float(viewerState.juliaSeed.im);
    out.count = 0;
    float pi = float(y0);
    for (int j = 0; j < TileSide; ++j) {
        float pr = float(x0);
        for (int i = 0; i < TileSide; ++i) {
            out.iterations[j][i] = julia ? referenceIteration(pr, pi, seedRe, seedIm, out.count)
                                         : referenceIteration(pr, pi, pr, pi, out.count);
            pr += sx;
        }
        pi += sy;
    }
}

struct TileView {
    const char* name;
    double x0, dx, y0, dy;
    JuliaSeed seed;
};

// A tile 2^-17 wide at real parts near -1.5: the column step 2^-25 is below half the spacing
// 2^-23 of single precision there.
constexpr TileView collapsingTile = {"rows collapse", -1.4968,      0x1p-17, 0.0,
                                     0x1p-17,         {0.285, 0.01}};

const TileView referenceViews[] = {
    {"upper-left tile of the initial view", -1.25, 1.0, 0.0, 1.0, {-0.8, 0.156}},
    {"boundary, inexact step", -0.7436439, 1e-4, 0.1318259, 1e-4, {-0.8, 0.156}},
    {"seahorse valley", -0.75, 0.1, 0.05, 0.1, {-0.4, 0.6}},
    collapsingTile,
};

TEST_F(ThreeDNowKernels, TilesAreBitExactToTheSinglePrecisionDefinition) {
    static TileImage tile;
    static ReferenceTile expected;
    for (const TileView& v : referenceViews)
        for (const KernelUnderTest& k : runnableKernels()) {
            SCOPED_TRACE(std::string(k.name) + ", " + v.name);
            viewerState.juliaSeed = v.seed;
            viewerState.iterationCount = 0;
            k.kernel(tile, v.x0, v.dx, v.y0, v.dy);
            referenceTile(expected, k.kind == Julia, v.x0, v.dx, v.y0, v.dy);
            EXPECT_EQ(viewerState.iterationCount, expected.count);
            int wrong = 0;
            for (int j = 0; j < TileSide; ++j)
                for (int i = 0; i < TileSide; ++i)
                    wrong +=
                        iterationOf(k.palette, pixelAt(tile, i, j)) != expected.iterations[j][i];
            EXPECT_EQ(wrong, 0);
        }
}

int distinctColoursInRow(const TileImage& tile, int j) {
    std::set<uint32_t> colours;
    for (int i = 0; i < TileSide; ++i) {
        const Rgb c = pixelAt(tile, i, j);
        colours.insert(c.red << 16 | c.green << 8 | c.blue);
    }
    return int(colours.size());
}

TEST_F(ThreeDNowKernels, DeepZoomRowsTakeTheColourOfTheirFirstPixel) {
    static TileImage tile;
    const TileView& v = collapsingTile;
    for (const KernelUnderTest& k : runnableKernels()) {
        if (k.kind != Mandelbrot) continue;
        k.kernel(tile, v.x0, v.dx, v.y0, v.dy);
        int rowsOfOneColour = 0;
        for (int j = 0; j < TileSide; ++j) rowsOfOneColour += distinctColoursInRow(tile, j) == 1;
        EXPECT_EQ(rowsOfOneColour, TileSide) << k.name;
    }
    // Extended precision still tells the pixels of a row apart.
    mandelbrotPaletteX87(tile, v.x0, v.dx, v.y0, v.dy);
    int rowsWithDetail = 0;
    for (int j = 0; j < TileSide; ++j) rowsWithDetail += distinctColoursInRow(tile, j) > 1;
    EXPECT_GT(rowsWithDetail, TileSide / 2);
}

// --- native against layer --------------------------------------------------------------------

struct PictureCase {
    const char* name;
    FractalKind kind;
    ViewRegion view;
    JuliaSeed seed;
};

const PictureCase pictureCases[] = {
    {"initial view", Mandelbrot, InitialView, {}},
    {"deep zoom, rows collapse", Mandelbrot, {-1.4968, 0x1p-16, 0.0, 0x1p-16}, {}},
    {"deep zoom on a Julia set", Julia, {-1.2, 0x1p-16, 0.1, 0x1p-16}, {-0.8, 0.156}},
    {"tile origin at (-2, 0)", Mandelbrot, {-2.0, 0.5, -0.25, 0.5}, {}},
    {"Julia set of -0.8 + 0.156i", Julia, InitialView, {-0.8, 0.156}},
    {"Julia set of 0.285 + 0.01i", Julia, {-1.5, 3.0, -1.2, 2.4}, {0.285, 0.01}},
    {"Julia, (2, 0) on the bound", Julia, {1.5, 1.0, -0.5, 1.0}, {-2.0, 0.0}},
};

struct Picture {
    TileImage tiles[4];
    uint32_t iterationCount;
};

void computePicture(Picture& picture, const PictureCase& c, ComputeMethod method, bool layer) {
    viewerState.kind = c.kind;
    viewerState.view = c.view;
    viewerState.juliaSeed = c.seed;
    viewerState.method = method;
    useThreeDNowLayer(layer);
    computeTilesInMemory(picture.tiles);
    picture.iterationCount = viewerState.iterationCount;
}

TEST_F(ThreeDNowKernels, NativeKernelsGiveTheLayersTilesAndCounts) {
    if (!detect3DNow()) GTEST_SKIP() << NoThreeDNow;
    static Picture native, layer;
    for (const PictureCase& c : pictureCases)
        for (ComputeMethod method : {Grey3DNow, Palette3DNow}) {
            SCOPED_TRACE(std::string(c.name) + ", method " + std::to_string(method));
            computePicture(native, c, method, false);
            computePicture(layer, c, method, true);
            EXPECT_EQ(native.iterationCount, layer.iterationCount);
            for (int t = 0; t < 4; ++t)
                EXPECT_EQ(std::memcmp(native.tiles[t].pixels, layer.tiles[t].pixels, TileBytes), 0)
                    << "tile " << t;
        }
}

} // namespace
