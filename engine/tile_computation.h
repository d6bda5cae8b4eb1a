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

// From now on methods 0 and 3 run on the x87 unit (or again on SSE2), with the same pictures.
// They start on SSE2 where the processor has it; the tools call this to do without.
void usePortableOnX87(bool x87);
bool portableOnX87();

// The picture is 2x2 tiles. Tile t lies at this column and row of it, counted in tiles from its
// lower-left corner: 0 upper-left, 1 upper-right, 2 lower-left, 3 lower-right, the order of
// tileTextures. The plane's origins, the screen's quads and the tools' pictures all follow it.
struct TilePlace {
    int column, row;
};
constexpr TilePlace TilePlaces[4] = {{0, 1}, {1, 1}, {0, 0}, {1, 0}};
constexpr int PictureSide = 2 * TileSide;

// A picture of view as columns x rows tiles: each tile is width = view.dx / columns wide and
// height = view.dy / rows high. Tile column 0 starts at view.x itself and column k at
// view.x + k * width, and likewise upward; so 2x2 tiles start at view.x and view.x + dx * 0.5.
struct TileGrid {
    int columns, rows;
    double width, height;
};
TileGrid tileGrid(const ViewRegion& view, int columns, int rows);

// Lower-left corner in the plane of the tile at column and row of grid, counted from the
// lower-left tile.
struct TileOrigin {
    double x, y;
};
TileOrigin gridTileOrigin(const ViewRegion& view, const TileGrid& grid, int column, int row);

// Runs the kernel of kind and the current method for the tile at column and row of grid.
void computeGridTile(TileImage& tile, const TileGrid& grid, int column, int row, FractalKind kind);

// The same for tile t of the picture's 2x2 tiles in the current view.
void computeTile(TileImage& tile, int t, FractalKind kind);

// The statistics of a computation: startComputation zeroes iterationCount and restarts
// computeTimer, finishComputation stores its reading in computeSeconds.
void startComputation();
void finishComputation();

// Computes the four tiles of the current kind into memory, with the same statistics as a
// recomputation: iterationCount and computeSeconds. The tools' computation; the viewer's, with
// its textures, is in tile_textures.h.
void computeTilesInMemory(TileImage (&tiles)[4]);
