// render.cpp -- zelvonia-render: the viewer's 512x512 picture of one view, without a window
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/tile_computation.h"
#include "tools/picture_file.h"
#include "tools/three_dnow_form.h"
#include "ui/palette.h"

namespace {

const char Usage[] = "usage: zelvonia-render [--kind mandelbrot|julia] [--method 0..5] "
                     "[--view X DX Y DY] [--seed RE IM] [--palette FILE.pal] OUT";

int usageError(const char* what, const char* argument) {
    std::fprintf(stderr, "zelvonia-render: %s%s%s\n%s\n", what, argument ? ": " : "",
                 argument ? argument : "", Usage);
    return 2;
}

bool readNumber(const char* text, double* value) {
    char* end;
    errno = 0;
    *value = std::strtod(text, &end);
    return end != text && *end == '\0';
}

struct Options {
    FractalKind kind = Mandelbrot;
    ComputeMethod method = GreyPortable;
    ViewRegion view = InitialView;
    JuliaSeed seed = {0.0, 0.0};
    const char* palette = "palety/Default.pal";
    const char* out = nullptr;
};

// Returns 0 when the arguments are good, else the usage error's exit code.
int parseArguments(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        auto wants = [&](int count) { return i + count < argc; };
        if (std::strcmp(arg, "--kind") == 0 && wants(1)) {
            const char* kind = argv[++i];
            if (std::strcmp(kind, "mandelbrot") == 0)
                options->kind = Mandelbrot;
            else if (std::strcmp(kind, "julia") == 0)
                options->kind = Julia;
            else
                return usageError("unknown kind", kind);
        } else if (std::strcmp(arg, "--method") == 0 && wants(1)) {
            const char* method = argv[++i];
            if (std::strlen(method) != 1 || method[0] < '0' || method[0] > '5')
                return usageError("method must be 0 to 5", method);
            options->method = ComputeMethod(method[0] - '0');
        } else if (std::strcmp(arg, "--view") == 0 && wants(4)) {
            double* fields[4] = {&options->view.x, &options->view.dx, &options->view.y,
                                 &options->view.dy};
            for (double* field : fields)
                if (!readNumber(argv[++i], field)) return usageError("bad number", argv[i]);
        } else if (std::strcmp(arg, "--seed") == 0 && wants(2)) {
            if (!readNumber(argv[++i], &options->seed.re)) return usageError("bad number", argv[i]);
            if (!readNumber(argv[++i], &options->seed.im)) return usageError("bad number", argv[i]);
        } else if (std::strcmp(arg, "--palette") == 0 && wants(1)) {
            options->palette = argv[++i];
        } else if (arg[0] == '-' && arg[1] != '\0') {
            return usageError("unknown or incomplete option", arg);
        } else if (options->out) {
            return usageError("more than one output", arg);
        } else {
            options->out = arg;
        }
    }
    if (!options->out) return usageError("no output file", nullptr);
    if (!isPictureName(options->out))
        return usageError("output must end in .ppm or .png", options->out);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (int error = parseArguments(argc, argv, &options)) return error;

    FILE* palette = std::fopen(options.palette, "rb");
    if (!palette) {
        std::fprintf(stderr, "zelvonia-render: cannot read palette %s: %s\n", options.palette,
                     std::strerror(errno));
        return 1;
    }
    std::fclose(palette);
    loadPalette(options.palette);

    viewerState.kind = options.kind;
    viewerState.method = options.method;
    viewerState.view = options.view;
    viewerState.juliaSeed = options.seed;
    chooseThreeDNowForm("zelvonia-render", implementationOf(options.method) == 2);

    static TileImage tiles[4];
    static uint8_t picture[PictureBytes];
    computeTilesInMemory(tiles);
    assemblePicture(tiles, picture);

    char error[512];
    if (!writePicture(options.out, picture, error, sizeof error)) {
        std::fprintf(stderr, "zelvonia-render: %s\n", error);
        return 1;
    }
    std::printf("iterations: %u\nseconds: %.6f\n", viewerState.iterationCount,
                viewerState.computeSeconds);
    return 0;
}
