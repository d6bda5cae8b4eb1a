// test_render_tool.cpp -- zelvonia-render: its pictures against the kernels, and bad input
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/kernels.h"
#include "engine/kernels_3dnow_layer.h"
#include "engine/processor_check.h"
#include "engine/viewer_state.h"
#include "tests/support/temp_files.h"
#include "ui/palette.h"

namespace {

struct RunResult {
    int exitCode;
    std::string output, errors;
};

// Runs the tool through the shell, after the shell commands in before (if any).
RunResult runRender(const std::string& arguments, const TempFolder& folder,
                    const std::string& before = "") {
    const std::string command = before + std::string(std::getenv("ZELVONIA_BUILD")) +
                                "/zelvonia-render " + arguments + " >" + folder.path("stdout") +
                                " 2>" + folder.path("stderr");
    const int status = std::system(command.c_str());
    const auto text = [&](const char* name) {
        const std::vector<unsigned char> bytes = readWholeFile(folder.path(name));
        return std::string(bytes.begin(), bytes.end());
    };
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text("stdout"), text("stderr")};
}

// The picture laid out by hand from the kernel's four tiles, its top row first: picture row J
// (from the bottom) is row J mod 256 of an upper tile when J >= 256. Adds the iterations to count.
std::string expectedPpm(TileKernel kernel, const ViewRegion& v, uint32_t& count) {
    static TileImage tiles[4]; // upper left, upper right, lower left, lower right
    const double hdx = v.dx * 0.5, hdy = v.dy * 0.5;
    viewerState.iterationCount = 0;
    kernel(tiles[0], v.x, hdx, v.y + hdy, hdy);
    kernel(tiles[1], v.x + hdx, hdx, v.y + hdy, hdy);
    kernel(tiles[2], v.x, hdx, v.y, hdy);
    kernel(tiles[3], v.x + hdx, hdx, v.y, hdy);
    count = viewerState.iterationCount;
    std::string ppm = "P6\n512 512\n255\n";
    for (int J = 511; J >= 0; --J)
        for (int I = 0; I < 512; ++I) {
            const TileImage& tile = tiles[(J >= 256 ? 0 : 2) + (I >= 256 ? 1 : 0)];
            ppm.append(reinterpret_cast<const char*>(tile.pixels) + (256 * (J % 256) + I % 256) * 3,
                       3);
        }
    return ppm;
}

// Each kind and method once, with the kernels that must draw it (3DNow!: layer, native).
#define JULIA "--kind julia --seed -0.8 0.156 "
// clang-format off
const struct RenderCase {
    const char* arguments;
    TileKernel kernel, native;
    ViewRegion view;
} renderCases[] = {
    {"", mandelbrotGreyPortable, nullptr, InitialView},
    {"--method 1", mandelbrotGreyX87, nullptr, InitialView},
    {"--method 2", mandelbrotGrey3DNowLayer, mandelbrotGrey3DNow, InitialView},
    {"--method 3 --view -0x1.8p-1 0x1p-4 0.1 1e-1", mandelbrotPalettePortable, nullptr,
     {-0.75, 0.0625, 0.1, 0.1}},
    {"--method 4", mandelbrotPaletteX87, nullptr, InitialView},
    {"--method 5 --view -1.4968 0x1p-16 0 0x1p-16", mandelbrotPalette3DNowLayer,
     mandelbrotPalette3DNow, {-1.4968, 0x1p-16, 0.0, 0x1p-16}},
    {"--kind julia --seed -0.8 0x1.3f7ced916872bp-3 --view -1.5 3 -1.2 2.4", juliaGreyPortable,
     nullptr, {-1.5, 3.0, -1.2, 2.4}},
    {JULIA "--method 1", juliaGreyX87, nullptr, InitialView},
    {JULIA "--method 2", juliaGrey3DNowLayer, juliaGrey3DNow, InitialView},
    {JULIA "--method 3", juliaPalettePortable, nullptr, InitialView},
    {JULIA "--method 4", juliaPaletteX87, nullptr, InitialView},
    {JULIA "--method 5", juliaPalette3DNowLayer, juliaPalette3DNow, InitialView},
    {"--vector", mandelbrotGreyPortable, nullptr, InitialView},
    {"--vector --method 3 --view -0.7436439 1e-4 0.1318259 1e-4", mandelbrotPalettePortable,
     nullptr, {-0.7436439, 1e-4, 0.1318259, 1e-4}},
    {JULIA "--vector", juliaGreyPortable, nullptr, InitialView},
    {JULIA "--method 3 --vector", juliaPalettePortable, nullptr, InitialView},
};
// clang-format on

TEST(RenderTool, PpmIsTheKernelsTilesLaidOutWithTheLayerNotedWhereUsed) {
    const bool layer = detect3DNow() == 0;
    loadPalette("palety/Default.pal");
    for (const RenderCase& c : renderCases) {
        SCOPED_TRACE(c.arguments);
        TempFolder folder;
        const RunResult run =
            runRender(std::string(c.arguments) + " " + folder.path("a.ppm"), folder);
        ASSERT_EQ(run.exitCode, 0) << run.output << run.errors;
        EXPECT_EQ(run.errors.find("layer") != std::string::npos, c.native && layer) << run.errors;
        viewerState.juliaSeed = {-0.8, 0.156};
        uint32_t count;
        const std::string expected =
            expectedPpm(c.native && !layer ? c.native : c.kernel, c.view, count);
        EXPECT_NE(run.output.find("iterations: " + std::to_string(count) + "\nseconds: "),
                  std::string::npos)
            << run.output;
        const std::vector<unsigned char> file = readWholeFile(folder.path("a.ppm"));
        EXPECT_EQ(std::string(file.begin(), file.end()).substr(0, 15), "P6\n512 512\n255\n");
        EXPECT_TRUE(std::string(file.begin(), file.end()) == expected);
    }
}

