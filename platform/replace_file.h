// replace_file.h -- a file written beside the one it replaces and put in its place only when whole
#pragma once

#include <cstdio>
#include <string>

struct ReplacementFile {
    FILE* file;            // open for writing in binary
    std::string temporary; // its name until it is put in place
    std::string target;    // what it replaces: the path, or the file a symbolic link there names
};

// Opens a new file in the folder of path's target, so that a failure before the end leaves the
// target (an older file, a symbolic link) untouched. Returns 1, or 0 with errno set.
int openReplacement(const char* path, ReplacementFile* replacement);

// Closes the file. When complete is 1 and the close succeeds, renames it over the target in one
// step; otherwise removes it. Returns 1 when the target now holds the new file, else 0 with
// errno set.
int finishReplacement(ReplacementFile* replacement, int complete);
