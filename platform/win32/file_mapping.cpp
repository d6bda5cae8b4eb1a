// file_mapping.cpp -- read-only file mappings through the file and section objects of Windows
#include "platform/file_mapping.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace {

// A view of the whole of an ordinary file on disk, or null. The mapping object can go once the
// view exists: the view keeps it, as it keeps the file.
const uint8_t* mapWhole(HANDLE file, size_t* size) {
    LARGE_INTEGER fileSize;
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &fileSize) ||
        fileSize.QuadPart <= 0 || uint64_t(fileSize.QuadPart) > SIZE_MAX)
        return nullptr;
    *size = size_t(fileSize.QuadPart);
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!mapping) return nullptr;
    const void* bytes = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    CloseHandle(mapping);
    return static_cast<const uint8_t*>(bytes);
}

} // namespace

// Others may read the file meanwhile. An empty file has nothing to map: CreateFileMappingA
// refuses it. The name is UTF-8, as everywhere in the platform layer.
int mapFileReadOnly(const char* name, FileMapping* mapping) {
    *mapping = {nullptr, 0};
    HANDLE file = CreateFileW(wideText(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    size_t size = 0;
    const uint8_t* bytes = mapWhole(file, &size);
    CloseHandle(file);
    if (!bytes) return 0;
    *mapping = {bytes, size};
    return 1;
}

void unmapFile(FileMapping* mapping) {
    if (mapping->bytes) UnmapViewOfFile(mapping->bytes);
    *mapping = {nullptr, 0};
}
