// file_mapping.h -- a whole file mapped read-only into memory, for the bitmap loader
#pragma once

#include <cstddef>
#include <cstdint>

// The file itself is closed once mapped; the mapping alone keeps its bytes.
struct FileMapping {
    const uint8_t* bytes;
    size_t size;
};

// Opens an existing regular file for reading and maps all of it. Returns 1 on success; on
// failure returns 0 and leaves nothing open. An empty file cannot be mapped, as on the system
// the program first ran on.
int mapFileReadOnly(const char* name, FileMapping* mapping);

// Unmaps what mapFileReadOnly made; a failed or released mapping is left alone.
void unmapFile(FileMapping* mapping);
