// file_mapping.cpp -- read-only file mappings through mmap
#include "platform/file_mapping.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/regular_file.h"

namespace {

// The whole regular file behind descriptor, or null.
const uint8_t* mapWhole(int descriptor, size_t* size) {
    struct stat status;
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0)
        return nullptr;
    *size = size_t(status.st_size);
    void* bytes = mmap(nullptr, *size, PROT_READ, MAP_PRIVATE, descriptor, 0);
    return bytes == MAP_FAILED ? nullptr : static_cast<const uint8_t*>(bytes);
}

} // namespace

int mapFileReadOnly(const char* name, FileMapping* mapping) {
    *mapping = {nullptr, 0};
    // Never a plain open: a FIFO without a writer would block it.
    const int descriptor = openRegularFile(name);
    if (descriptor < 0) return 0;
    size_t size = 0;
    const uint8_t* bytes = mapWhole(descriptor, &size);
    close(descriptor); // a mapping outlives its descriptor
    if (!bytes) return 0;
    *mapping = {bytes, size};
    return 1;
}

void unmapFile(FileMapping* mapping) {
    if (mapping->bytes) munmap(const_cast<uint8_t*>(mapping->bytes), mapping->size);
    *mapping = {nullptr, 0};
}
