// palette.cpp -- reading RIFF palette files into the PaletteTable
#include "ui/palette.h"

#include "platform/regular_file.h"

const char* const PaletteFiles[8] = {
    "palety/Default.pal", "palety/CMY.pal",     "palety/Colours.pal", "palety/Fire.pal",
    "palety/Grey.pal",    "palety/Pulsate.pal", "palety/Rainbow.pal", "palety/Standard.pal",
};

namespace {
constexpr size_t EntriesOffset = 24;
constexpr size_t ReadSize = 1052;
} // namespace

void loadPalette(const char* path) {
    // Only a regular file is read: a FIFO or device counts as a file that cannot be opened.
    const int file = openRegularFile(path);
    if (file < 0) return;
    unsigned char buffer[ReadSize];
    const long read = readUpTo(file, buffer, sizeof buffer);
    closeRegularFile(file);
    const size_t length = read > 0 ? size_t(read) : 0;

    for (size_t i = 0; i < 256; ++i) {
        const size_t at = EntriesOffset + 4 * i;
        if (at + 4 > length) break;
        PaletteTable[i].red = buffer[at];
        PaletteTable[i].green = buffer[at + 1];
        PaletteTable[i].blue = buffer[at + 2];
    }
}
