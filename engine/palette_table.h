// palette_table.h -- the 256-colour table that the palette kernels read
#pragma once

#include <cstdint>

struct PaletteEntry {
    uint8_t red, green, blue, spare;
};

// All zero at start; the palette kernels read entries 2 to 101. Filled by loadPalette.
extern PaletteEntry PaletteTable[256];
