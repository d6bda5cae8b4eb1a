// tool_options.h -- --help and --version, answered alike by the tools, and the features that
// --without names
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

// Processor features that the computing tools can be told to do without, one bit each.
enum WithoutFeature { WithoutSse2 = 1, WithoutAvx2 = 2, WithoutAvx512 = 4, WithoutThreeDNow = 8 };

// Adds the features of a comma-separated list of "sse2", "avx2", "avx512" and "3dnow" to
// *features; false when a name is unknown or empty.
inline bool parseWithout(const char* list, unsigned* features) {
    static const char* const names[] = {"sse2", "avx2", "avx512", "3dnow"};
    for (const char* item = list;;) {
        const char* comma = std::strchr(item, ',');
        const size_t length = comma ? size_t(comma - item) : std::strlen(item);
        unsigned bit = 0;
        for (unsigned n = 0; n < 4; ++n)
            if (std::strlen(names[n]) == length && std::strncmp(item, names[n], length) == 0)
                bit = 1u << n;
        if (!bit) return false;
        *features |= bit;
        if (!comma) return true;
        item = comma + 1;
    }
}
