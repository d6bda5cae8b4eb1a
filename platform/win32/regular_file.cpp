// regular_file.cpp -- regular files on Windows, by UTF-8 name through the wide calls
#include "platform/regular_file.h"

#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <io.h>

#include "platform/win32/system_error.h"
#include "platform/win32/wide_text.h"

namespace {

// A folder cannot be opened as a file at all; it is told apart from a file denied to the user
// by its attributes, and reported as what it is: not a regular file.
int openFailure(const std::wstring& name) {
    const DWORD code = GetLastError();
    const DWORD attributes = GetFileAttributesW(name.c_str());
    const bool folder =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    errno = folder ? EINVAL : errnoOfSystemError(code);
    return -1;
}

} // namespace

// Others may read and write the file meanwhile, as they may on POSIX systems. A device (NUL,
// CON, a pipe) is not a file on disk.
int openRegularFile(const char* name) {
    const std::wstring wide = wideText(name);
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return openFailure(wide);
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        errno = EINVAL;
        return -1;
    }
    const int descriptor = _open_osfhandle(intptr_t(file), _O_RDONLY | _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(file);
        errno = EMFILE;
    }
    return descriptor;
}
