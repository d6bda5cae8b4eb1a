// test_kernels_x87.cpp -- the x87 kernels: escape cases, bit-exact tiles, coordinate rules and
// the caller's x87 state
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "engine/kernels.h"
#include "platform/x87_control.h"
#include "tests/kernel_checks.h"

namespace {

using namespace kernel_checks;

const KernelUnderTest x87Kernels[] = {
    {"mandelbrotGreyX87", mandelbrotGreyX87, Mandelbrot, false},
    {"mandelbrotPaletteX87", mandelbrotPaletteX87, Mandelbrot, true},
    {"juliaGreyX87", juliaGreyX87, Julia, false},
    {"juliaPaletteX87", juliaPaletteX87, Julia, true},
};

constexpr uint16_t StandingControlWord = 0x037F;

class X87Kernels : public ::testing::Test {
  protected:
    void SetUp() override {
        loadX87ControlWord(StandingControlWord);
        loadTellingPalette();
    }
    void TearDown() override { loadX87ControlWord(StandingControlWord); }
};

TEST_F(X87Kernels, EscapeCasesInBothColourings) {
    for (const KernelUnderTest& k : x87Kernels)
        for (const EscapeCase& c : escapeCases)
            if (c.kind == k.kind) expectUniformTile(k, c);
}

TEST_F(X87Kernels, TilesWhereAllOrNoneEscapeAtOnce) {
    for (const KernelUnderTest& k : x87Kernels) expectWholeTileCounts(k);
}

// The kernels' definition in long double arithmetic, which GCC maps to the x87 unit, run under
// the standing word 0x037F: every operation rounds to a 64-bit significand, as in the kernels.
struct ReferenceTile {
    int iterations[TileSide][TileSide]; // [j][i], 0 for a point that stayed
    uint32_t count;
};

int referenceIteration(long double zr, long double zi, long double cr, long double ci,
                       uint32_t& count) {
    for (int m = 1; m <= 100; ++m) {
        const long double nr = (zr * zr - zi * zi) + cr;
        const long double ni = ((zr + zr) * zi) + ci;
        zr = nr;
        zi = ni;
        ++count;
        if (zr * zr + zi * zi > 4.0L) return m;
    }
    return 0;
}

void referenceTile(ReferenceTile& out, bool julia, bool accumulated, double x0, double dx,
                   double y0, double dy) {
    const double stepX = double(dx / 256.0L);
    const double stepY = double(dy / 256.0L);
    const JuliaSeed seed = viewerState.juliaSeed;
    out.count = 0;
    long double pi = y0;
    for (int j = 0; j < TileSide; ++j) {
        long double pr = x0;
        for (int i = 0; i < TileSide; ++i) {
            out.iterations[j][i] = julia ? referenceIteration(pr, pi, seed.re, seed.im, out.count)
                                         : referenceIteration(pr, pi, pr, pi, out.count);
            pr = accumulated ? pr + stepX : (long double)(i + 1) * stepX + x0;
        }
        pi = accumulated ? pi + stepY : (long double)(j + 1) * stepY + y0;
    }
}

struct TileView {
    const char* name;
    double x0, dx, y0, dy;
    JuliaSeed seed;
};

const TileView referenceViews[] = {
    {"upper-left tile of the initial view", -1.25, 1.0, 0.0, 1.0, {-0.8, 0.156}},
    {"boundary, inexact step", -0.7436439, 1e-4, 0.1318259, 1e-4, {-0.8, 0.156}},
    {"around i, step below a double's spacing",
     -0.5e-14,
     1e-14,
     1.0 - 0.5e-14,
     1e-14,
     {0.285, 0.01}},
    {"seahorse valley", -0.75, 0.1, 0.05, 0.1, {-0.4, 0.6}},
};

TEST_F(X87Kernels, TilesAreBitExactToTheirDefinition) {
    static TileImage tile;
    static ReferenceTile expected;
    for (const TileView& v : referenceViews)
        for (const KernelUnderTest& k : x87Kernels) {
            SCOPED_TRACE(std::string(k.name) + ", " + v.name);
            viewerState.juliaSeed = v.seed;
            viewerState.iterationCount = 0;
            k.kernel(tile, v.x0, v.dx, v.y0, v.dy);
            const bool accumulated = k.kernel == mandelbrotPaletteX87;
            referenceTile(expected, k.kind == Julia, accumulated, v.x0, v.dx, v.y0, v.dy);
            EXPECT_EQ(viewerState.iterationCount, expected.count);
            int wrong = 0;
            for (int j = 0; j < TileSide; ++j)
                for (int i = 0; i < TileSide; ++i)
                    wrong +=
                        iterationOf(k.palette, pixelAt(tile, i, j)) != expected.iterations[j][i];
            EXPECT_EQ(wrong, 0);
        }
}

// Escape iterations along row 0 and column 0 of a tile under mandelbrotGreyX87 (recomputed
// coordinates) and mandelbrotPaletteX87 (accumulated ones).
using Six = std::array<int, 6>;
struct RuleComparison {
    Six recomputedRow, accumulatedRow, recomputedColumn, accumulatedColumn;
};

RuleComparison compareRules(double x0, double dx, double y0, double dy) {
    static TileImage grey, palette;
    mandelbrotGreyX87(grey, x0, dx, y0, dy);
    mandelbrotPaletteX87(palette, x0, dx, y0, dy);
    RuleComparison r;
    for (int k = 0; k < 6; ++k) {
        r.recomputedRow[k] = iterationOf(false, pixelAt(grey, k, 0));
        r.accumulatedRow[k] = iterationOf(true, pixelAt(palette, k, 0));
        r.recomputedColumn[k] = iterationOf(false, pixelAt(grey, 0, k));
        r.accumulatedColumn[k] = iterationOf(true, pixelAt(palette, 0, k));
    }
    return r;
}

int pixelsWhereTheRulesDiffer(double x0, double dx, double y0, double dy) {
    static TileImage grey, palette;
    mandelbrotGreyX87(grey, x0, dx, y0, dy);
    mandelbrotPaletteX87(palette, x0, dx, y0, dy);
    int differ = 0;
    for (int j = 0; j < TileSide; ++j)
        for (int i = 0; i < TileSide; ++i)
            differ += iterationOf(false, pixelAt(grey, i, j)) !=
                      iterationOf(true, pixelAt(palette, i, j));
    return differ;
}

// A step of 3/8 of the spacing of 64-bit significands at 1.0 (2^-63): added to 1.0 it rounds
// away every time, so accumulated coordinates stay at 1.0, while 2 * step + 1.0 and beyond
// round up to the next number.
constexpr double BelowHalfSpacing = 0x3p-66;

TEST_F(X87Kernels, AccumulatedAndRecomputedCoordinatesDifferOnlyWhereAdditionsRound) {
    // The initial view's origins and step 0.00390625 are short binary fractions.
    EXPECT_EQ(pixelsWhereTheRulesDiffer(-1.25, 1.0, 0.0, 1.0), 0);
    EXPECT_EQ(pixelsWhereTheRulesDiffer(-0.25, 1.0, -1.0, 1.0), 0);

    // Along the real axis at c = 1: |c^2 + c|^2 is exactly 4, so c = 1 escapes at iteration 2
    // and anything above 1 at iteration 1.
    const double dx = 256 * BelowHalfSpacing;
    RuleComparison r = compareRules(1.0, dx, 0.0, 0.0);
    EXPECT_EQ(r.accumulatedRow, (Six{2, 2, 2, 2, 2, 2}));
    EXPECT_EQ(r.recomputedRow, (Six{2, 2, 1, 1, 1, 1}));

    // Up the imaginary axis at c = i, which is periodic and never escapes; any point above it
    // leaves the repelling cycle and escapes within 100 iterations.
    r = compareRules(0.0, 0.0, 1.0, dx);
    EXPECT_EQ(r.accumulatedColumn, (Six{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(r.recomputedColumn[0], 0);
    EXPECT_EQ(r.recomputedColumn[1], 0);
    for (int k = 2; k < 6; ++k) EXPECT_GT(r.recomputedColumn[k], 40) << "row " << k;
}

// The tag word of the x87 environment: 0xFFFF when the register stack is empty.
uint16_t x87TagWord() {
    unsigned char environment[28];
    asm volatile("fnstenv %0\n\t"
                 "fldenv %0"
                 : "+m"(environment));
    uint16_t tags;
    std::memcpy(&tags, environment + 8, sizeof tags);
    return tags;
}

TEST_F(X87Kernels, LeaveTheCallersControlWordAndAnEmptyStack) {
    static TileImage standing, tile;
    const TileView& v = referenceViews[1];
    const uint16_t words[] = {
        0x037F, // the standing word on Linux: extended precision
        0x027F, // double precision, the standing word where the viewer first ran
        0x007F, // single precision
        0x0F7F, // extended precision, rounding toward zero
        0x077F, // extended precision, rounding down
        0x0B7F, // extended precision, rounding up
    };
    for (const KernelUnderTest& k : x87Kernels) {
        viewerState.juliaSeed = v.seed;
        k.kernel(standing, v.x0, v.dx, v.y0, v.dy);
        for (uint16_t word : words) {
            SCOPED_TRACE(std::string(k.name) + ", starting word " + std::to_string(word));
            loadX87ControlWord(word);
            k.kernel(tile, v.x0, v.dx, v.y0, v.dy);
            const uint16_t after = storeX87ControlWord();
            const uint16_t tags = x87TagWord();
            loadX87ControlWord(StandingControlWord);
            EXPECT_EQ(after, word);
            EXPECT_EQ(tags, 0xFFFF);
            // The kernel computes under its own word, whatever the caller's.
            EXPECT_EQ(std::memcmp(tile.pixels, standing.pixels, TileBytes), 0);
        }
    }
}

} // namespace
