// test_render_tool.cpp -- zelvonia-render's pictures against the kernels, the bench's rows, the
// font sample's text, and the tools' options
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "engine/kernels.h"
#include "engine/kernels_3dnow_layer.h"
#include "engine/processor_check.h"
#include "engine/viewer_state.h"
#include "tests/support/golden.h"
#include "tests/support/temp_files.h"
#include "ui/palette.h"

namespace {

struct RunResult {
    int exitCode;
    std::string output, errors, file; // file: the bytes of OUT in the folder, if any
};

std::string text(const std::string& path) {
    const std::vector<unsigned char> bytes = readWholeFile(path);
    return {bytes.begin(), bytes.end()};
}

// Runs the shell command in the folder cwd, with the build folder first in the PATH; its output
// and its messages go to files in folder.
RunResult run(const std::string& command, const TempFolder& folder, const std::string& cwd = ".") {
    const std::string line = "cd " + cwd + " && PATH=" + std::getenv("ZELVONIA_BUILD") +
                             ":$PATH; { " + command + "; } >" + folder.path("stdout") + " 2>" +
                             folder.path("stderr");
    const int status = std::system(line.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text(folder.path("stdout")),
            text(folder.path("stderr")), text(folder.path("OUT.ppm"))};
}

// The picture laid out by hand from the kernel's tiles, columns x rows of them, its top row
// first: picture row J (from the bottom) is row J mod 256 of a tile in tile row J / 256. Tile
// column k starts at x + k * dx / columns, column 0 at x itself; likewise upward. Adds the
// iterations to count.
std::string expectedPpm(TileKernel kernel, const ViewRegion& v, uint32_t& count, int columns,
                        int rows) {
    std::vector<TileImage> tiles(columns * rows); // from the lower left, row by row
    const double w = v.dx / columns, h = v.dy / rows;
    viewerState.iterationCount = 0;
    for (int t = 0; t < columns * rows; ++t) {
        const int k = t % columns, r = t / columns;
        kernel(tiles[t], k ? v.x + k * w : v.x, w, r ? v.y + r * h : v.y, h);
    }
    count = viewerState.iterationCount;
    std::string ppm =
        "P6\n" + std::to_string(256 * columns) + " " + std::to_string(256 * rows) + "\n255\n";
    for (int J = 256 * rows - 1; J >= 0; --J)
        for (int I = 0; I < 256 * columns; ++I) {
            const uint8_t* p = tiles[J / 256 * columns + I / 256].pixels;
            ppm.append(reinterpret_cast<const char*>(p) + (256 * (J % 256) + I % 256) * 3, 3);
        }
    return ppm;
}

// Each kind and method once, with the kernels that must draw it (3DNow!: layer, native).
#define JULIA "--kind julia --seed -0.8 0.156 "
const ViewRegion Initial = InitialView;
// clang-format off
const struct { const char* arguments; TileKernel kernel, native; ViewRegion view; int columns = 2, rows = 2; } Pictures[] = {
    {"", mandelbrotGreyPortable, nullptr, Initial},
    {"--method 1", mandelbrotGreyX87, nullptr, Initial},
    {"--method 2", mandelbrotGrey3DNowLayer, mandelbrotGrey3DNow, Initial},
    {"--method 3 --view -0x1.8p-1 0x1p-4 0.1 1e-1", mandelbrotPalettePortable, nullptr, {-0.75, 0.0625, 0.1, 0.1}},
    {"--method 4", mandelbrotPaletteX87, nullptr, Initial},
    {"--method 5 --view -1.4968 0x1p-16 0 0x1p-16", mandelbrotPalette3DNowLayer, mandelbrotPalette3DNow, {-1.4968, 0x1p-16, 0.0, 0x1p-16}},
    {"--kind julia --seed -0.8 0x1.3f7ced916872bp-3 --view -1.5 3 -1.2 2.4", juliaGreyPortable, nullptr, {-1.5, 3.0, -1.2, 2.4}},
    {JULIA "--method 1", juliaGreyX87, nullptr, Initial},
    {JULIA "--method 2", juliaGrey3DNowLayer, juliaGrey3DNow, Initial},
    {JULIA "--method 3", juliaPalettePortable, nullptr, Initial},
    {JULIA "--method 4", juliaPaletteX87, nullptr, Initial},
    {JULIA "--method 5", juliaPalette3DNowLayer, juliaPalette3DNow, Initial},
    {"--vector --method 3 --view -0.7436439 1e-4 0.1318259 1e-4", mandelbrotPalettePortable, nullptr, {-0.7436439, 1e-4, 0.1318259, 1e-4}},
    {JULIA "--method 3 --vector", juliaPalettePortable, nullptr, Initial},
    {"--size 1024x768 --method 1 --view -2 3 -1 2", mandelbrotGreyX87, nullptr, {-2, 3, -1, 2}, 4, 3},
    {"--size 768x256 --method 3 --vector", mandelbrotPalettePortable, nullptr, Initial, 3, 1},
    {JULIA "--size 256x512 --method 5", juliaPalette3DNowLayer, juliaPalette3DNow, Initial, 1, 2},
    {"--vector --without avx512 --view -0.7436439 1e-4 0.1318259 1e-4", mandelbrotGreyPortable, nullptr, {-0.7436439, 1e-4, 0.1318259, 1e-4}},
    {JULIA "--vector --method 3 --without avx2", juliaPalettePortable, nullptr, Initial},
    {JULIA "--vector --without sse2,3dnow", juliaGreyPortable, nullptr, Initial},
    {"--method 5 --without 3dnow", mandelbrotPalette3DNowLayer, nullptr, Initial},
};
// clang-format on

TEST(RenderTool, PicturesAreTheKernelsTilesWithTheLayerNotedWhereUsed) {
    const bool layer = detect3DNow() == 0;
    loadPalette("palety/Default.pal");
    viewerState.juliaSeed = {-0.8, 0.156};
    TempFolder folder;
    for (const auto& c : Pictures) {
        SCOPED_TRACE(c.arguments);
        const RunResult r = run(
            std::string("zelvonia-render ") + c.arguments + " " + folder.path("OUT.ppm"), folder);
        ASSERT_EQ(r.exitCode, 0) << r.output << r.errors;
        EXPECT_EQ(r.errors.find("layer") != std::string::npos, c.native && layer) << r.errors;
        uint32_t count;
        EXPECT_TRUE(r.file == expectedPpm(c.native && !layer ? c.native : c.kernel, c.view, count,
                                          c.columns, c.rows));
        EXPECT_EQ(r.output.rfind("iterations: " + std::to_string(count) + "\nseconds: ", 0), 0u)
            << r.output;
    }
}

// The table is tests/golden/render_tool/commands.txt: each "$ " line a command, run in an empty
// folder (no palety/, no data/) with the files made below, and the next its exit code and the
// first line of its output, or of its messages when it fails; ZELVONIA_REWRITE_GOLDEN=1 fills in
// the answers of new commands. A failed write (here beyond a file size limit) leaves the file that
// a link points to as it was and no temporary file behind; a good write replaces the file through
// the link with its mode and owner, writes into a FIFO, a device or a hard-linked file where it
// is; a failed write to standard output fails the tool; no option is taken for a file name. The
// device is a null device made here when the tests run as root, who could replace /dev/null.
TEST(RenderTool, CommandsGiveTheirExitCodeAndMessageAndLeaveTheirFiles) {
    TempFolder folder, outputs;
    const std::string source = ZELVONIA_SOURCE_DIR;
    run("mkfifo fifo.pal out.fifo && ln -s out.fifo fifo.ppm && head -c 1047 " + source +
            "/palety/Default.pal >short.pal && printf old >old.ppm && ln -s old.ppm link.ppm && "
            "printf old >kept.ppm && chmod 640 kept.ppm && { chown nobody kept.ppm || :; } && "
            "printf old >one.ppm && ln one.ppm two.ppm && { [ $(id -u) != 0 ] && "
            "ln -s /dev/null null.dev || mknod null.dev c 1 3; } && ln -s null.dev null.ppm",
        outputs, folder.path(""));
    std::istringstream table(text(source + "/tests/golden/render_tool/commands.txt"));
    std::string transcript;
    for (std::string line; std::getline(table, line);) {
        if (line.rfind("$ ", 0) != 0) continue;
        const RunResult r = run(line.substr(2), outputs, folder.path(""));
        const std::string& shown = r.exitCode ? r.errors : r.output;
        transcript += line + "\n  " + std::to_string(r.exitCode) + " " +
                      shown.substr(0, shown.find('\n')) + "\n";
    }
    for (size_t at; (at = transcript.find(" " ZELVONIA_VERSION "\n")) != std::string::npos;)
        transcript.replace(at + 1, sizeof ZELVONIA_VERSION - 1, "VERSION");
    expectGolden("render_tool/commands.txt", transcript);
}

} // namespace

