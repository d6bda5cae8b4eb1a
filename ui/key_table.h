// key_table.h -- which keys and mouse buttons are down, by virtual-key code
#pragma once

#include <cstdint>

// 1 while the key is down; 1 and 2 are the left and right mouse buttons. Only pressKey writes
// 1s; the consumer of a one-shot command writes 0 once it has acted.
extern uint8_t KeyTable[256];

// A key or button goes down (a keyboard's repeat included).
void pressKey(uint8_t key);

// A key or button goes up. A press that no pass of the main loop has read yet keeps its entry
// until the next pass has read it, so that a tap shorter than a frame acts as if held for one
// frame.
void releaseKey(uint8_t key);

// Every key and button goes up, or both buttons: when the window can no longer learn of their
// releases.
void releaseAllKeys();
void releaseButtons();

// True while a release waits for a pass to read its press.
bool releaseWaiting();

// A pass has read the table: the waiting releases take effect.
void keysRead();
