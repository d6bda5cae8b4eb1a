// tile_textures.cpp -- the four tiles computed and uploaded as textures, for the viewer
#include "engine/tile_textures.h"

#include "engine/tile_computation.h"
#include "platform/gl.h"

namespace {

void uploadTile(const TileImage& tile, int t) {
    glBindTexture(GL_TEXTURE_2D, viewerState.tileTextures[t]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, TileSide, TileSide, 0, GL_RGB, GL_UNSIGNED_BYTE, tile.pixels);
}

// The names are generated after the first tile, so the old ones must be deleted by then.
void computeAndUploadTiles(FractalKind kind) {
    TileImage scratch;
    for (int t = 0; t < 4; ++t) {
        computeTile(scratch, t, kind);
        if (t == 0) glGenTextures(4, viewerState.tileTextures);
        uploadTile(scratch, t);
    }
    finishComputation();
}

} // namespace

void computeMandelbrotTiles() {
    startComputation();
    if (viewerState.kind == Julia) {
        computeJuliaTiles();
        return;
    }
    computeAndUploadTiles(Mandelbrot);
}

void computeJuliaTiles() {
    startComputation();
    computeAndUploadTiles(Julia);
}

void recomputeImage() {
    glDeleteTextures(4, viewerState.tileTextures);
    if (viewerState.kind == Julia)
        computeJuliaTiles();
    else
        computeMandelbrotTiles();
}
