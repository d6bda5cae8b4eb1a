// palette.cpp -- reading RIFF palette files into the PaletteTable
#include "ui/palette.h"

#include <cstdio>

const char* const PaletteFiles[8] = {
    "palety/Default.pal", "palety/CMY.pal",     "palety/Colours.pal", "palety/Fire.pal",
    "palety/Grey.pal",    "palety/Pulsate.pal", "palety/Rainbow.pal", "palety/Standard.pal",
};

namespace {
constexpr size_t EntriesOffset = 24;
constexpr size_t ReadSize = 1052;
} // namespace

void loadPalette(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (!file) return;
    unsigned char buffer[ReadSize];
    const size_t length = std::fread(buffer, 1, sizeof buffer, file);
    std::fclose(file);

    for (size_t i = 0; i < 256; ++i) {
        const size_t at = EntriesOffset + 4 * i;
        if (at + 4 > length) break;
        PaletteTable[i].red = buffer[at];
        PaletteTable[i].green = buffer[at + 1];
        PaletteTable[i].blue = buffer[at + 2];
    }
}
