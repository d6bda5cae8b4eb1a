// regular_file.cpp -- regular files only, opened with O_NONBLOCK so that a FIFO cannot hang us
#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

int openRegularFile(const char* name) {
    // A FIFO without a writer would block a plain open; O_NONBLOCK returns at once and fstat
    // then tells what the name stands for.
    const int descriptor = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
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
