// replace_file.cpp -- temporary files moved over their target, on Windows
#include "platform/replace_file.h"

#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

int openReplacement(const char* path, ReplacementFile* replacement) {
    replacement->target = path;
    replacement->temporary = replacement->target + ".XXXXXX";
    replacement->file = nullptr;
    if (_mktemp_s(replacement->temporary.data(), replacement->temporary.size() + 1) != 0) return 0;
    const int descriptor = _open(replacement->temporary.c_str(),
                                 _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor < 0) return 0;
    replacement->file = _fdopen(descriptor, "wb");
    if (!replacement->file) {
        const int error = errno;
        _close(descriptor);
        std::remove(replacement->temporary.c_str());
        errno = error;
        return 0;
    }
    return 1;
}

// rename fails over an existing file on Windows; MoveFileEx replaces it.
int finishReplacement(ReplacementFile* replacement, int complete) {
    const bool closed = std::fclose(replacement->file) == 0;
    replacement->file = nullptr;
    if (complete && closed &&
        MoveFileExA(replacement->temporary.c_str(), replacement->target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 1;
    const int error = complete && closed ? EACCES : errno;
    std::remove(replacement->temporary.c_str());
    errno = error;
    return 0;
}
