// replace_file.cpp -- temporary files renamed over their target, on POSIX systems
#include "platform/replace_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

// Through a symbolic link to the file it names, so that the link stays a link; a new or
// dangling name as it is.
std::string finalName(const char* path) {
    char* resolved = realpath(path, nullptr);
    if (!resolved) return path;
    std::string name = resolved;
    std::free(resolved);
    return name;
}

// mkstemp makes the file readable by its owner only; a picture gets what a new file would get.
void giveUsualPermissions(int descriptor) {
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(descriptor, 0666 & ~mask);
}

} // namespace

int openReplacement(const char* path, ReplacementFile* replacement) {
    replacement->target = finalName(path);
    replacement->temporary = replacement->target + ".XXXXXX";
    replacement->file = nullptr;
    const int descriptor = mkstemp(replacement->temporary.data());
    if (descriptor < 0) return 0;
    giveUsualPermissions(descriptor);
    replacement->file = fdopen(descriptor, "wb");
    if (!replacement->file) {
        const int error = errno;
        close(descriptor);
        std::remove(replacement->temporary.c_str());
        errno = error;
        return 0;
    }
    return 1;
}

int finishReplacement(ReplacementFile* replacement, int complete) {
    const bool closed = std::fclose(replacement->file) == 0;
    replacement->file = nullptr;
    if (complete && closed &&
        std::rename(replacement->temporary.c_str(), replacement->target.c_str()) == 0)
        return 1;
    const int error = errno;
    std::remove(replacement->temporary.c_str());
    errno = error;
    return 0;
}
