// vector_tiles.cpp -- handing out columns of the four tiles to threads, each with its own count
#include "engine/vector_tiles.h"

#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/kernels_portable_vector.h"
#include "engine/tile_computation.h"

namespace {

// Columns are handed out in small batches from one counter, so that a thread that drew cheap
// columns (fast escapes) takes more of them.
constexpr int ColumnsPerBatch = 8;
constexpr int BatchesPerTile = TileSide / ColumnsPerBatch;

struct SharedWork {
    VectorTile jobs[4];
    std::atomic<int> nextBatch{0};
};

uint32_t work(SharedWork& shared) {
    uint32_t count = 0;
    for (int batch; (batch = shared.nextBatch.fetch_add(1)) < 4 * BatchesPerTile;) {
        const int first = batch % BatchesPerTile * ColumnsPerBatch;
        count += portableVectorColumns(shared.jobs[batch / BatchesPerTile], first,
                                       first + ColumnsPerBatch);
    }
    return count;
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
    std::vector<uint32_t> counts(threads > 1 ? threads : 1, 0);
    std::vector<std::thread> helpers;
    // A thread that cannot be started leaves its columns to the others.
    for (size_t h = 1; h < counts.size(); ++h) try {
            helpers.emplace_back([&shared, &counts, h] { counts[h] = work(shared); });
        } catch (const std::system_error&) {
            break;
        }
    counts[0] = work(shared);
    for (std::thread& helper : helpers) helper.join();
    uint32_t total = 0;
    for (uint32_t count : counts) total += count;
    viewerState.iterationCount = total;
}

int processorThreadCount() {
    const unsigned count = std::thread::hardware_concurrency();
    return count ? int(count) : 1;
}
