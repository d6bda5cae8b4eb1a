// standard_output.h -- the tools' last step: output that never reached its file is a failure
#pragma once

#include <cerrno>
#include <cstdio>

#include "platform/error_text.h"

// Flushes standard output; when that or an earlier write failed (a full disk, a closed pipe
// reader), says so on stderr and turns the exit code 0 into 1. Returns the exit code.
inline int finishStandardOutput(const char* tool, int code) {
    // The runtime of Windows writes a tool's output as it comes even when asked to buffer it, so
    // the reason of its failure is what that write left in errno; a flush that fails gives its own.
    const int earlier = errno;
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return code;
    const int error = errno ? errno : earlier;
    std::fprintf(stderr, "%s: cannot write standard output%s%s\n", tool, error ? ": " : "",
                 error ? errorText(error) : "");
    return code ? code : 1;
}
