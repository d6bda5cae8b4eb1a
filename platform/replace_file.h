// replace_file.h -- picture files written so that a failure leaves what the name held before
#pragma once

#include <cstdio>
#include <string>

struct ReplacementFile {
    FILE* file;            // open for writing in binary
    std::string temporary; // its name until it is put in place; empty when written in place
    std::string target;    // what it replaces: the path, or the file a symbolic link there names
};

// Opens a file to write for path, a name in UTF-8. A new name, or a regular file with no other
// hard link, is written under a short temporary name in the target's folder and put in place by
// finishReplacement, so that a failure before the end leaves the old file (or a symbolic link to
// it) as it was; a replaced file keeps its permission bits, and its owner and group where the
// program may set them. Written where they are, as a shell's ">" would: a device, FIFO or socket;
// a regular file with other hard links, which a rename would split from them; a file in a folder
// where the user may make no other. A failure then leaves such a file cut short. Refused: a
// folder (EISDIR), a file the user may not write. Returns 1, or 0 with errno set.
int openReplacement(const char* path, ReplacementFile* replacement);

// Closes the file. A temporary file is renamed over the target in one step when complete is 1
// and the close succeeds, and removed otherwise. Returns 1 when the target now holds the whole
// new file, else 0 with errno set.
int finishReplacement(ReplacementFile* replacement, int complete);
