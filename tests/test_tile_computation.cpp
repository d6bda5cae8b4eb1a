// test_tile_computation.cpp -- tile geometry, the iteration count and the tile textures
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstring>
#include <vector>

#include "engine/kernels.h"
#include "engine/tile_computation.h"
#include "engine/vector_tiles.h"
#include "tests/support/gl_context.h"
#include "ui/palette.h"

namespace {

TileImage tiles[4];

void setState(FractalKind kind, ComputeMethod method, ViewRegion view, JuliaSeed seed = {}) {
    viewerState.kind = kind;
    viewerState.method = method;
    viewerState.view = view;
    viewerState.juliaSeed = seed;
}

// Unit squares, so the kernel steps by 1/256 from the tile's lower-left corner.
TEST(TileComputation, InitialViewTilesAreUnitSquaresAroundTheOrigin) {
    const TileOrigin expected[4] = {{-1.25, 0.0}, {-0.25, 0.0}, {-1.25, -1.0}, {-0.25, -1.0}};
    static TileImage direct;
    setState(Mandelbrot, GreyPortable, InitialView);
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(tileOrigin(InitialView, t).x, expected[t].x) << "tile " << t;
        EXPECT_EQ(tileOrigin(InitialView, t).y, expected[t].y) << "tile " << t;
        computeTile(tiles[t], t, Mandelbrot);
        mandelbrotGreyPortable(direct, expected[t].x, 1.0, expected[t].y, 1.0);
        EXPECT_EQ(std::memcmp(tiles[t].pixels, direct.pixels, TileBytes), 0) << "tile " << t;
    }
}

// Every pixel iterates 1 to 100 times, counted from zero for each computation.
TEST(TileComputation, CountsEveryIterationOfTheFourTiles) {
    const struct {
        ViewRegion view;
        uint32_t least, most;
    } cases[] = {
        {InitialView, 262144, 26214400},
        {{2.0, 1.0, 2.0, 1.0}, 262144, 262144},       // all escape at once
        {{-0.1, 0.2, -0.1, 0.2}, 26214400, 26214400}, // none escapes
    };
    for (const auto& c : cases) {
        setState(Mandelbrot, GreyPortable, c.view);
        viewerState.iterationCount = 12345;
        computeTilesInMemory(tiles);
        EXPECT_GE(viewerState.iterationCount, c.least) << c.view.x;
        EXPECT_LE(viewerState.iterationCount, c.most) << c.view.x;
    }
}

// Methods 0 and 3 iterate alike: the same count and the same black pixels, for both kinds.
TEST(TileComputation, GreyAndPaletteMethodsAgreeOnCountAndBlackPixels) {
    for (int k = 0; k < 256; ++k) PaletteTable[k] = {uint8_t(k), 0, 0, 0};
    static TileImage grey[4];
    for (FractalKind kind : {Mandelbrot, Julia}) {
        SCOPED_TRACE(kind);
        setState(kind, GreyPortable, {-0.9, 0.5, 0.0, 0.5}, {-0.8, 0.156});
        computeTilesInMemory(grey);
        const uint32_t greyCount = viewerState.iterationCount;
        viewerState.method = PalettePortable;
        computeTilesInMemory(tiles);
        EXPECT_EQ(viewerState.iterationCount, greyCount);
        int black = 0, differ = 0;
        for (int t = 0; t < 4; ++t)
            for (int p = 0; p < TileSide * TileSide; ++p) {
                black += grey[t].pixels[3 * p] == 0;
                differ += (grey[t].pixels[3 * p] == 0) != (tiles[t].pixels[3 * p] == 0);
            }
        EXPECT_GT(black, 0);
        EXPECT_EQ(differ, 0);
    }
}

// Columns spread over threads, each counting on its own, make the portable tiles and count.
TEST(TileComputation, VectorisedThreadsGiveThePortableTilesAndCount) {
    static TileImage vectorised[4];
    for (FractalKind kind : {Mandelbrot, Julia})
        for (ComputeMethod method : {GreyPortable, PalettePortable}) {
            SCOPED_TRACE(testing::Message() << "kind " << kind << ", method " << method);
            setState(kind, method, {-0.9, 0.5, 0.0, 0.5}, {-0.8, 0.156});
            computeTilesInMemory(tiles);
            const uint32_t count = viewerState.iterationCount;
            for (int threads : {1, 3}) {
                viewerState.iterationCount = 7;
                computeTilesVectorised(vectorised, threads);
                EXPECT_EQ(viewerState.iterationCount, count) << threads << " threads";
                for (int t = 0; t < 4; ++t)
                    EXPECT_EQ(std::memcmp(vectorised[t].pixels, tiles[t].pixels, TileBytes), 0)
                        << threads << " threads, tile " << t;
            }
        }
}

TEST(TileTextures, RecomputationsKeepExactlyFourTextures) {
    useTestGlContext();
    const auto liveTextures = [] {
        int live = 0;
        for (GLuint name = 1; name < 400; ++name) live += glIsTexture(name);
        return live;
    };
    const int before = liveTextures();
    setState(Mandelbrot, GreyPortable, {-1.0, 0.5, -0.25, 0.5});
    computeMandelbrotTiles();
    for (int i = 0; i < 25; ++i) recomputeImage();
    EXPECT_EQ(liveTextures() - before, 4);
}

// Either entry computes the Julia set when kind is Julia, with the same textures and count.
TEST(TileTextures, TexturesHoldTheTilesWithNearestFiltering) {
    useTestGlContext();
    const struct {
        FractalKind kind;
        void (*entry)();
    } cases[] = {
        {Mandelbrot, recomputeImage}, {Julia, computeJuliaTiles}, {Julia, computeMandelbrotTiles}};
    std::vector<uint8_t> contents(TileBytes);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        setState(c.kind, GreyPortable, {-1.0, 0.5, -0.25, 0.5}, {-0.8, 0.156});
        computeTilesInMemory(tiles);
        const uint32_t count = viewerState.iterationCount;
        glDeleteTextures(4, viewerState.tileTextures); // recomputeImage deletes them anyway
        c.entry();
        EXPECT_EQ(viewerState.iterationCount, count);
        for (int t = 0; t < 4; ++t) {
            glBindTexture(GL_TEXTURE_2D, viewerState.tileTextures[t]);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, contents.data());
            EXPECT_EQ(std::memcmp(contents.data(), tiles[t].pixels, TileBytes), 0) << t;
            GLint minFilter = 0, magFilter = 0;
            glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
            glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
            EXPECT_EQ(minFilter, GL_NEAREST);
            EXPECT_EQ(magFilter, GL_NEAREST);
        }
    }
}

} // namespace
