// key_table.h -- which keys and mouse buttons are down, by virtual-key code
#pragma once

#include <cstdint>

// 1 while the key is down; 1 and 2 are the left and right mouse buttons. windowProc is the only
// writer of 1s; the consumer of a one-shot command writes 0 once it has acted.
extern uint8_t KeyTable[256];
