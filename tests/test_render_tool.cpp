// test_render_tool.cpp -- zelvonia-render against the engine, and its handling of bad input
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/tile_computation.h"
#include "tests/support/temp_files.h"
#include "ui/palette.h"

namespace {

struct RunResult {
    int exitCode;
    std::string output; // stdout and stderr
};

RunResult runRender(const std::string& arguments) {
    const char* build = std::getenv("ZELVONIA_BUILD");
    const std::string command =
        std::string(build ? build : "build") + "/zelvonia-render " + arguments + " 2>&1";
    RunResult result{-1, ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) result.output += buffer;
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

constexpr size_t HeaderLength = 15; // "P6\n512 512\n255\n"

// The picture of the current state, laid out by hand: screen row r shows picture row
// J = 511 - r, which is row J mod 256 of an upper tile (0, 1) when J >= 256.
std::vector<unsigned char> expectedPicture() {
    static TileImage tiles[4];
    computeTilesInMemory(tiles);
    std::vector<unsigned char> picture;
    for (int r = 0; r < 512; ++r) {
        const int J = 511 - r;
        for (int I = 0; I < 512; ++I) {
            const TileImage& tile = tiles[(J >= 256 ? 0 : 2) + (I >= 256 ? 1 : 0)];
            const uint8_t* pixel = tile.pixels + (256 * (J % 256) + I % 256) * 3;
            picture.insert(picture.end(), pixel, pixel + 3);
        }
    }
    return picture;
}

void expectPpmEqualsEngine(const std::string& arguments, FractalKind kind, ComputeMethod method,
                           ViewRegion view, JuliaSeed seed) {
    SCOPED_TRACE(arguments);
    TempFolder folder;
    const RunResult run = runRender(arguments + " " + folder.path("out.ppm"));
    ASSERT_EQ(run.exitCode, 0) << run.output;

    viewerState.kind = kind;
    viewerState.method = method;
    viewerState.view = view;
    viewerState.juliaSeed = seed;
    loadPalette("palety/Default.pal");
    const std::vector<unsigned char> expected = expectedPicture();
    EXPECT_NE(run.output.find("iterations: " + std::to_string(viewerState.iterationCount) + "\n"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("seconds: "), std::string::npos);

    const std::vector<unsigned char> file = readWholeFile(folder.path("out.ppm"));
    ASSERT_EQ(file.size(), HeaderLength + 512 * 512 * 3);
    EXPECT_EQ(std::string(file.begin(), file.begin() + HeaderLength), "P6\n512 512\n255\n");
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), file.begin() + HeaderLength));
}

TEST(RenderTool, PpmOfTheInitialViewIsTheTilesLaidOut) {
    expectPpmEqualsEngine("", Mandelbrot, GreyPortable, InitialView, {});
    expectPpmEqualsEngine("--method 3", Mandelbrot, PalettePortable, InitialView, {});
}

TEST(RenderTool, ReadsKindViewAndSeedIncludingHexFloats) {
    expectPpmEqualsEngine("--kind julia --seed -0.8 0x1.3f7ced916872bp-3 --view -1.5 3 -1.2 2.4",
                          Julia, GreyPortable, {-1.5, 3.0, -1.2, 2.4}, {-0.8, 0.156});
    expectPpmEqualsEngine("--method 3 --view -0x1.8p-1 0x1p-4 0.1 1e-1", Mandelbrot,
                          PalettePortable, {-0.75, 0.0625, 0.1, 0.1}, {});
}

TEST(RenderTool, WritesPng) {
    TempFolder folder;
    const RunResult run = runRender("--kind julia " + folder.path("out.png"));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::vector<unsigned char> file = readWholeFile(folder.path("out.png"));
    ASSERT_GT(file.size(), 33u);
    EXPECT_EQ(std::memcmp(file.data(), "\x89PNG\r\n\x1a\n", 8), 0);
    EXPECT_EQ(std::memcmp(file.data() + 12, "IHDR\0\0\x02\0\0\0\x02\0\x08\x02", 14), 0);
}

TEST(RenderTool, BadArgumentsAreUsageErrors) {
    TempFolder folder;
    const std::string out = folder.path("out.ppm");
    const std::string bad[] = {
        "",
        "--method 6 " + out,
        "--method -1 " + out,
        "--method 1x " + out,
        "--kind newton " + out,
        "--view 1 2 3 " + out,
        "--view 1 2 3 x4 " + out,
        "--seed 0.5 " + out,
        "--frobnicate " + out,
        out + " " + out,
        folder.path("out.bmp"),
        "--method",
    };
    for (const std::string& arguments : bad) {
        const RunResult run = runRender(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments << "\n" << run.output;
        EXPECT_NE(run.output.find("zelvonia-render: "), std::string::npos) << arguments;
    }
    EXPECT_TRUE(readWholeFile(out).empty());
}

TEST(RenderTool, InputAndOutputFailuresExitWithOne) {
    TempFolder folder;
    RunResult run = runRender("--palette " + folder.path("none.pal") + " " + folder.path("a.ppm"));
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("none.pal"), std::string::npos);
    run = runRender(folder.path("no/such/folder/a.ppm"));
    EXPECT_EQ(run.exitCode, 1) << run.output;
    run = runRender("/proc/a.png");
    EXPECT_EQ(run.exitCode, 1) << run.output;
}

} // namespace
