// bench.cpp -- zelvonia-bench: the four-tile computation of every method on three views
//
// Prints, per view and method, the iterations, the fastest time over repeated runs, millions of
// iterations per second, the speed relative to method 0 and the share of the limit; a plain
// std::complex<double> loop over the same pixels is timed as a reference, method 0's arithmetic in
// vectorised form on one thread and on every core shows what the processor can do, and the bare
// iteration on every core with nothing else (the limit) what it could do at most.
#include <algorithm>
#include <complex>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/kernels_portable_vector.h"
#include "engine/tile_computation.h"
#include "engine/vector_tiles.h"
#include "platform/console_program.h"
#include "platform/interval_timer.h"
#include "platform/threads.h"
#include "platform/x87_control.h"
#include "tools/processor_forms.h"
#include "tools/standard_output.h"
#include "tools/tool_options.h"
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

// And where methods 0 and 3 run on the x87, for want of SSE2.
const char* const x87MethodNames[6] = {"0 grey, portable on x87",    nullptr, nullptr,
                                       "3 palette, portable on x87", nullptr, nullptr};

const char* methodName(int method, bool layer) {
    if (layer && layerMethodNames[method]) return layerMethodNames[method];
    if (portableOnX87() && x87MethodNames[method]) return x87MethodNames[method];
    return methodNames[method];
}

constexpr int MinimumRuns = 3;
constexpr int MaximumRuns = 200;
constexpr double EnoughSeconds = 0.6;

template <typename Run> double timedSeconds(Run run) {
    IntervalTimer timer;
    run();
    return timer.elapsedSeconds();
}

