// bench.cpp -- zelvonia-bench: the four-tile computation of every method on three views
//
// Prints, per view and method, the iterations, the median time over repeated runs, millions of
// iterations per second and the speed relative to method 0; a plain std::complex<double> loop
// over the same pixels is timed as a reference.
#include <algorithm>
#include <complex>
#include <cstdio>
#include <vector>

#include "engine/tile_computation.h"
#include "platform/interval_timer.h"
#include "tools/three_dnow_form.h"
#include "ui/palette.h"

namespace {

struct BenchView {
    const char* name;
    FractalKind kind;
    ViewRegion view;
    JuliaSeed seed;
};

const BenchView benchViews[] = {
    {"initial Mandelbrot view", Mandelbrot, InitialView, {0.0, 0.0}},
    {"boundary zoom, width 1e-4",
     Mandelbrot,
     {-0.743643887 - 0.5e-4, 1e-4, 0.131825904 - 0.5e-4, 1e-4},
     {0.0, 0.0}},
    {"Julia set of -0.8 + 0.156i", Julia, InitialView, {-0.8, 0.156}},
};

const char* const methodNames[6] = {"0 grey, portable",    "1 grey, x87",    "2 grey, 3DNow!",
                                    "3 palette, portable", "4 palette, x87", "5 palette, 3DNow!"};
// Where methods 2 and 5 run on the packed-pair layer, the table says so.
const char* const layerMethodNames[6] = {nullptr, nullptr, "2 grey, 3DNow! layer",
                                         nullptr, nullptr, "5 palette, 3DNow! layer"};

const char* methodName(int method, bool layer) {
    return layer && layerMethodNames[method] ? layerMethodNames[method] : methodNames[method];
}

constexpr int MinimumRuns = 3;
constexpr int MaximumRuns = 25;
constexpr double EnoughSeconds = 0.6;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

// Repeats run until enough time has passed; returns the median seconds of one run.
template <typename Run> double medianSeconds(Run run) {
    std::vector<double> seconds;
    double total = 0;
    while (int(seconds.size()) < MinimumRuns ||
           (total < EnoughSeconds && int(seconds.size()) < MaximumRuns)) {
        IntervalTimer timer;
        run();
        seconds.push_back(timer.elapsedSeconds());
        total += seconds.back();
    }
    return median(seconds);
}

// The textbook escape loop over the picture's pixels, bound 4 for both kinds.
uint32_t referenceIterations(const BenchView& bench) {
    uint32_t count = 0;
    const ViewRegion& v = bench.view;
    const std::complex<double> seed(bench.seed.re, bench.seed.im);
    for (int I = 0; I < 512; ++I)
        for (int J = 0; J < 512; ++J) {
            const std::complex<double> p(v.x + I * v.dx / 512, v.y + J * v.dy / 512);
            const std::complex<double> c = bench.kind == Julia ? seed : p;
            std::complex<double> z = p;
            for (int n = 0; n < 100; ++n) {
                z = z * z + c;
                ++count;
                if (std::norm(z) > 4.0) break;
            }
        }
    return count;
}

void printRow(const char* name, uint32_t iterations, double seconds, double baseSeconds) {
    std::printf("  %-24s %10u %10.2f %10.1f %8.2fx\n", name, iterations, seconds * 1e3,
                iterations / seconds / 1e6, baseSeconds / seconds);
}

// Without 3DNow! methods 2 and 5 run on the packed-pair layer; returns whether they do.
} // namespace

int main() {
    loadPalette("palety/Default.pal");
    const bool layer = chooseThreeDNowForm("zelvonia-bench", true);
    static TileImage tiles[4];
    std::printf("median of %d to %d runs of the four tiles (512x512 pixels, at most 100 "
                "iterations each)\n",
                MinimumRuns, MaximumRuns);
    for (const BenchView& bench : benchViews) {
        std::printf("\n%s\n  %-24s %10s %10s %10s %9s\n", bench.name, "method", "iterations", "ms",
                    "Mit/s", "vs 0");
        viewerState.kind = bench.kind;
        viewerState.view = bench.view;
        viewerState.juliaSeed = bench.seed;
        double baseSeconds = 0;
        for (int method = 0; method < 6; ++method) {
            viewerState.method = ComputeMethod(method);
            const double seconds = medianSeconds([] { computeTilesInMemory(tiles); });
            if (method == 0) baseSeconds = seconds;
            printRow(methodName(method, layer), viewerState.iterationCount, seconds, baseSeconds);
        }
        uint32_t iterations = 0;
        const double seconds = medianSeconds([&] { iterations = referenceIterations(bench); });
        printRow("std::complex<double>", iterations, seconds, baseSeconds);
    }
    return 0;
}
