// error_text.cpp -- errno texts on Windows in the words of the Linux C library
#include "platform/error_text.h"

#include <cerrno>
#include <cstring>

namespace {

struct ErrorText {
    int error;
    const char* text;
};

// Where the Windows runtime's words differ from Linux's for an error that the layer can give.
const ErrorText linuxTexts[] = {
    {EIO, "Input/output error"},          {ENOMEM, "Cannot allocate memory"},
    {EBUSY, "Device or resource busy"},   {EXDEV, "Invalid cross-device link"},
    {ENAMETOOLONG, "File name too long"}, {EINTR, "Interrupted system call"},
};

} // namespace

const char* errorText(int error) {
    for (const ErrorText& known : linuxTexts)
        if (known.error == error) return known.text;
    return std::strerror(error);
}