// Runs row, each time followed by beside, until row has taken enough time; returns row's fastest
// run. The machine's other work only ever slows a run down, so the fastest is the one it disturbed
// least; and the limit, run beside every row, gets a quiet moment of the whole run.
template <typename Row, typename Beside> double fastestSeconds(Row row, Beside beside) {
    double fastest = 0, total = 0;
    for (int runs = 0; runs < MinimumRuns || (total < EnoughSeconds && runs < MaximumRuns);
         ++runs) {
        const double seconds = timedSeconds(row);
        fastest = runs == 0 ? seconds : std::min(fastest, seconds);
        total += seconds;
        beside();
    }
    return fastest;
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

// The bare iteration on every core: each thread runs chains chains for steps steps.
struct BareWork {
    int chains;
    uint64_t steps;
    std::vector<uint64_t> iterations;
};

void bareWorker(void* context, int index) {
    BareWork& work = *static_cast<BareWork*>(context);
    work.iterations[index] = bareIterations(work.chains, work.steps);
}

// Iterations of one thread in one run of the limit; some 5 ms on a fast processor, about as long
// as the vectorised rows.
constexpr double BareIterationsPerRun = 1e7;

// The number of chains that runs the bare iteration fastest on one thread.
int fastestChainCount() {
    int best = BareChainCounts[0];
    double bestRate = 0;
    for (int chains : BareChainCounts) {
        const uint64_t steps =
            uint64_t(BareIterationsPerRun / (chains * vectorFormLanes(vectorForm())));
        uint64_t iterations = 0;
        const double seconds =
            fastestSeconds([&] { iterations = bareIterations(chains, steps); }, [] {});
        if (iterations / seconds > bestRate) {
            bestRate = iterations / seconds;
            best = chains;
        }
    }
    return best;
}

// The limit on every core, run beside every row, and its fastest run so far.
struct Limit {
    BareWork work;
    double seconds;
};

Limit makeLimit(int chains) {
    return {{chains, uint64_t(BareIterationsPerRun / (chains * vectorFormLanes(vectorForm()))),
             std::vector<uint64_t>(hardwareThreadCount(), 0)},
            1e30};
}

void runLimit(Limit& limit) {
    BareWork& work = limit.work;
    limit.seconds =
        std::min(limit.seconds,
                 timedSeconds([&] { runWorkers(int(work.iterations.size()), bareWorker, &work); }));
}

// The iterations of one run.
uint64_t limitIterations(const Limit& limit) {
    uint64_t sum = 0;
    for (uint64_t count : limit.work.iterations) sum += count;
    return sum;
}

const char Usage[] =
    "usage: zelvonia-bench [--views LIST] [--methods LIST] [--without FEATURES]\n"
    "  --views LIST          views to run, comma-separated: 1 initial Mandelbrot view, 2 boundary\n"
    "                        zoom, 3 Julia set (default: all)\n"
    "  --methods LIST        rows to print, comma-separated: 0 to 5, complex (the std::complex\n"
    "                        loop), vector (method 0 vectorised), threads (vectorised on every\n"
    "                        core), limit (the bare iteration on every core) (default: all);\n"
    "                        method 0 and the limit are timed in any case as the bases of the\n"
    "                        ratios\n"
    "  --without FEATURES    compute as on a processor without them, comma-separated: sse2\n"
    "                        (methods 0 and 3 on the x87), avx2, avx512 (a narrower vectorised\n"
    "                        form), 3dnow (the packed-pair layer for methods 2 and 5)\n"
    "  --help                this text\n"
    "  --version             the program's version\n";

// Rows after the six methods.
enum ExtraRow { ComplexRow = 6, VectorRow = 7, ThreadsRow = 8, LimitRow = 9, RowCount = 10 };

struct Selection {
    bool views[3] = {true, true, true};
    bool rows[RowCount] = {true, true, true, true, true, true, true, true, true, true};
    unsigned without = 0;
};

int usageError(const char* what, const char* argument) {
    std::fprintf(stderr, "zelvonia-bench: %s: %s\n%s", what, argument, Usage);
    return 2;
}

// Index of item within names (count of them), or -1.
int indexOf(const std::string& item, const char* const* names, int count) {
    for (int i = 0; i < count; ++i)
        if (item == names[i]) return i;
    return -1;
}

// Parses a comma-separated list of names into chosen; false on an unknown or empty item.
bool parseList(const char* list, const char* const* names, int count, bool* chosen) {
    std::fill(chosen, chosen + count, false);
    std::string rest = list;
    for (size_t start = 0;;) {
        const size_t comma = rest.find(',', start);
        const int index = indexOf(rest.substr(start, comma - start), names, count);
        if (index < 0) return false;
        chosen[index] = true;
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

// Returns -1 to go on, else the exit code.
int parseArguments(int argc, char** argv, Selection* selection) {
    static const char* const viewNames[3] = {"1", "2", "3"};
    static const char* const rowNames[RowCount] = {"0", "1",       "2",      "3",       "4",
                                                   "5", "complex", "vector", "threads", "limit"};
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0) {
            std::fputs(Usage, stdout);
            return 0;
        } else if (std::strcmp(arg, "--version") == 0) {
            std::printf("zelvonia-bench %s\n", ZELVONIA_VERSION);
            return 0;
        } else if (std::strcmp(arg, "--views") == 0 && i + 1 < argc) {
            if (!parseList(argv[++i], viewNames, 3, selection->views))
                return usageError("views are 1, 2 or 3", argv[i]);
        } else if (std::strcmp(arg, "--methods") == 0 && i + 1 < argc) {
            if (!parseList(argv[++i], rowNames, RowCount, selection->rows))
                return usageError("methods are 0 to 5, complex, vector, threads or limit", argv[i]);
        } else if (std::strcmp(arg, "--without") == 0 && i + 1 < argc) {
            if (!parseWithout(argv[++i], &selection->without))
                return usageError("features are sse2, avx2, avx512 or 3dnow", argv[i]);
        } else {
            return usageError("unknown or incomplete option", arg);
        }
    }
    return -1;
}

void printProcessor(int chains) {
    const VectorForm form = vectorForm();
    std::printf("vectorised rows: %s, %d doubles per register; %d cores; limit: %d chains\n",
                vectorFormName(form), vectorFormLanes(form), hardwareThreadCount(), chains);
}

// The timing of one row of the current view, beside the limit; for rows after the six methods,
// method 0's arithmetic in its other forms.
double rowSeconds(int row, const BenchView& bench, Limit& limit, uint64_t* iterations) {
    static TileImage tiles[4];
    const auto besideLimit = [&] { runLimit(limit); };
    double seconds;
    if (row < ComplexRow) {
        viewerState.method = ComputeMethod(row);
        seconds = fastestSeconds([] { computeTilesInMemory(tiles); }, besideLimit);
    } else if (row == ComplexRow) {
        uint32_t count = 0;
        seconds = fastestSeconds([&] { count = referenceIterations(bench); }, besideLimit);
        *iterations = count;
        return seconds;
    } else {
        viewerState.method = GreyPortable;
        const int threads = row == ThreadsRow ? hardwareThreadCount() : 1;
        seconds = fastestSeconds([=] { computeTilesVectorised(tiles, threads); }, besideLimit);
    }
    *iterations = viewerState.iterationCount;
    return seconds;
}

// Each row names the path it takes: the 3DNow! layer, the x87 for methods 0 and 3, the vectorised
// form.
std::string rowName(int row, bool layer) {
    if (row < ComplexRow) return methodName(row, layer);
    if (row == ComplexRow) return "std::complex<double>";
    const std::string form = vectorFormName(vectorForm());
    const std::string threads = ", " + std::to_string(hardwareThreadCount()) + " threads";
    if (row == VectorRow) return "portable, " + form;
    return (row == ThreadsRow ? "portable, " : "limit, ") + form + threads;
}

// The fastest run of each row of a view.
struct ViewTimes {
    uint64_t iterations[RowCount] = {};
    double seconds[RowCount] = {};
};

// Times the view's rows, each beside the limit.
ViewTimes timeView(const BenchView& bench, const Selection& selection, Limit& limit) {
    viewerState.kind = bench.kind;
    viewerState.view = bench.view;
    viewerState.juliaSeed = bench.seed;
    ViewTimes times;
    for (int row = 0; row < LimitRow; ++row) {
        if (row != GreyPortable && !selection.rows[row]) continue;
        times.seconds[row] = rowSeconds(row, bench, limit, &times.iterations[row]);
    }
    return times;
}

void printView(const ViewTimes& times, const Selection& selection, bool layer, const Limit& limit) {
    const uint64_t bareIterations = limitIterations(limit);
    std::printf("  %-32s %10s %10s %10s %9s %8s\n", "method", "iterations", "ms", "Mit/s", "vs 0",
                "of limit");
    const double baseSeconds = times.seconds[GreyPortable];
    const double baseRate = times.iterations[GreyPortable] / baseSeconds;
    for (int row = 0; row < RowCount; ++row) {
        if (!selection.rows[row]) continue;
        const uint64_t iterations = row == LimitRow ? bareIterations : times.iterations[row];
        const double seconds = row == LimitRow ? limit.seconds : times.seconds[row];
        const double rate = iterations / seconds;
        // The same pixels: the time against method 0's; the limit: its rate against method 0's.
        const double speed = row == LimitRow ? rate / baseRate : baseSeconds / seconds;
        std::printf("  %-32s %10llu %10.2f %10.1f %8.2fx %7.1f%%\n", rowName(row, layer).c_str(),
                    static_cast<unsigned long long>(iterations), seconds * 1e3, rate / 1e6, speed,
                    100 * rate * limit.seconds / bareIterations);
    }
}

int runTool(int argc, char** argv) {
    Selection selection;
    if (int code = parseArguments(argc, argv, &selection); code >= 0) return code;
    loadPalette("palety/Default.pal");
    const bool layer = chooseProcessorForms(
        "zelvonia-bench", selection.rows[Grey3DNow] || selection.rows[Palette3DNow],
        selection.without);
    const int chains = fastestChainCount();
    // Every row is timed before any is printed: the shares are of the limit's fastest run of
    // all, which the machine's other work disturbed least.
    Limit limit = makeLimit(chains);
    ViewTimes times[3];
    for (int v = 0; v < 3; ++v)
        if (selection.views[v]) times[v] = timeView(benchViews[v], selection, limit);
    std::printf("fastest of %d to %d runs of the four tiles (512x512 pixels, at most 100 "
                "iterations each); the limit runs after each run of every row\n",
                MinimumRuns, MaximumRuns);
    printProcessor(chains);
    for (int v = 0; v < 3; ++v) {
        if (!selection.views[v]) continue;
        std::printf("\n%d. %s\n", v + 1, benchViews[v].name);
        printView(times[v], selection, layer, limit);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    loadX87ControlWord(x87DefaultControlWord);
    startConsoleProgram("zelvonia-bench", &argc, &argv);
    return finishStandardOutput("zelvonia-bench", runTool(argc, argv));
}
