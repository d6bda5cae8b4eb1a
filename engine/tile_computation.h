// tile_computation.h -- the four tiles of the picture: kernel choice, geometry, statistics
#pragma once

#include "engine/tile_image.h"
#include "engine/viewer_state.h"
#include "platform/interval_timer.h"

// Restarted at each tile computation; its reading at the end is computeSeconds.
extern IntervalTimer computeTimer;

// From now on methods 2 and 5 run the packed-pair layer instead of the 3DNow! instructions (or
// again the instructions). Called by the tools where detect3DNow reports 0; the viewer never
// calls it, since it offers methods 2 and 5 only where the processor has 3DNow!.
void useThreeDNowLayer(bool layer);

// The picture is 2x2 tiles. Tile t lies at this column and row of it, counted in tiles from its
// lower-left corner: 0 upper-left, 1 upper-right, 2 lower-left, 3 lower-right, the order of
// tileTextures. The plane's origins, the screen's quads and the tools' pictures all follow it.
struct TilePlace {
    int column, row;
};
constexpr TilePlace TilePlaces[4] = {{0, 1}, {1, 1}, {0, 0}, {1, 0}};
constexpr int PictureSide = 2 * TileSide;

// Lower-left corner in the plane of tile t of view. Each tile spans half the view in both
// directions.
struct TileOrigin {
    double x, y;
};
TileOrigin tileOrigin(const ViewRegion& view, int t);

// Runs the kernel of kind and the current method for tile t of the current view.
void computeTile(TileImage& tile, int t, FractalKind kind);

// The statistics of a computation: startComputation zeroes iterationCount and restarts
// computeTimer, finishComputation stores its reading in computeSeconds.
void startComputation();
void finishComputation();

// Computes the four tiles of the current kind into memory, with the same statistics as a
// recomputation: iterationCount and computeSeconds. The tools' computation; the viewer's, with
// its textures, is in tile_textures.h.
void computeTilesInMemory(TileImage (&tiles)[4]);
