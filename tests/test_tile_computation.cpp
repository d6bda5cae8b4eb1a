// test_tile_computation.cpp -- the four tiles of each method, their count and their textures
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstring>

#include "engine/kernels.h"
#include "engine/kernels_3dnow_layer.h"
#include "engine/tile_computation.h"
#include "engine/tile_textures.h"
#include "engine/vector_tiles.h"
#include "tests/support/gl_context.h"

namespace {

TileImage tiles[4], expected[4];

void expectTiles(uint32_t count, const char* how) {
    EXPECT_EQ(viewerState.iterationCount, count) << how;
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(std::memcmp(tiles[t].pixels, expected[t].pixels, TileBytes), 0) << how << t;
}

int liveTextures() {
    int live = 0;
    for (GLuint name = 1; name < 100; ++name) live += glIsTexture(name);
    return live;
}

// Tile t of the view (-1.5, -1) + (2.5, 2) is the method's kernel over half the view from the
// corners below. Each computation counts afresh: in memory, vectorised on 1 and 3 threads (methods
// 0, 3), and to 4 fresh, nearest-filtered textures by each entry (either first one does Julia).
TEST(TileComputation, EachMethodComputesTheFourTilesOfTheView) {
    useTestGlContext();
    const TileKernel kernels[2][6] = {
        {mandelbrotGreyPortable, mandelbrotGreyX87, mandelbrotGrey3DNowLayer,
         mandelbrotPalettePortable, mandelbrotPaletteX87, mandelbrotPalette3DNowLayer},
        {juliaGreyPortable, juliaGreyX87, juliaGrey3DNowLayer, juliaPalettePortable,
         juliaPaletteX87, juliaPalette3DNowLayer}};
    const double corners[4][2] = {{-1.5, 0.0}, {-0.25, 0.0}, {-1.5, -1.0}, {-0.25, -1.0}};
    viewerState.view = {-1.5, 2.5, -1.0, 2.0};
    viewerState.juliaSeed = {-0.8, 0.156};
    const int before = liveTextures();
    useThreeDNowLayer(true);
    for (FractalKind kind : {Mandelbrot, Julia})
        for (int method = 0; method < 6; ++method) {
            SCOPED_TRACE(testing::Message() << "kind " << kind << ", method " << method);
            viewerState.kind = kind;
            viewerState.method = ComputeMethod(method);
            viewerState.iterationCount = 0;
            for (int t = 0; t < 4; ++t)
                kernels[kind][method](expected[t], corners[t][0], 1.25, corners[t][1], 1.0);
            const uint32_t count = viewerState.iterationCount;
            computeTilesInMemory(tiles);
            expectTiles(count, "in memory, tile ");
            for (int threads : {1, 3}) {
                if (method % 3 != 0) continue;
                computeTilesVectorised(tiles, threads);
                expectTiles(count, threads == 1 ? "one thread, tile " : "three threads, tile ");
            }
            // The first entries, for a fresh rendering context, make names without deleting.
            void (*const entries[])() = {recomputeImage, computeMandelbrotTiles,
                                         kind ? computeJuliaTiles : computeMandelbrotTiles};
            if (method % 3) glDeleteTextures(4, viewerState.tileTextures);
            entries[method % 3]();
            EXPECT_EQ(liveTextures() - before, 4);
            for (int t = 0; t < 4; ++t) {
                glBindTexture(GL_TEXTURE_2D, viewerState.tileTextures[t]);
                glPixelStorei(GL_PACK_ALIGNMENT, 1);
                glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, tiles[t].pixels);
                for (GLenum filter : {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER}) {
                    GLint value = 0;
                    glGetTexParameteriv(GL_TEXTURE_2D, filter, &value);
                    EXPECT_EQ(value, GL_NEAREST) << filter;
                }
            }
            expectTiles(count, "texture ");
        }
}

} // namespace
