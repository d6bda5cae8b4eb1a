// regular_file.cpp -- reading and closing what openRegularFile opened, alike on every system
#include "platform/regular_file.h"

#include <unistd.h>

#include <cerrno>

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
