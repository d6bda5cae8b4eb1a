// palette_table.cpp -- the one PaletteTable
#include "engine/palette_table.h"

PaletteEntry PaletteTable[256];
