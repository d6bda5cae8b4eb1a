// tool_options.h -- --help and --version, answered alike by the generator and sample tools
#pragma once

#include <cstdio>
#include <cstring>

// An argument that starts with "-" is an option, except "-" alone, which names standard streams
// in many tools and so is left to the caller.
inline bool isOption(const char* argument) {
    return argument[0] == '-' && argument[1] != '\0';
}

// Answers --help (usage on stdout) and --version; any other option is a usage error, reported
// with the usage on stderr. Returns the tool's exit code: 0 answered, 2 a usage error.
inline int answerOption(const char* tool, const char* usage, const char* option) {
    if (std::strcmp(option, "--help") == 0 || std::strcmp(option, "-h") == 0) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (std::strcmp(option, "--version") == 0) {
        std::printf("%s %s\n", tool, ZELVONIA_VERSION);
        return 0;
    }
    std::fprintf(stderr, "%s: unknown option %s\n%s", tool, option, usage);
    return 2;
}
