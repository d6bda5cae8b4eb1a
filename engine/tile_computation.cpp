// tile_computation.cpp -- kernel dispatch, tile geometry and statistics, without OpenGL
#include "engine/tile_computation.h"

#include "engine/kernels.h"
#include "engine/kernels_3dnow_layer.h"
#include "platform/interval_timer.h"

IntervalTimer computeTimer;

namespace {

const TileKernel kernelTable[2][6] = {
    {mandelbrotGreyPortable, mandelbrotGreyX87, mandelbrotGrey3DNow, mandelbrotPalettePortable,
     mandelbrotPaletteX87, mandelbrotPalette3DNow},
    {juliaGreyPortable, juliaGreyX87, juliaGrey3DNow, juliaPalettePortable, juliaPaletteX87,
     juliaPalette3DNow},
};

// Methods 2 and 5 over the packed-pair layer: grey, palette.
const TileKernel layerTable[2][2] = {
    {mandelbrotGrey3DNowLayer, mandelbrotPalette3DNowLayer},
    {juliaGrey3DNowLayer, juliaPalette3DNowLayer},
};

bool threeDNowLayer = false;

// The kernel of the dispatch table for (kind, method).
TileKernel tileKernel(FractalKind kind, ComputeMethod method) {
    if (threeDNowLayer && (method == Grey3DNow || method == Palette3DNow))
        return layerTable[kind == Julia][method == Palette3DNow];
    return kernelTable[kind == Julia][method];
}

} // namespace

void useThreeDNowLayer(bool layer) {
    threeDNowLayer = layer;
}

TileOrigin tileOrigin(const ViewRegion& view, int t) {
    const double hdx = view.dx * 0.5;
    const double hdy = view.dy * 0.5;
    const double x = TilePlaces[t].column ? view.x + hdx : view.x;
    const double y = TilePlaces[t].row ? view.y + hdy : view.y;
    return {x, y};
}

void computeTile(TileImage& tile, int t, FractalKind kind) {
    const ViewRegion& view = viewerState.view;
    const TileOrigin origin = tileOrigin(view, t);
    tileKernel(kind, viewerState.method)(tile, origin.x, view.dx * 0.5, origin.y, view.dy * 0.5);
}

void startComputation() {
    viewerState.iterationCount = 0;
    computeTimer.restart();
}

void finishComputation() {
    viewerState.computeSeconds = float(computeTimer.elapsedSeconds());
}

void computeTilesInMemory(TileImage (&tiles)[4]) {
    startComputation();
    for (int t = 0; t < 4; ++t) computeTile(tiles[t], t, viewerState.kind);
    finishComputation();
}
