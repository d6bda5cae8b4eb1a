// vector_tiles.h -- the tiles of methods 0 and 3 in vectorised form, over several threads
#pragma once

#include "engine/tile_computation.h"

// Computes the four tiles of the current view, kind and method (which must be GreyPortable or
// PalettePortable) with portableVectorPixels, split over threads; sets iterationCount to the
// sum of the threads' counts. Tiles and count equal those of the portable kernels.
void computeTilesVectorised(TileImage (&tiles)[4], int threads);

// Computes the tiles of one row of grid (tiles holds grid.columns of them, from the left) in the
// same way, and adds the threads' counts to iterationCount.
void computeGridRowVectorised(TileImage* tiles, const TileGrid& grid, int row, int threads);
