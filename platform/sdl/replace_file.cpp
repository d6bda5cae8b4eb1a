// replace_file.cpp -- picture files on POSIX systems: renamed over a regular file, written into
// anything else
#include "platform/replace_file.h"

#include <fcntl.h>
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

// mkstemp makes the file readable by its owner only; a new picture gets what a new file would get.
void giveUsualPermissions(int descriptor) {
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(descriptor, 0666 & ~mask);
}

// Only root may give a file away; a group of the user's own is allowed to anyone. False when the
// file keeps the user's own group as well.
bool takeOwner(int descriptor, const struct stat& old) {
    return fchown(descriptor, old.st_uid, old.st_gid) == 0 ||
           fchown(descriptor, uid_t(-1), old.st_gid) == 0;
}

int attach(ReplacementFile* replacement, int descriptor) {
    replacement->file = fdopen(descriptor, "wb");
    if (replacement->file) return 1;
    const int error = errno;
    close(descriptor);
    if (!replacement->temporary.empty()) unlink(replacement->temporary.c_str());
    errno = error;
    return 0;
}

// A short name, so that a name that is already near the system's limit still has a temporary.
int openTemporary(ReplacementFile* replacement, const struct stat* old) {
    const size_t slash = replacement->target.rfind('/');
    replacement->temporary =
        (slash == std::string::npos ? std::string() : replacement->target.substr(0, slash + 1)) +
        ".zelvonia-XXXXXX";
    const int descriptor = mkstemp(replacement->temporary.data());
    if (descriptor < 0) {
        replacement->temporary.clear();
        return 0;
    }
    if (!old) {
        giveUsualPermissions(descriptor);
    } else {
        takeOwner(descriptor, *old);
        // After the owner: a change of owner clears the set-user and set-group bits.
        fchmod(descriptor, old->st_mode & 07777);
    }
    return attach(replacement, descriptor);
}

// Without O_CREAT: a name that has gone meanwhile is not made anew as a regular file.
int openInPlace(ReplacementFile* replacement) {
    const int descriptor =
        open(replacement->target.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC);
    return descriptor >= 0 && attach(replacement, descriptor);
}

} // namespace

int openReplacement(const char* path, ReplacementFile* replacement) {
    replacement->file = nullptr;
    replacement->temporary.clear();
    replacement->target = finalName(path);
    struct stat old;
    if (stat(replacement->target.c_str(), &old) != 0)
        return errno == ENOENT ? openTemporary(replacement, nullptr) : 0;
    if (S_ISDIR(old.st_mode)) {
        errno = EISDIR;
        return 0;
    }
    if (!S_ISREG(old.st_mode) || old.st_nlink > 1) return openInPlace(replacement);
    // A file the user may not write is not replaced behind its back, as ">" would refuse it; one
    // in a folder where the user may make no file is written where it is, as ">" would.
    if (access(replacement->target.c_str(), W_OK) != 0) return 0;
    return openTemporary(replacement, &old) || (errno == EACCES && openInPlace(replacement));
}

int finishReplacement(ReplacementFile* replacement, int complete) {
    const bool closed = std::fclose(replacement->file) == 0;
    replacement->file = nullptr;
    if (replacement->temporary.empty()) return complete && closed;
    if (complete && closed &&
        std::rename(replacement->temporary.c_str(), replacement->target.c_str()) == 0)
        return 1;
    const int error = errno;
    unlink(replacement->temporary.c_str());
    errno = error;
    return 0;
}
