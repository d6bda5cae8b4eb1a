// render.cpp -- zelvonia-render: the viewer's picture of one view, at its 512x512 or any size,
// without a window
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/tile_computation.h"
#include "engine/vector_tiles.h"
#include "platform/console_program.h"
#include "platform/error_text.h"
#include "platform/interval_timer.h"
#include "platform/regular_file.h"
#include "platform/threads.h"
#include "platform/x87_control.h"
#include "tools/picture_file.h"
#include "tools/processor_forms.h"
#include "tools/standard_output.h"
#include "tools/tool_options.h"
#include "ui/palette.h"

namespace {

const char Usage[] =
    "usage: zelvonia-render [--kind mandelbrot|julia] [--method 0..5] [--vector] [--view X DX Y "
    "DY]\n"
    "                       [--seed RE IM] [--palette FILE.pal] [--size WxH] [--without FEATURES]\n"
    "                       OUT\n"
    "       zelvonia-render --help | --version\n";

const char Help[] =
    "Computes the viewer's picture of one view and writes it to OUT, a .ppm or .png file.\n"
    "  --kind mandelbrot|julia  the set (default: mandelbrot)\n"
    "  --method 0..5            0 grey portable, 1 grey x87, 2 grey 3DNow!, 3 palette portable,\n"
    "                           4 palette x87, 5 palette 3DNow! (default: 0)\n"
    "  --vector                 methods 0 and 3 in vectorised form on every core; the same "
    "picture\n"
    "  --view X DX Y DY         lower-left corner, width and height (default: -1.25 2 -1 2)\n"
    "  --seed RE IM             the Julia constant (default: 0 0)\n"
    "  --palette FILE.pal       palette of methods 3 to 5 (default: palety/Default.pal)\n"
    "  --size WxH               the picture's size in pixels, multiples of 256 up to 16384\n"
    "                           (default: 512x512, the viewer's); its 256x256 tiles divide\n"
    "                           the view evenly\n"
    "  --without FEATURES       compute as on a processor without them, comma-separated: sse2\n"
    "                           (methods 0 and 3 on the x87), avx2, avx512 (a narrower\n"
    "                           vectorised form), 3dnow (methods 2 and 5 on the packed-pair\n"
    "                           layer); the same picture\n"
    "Numbers are decimal or hex floats and must be finite. Prints the iteration count and the\n"
    "time.\n";

int usageError(const char* what, const char* argument) {
    std::fprintf(stderr, "zelvonia-render: %s%s%s\n%s", what, argument ? ": " : "",
                 argument ? argument : "", Usage);
    return 2;
}

// Reads a finite number (decimal or hex float); returns 0 when it is one, else the exit code.
int readNumber(const char* text, double* value) {
    char* end;
    errno = 0;
    *value = std::strtod(text, &end);
    if (end == text || *end != '\0') return usageError("bad number", text);
    if (!std::isfinite(*value)) return usageError("number out of range", text);
    return 0;
}

struct Options {
    FractalKind kind = Mandelbrot;
    ComputeMethod method = GreyPortable;
    bool vector = false;
    ViewRegion view = InitialView;
    JuliaSeed seed = {0.0, 0.0};
    const char* palette = nullptr;
    const char* out = nullptr;
    int width = PictureSide, height = PictureSide;
    unsigned without = 0;
};

constexpr int LargestSide = 16384;

// Reads WxH, two numbers of digits alone, each a multiple of TileSide up to LargestSide; returns
// 0, else the exit code.
int readSize(const char* text, Options* options) {
    const char* digits = "0123456789";
    const size_t widthLength = std::strspn(text, digits);
    const char* heightText = text + widthLength + 1;
    const size_t heightLength = std::strspn(heightText, digits);
    const auto side = [](const char* number, size_t length) {
        const int value = length > 0 && length <= 5 ? std::atoi(number) : 0;
        return value <= LargestSide && value % TileSide == 0 ? value : 0;
    };
    const int width = side(text, widthLength), height = side(heightText, heightLength);
    if (text[widthLength] != 'x' || heightText[heightLength] != '\0' || !width || !height)
        return usageError("size must be WxH, multiples of 256 up to 16384", text);
    options->width = width;
    options->height = height;
    return 0;
}

// Returns 0 when the option at argv[*i] is good (and steps over its values), else the exit code.
int parseOption(int argc, char** argv, int* i, Options* options) {
    const char* arg = argv[*i];
    auto wants = [&](int count) { return *i + count < argc; };
    if (std::strcmp(arg, "--kind") == 0 && wants(1)) {
        const char* kind = argv[++*i];
        if (std::strcmp(kind, "mandelbrot") == 0)
            options->kind = Mandelbrot;
        else if (std::strcmp(kind, "julia") == 0)
            options->kind = Julia;
        else
            return usageError("unknown kind", kind);
    } else if (std::strcmp(arg, "--method") == 0 && wants(1)) {
        const char* method = argv[++*i];
        if (std::strlen(method) != 1 || method[0] < '0' || method[0] > '5')
            return usageError("method must be 0 to 5", method);
        options->method = ComputeMethod(method[0] - '0');
    } else if (std::strcmp(arg, "--vector") == 0) {
        options->vector = true;
    } else if (std::strcmp(arg, "--view") == 0 && wants(4)) {
        double* fields[4] = {&options->view.x, &options->view.dx, &options->view.y,
                             &options->view.dy};
        for (double* field : fields)
            if (int error = readNumber(argv[++*i], field)) return error;
    } else if (std::strcmp(arg, "--seed") == 0 && wants(2)) {
        if (int error = readNumber(argv[++*i], &options->seed.re)) return error;
        if (int error = readNumber(argv[++*i], &options->seed.im)) return error;
    } else if (std::strcmp(arg, "--palette") == 0 && wants(1)) {
        options->palette = argv[++*i];
    } else if (std::strcmp(arg, "--size") == 0 && wants(1)) {
        if (int error = readSize(argv[++*i], options)) return error;
    } else if (std::strcmp(arg, "--without") == 0 && wants(1)) {
        if (!parseWithout(argv[++*i], &options->without))
            return usageError("features are sse2, avx2, avx512 or 3dnow", argv[*i]);
    } else {
        return usageError("unknown or incomplete option", arg);
    }
    return 0;
}

// Returns -1 when the arguments are good, else the exit code (0 after --help or --version).
int parseArguments(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0) {
            std::printf("%s%s", Usage, Help);
            return 0;
        } else if (std::strcmp(arg, "--version") == 0) {
            std::printf("zelvonia-render %s\n", ZELVONIA_VERSION);
            return 0;
        } else if (arg[0] == '-' && arg[1] != '\0') {
            if (int error = parseOption(argc, argv, &i, options)) return error;
        } else if (options->out) {
            return usageError("more than one output", arg);
        } else {
            options->out = arg;
        }
    }
    if (!options->out) return usageError("no output file", nullptr);
    if (!isPictureName(options->out))
        return usageError("output must end in .ppm or .png", options->out);
    if (options->vector && options->method != GreyPortable && options->method != PalettePortable)
        return usageError("--vector computes methods 0 and 3 only", nullptr);
    return -1;
}

