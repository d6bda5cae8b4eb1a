// vector_tiles.cpp -- handing out columns of the four tiles to threads, each with its own count
#include "engine/vector_tiles.h"

#include <atomic>
#include <cstdint>
#include <vector>

#include "engine/kernels_portable_vector.h"
#include "engine/tile_computation.h"
#include "platform/threads.h"

namespace {

// Columns are handed out in small batches from one counter, so that a thread that drew cheap
// columns (fast escapes) takes more of them.
constexpr int ColumnsPerBatch = 8;
constexpr int BatchesPerTile = TileSide / ColumnsPerBatch;

struct SharedWork {
    VectorTile jobs[4];
    std::atomic<int> nextBatch{0};
    std::vector<uint32_t> counts;
};

#ifdef _WIN64
// GCC cannot realign the stack on 64-bit Windows, so the AVX2 kernel's 32-byte vectors lie where
// its callers' frames leave them: called with a stack pointer at 0 modulo 32, they straddle cache
// lines and the columns take up to twice as long (zelvonia-bench's vector rows show it). The kernel
// is therefore always called with the stack pointer at 16 modulo 32.
__attribute__((noinline)) uint32_t kernelColumns(const VectorTile& job, int first, int end) {
    uintptr_t stack;
    asm volatile("mov %%rsp, %0" : "=r"(stack));
    void* shift = __builtin_alloca((stack - 16) % 32);
    asm volatile("" ::"r"(shift) : "memory");
    return portableVectorColumns(job, first, end);
}
#else
uint32_t kernelColumns(const VectorTile& job, int first, int end) {
    return portableVectorColumns(job, first, end);
}
#endif

void work(void* context, int index) {
    SharedWork& shared = *static_cast<SharedWork*>(context);
    uint32_t count = 0;
    for (int batch; (batch = shared.nextBatch.fetch_add(1)) < 4 * BatchesPerTile;) {
        const int first = batch % BatchesPerTile * ColumnsPerBatch;
        count += kernelColumns(shared.jobs[batch / BatchesPerTile], first, first + ColumnsPerBatch);
    }
    shared.counts[index] = count;
}

} // namespace

void computeTilesVectorised(TileImage (&tiles)[4], int threads) {
    SharedWork shared;
    const ViewRegion& view = viewerState.view;
    for (int t = 0; t < 4; ++t) {
        const TileOrigin origin = tileOrigin(view, t);
        shared.jobs[t] = {&tiles[t],
                          origin.x,
                          view.dx * 0.5,
                          origin.y,
                          view.dy * 0.5,
                          viewerState.kind,
                          viewerState.method == PalettePortable,
                          viewerState.juliaSeed};
    }
    shared.counts.assign(threads > 1 ? threads : 1, 0);
    // A thread that cannot be started leaves its columns to the others, and its count at 0.
    runWorkers(int(shared.counts.size()), work, &shared);
    uint32_t total = 0;
    for (uint32_t count : shared.counts) total += count;
    viewerState.iterationCount = total;
}

int processorThreadCount() {
    return hardwareThreadCount();
}
