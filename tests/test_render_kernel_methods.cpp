// test_render_kernel_methods.cpp -- zelvonia-render with the x87 and 3DNow! methods, and its
// note when methods 2 and 5 run on the packed-pair layer
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/processor_check.h"
#include "engine/tile_computation.h"
#include "tests/support/temp_files.h"
#include "tools/picture_file.h"
#include "ui/palette.h"

namespace {

struct RenderCase {
    const char* arguments;
    FractalKind kind;
    ComputeMethod method;
    ViewRegion view;
    JuliaSeed seed;
};

const RenderCase renderCases[] = {
    {"--method 1", Mandelbrot, GreyX87, InitialView, {}},
    {"--method 2", Mandelbrot, Grey3DNow, InitialView, {}},
    {"--method 4", Mandelbrot, PaletteX87, InitialView, {}},
    {"--method 5", Mandelbrot, Palette3DNow, InitialView, {}},
    {"--method 4 --kind julia --seed -0.8 0.156", Julia, PaletteX87, InitialView, {-0.8, 0.156}},
    {"--method 2 --kind julia --seed -0.8 0.156", Julia, Grey3DNow, InitialView, {-0.8, 0.156}},
    {"--method 5 --view -1.4968 0x1p-16 0 0x1p-16",
     Mandelbrot,
     Palette3DNow,
     {-1.4968, 0x1p-16, 0.0, 0x1p-16},
     {}},
};

struct RunResult {
    int exitCode;
    std::string output, errors;
};

std::string readText(const std::string& path) {
    const std::vector<unsigned char> bytes = readWholeFile(path);
    return std::string(bytes.begin(), bytes.end());
}

RunResult runRender(const std::string& arguments, const TempFolder& folder) {
    const char* build = std::getenv("ZELVONIA_BUILD");
    const std::string command = std::string(build ? build : "build") + "/zelvonia-render " +
                                arguments + " >" + folder.path("stdout") + " 2>" +
                                folder.path("stderr");
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readText(folder.path("stdout")),
            readText(folder.path("stderr"))};
}

constexpr size_t HeaderLength = 15; // "P6\n512 512\n255\n"

TEST(RenderKernelMethods, PicturesAndCountsAreTheEnginesWithTheLayerNotedWhereUsed) {
    const bool layer = detect3DNow() == 0;
    for (const RenderCase& c : renderCases) {
        SCOPED_TRACE(c.arguments);
        TempFolder folder;
        const RunResult run =
            runRender(std::string(c.arguments) + " " + folder.path("out.ppm"), folder);
        ASSERT_EQ(run.exitCode, 0) << run.output << run.errors;
        const bool threeDNow = c.method == Grey3DNow || c.method == Palette3DNow;
        EXPECT_EQ(run.errors.find("layer") != std::string::npos, threeDNow && layer) << run.errors;

        loadPalette("palety/Default.pal");
        viewerState.kind = c.kind;
        viewerState.method = c.method;
        viewerState.view = c.view;
        viewerState.juliaSeed = c.seed;
        useThreeDNowLayer(layer);
        static TileImage tiles[4];
        static uint8_t expected[PictureBytes];
        computeTilesInMemory(tiles);
        useThreeDNowLayer(false);
        assemblePicture(tiles, expected);
        EXPECT_NE(
            run.output.find("iterations: " + std::to_string(viewerState.iterationCount) + "\n"),
            std::string::npos)
            << run.output;

        const std::vector<unsigned char> file = readWholeFile(folder.path("out.ppm"));
        ASSERT_EQ(file.size(), HeaderLength + PictureBytes);
        EXPECT_TRUE(std::equal(expected, expected + PictureBytes, file.begin() + HeaderLength));

        // The picture's lower-left pixel, (-1.25, -1) in the initial view, escapes at iteration 2
        // in every precision: grey 157 or entry 3.
        if (c.kind == Mandelbrot && c.view.x == InitialView.x && c.view.dx == InitialView.dx) {
            const unsigned char* corner = file.data() + HeaderLength + 511 * 512 * 3;
            const bool palette = c.method == PaletteX87 || c.method == Palette3DNow;
            EXPECT_EQ(corner[0], palette ? PaletteTable[3].red : 157);
            EXPECT_EQ(corner[1], palette ? PaletteTable[3].green : 157);
            EXPECT_EQ(corner[2], palette ? PaletteTable[3].blue : 157);
        }
    }
}

} // namespace