// The palette must be a regular file that holds a whole RIFF palette of 256 entries; anything
// else would colour the picture black or with stray bytes. Returns 0, or 1 with a message.
int checkPalette(const char* path) {
    const int file = openRegularFile(path);
    if (file < 0) {
        if (errno == EINVAL) {
            std::fprintf(stderr, "zelvonia-render: not a palette file: %s\n", path);
        } else {
            std::fprintf(stderr, "zelvonia-render: cannot read palette %s: %s\n", path,
                         errorText(errno));
        }
        return 1;
    }
    unsigned char head[1048];
    const long length = readUpTo(file, head, sizeof head);
    closeRegularFile(file);
    if (length != long(sizeof head) || std::memcmp(head, "RIFF", 4) != 0 ||
        std::memcmp(head + 8, "PAL data", 8) != 0) {
        std::fprintf(stderr, "zelvonia-render: not a palette file: %s\n", path);
        return 1;
    }
    return 0;
}

// One row of tiles, from the left; adds its iterations to iterationCount.
void computeTileRow(const Options& options, TileImage* tiles, const TileGrid& grid, int row) {
    if (options.vector) {
        computeGridRowVectorised(tiles, grid, row, hardwareThreadCount());
        return;
    }
    for (int column = 0; column < grid.columns; ++column)
        computeGridTile(tiles[column], grid, column, row, viewerState.kind);
}

