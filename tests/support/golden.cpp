// golden.cpp -- expected outputs kept as reviewed files under tests/golden
#include "tests/support/golden.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// The first line where the two differ, for the failure message.
std::string firstDifference(const std::string& expected, const std::string& actual) {
    std::istringstream e(expected), a(actual);
    std::string el, al;
    for (int line = 1;; ++line) {
        const bool moreE = bool(std::getline(e, el)), moreA = bool(std::getline(a, al));
        if (!moreE && !moreA) return "same lines, different bytes";
        if (!moreE || !moreA || el != al)
            return "line " + std::to_string(line) + ": expected \"" + (moreE ? el : "<end>") +
                   "\", got \"" + (moreA ? al : "<end>") + "\"";
    }
}

} // namespace

void expectGolden(const std::string& name, const std::string& actual) {
    const std::filesystem::path golden =
        std::filesystem::path(ZELVONIA_SOURCE_DIR) / "tests" / "golden" / name;
    const char* rewrite = std::getenv("ZELVONIA_REWRITE_GOLDEN");
    if (rewrite && std::string(rewrite) == "1") {
        writeFile(golden, actual);
        return;
    }
    std::ifstream in(golden, std::ios::binary);
    ASSERT_TRUE(in) << "no " << golden << "; run with ZELVONIA_REWRITE_GOLDEN=1 to make it";
    const std::string expected{std::istreambuf_iterator<char>(in), {}};
    if (expected == actual) return;
    const std::filesystem::path kept =
        std::filesystem::path(ZELVONIA_BUILD_DIR) / "golden-actual" / name;
    writeFile(kept, actual);
    ADD_FAILURE() << golden << " differs from the output, kept in " << kept << "\n  "
                  << firstDifference(expected, actual);
}
