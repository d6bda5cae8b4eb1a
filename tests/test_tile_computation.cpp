// test_tile_computation.cpp -- the four tiles of each method, their count and their textures
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstring>
#include <vector>

#include "engine/kernels.h"
#include "engine/kernels_3dnow_layer.h"
#include "engine/tile_computation.h"
#include "engine/vector_tiles.h"
#include "tests/support/gl_context.h"

namespace {

TileImage tiles[4], expected[4];

void setState(FractalKind kind, ComputeMethod method, ViewRegion view, JuliaSeed seed) {
    viewerState.kind = kind;
    viewerState.method = method;
    viewerState.view = view;
    viewerState.juliaSeed = seed;
}

void expectTiles(const char* what) {
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(std::memcmp(tiles[t].pixels, expected[t].pixels, TileBytes), 0) << what << t;
}

// Tile t of the view (-1.5, -1) + (2.5, 2) is the kernel's over half the view from these corners,
// upper-left, upper-right, lower-left, lower-right; the count starts afresh. The vectorised form
// over one thread and more gives the portable methods' tiles and count.
TEST(TileComputation, EachMethodComputesTheFourTilesOfTheView) {
    const TileKernel kernels[2][6] = {
        {mandelbrotGreyPortable, mandelbrotGreyX87, mandelbrotGrey3DNowLayer,
         mandelbrotPalettePortable, mandelbrotPaletteX87, mandelbrotPalette3DNowLayer},
        {juliaGreyPortable, juliaGreyX87, juliaGrey3DNowLayer, juliaPalettePortable,
         juliaPaletteX87, juliaPalette3DNowLayer}};
    const double corners[4][2] = {{-1.5, 0.0}, {-0.25, 0.0}, {-1.5, -1.0}, {-0.25, -1.0}};
    useThreeDNowLayer(true);
    for (FractalKind kind : {Mandelbrot, Julia})
        for (int method = 0; method < 6; ++method) {
            SCOPED_TRACE(testing::Message() << "kind " << kind << ", method " << method);
            setState(kind, ComputeMethod(method), {-1.5, 2.5, -1.0, 2.0}, {-0.8, 0.156});
            viewerState.iterationCount = 0;
            for (int t = 0; t < 4; ++t)
                kernels[kind][method](expected[t], corners[t][0], 1.25, corners[t][1], 1.0);
            const uint32_t count = viewerState.iterationCount;
            computeTilesInMemory(tiles);
            EXPECT_EQ(viewerState.iterationCount, count);
            expectTiles("tile ");
            for (int threads : {1, 3}) {
                if (method != GreyPortable && method != PalettePortable) continue;
                viewerState.iterationCount = 7;
                computeTilesVectorised(tiles, threads);
                EXPECT_EQ(viewerState.iterationCount, count);
                expectTiles(threads == 1 ? "one thread, tile " : "three threads, tile ");
            }
        }
    useThreeDNowLayer(false);
}

// Each entry leaves exactly four live textures, holding the tiles with nearest filtering; either
// first entry computes the Julia set when kind is Julia.
TEST(TileTextures, HoldTheTilesWithNearestFiltering) {
    useTestGlContext();
    const auto liveTextures = [] {
        int live = 0;
        for (GLuint name = 1; name < 100; ++name) live += glIsTexture(name);
        return live;
    };
    const int before = liveTextures();
    const struct {
        FractalKind kind;
        void (*entry)();
    } cases[] = {{Mandelbrot, computeMandelbrotTiles},
                 {Mandelbrot, recomputeImage},
                 {Julia, recomputeImage},
                 {Julia, computeMandelbrotTiles},
                 {Julia, computeJuliaTiles},
                 {Mandelbrot, recomputeImage}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << ", case " << &c - cases);
        setState(c.kind, GreyPortable, {-1.0, 0.5, -0.25, 0.5}, {-0.8, 0.156});
        computeTilesInMemory(expected);
        const uint32_t count = viewerState.iterationCount;
        // The first entries are for a fresh rendering context: they make names without deleting.
        if (c.entry != recomputeImage) glDeleteTextures(4, viewerState.tileTextures);
        c.entry();
        EXPECT_EQ(viewerState.iterationCount, count);
        EXPECT_EQ(liveTextures() - before, 4);
        for (int t = 0; t < 4; ++t) {
            glBindTexture(GL_TEXTURE_2D, viewerState.tileTextures[t]);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, tiles[t].pixels);
            GLint minFilter = 0, magFilter = 0;
            glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
            glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
            EXPECT_EQ(minFilter, GL_NEAREST);
            EXPECT_EQ(magFilter, GL_NEAREST);
        }
        expectTiles("texture ");
    }
}

} // namespace
