// tile_computation.cpp -- kernel dispatch, tile geometry and statistics, without OpenGL
#include "engine/tile_computation.h"

#include "engine/kernels.h"
#include "engine/kernels_3dnow_layer.h"
#include "engine/portable_arithmetic.h"
#include "engine/processor_check.h"
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

// Methods 0 and 3 on the x87 unit: grey, palette.
const TileKernel portableOnX87Table[2][2] = {
    {mandelbrotGreyPortableOnX87, mandelbrotPalettePortableOnX87},
    {juliaGreyPortableOnX87, juliaPalettePortableOnX87},
};

bool threeDNowLayer = false;
bool portableX87 = !detectSse2();

// The kernel of the dispatch table for (kind, method).
TileKernel tileKernel(FractalKind kind, ComputeMethod method) {
    if (threeDNowLayer && (method == Grey3DNow || method == Palette3DNow))
        return layerTable[kind == Julia][method == Palette3DNow];
    if (portableX87 && (method == GreyPortable || method == PalettePortable))
        return portableOnX87Table[kind == Julia][method == PalettePortable];
    return kernelTable[kind == Julia][method];
}

} // namespace

void useThreeDNowLayer(bool layer) {
    threeDNowLayer = layer;
}

void usePortableOnX87(bool x87) {
    portableX87 = x87;
}

bool portableOnX87() {
    return portableX87;
}

// The tiles' corners are IEEE double arithmetic too, on whichever unit this file is built for.
TileGrid tileGrid(const ViewRegion& view, int columns, int rows) {
    return {columns, rows, double(CompiledDoubles::div(view.dx, columns)),
            double(CompiledDoubles::div(view.dy, rows))};
}

// Column 0 is the corner itself, not x + 0 * width, which an infinite width would make NaN.
TileOrigin gridTileOrigin(const ViewRegion& view, const TileGrid& grid, int column, int row) {
    const double x =
        column ? CompiledDoubles::add(view.x, CompiledDoubles::mul(column, grid.width)) : view.x;
    const double y =
        row ? CompiledDoubles::add(view.y, CompiledDoubles::mul(row, grid.height)) : view.y;
    return {x, y};
}

void computeGridTile(TileImage& tile, const TileGrid& grid, int column, int row, FractalKind kind) {
    const TileOrigin origin = gridTileOrigin(viewerState.view, grid, column, row);
    tileKernel(kind, viewerState.method)(tile, origin.x, grid.width, origin.y, grid.height);
}

void computeTile(TileImage& tile, int t, FractalKind kind) {
    computeGridTile(tile, tileGrid(viewerState.view, 2, 2), TilePlaces[t].column, TilePlaces[t].row,
                    kind);
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
