// file_mapping.cpp -- read-only file mappings through mmap
#include "platform/file_mapping.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

int mapFileReadOnly(const char* name, FileMapping* mapping) {
    *mapping = {-1, nullptr, 0};
    const int descriptor = open(name, O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return 0;
    struct stat status;
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0) {
        close(descriptor);
        return 0;
    }
    const size_t size = size_t(status.st_size);
    void* bytes = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor, 0);
    if (bytes == MAP_FAILED) {
        close(descriptor);
        return 0;
    }
    *mapping = {descriptor, static_cast<const uint8_t*>(bytes), size};
    return 1;
}

void unmapFile(FileMapping* mapping) {
    if (mapping->bytes) munmap(const_cast<uint8_t*>(mapping->bytes), mapping->size);
    if (mapping->descriptor >= 0) close(mapping->descriptor);
    *mapping = {-1, nullptr, 0};
}
