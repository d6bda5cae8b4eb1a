// system_error.cpp -- Win32 error codes mapped to errno
#include "platform/win32/system_error.h"

#include <windows.h>

#include <cerrno>

namespace {

struct ErrorPair {
    DWORD code;
    int error;
};

// Names that cannot exist (a bad character, a missing drive) are missing, as they would be on
// Linux; a file in use by another program is the nearest thing to a busy device.
const ErrorPair errorPairs[] = {
    {ERROR_FILE_NOT_FOUND, ENOENT},
    {ERROR_PATH_NOT_FOUND, ENOENT},
    {ERROR_INVALID_NAME, ENOENT},
    {ERROR_BAD_PATHNAME, ENOENT},
    {ERROR_INVALID_DRIVE, ENOENT},
    {ERROR_BAD_NETPATH, ENOENT},
    {ERROR_BAD_NET_NAME, ENOENT},
    {ERROR_NOT_READY, ENOENT},
    {ERROR_ACCESS_DENIED, EACCES},
    {ERROR_LOCK_VIOLATION, EACCES},
    {ERROR_SHARING_VIOLATION, EBUSY},
    {ERROR_WRITE_PROTECT, EROFS},
    {ERROR_DISK_FULL, ENOSPC},
    {ERROR_HANDLE_DISK_FULL, ENOSPC},
    {ERROR_FILENAME_EXCED_RANGE, ENAMETOOLONG},
    {ERROR_DIRECTORY, ENOTDIR},
    {ERROR_FILE_EXISTS, EEXIST},
    {ERROR_ALREADY_EXISTS, EEXIST},
    {ERROR_NOT_SAME_DEVICE, EXDEV},
    {ERROR_NOT_ENOUGH_MEMORY, ENOMEM},
    {ERROR_OUTOFMEMORY, ENOMEM},
    {ERROR_TOO_MANY_OPEN_FILES, EMFILE},
    {ERROR_FILE_TOO_LARGE, EFBIG},
    {ERROR_BROKEN_PIPE, EPIPE},
    {ERROR_NO_DATA, EPIPE},
};

} // namespace

int errnoOfSystemError(unsigned long code) {
    for (const ErrorPair& pair : errorPairs)
        if (pair.code == code) return pair.error;
    return EIO;
}

int setErrnoFromLastError(int fallback) {
    errno = errnoOfSystemError(GetLastError());
    return fallback;
}
