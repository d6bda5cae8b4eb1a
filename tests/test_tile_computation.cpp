// test_tile_computation.cpp -- tile geometry, statistics and the tile textures
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstring>
#include <vector>

#include "engine/kernels.h"
#include "engine/tile_computation.h"
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

TEST(TileGeometry, InitialViewTilesAreUnitSquaresAroundTheOrigin) {
    const TileOrigin expected[4] = {{-1.25, 0.0}, {-0.25, 0.0}, {-1.25, -1.0}, {-0.25, -1.0}};
    for (int t = 0; t < 4; ++t) {
        const TileOrigin origin = tileOrigin(InitialView, t);
        EXPECT_EQ(origin.x, expected[t].x) << "tile " << t;
        EXPECT_EQ(origin.y, expected[t].y) << "tile " << t;
    }
}

// Row 0, column 0 of the upper-left tile is the point (-1.25, 0.0); its neighbours lie one
// pixel step, 2/512, away.
TEST(TileGeometry, InitialViewPixelStepIsOne256th) {
    setState(Mandelbrot, GreyPortable, InitialView);
    computeTile(tiles[0], 0, Mandelbrot);
    static TileImage point;
    for (int i : {0, 1, 255}) {
        viewerState.iterationCount = 0;
        mandelbrotGreyPortable(point, -1.25 + i * 0.00390625, 0.0, 0.0, 0.0);
        EXPECT_EQ(tiles[0].pixels[3 * i], point.pixels[0]) << "column " << i;
    }
}

TEST(TileComputation, CountsEveryIterationOfTheFourTiles) {
    const ViewRegion views[] = {InitialView, {2.0, 1.0, 2.0, 1.0}, {-0.1, 0.2, -0.1, 0.2}};
    for (const ViewRegion& view : views) {
        setState(Mandelbrot, GreyPortable, view);
        viewerState.iterationCount = 12345; // a computation starts counting from zero
        computeTilesInMemory(tiles);
        EXPECT_GE(viewerState.iterationCount, 262144u);
        EXPECT_LE(viewerState.iterationCount, 26214400u);
    }
    // All outside: one iteration each. All inside: a hundred each.
    setState(Mandelbrot, GreyPortable, {2.0, 1.0, 2.0, 1.0});
    computeTilesInMemory(tiles);
    EXPECT_EQ(viewerState.iterationCount, 262144u);
    setState(Mandelbrot, GreyPortable, {-0.1, 0.2, -0.1, 0.2});
    computeTilesInMemory(tiles);
    EXPECT_EQ(viewerState.iterationCount, 26214400u);
}

// The two colourings of one implementation iterate alike: the same count and the same black
// pixels, for both kinds.
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
        int black = 0;
        for (int t = 0; t < 4; ++t)
            for (int p = 0; p < TileSide * TileSide; ++p) {
                const bool greyBlack = grey[t].pixels[3 * p] == 0;
                ASSERT_EQ(greyBlack, tiles[t].pixels[3 * p] == 0) << "tile " << t << " pixel " << p;
                black += greyBlack;
            }
        EXPECT_GT(black, 0);
    }
}

TEST(TileComputation, DispatchFollowsKindAndMethod) {
    EXPECT_EQ(tileKernel(Mandelbrot, GreyPortable), &mandelbrotGreyPortable);
    EXPECT_EQ(tileKernel(Mandelbrot, PalettePortable), &mandelbrotPalettePortable);
    EXPECT_EQ(tileKernel(Julia, GreyPortable), &juliaGreyPortable);
    EXPECT_EQ(tileKernel(Julia, PalettePortable), &juliaPalettePortable);
    EXPECT_EQ(tileKernel(Mandelbrot, GreyX87), &mandelbrotGreyX87);
    EXPECT_EQ(tileKernel(Julia, PaletteX87), &juliaPaletteX87);
}

// Texture names that exist in the context, among the first few hundred.
int liveTextures() {
    int live = 0;
    for (GLuint name = 1; name < 400; ++name) live += glIsTexture(name);
    return live;
}

std::vector<uint8_t> textureContents(GLuint name) {
    std::vector<uint8_t> pixels(TileBytes);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

TEST(TileTextures, RecomputationsKeepExactlyFourTextures) {
    useTestGlContext();
    const int before = liveTextures();
    setState(Mandelbrot, GreyPortable, {-1.0, 0.5, -0.25, 0.5});
    computeMandelbrotTiles();
    for (int i = 0; i < 25; ++i) recomputeImage();
    EXPECT_EQ(liveTextures() - before, 4);
}

TEST(TileTextures, TexturesHoldTheTilesWithNearestFiltering) {
    useTestGlContext();
    setState(Mandelbrot, GreyPortable, {-1.0, 0.5, -0.25, 0.5});
    computeTilesInMemory(tiles);
    const uint32_t count = viewerState.iterationCount;
    recomputeImage();
    EXPECT_EQ(viewerState.iterationCount, count);
    for (int t = 0; t < 4; ++t) {
        const std::vector<uint8_t> contents = textureContents(viewerState.tileTextures[t]);
        EXPECT_EQ(std::memcmp(contents.data(), tiles[t].pixels, TileBytes), 0) << "tile " << t;
        GLint minFilter = 0, magFilter = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
        EXPECT_EQ(minFilter, GL_NEAREST);
        EXPECT_EQ(magFilter, GL_NEAREST);
    }
}

// computeMandelbrotTiles always computes the current kind.
TEST(TileTextures, MandelbrotEntryHandsJuliaOver) {
    useTestGlContext();
    setState(Julia, GreyPortable, InitialView, {-0.8, 0.156});
    computeTilesInMemory(tiles);
    const uint32_t count = viewerState.iterationCount;
    glDeleteTextures(4, viewerState.tileTextures);
    computeMandelbrotTiles();
    EXPECT_EQ(viewerState.iterationCount, count);
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(std::memcmp(textureContents(viewerState.tileTextures[t]).data(), tiles[t].pixels,
                              TileBytes),
                  0)
            << "tile " << t;
}

} // namespace
