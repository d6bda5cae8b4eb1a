// make_palettes.cpp -- writes the eight RIFF palette files of palety/
//
// The palette kernels colour a point that escapes at iteration n (1 to 100) with entry n + 1, so
// each palette is designed over entries 2 to 101; the other entries continue it smoothly.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/little_endian.h"

#include "tools/tool_options.h"

namespace {

const char Usage[] = "usage: make-palettes [FOLDER]\n"
                     "writes the eight palette files Default, CMY, Colours, Fire, Grey, Pulsate,\n"
                     "Rainbow and Standard (.pal) into FOLDER, which must exist (default palety)\n";

struct Colour {
    double r, g, b; // 0 to 1
};

constexpr double Pi = 3.14159265358979323846;

Colour mix(Colour a, Colour b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Piecewise linear through evenly spaced stops, t from 0 to 1.
template <int N> Colour gradient(const Colour (&stops)[N], double t) {
    if (!(t > 0)) return stops[0]; // also NaN
    if (t >= 1) return stops[N - 1];
    const double at = t * (N - 1);
    const int i = int(at);
    return mix(stops[i], stops[i + 1], at - i);
}

Colour hue(double h) { // h in turns; full saturation and value
    h -= std::floor(h);
    const double x = h * 6;
    const double r = std::fabs(x - 3) - 1, g = 2 - std::fabs(x - 2), b = 2 - std::fabs(x - 4);
    auto clamp = [](double v) { return v < 0 ? 0 : v > 1 ? 1 : v; };
    return {clamp(r), clamp(g), clamp(b)};
}

// Position of entry k within the designed range 2..101.
double along(int k) {
    return (k - 2) / 99.0;
}

// Most of a picture escapes within a few iterations, so the smooth palettes spend their hues
// on a logarithmic scale of the escape iteration.
double logAlong(int k) {
    return k < 2 ? 0 : std::log(double(k - 1)) / std::log(100.0);
}

Colour defaultPalette(int k) {
    static const Colour stops[] = {{0.02, 0.02, 0.2}, {0.1, 0.2, 0.75}, {0.1, 0.7, 0.9},
                                   {0.3, 0.85, 0.3},  {0.95, 0.9, 0.2}, {1.0, 0.45, 0.1},
                                   {0.85, 0.1, 0.4},  {0.6, 0.2, 0.8},  {1.0, 1.0, 1.0}};
    return gradient(stops, logAlong(k));
}

Colour cmyPalette(int k) {
    static const Colour stops[] = {{0, 1, 1}, {1, 0, 1}, {1, 1, 0}, {0, 1, 1}};
    const double t = along(k) * 3;
    return gradient(stops, t - std::floor(t));
}

Colour coloursPalette(int k) {
    static const Colour bands[] = {{0.9, 0.1, 0.1}, {1.0, 0.6, 0.0}, {1.0, 1.0, 0.1},
                                   {0.1, 0.8, 0.2}, {0.1, 0.8, 0.9}, {0.2, 0.3, 1.0},
                                   {0.7, 0.2, 0.9}, {1.0, 0.4, 0.7}};
    return bands[((k - 2) / 3 % 8 + 8) % 8];
}

Colour firePalette(int k) {
    static const Colour stops[] = {{0.05, 0, 0},   {0.6, 0, 0}, {1, 0.35, 0},
                                   {1, 0.75, 0.1}, {1, 1, 0.6}, {1, 1, 1}};
    return gradient(stops, std::sqrt(std::fmax(along(k), 0.0)));
}

Colour greyPalette(int k) {
    const double v = 0.1 + 0.9 * along(k);
    return {v, v, v};
}

Colour pulsatePalette(int k) {
    const double t = along(k);
    const double pulse = 0.5 + 0.5 * std::sin(2 * Pi * 10 * t);
    return mix({0.05, 0.0, 0.25}, {0.3 + 0.7 * t, 0.9, 1.0}, pulse);
}

Colour rainbowPalette(int k) {
    return hue(along(k) * 0.85);
}

Colour standardPalette(int k) {
    static const Colour stops[] = {{0, 0.03, 0.4}, {0.13, 0.42, 0.8}, {0.93, 1, 1},
                                   {1, 0.67, 0},   {0.2, 0.05, 0},    {0, 0.03, 0.4}};
    const double t = along(k) * 2;
    return gradient(stops, t - std::floor(t));
}

struct PaletteDesign {
    const char* name;
    Colour (*colour)(int k);
};

const PaletteDesign designs[] = {
    {"Default", defaultPalette}, {"CMY", cmyPalette},           {"Colours", coloursPalette},
    {"Fire", firePalette},       {"Grey", greyPalette},         {"Pulsate", pulsatePalette},
    {"Rainbow", rainbowPalette}, {"Standard", standardPalette},
};

uint8_t byteOf(double v) {
    if (v < 0) v = 0;
    if (v > 1) v = 1;
    return uint8_t(std::lround(v * 255));
}

void putText(std::vector<uint8_t>* out, const char* text) {
    while (*text) out->push_back(uint8_t(*text++));
}

bool writePalette(const std::string& path, Colour (*colour)(int k)) {
    std::vector<uint8_t> bytes;
    putText(&bytes, "RIFF");
    put32(&bytes, 1048 - 8);
    putText(&bytes, "PAL data");
    put32(&bytes, 4 + 4 * 256);
    put16(&bytes, 0x0300);
    put16(&bytes, 256);
    for (int k = 0; k < 256; ++k) {
        const Colour c = colour(k);
        for (uint8_t byte : {byteOf(c.r), byteOf(c.g), byteOf(c.b), uint8_t(0)})
            bytes.push_back(byte);
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && isOption(argv[1])) return answerOption("make-palettes", Usage, argv[1]);
    if (argc > 2) {
        std::fprintf(stderr, "make-palettes: one folder at most\n%s", Usage);
        return 2;
    }
    const std::string folder = argc > 1 ? argv[1] : "palety";
    for (const PaletteDesign& design : designs) {
        const std::string path = folder + "/" + design.name + ".pal";
        if (!writePalette(path, design.colour)) {
            std::fprintf(stderr, "make-palettes: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
