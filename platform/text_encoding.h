// text_encoding.h -- the program's Windows-1250 texts in Unicode, for systems that show no other
#pragma once

#include <cstdint>

// The Unicode code point of a Windows-1250 byte; '?' where the code page has no character.
uint16_t cp1250CodePoint(unsigned char byte);

// Windows-1250 to UTF-8. Returns the length written, without the terminating zero; output is cut
// at a whole character so that it fits in size bytes with its terminator.
int convertCp1250ToUtf8(const char* text, char* out, int size);
