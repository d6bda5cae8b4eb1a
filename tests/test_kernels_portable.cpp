// test_kernels_portable.cpp -- the portable kernels against the escape-time definition
#include <gtest/gtest.h>

#include <cstring>

#include "engine/kernels.h"
#include "engine/viewer_state.h"
#include "ui/palette.h"

namespace {

// Palette entries that tell every entry apart, with entries 0 and 1 far from black.
void fillTestPalette() {
    for (int k = 0; k < 256; ++k)
        PaletteTable[k] = {uint8_t(k), uint8_t(255 - k), uint8_t(k ^ 0x5A), 0};
}

struct PointResult {
    unsigned red, green, blue;
    uint32_t iterations;
};

// A tile with zero extent holds one point in all its pixels; the count of the whole tile is
// 65,536 times that point's iterations.
PointResult computePoint(TileKernel kernel, double re, double im) {
    static TileImage tile;
    std::memset(tile.pixels, 0xAA, sizeof tile.pixels);
    viewerState.iterationCount = 0;
    kernel(tile, re, 0.0, im, 0.0);
    for (int p = 1; p < TileSide * TileSide; ++p)
        EXPECT_EQ(std::memcmp(tile.pixels, tile.pixels + 3 * p, 3), 0) << "pixel " << p;
    EXPECT_EQ(viewerState.iterationCount % 65536, 0u);
    return {tile.pixels[0], tile.pixels[1], tile.pixels[2], viewerState.iterationCount / 65536};
}

struct PointCase {
    const char* name;
    double re, im;
    JuliaSeed seed;
    int escapeIteration; // 0: never escapes
};

void expectPoint(TileKernel grey, TileKernel palette, const PointCase& c) {
    SCOPED_TRACE(c.name);
    viewerState.juliaSeed = c.seed;
    fillTestPalette();
    const PointResult g = computePoint(grey, c.re, c.im);
    const PointResult p = computePoint(palette, c.re, c.im);
    const uint32_t iterations = c.escapeIteration ? c.escapeIteration : 100;
    EXPECT_EQ(g.iterations, iterations);
    EXPECT_EQ(p.iterations, iterations);
    if (c.escapeIteration) {
        const unsigned level = 155 + c.escapeIteration;
        EXPECT_EQ(g.red, level);
        EXPECT_EQ(g.green, level);
        EXPECT_EQ(g.blue, level);
        const PaletteEntry& e = PaletteTable[c.escapeIteration + 1];
        EXPECT_EQ(p.red, e.red);
        EXPECT_EQ(p.green, e.green);
        EXPECT_EQ(p.blue, e.blue);
    } else {
        EXPECT_EQ(g.red | g.green | g.blue, 0u);
        EXPECT_EQ(p.red | p.green | p.blue, 0u);
    }
}

TEST(PortableKernels, MandelbrotPointsEscapeAtTheirIteration) {
    const PointCase cases[] = {
        {"first iteration", 0.75, -1.0, {}, 1},
        {"lower-left corner of the initial view", -1.25, -1.0, {}, 2},
        {"(0.5, 0.5)", 0.5, 0.5, {}, 4},
        {"|z|^2 stays exactly 4 at (-2, 0)", -2.0, 0.0, {}, 0},
        {"origin", 0.0, 0.0, {}, 0},
    };
    for (const PointCase& c : cases)
        expectPoint(mandelbrotGreyPortable, mandelbrotPalettePortable, c);
}

TEST(PortableKernels, JuliaKernelsEscapeBeyondTwo) {
    const PointCase cases[] = {
        {"|z1|^2 = 2.44 > 2 with seed 0", 1.25, 0.0, {0.0, 0.0}, 1},
        {"fixed point 1 with seed 0", 1.0, 0.0, {0.0, 0.0}, 0},
        {"fixed point 2 with seed -2: |z|^2 = 4 escapes the bound 2", 2.0, 0.0, {-2.0, 0.0}, 1},
    };
    for (const PointCase& c : cases) expectPoint(juliaGreyPortable, juliaPalettePortable, c);
}

// Around the upper half of the set escape times run through all 100 values: the grey tile uses
// every level from 156 to 255 and the palette tile the matching entries 2 to 101.
TEST(PortableKernels, EscapeIterationsOneToHundredMapToTheirColours) {
    fillTestPalette();
    static TileImage grey, palette;
    mandelbrotGreyPortable(grey, -2.0, 2.5, 0.0, 1.25);
    mandelbrotPalettePortable(palette, -2.0, 2.5, 0.0, 1.25);
    bool seen[256] = {};
    for (int p = 0; p < TileSide * TileSide; ++p) {
        const int level = grey.pixels[3 * p];
        seen[level] = true;
        const PaletteEntry expected = level ? PaletteTable[level - 154] : PaletteEntry{0, 0, 0, 0};
        ASSERT_EQ(palette.pixels[3 * p], expected.red) << "pixel " << p;
        ASSERT_EQ(palette.pixels[3 * p + 1], expected.green) << "pixel " << p;
        ASSERT_EQ(palette.pixels[3 * p + 2], expected.blue) << "pixel " << p;
    }
    for (int level = 156; level <= 255; ++level) EXPECT_TRUE(seen[level]) << "grey " << level;
}

// The definition, pixel by pixel, as a second implementation to hold the kernels to.
int referenceColour(double pr, double pi, bool julia, bool palette, uint32_t* count) {
    const double cr = julia ? viewerState.juliaSeed.re : pr;
    const double ci = julia ? viewerState.juliaSeed.im : pi;
    double zr = pr, zi = pi;
    for (int n = 1; n <= 100; ++n) {
        const double re = (zr * zr - zi * zi) + cr;
        const double im = ci - (zr * zi) * -2.0;
        zr = re;
        zi = im;
        ++*count;
        if (zi * zi + zr * zr > (julia ? 2.0 : 4.0)) return palette ? n + 1 : n + 155;
    }
    return -1;
}

void expectTileMatchesDefinition(TileKernel kernel, bool julia, bool palette, double x0, double dx,
                                 double y0, double dy) {
    static TileImage tile;
    std::memset(tile.pixels, 0x77, sizeof tile.pixels);
    viewerState.iterationCount = 5; // kernels add to the count, they never reset it
    kernel(tile, x0, dx, y0, dy);
    uint32_t count = 5;
    int mismatches = 0;
    for (int j = 0; j < TileSide; ++j)
        for (int i = 0; i < TileSide; ++i) {
            const double pr = x0 - (i * dx) * -0.00390625;
            const double pi = y0 - (j * dy) * -0.00390625;
            const int colour = referenceColour(pr, pi, julia, palette, &count);
            uint8_t expected[3] = {0, 0, 0};
            if (colour >= 0 && palette) {
                expected[0] = PaletteTable[colour].red;
                expected[1] = PaletteTable[colour].green;
                expected[2] = PaletteTable[colour].blue;
            } else if (colour >= 0) {
                expected[0] = expected[1] = expected[2] = uint8_t(colour);
            }
            if (std::memcmp(tile.pixels + (256 * j + i) * 3, expected, 3) != 0 && ++mismatches < 5)
                ADD_FAILURE() << "pixel (" << i << ", " << j << ")";
        }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(viewerState.iterationCount, count);
}

TEST(PortableKernels, WholeTilesFollowTheDefinition) {
    fillTestPalette();
    viewerState.juliaSeed = {-0.8, 0.156};
    struct View {
        double x0, dx, y0, dy;
    };
    const View views[] = {
        {-1.25, 1.0, 0.0, 1.0},                   // a tile of the initial view
        {-0.7436438 - 0.1, 0.3, 0.1318259, 0.27}, // inexact steps
        {-1.9, 1e-9, 0.0, 3e-10},                 // steps near the resolution of a double
    };
    for (const View& v : views) {
        SCOPED_TRACE(v.x0);
        expectTileMatchesDefinition(mandelbrotGreyPortable, false, false, v.x0, v.dx, v.y0, v.dy);
        expectTileMatchesDefinition(mandelbrotPalettePortable, false, true, v.x0, v.dx, v.y0, v.dy);
        expectTileMatchesDefinition(juliaGreyPortable, true, false, v.x0, v.dx, v.y0, v.dy);
        expectTileMatchesDefinition(juliaPalettePortable, true, true, v.x0, v.dx, v.y0, v.dy);
    }
}

} // namespace