// Computes and writes the picture a row of tiles at a time, from the top, so that memory holds
// one row of tiles whatever the size. Returns the exit code.
int renderPicture(const Options& options) {
    const TileGrid grid =
        tileGrid(viewerState.view, options.width / TileSide, options.height / TileSide);
    std::vector<TileImage> tiles(grid.columns);
    std::vector<uint8_t> band(size_t(grid.columns) * TileSide * TileRowBytes);
    char error[512];
    PictureFile picture;
    if (!startPictureFile(options.out, options.width, options.height, &picture, error,
                          sizeof error)) {
        std::fprintf(stderr, "zelvonia-render: %s\n", error);
        return 1;
    }
    const bool progress = isTerminal(stderr);
    uint64_t iterations = 0;
    double seconds = 0;
    for (int row = grid.rows - 1; row >= 0 && !interruptionRequested(); --row) {
        IntervalTimer timer;
        viewerState.iterationCount = 0; // a row's count fits; the picture's may not
        computeTileRow(options, tiles.data(), grid, row);
        seconds += timer.elapsedSeconds();
        iterations += viewerState.iterationCount;
        assembleTileRow(tiles.data(), grid.columns, band.data());
        if (!writePictureRows(&picture, band.data(), TileSide)) break;
        if (progress)
            std::fprintf(stderr, "\rzelvonia-render: %d of %d rows of tiles", grid.rows - row,
                         grid.rows);
    }
    if (progress) std::fprintf(stderr, "\n");
    if (interruptionRequested()) {
        finishPictureFile(&picture, 0, error, sizeof error);
        std::fprintf(stderr, "zelvonia-render: interrupted; no picture written to %s\n",
                     options.out);
        return 130;
    }
    if (!finishPictureFile(&picture, 1, error, sizeof error)) {
        std::fprintf(stderr, "zelvonia-render: %s\n", error);
        return 1;
    }
    std::printf("iterations: %llu\nseconds: %.6f\n", static_cast<unsigned long long>(iterations),
                seconds);
    return 0;
}

int runTool(int argc, char** argv) {
    Options options;
    if (int code = parseArguments(argc, argv, &options); code >= 0) return code;

    // The grey methods need no palette; a palette named all the same is checked all the same.
    const char* palette = options.palette;
    if (!palette && options.method >= PalettePortable) palette = "palety/Default.pal";
    if (palette) {
        if (checkPalette(palette)) return 1;
        loadPalette(palette);
    }

    viewerState.kind = options.kind;
    viewerState.method = options.method;
    viewerState.view = options.view;
    viewerState.juliaSeed = options.seed;
    chooseProcessorForms("zelvonia-render", implementationOf(options.method) == 2, options.without);

    return renderPicture(options);
}

} // namespace

int main(int argc, char** argv) {
    loadX87ControlWord(x87DefaultControlWord);
    startConsoleProgram("zelvonia-render", &argc, &argv);
    catchInterruption();
    return finishStandardOutput("zelvonia-render", runTool(argc, argv));
}
