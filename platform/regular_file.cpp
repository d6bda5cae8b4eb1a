// regular_file.cpp -- regular files only, opened with O_NONBLOCK so that a FIFO cannot hang us
#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

// The C runtime of Windows knows neither FIFOs to wait on nor these flags, but translates line
// ends unless told not to.
#ifndef O_NONBLOCK
#define O_NONBLOCK 0
#endif
#ifndef O_CLOEXEC
#define O_CLOEXEC 0
#endif
#ifndef O_NOCTTY
#define O_NOCTTY 0
#endif
#ifndef O_BINARY
#define O_BINARY 0
#endif

int openRegularFile(const char* name) {
    // A FIFO without a writer would block a plain open; O_NONBLOCK returns at once and fstat
    // then tells what the name stands for.
    const int descriptor = open(name, O_RDONLY | O_BINARY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) return -1;
    struct stat status;
    const bool known = fstat(descriptor, &status) == 0;
    if (!known || !S_ISREG(status.st_mode)) {
        const int error = known ? EINVAL : errno;
        close(descriptor);
        errno = error;
        return -1;
    }
    return descriptor;
}

long readUpTo(int descriptor, void* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        const long got = read(descriptor, static_cast<char*>(buffer) + done, unsigned(size - done));
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        done += size_t(got);
    }
    return long(done);
}

void closeRegularFile(int descriptor) {
    close(descriptor);
}
