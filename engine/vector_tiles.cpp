// vector_tiles.cpp -- bands of rows of tiles, handed out to threads with a count each
#include "engine/vector_tiles.h"

#include <atomic>
#include <cstdint>
#include <vector>

#include "engine/kernels_portable_vector.h"
#include "engine/tile_computation.h"
#include "platform/threads.h"

namespace {

// Bands of whole rows are handed out from one counter, so that a thread that drew cheap bands
// (fast escapes) takes more of them. A band is one stretch of the tile's memory: threads that
// shared the cache lines of a row, as batches of columns do, would slow each other down at every
// pixel they write. Eight rows make 128 bands, so that the last one ends soon after the others.
constexpr int RowsPerBand = 8;
constexpr int BandsPerTile = TileSide / RowsPerBand;

struct SharedWork {
    const VectorTile* jobs;
    int jobCount;
    std::atomic<int> nextBand{0};
    std::vector<uint32_t> counts;
};

#ifdef _WIN64
// GCC cannot realign the stack on 64-bit Windows, so the AVX2 kernel's 32-byte vectors lie where
// its callers' frames leave them: called with a stack pointer at 0 modulo 32, they straddle cache
// lines and the columns take up to twice as long (zelvonia-bench's vector rows show it). The kernel
// is therefore always called with the stack pointer at 16 modulo 32.
__attribute__((noinline)) uint32_t kernelBand(const VectorTile& job, int bottom, int top) {
    uintptr_t stack;
    asm volatile("mov %%rsp, %0" : "=r"(stack));
    void* shift = __builtin_alloca((stack - 16) % 32);
    asm volatile("" ::"r"(shift) : "memory");
    return portableVectorPixels(job, 0, TileSide, bottom, top);
}
#else
uint32_t kernelBand(const VectorTile& job, int bottom, int top) {
    return portableVectorPixels(job, 0, TileSide, bottom, top);
}
#endif

void work(void* context, int index) {
    SharedWork& shared = *static_cast<SharedWork*>(context);
    uint32_t count = 0;
    for (int band; (band = shared.nextBand.fetch_add(1)) < shared.jobCount * BandsPerTile;) {
        const int bottom = band % BandsPerTile * RowsPerBand;
        count += kernelBand(shared.jobs[band / BandsPerTile], bottom, bottom + RowsPerBand);
    }
    shared.counts[index] = count;
}

// The sum of the threads' counts.
uint32_t computeJobs(const VectorTile* jobs, int count, int threads) {
    SharedWork shared;
    shared.jobs = jobs;
    shared.jobCount = count;
    shared.counts.assign(threads > 1 ? threads : 1, 0);
    // A thread that cannot be started leaves its bands to the others, and its count at 0.
    runWorkers(int(shared.counts.size()), work, &shared);
    uint32_t total = 0;
    for (uint32_t part : shared.counts) total += part;
    return total;
}

VectorTile gridJob(TileImage* tile, const TileGrid& grid, int column, int row) {
    const TileOrigin origin = gridTileOrigin(viewerState.view, grid, column, row);
    return {tile,
            origin.x,
            grid.width,
            origin.y,
            grid.height,
            viewerState.kind,
            viewerState.method == PalettePortable,
            viewerState.juliaSeed};
}

} // namespace

void computeTilesVectorised(TileImage (&tiles)[4], int threads) {
    const TileGrid grid = tileGrid(viewerState.view, 2, 2);
    VectorTile jobs[4];
    for (int t = 0; t < 4; ++t)
        jobs[t] = gridJob(&tiles[t], grid, TilePlaces[t].column, TilePlaces[t].row);
    viewerState.iterationCount = computeJobs(jobs, 4, threads);
}

void computeGridRowVectorised(TileImage* tiles, const TileGrid& grid, int row, int threads) {
    std::vector<VectorTile> jobs;
    for (int column = 0; column < grid.columns; ++column)
        jobs.push_back(gridJob(&tiles[column], grid, column, row));
    viewerState.iterationCount += computeJobs(jobs.data(), grid.columns, threads);
}
