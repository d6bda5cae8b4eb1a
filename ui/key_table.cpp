// key_table.cpp -- the one KeyTable, with the releases that wait for their press to be read
#include "ui/key_table.h"

#include <cstring>

#include "platform/keys.h"

uint8_t KeyTable[256];

namespace {

bool unread[256];  // pressed since the last pass read the table
bool waiting[256]; // released, to be cleared once the pass has read the press
bool anyWaiting = false;

} // namespace

void pressKey(uint8_t key) {
    KeyTable[key] = 1;
    unread[key] = true;
    waiting[key] = false;
}

void releaseKey(uint8_t key) {
    if (unread[key])
        waiting[key] = anyWaiting = true;
    else
        KeyTable[key] = 0;
}

void releaseAllKeys() {
    for (int key = 0; key < 256; ++key) releaseKey(uint8_t(key));
}

void releaseButtons() {
    releaseKey(VK_LBUTTON);
    releaseKey(VK_RBUTTON);
}

bool releaseWaiting() {
    return anyWaiting;
}

void keysRead() {
    for (int key = 0; key < 256; ++key)
        if (waiting[key]) KeyTable[key] = 0;
    std::memset(unread, 0, sizeof unread);
    std::memset(waiting, 0, sizeof waiting);
    anyWaiting = false;
}
