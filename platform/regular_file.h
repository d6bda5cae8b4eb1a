// regular_file.h -- opening files for reading that never blocks on a FIFO or a device
#pragma once

#include <cstddef>

// Opens name (UTF-8 on Windows) for reading without waiting for a writer, and keeps it open only
// when it is a regular file. Returns the descriptor, or -1 with errno set (EINVAL for anything that
// is not a regular file: a folder, FIFO, socket or device).
int openRegularFile(const char* name);

// Reads up to size bytes from where the descriptor stands, in as many requests as the system
// needs; returns the count read (less at the end of the file), or -1 on an error.
long readUpTo(int descriptor, void* buffer, size_t size);

// Closes what openRegularFile opened.
void closeRegularFile(int descriptor);
