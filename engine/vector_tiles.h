// vector_tiles.h -- the four tiles of methods 0 and 3 in vectorised form, over several threads
#pragma once

#include "engine/tile_image.h"

// Computes the four tiles of the current view, kind and method (which must be GreyPortable or
// PalettePortable) with portableVectorPixels, split over threads; sets iterationCount to the
// sum of the threads' counts. Tiles and count equal those of the portable kernels.
void computeTilesVectorised(TileImage (&tiles)[4], int threads);

// The processor's hardware threads, at least 1.
int processorThreadCount();