namespace {

// The bench's rows by name with their iteration counts, which are the computation's and not the
// clock's; the core count and the limit's iterations, which depend on the machine, are left out.
// Without AVX2 every processor runs the SSE2 form. Each row's figures agree with one another: its
// rate is its iterations over its time, its speed method 0's time over its own (the limit's: its
// rate over method 0's), its share its rate over the limit's.
TEST(BenchTool, RowsNameTheirMethodCountItsIterationsAndAgreeWithTheirTimes) {
    TempFolder folder;
    const RunResult r =
        run("zelvonia-bench --views 2,3 --methods 0,1,3,complex,vector,threads,limit "
            "--without avx2 | tee " +
                folder.path("table") +
                " | grep -v '^vectorised rows' | cut -c1-48 | "
                "sed -E 's/[0-9]+ threads/N threads/; s/ +$//; s/^(  limit.* )[0-9]+$/\\1N/'",
            folder);
    EXPECT_EQ(r.exitCode, 0) << r.errors;
    expectGolden("render_tool/bench.txt", r.output);
    struct Row {
        std::string line;
        double iterations, ms, rate, speed, share;
    };
    std::vector<std::vector<Row>> views; // from method 0 to the limit
    std::istringstream table(text(folder.path("table")));
    for (std::string line; std::getline(table, line);) {
        if (line.size() > 1 && line[1] == '.') views.emplace_back();
        if (line.size() < 40 || line.compare(0, 2, "  ") != 0 || line.find("method") == 2) continue;
        Row row{line, 0, 0, 0, 0, 0};
        std::istringstream figures(line.substr(35));
        char times, percent;
        ASSERT_TRUE(figures >> row.iterations >> row.ms >> row.rate >> row.speed >> times >>
                    row.share >> percent)
            << line;
        ASSERT_FALSE(views.empty());
        views.back().push_back(row);
    }
    ASSERT_EQ(views.size(), 2u);
    for (const std::vector<Row>& rows : views) {
        ASSERT_EQ(rows.size(), 7u);
        const Row &base = rows.front(), &limit = rows.back();
        for (const Row& row : rows) {
            EXPECT_NEAR(row.rate, row.iterations / row.ms / 1e3, row.rate * 0.01) << row.line;
            const double speed = &row == &limit ? row.rate / base.rate : base.ms / row.ms;
            EXPECT_NEAR(row.speed, speed, 0.01 + speed * 0.01) << row.line;
            const double share = 100 * row.rate / limit.rate;
            EXPECT_NEAR(row.share, share, 0.05 + share * 0.003) << row.line;
        }
    }
}

// The font sample's texts land where asked: a W at column 1, row 2, read back from its picture
// with the place of its first lit pixel.
TEST(FontSampleTool, DrawsTheTextWhereAsked) {
    TempFolder folder;
    const RunResult r =
        run("zelvonia-font-sample " + folder.path("OUT.ppm") + " 1 2 0 1,1,1 W", folder);
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    const std::string pixels = r.file.substr(r.file.size() - 800 * 600 * 3);
    const size_t first = pixels.find_first_not_of('\0') / 3, x0 = first % 800, y0 = first / 800;
    std::string art = std::to_string(x0) + " " + std::to_string(y0) + "\n";
    for (size_t y = y0; y < y0 + 12; ++y, art += '\n')
        for (size_t x = x0 - 4; x < x0 + 8; ++x) art += pixels[(y * 800 + x) * 3] ? '#' : '.';
    expectGolden("render_tool/font_sample.txt", art);
}

} // namespace
