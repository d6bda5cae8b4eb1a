// key_table.cpp -- the one KeyTable
#include "app/key_table.h"

uint8_t KeyTable[256];
