// key_table.cpp -- the one KeyTable
#include "ui/key_table.h"

uint8_t KeyTable[256];
