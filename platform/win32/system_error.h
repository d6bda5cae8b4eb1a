// system_error.h -- Win32 error codes as the errno values that the callers of the layer expect
#pragma once

// The errno value whose text a Linux build would print for the same failure: a missing file or
// folder ENOENT, a full disk ENOSPC, a name too long ENAMETOOLONG; EIO for what has no match.
int errnoOfSystemError(unsigned long code);

// errno = errnoOfSystemError(GetLastError()); returns fallback, for "return failed();".
int setErrnoFromLastError(int fallback);
