// replace_file.cpp -- picture files on Windows: written beside their target and moved over it,
// by UTF-8 name through the wide calls
#include "platform/replace_file.h"

#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <io.h>

#include "platform/win32/system_error.h"
#include "platform/win32/wide_text.h"

namespace {

// The folder part of path, with its separator: either slash, or the colon of "C:name".
std::string folderOf(const std::string& path) {
    const size_t end = path.find_last_of("/\\:");
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

// A new file of a short name in the target's folder, so that a name near the system's limit still
// has a temporary: the first of a few made-up names that does not exist yet.
HANDLE createTemporary(ReplacementFile* replacement) {
    const std::string folder = folderOf(replacement->target);
    const unsigned seed = unsigned(GetCurrentProcessId()) * 2654435761u ^ GetTickCount();
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, ".zelvonia-%08x", seed + attempt * 40503u);
        replacement->temporary = folder + name;
        HANDLE file = CreateFileW(wideText(replacement->temporary.c_str()).c_str(), GENERIC_WRITE,
                                  0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

void removeTemporary(ReplacementFile* replacement) {
    DeleteFileW(wideText(replacement->temporary.c_str()).c_str());
}

// Some runtimes report a write that the disk could not take whole as an invalid argument, or not
// at all; a disk without room left is named as full, as on Linux. Asked while the temporary file
// still takes up its room.
int writeFailure(const ReplacementFile* replacement, int error) {
    if (error != EINVAL && error != 0) return error;
    const std::string folder = folderOf(replacement->temporary);
    ULARGE_INTEGER available;
    if (GetDiskFreeSpaceExW(wideText(folder.empty() ? "." : folder.c_str()).c_str(), &available,
                            nullptr, nullptr) &&
        available.QuadPart < 65536)
        return ENOSPC;
    return error;
}

} // namespace

int openReplacement(const char* path, ReplacementFile* replacement) {
    replacement->file = nullptr;
    replacement->target = path;
    replacement->temporary.clear();
    const DWORD attributes = GetFileAttributesW(wideText(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        errno = EISDIR;
        return 0;
    }
    HANDLE file = createTemporary(replacement);
    if (file == INVALID_HANDLE_VALUE) {
        replacement->temporary.clear();
        return setErrnoFromLastError(0);
    }
    const int descriptor = _open_osfhandle(intptr_t(file), _O_WRONLY | _O_BINARY);
    replacement->file = descriptor < 0 ? nullptr : _fdopen(descriptor, "wb");
    if (replacement->file) return 1;
    if (descriptor < 0)
        CloseHandle(file);
    else
        _close(descriptor);
    removeTemporary(replacement);
    errno = EMFILE;
    return 0;
}

// rename fails over an existing file on Windows; MoveFileEx replaces it.
int finishReplacement(ReplacementFile* replacement, int complete) {
    const bool closed = std::fclose(replacement->file) == 0;
    replacement->file = nullptr;
    int error = complete && closed ? 0 : writeFailure(replacement, errno);
    if (complete && closed) {
        if (MoveFileExW(wideText(replacement->temporary.c_str()).c_str(),
                        wideText(replacement->target.c_str()).c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 1;
        error = errnoOfSystemError(GetLastError());
    }
    removeTemporary(replacement);
    errno = error;
    return 0;
}