TEST(RenderTool, WritesPng) {
    TempFolder folder;
    const RunResult run = runRender("--kind julia " + folder.path("out.png"), folder);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const std::vector<unsigned char> file = readWholeFile(folder.path("out.png"));
    ASSERT_GT(file.size(), 33u);
    EXPECT_EQ(std::memcmp(file.data(), "\x89PNG\r\n\x1a\n", 8), 0);
    EXPECT_EQ(std::memcmp(file.data() + 12, "IHDR\0\0\x02\0\0\0\x02\0\x08\x02", 14), 0);
}

TEST(RenderTool, BadInputExitsWithTwoOrOneAndAMessage) {
    TempFolder folder;
    const std::string out = folder.path("out.ppm");
    // A FIFO that nobody writes would block a plain open; a palette cut short colours nothing.
    ASSERT_EQ(mkfifo(folder.path("fifo.pal").c_str(), 0600), 0);
    std::vector<unsigned char> palette = readWholeFile("palety/Default.pal");
    palette.resize(1047);
    folder.write("short.pal", palette);
    const struct {
        std::string arguments;
        int exitCode;
        const char* named = "";
    } cases[] = {
        {"", 2},
        {"--method 6 " + out, 2},
        {"--method -1 " + out, 2},
        {"--method 1x " + out, 2},
        {"--kind newton " + out, 2},
        {"--view 1 2 3 " + out, 2},
        {"--view 1 2 3 x4 " + out, 2},
        {"--seed 0.5 " + out, 2},
        {"--frobnicate " + out, 2},
        {out + " " + out, 2},
        {folder.path("out.bmp"), 2},
        {"--method", 2},
        {"--vector --method 4 " + out, 2, "--vector"},
        {"--view 1e999 2 3 4 " + out, 2, "out of range: 1e999"},
        {"--seed -0.8 nan " + out, 2, "out of range: nan"},
        {"--palette " + folder.path("none.pal") + " " + out, 1, "none.pal"},
        {"--palette " + folder.path("") + " " + out, 1, "not a palette file: "},
        {"--method 3 --palette /dev/null " + out, 1, "not a palette file: /dev/null"},
        {"--method 3 --palette " + folder.path("fifo.pal") + " " + out, 1, "not a palette file: "},
        {"--method 3 --palette " + folder.path("short.pal") + " " + out, 1, "short.pal"},
        {folder.path("no/such/folder/a.ppm"), 1},
        {"/proc/a.png", 1},
    };
    for (const auto& c : cases) {
        const RunResult run = runRender(c.arguments, folder);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.errors;
        EXPECT_EQ(run.errors.rfind("zelvonia-render: ", 0), 0u) << c.arguments;
        EXPECT_NE(run.errors.find(c.named), std::string::npos) << run.errors;
    }
    EXPECT_TRUE(readWholeFile(out).empty());
}

TEST(RenderTool, HelpVersionAndGreyWithoutPalettes) {
    TempFolder folder;
    RunResult run = runRender("--help", folder);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output.rfind("usage: zelvonia-render", 0), 0u) << run.output;
    run = runRender("--version", folder);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "zelvonia-render " ZELVONIA_VERSION "\n");
    // Where there is no palety/ folder, the grey methods still draw and a palette method says why
    // it does not.
    const std::string inFolder = "cd " + folder.path("") + " && ";
    for (const char* method : {"0", "1", "2"})
        EXPECT_EQ(
            runRender(std::string("--method ") + method + " a.ppm", folder, inFolder).exitCode, 0);
    run = runRender("--method 3 a.ppm", folder, inFolder);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("palety/Default.pal"), std::string::npos) << run.errors;
}

// A write that fails half way (here beyond a file size limit) leaves the picture that a link
// points to as it was, the link a link, and no temporary file behind; a good write replaces the
// picture through the link.
TEST(RenderTool, FailedWriteLeavesTheTargetAlone) {
    TempFolder folder;
    folder.write("old.ppm", {'o', 'l', 'd'});
    const std::string link = folder.path("link.ppm");
    ASSERT_EQ(symlink("old.ppm", link.c_str()), 0);
    RunResult run = runRender(link, folder, "trap '' XFSZ; ulimit -f 64; ");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("cannot write " + link), std::string::npos) << run.errors;
    EXPECT_EQ(readWholeFile(folder.path("old.ppm")), std::vector<unsigned char>({'o', 'l', 'd'}));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path("")))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, std::vector<std::string>({"link.ppm", "old.ppm", "stderr", "stdout"}));

    run = runRender(link, folder);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readWholeFile(folder.path("old.ppm")).size(), 15u + 512 * 512 * 3);
}

} // namespace
