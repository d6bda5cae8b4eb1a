// kernel_checks.h -- what the x87 and 3DNow! kernel tests share: a telling palette, pixel reads,
// and points whose escape iteration is known under the bound 4
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "engine/tile_image.h"
#include "engine/viewer_state.h"
#include "ui/palette.h"

namespace kernel_checks {

struct Rgb {
    uint8_t red, green, blue;
    bool operator==(const Rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << '(' << int(c.red) << ", " << int(c.green) << ", " << int(c.blue) << ')';
}

// Entry k is (k, 255 - k, k ^ 0x5A) with spare byte 0xEE: every entry differs from every grey
// level and from black, entries 0 and 1 included, so a black pixel can only be a point that
// stayed, and a stray spare byte would show.
inline void loadTellingPalette() {
    for (int k = 0; k < 256; ++k)
        PaletteTable[k] = {uint8_t(k), uint8_t(255 - k), uint8_t(k ^ 0x5A), 0xEE};
}

inline Rgb pixelAt(const TileImage& tile, int i, int j) {
    const uint8_t* p = tile.pixels + (TileSide * j + i) * 3;
    return {p[0], p[1], p[2]};
}

// The colour of a pixel that escapes at iteration (1 to 100), or stays (0).
inline Rgb colourOf(bool palette, int iteration) {
    if (iteration == 0) return {0, 0, 0};
    if (!palette)
        return {uint8_t(155 + iteration), uint8_t(155 + iteration), uint8_t(155 + iteration)};
    const PaletteEntry& e = PaletteTable[iteration + 1];
    return {e.red, e.green, e.blue};
}

// The inverse of colourOf under the telling palette; -1 for a colour no kernel writes.
inline int iterationOf(bool palette, Rgb c) {
    for (int n = 0; n <= 100; ++n)
        if (colourOf(palette, n) == c) return n;
    return -1;
}

// A kernel with what a test needs to know about it.
struct KernelUnderTest {
    const char* name;
    TileKernel kernel;
    FractalKind kind;
    bool palette;
};

// A point whose iterates are short binary fractions or stay far from the bound, so that every
// precision gives the same escape iteration (0: stays 100 iterations).
struct EscapeCase {
    const char* name;
    FractalKind kind;
    double re, im;
    JuliaSeed seed;
    int iteration;
};

inline const EscapeCase escapeCases[] = {
    {"first iteration", Mandelbrot, 0.75, -1.0, {}, 1},
    {"corner of the initial view", Mandelbrot, -1.25, -1.0, {}, 2},
    {"short fractions", Mandelbrot, 0.5, 0.5, {}, 4},
    {"hundredth iteration", Mandelbrot, 0.2509307861328125, 0.0, {}, 100},
    {"|z|^2 = 4 at every iteration", Mandelbrot, -2.0, 0.0, {}, 0},
    {"origin", Mandelbrot, 0.0, 0.0, {}, 0},
    {"Julia, second iteration", Julia, 1.25, 0.0, {0.0, 0.0}, 2},
    {"Julia, on the unit circle", Julia, 1.0, 0.0, {0.0, 0.0}, 0},
    {"Julia, |z|^2 = 4 at every iteration", Julia, 2.0, 0.0, {-2.0, 0.0}, 0},
};

// Runs kernel over a tile with zero extent, where all 65,536 pixels are the case's point, and
// checks every pixel's colour and the iterations added to a count that does not start at 0.
inline void expectUniformTile(const KernelUnderTest& k, const EscapeCase& c) {
    SCOPED_TRACE(std::string(k.name) + ", " + c.name);
    static TileImage tile;
    viewerState.juliaSeed = c.seed;
    viewerState.iterationCount = 1234567;
    k.kernel(tile, c.re, 0.0, c.im, 0.0);
    const uint32_t perPixel = c.iteration ? c.iteration : 100;
    EXPECT_EQ(viewerState.iterationCount, 1234567u + 65536u * perPixel);
    const Rgb expected = colourOf(k.palette, c.iteration);
    int wrong = 0;
    for (int j = 0; j < TileSide; ++j)
        for (int i = 0; i < TileSide; ++i) wrong += pixelAt(tile, i, j) != expected;
    EXPECT_EQ(wrong, 0) << "expected " << expected << ", pixel (0, 0) is " << pixelAt(tile, 0, 0);
}

// Real tiles, not single points: one far outside the set, where every point escapes at the first
// iteration, and one inside the disc |c| < 1/4 of the main cardioid, where none escapes.
inline void expectWholeTileCounts(const KernelUnderTest& k) {
    if (k.kind != Mandelbrot) return;
    SCOPED_TRACE(k.name);
    static TileImage tile;
    struct {
        double x0, dx, y0, dy;
        int iteration;
        uint32_t count;
    } const tiles[] = {{2.0, 1.0, 2.0, 1.0, 1, 65536}, {-0.2, 0.2, -0.1, 0.2, 0, 6553600}};
    for (const auto& t : tiles) {
        viewerState.iterationCount = 0;
        k.kernel(tile, t.x0, t.dx, t.y0, t.dy);
        EXPECT_EQ(viewerState.iterationCount, t.count);
        const Rgb expected = colourOf(k.palette, t.iteration);
        int wrong = 0;
        for (int j = 0; j < TileSide; ++j)
            for (int i = 0; i < TileSide; ++i) wrong += pixelAt(tile, i, j) != expected;
        EXPECT_EQ(wrong, 0);
    }
}

} // namespace kernel_checks
