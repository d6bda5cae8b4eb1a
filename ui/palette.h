// palette.h -- RIFF palette files read into the engine's PaletteTable
#pragma once

#include "engine/palette_table.h"

// Fills PaletteTable from the RIFF palette file at path: red, green and blue of entry i come from
// bytes 24 + 4i to 26 + 4i. A file that cannot be opened changes nothing; entries a short file does
// not wholly hold keep their values.
void loadPalette(const char* path);

// The eight palette files, for digit keys 1 to 8.
extern const char* const PaletteFiles[8];
