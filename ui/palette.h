// palette.h -- the 256-colour table of the palette kernels and its RIFF palette files
#pragma once

#include <cstdint>

struct PaletteEntry {
    uint8_t red, green, blue, spare;
};

// All zero at start; the palette kernels read entries 2 to 101.
extern PaletteEntry PaletteTable[256];

// Fills PaletteTable from the RIFF palette file at path: red, green and blue of entry i come from
// bytes 24 + 4i to 26 + 4i. A file that cannot be opened changes nothing; entries a short file does
// not wholly hold keep their values.
void loadPalette(const char* path);

// The eight palette files, for digit keys 1 to 8.
extern const char* const PaletteFiles[8];
