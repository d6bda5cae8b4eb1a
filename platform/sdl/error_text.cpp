// error_text.cpp -- errno texts from the C library
#include "platform/error_text.h"

#include <cstring>

const char* errorText(int error) {
    return std::strerror(error);
}
