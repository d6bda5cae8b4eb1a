// golden.cpp -- expected outputs kept as reviewed files under tests/golden
#include "tests/support/golden.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

static void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

void expectGolden(const std::string& name, const std::string& actual) {
    const std::filesystem::path golden =
        std::filesystem::path(ZELVONIA_SOURCE_DIR) / "tests" / "golden" / name;
    const char* rewrite = std::getenv("ZELVONIA_REWRITE_GOLDEN");
    if (rewrite && std::string(rewrite) == "1") return writeFile(golden, actual);
    std::ifstream in(golden, std::ios::binary);
    ASSERT_TRUE(in) << "no " << golden << "; run with ZELVONIA_REWRITE_GOLDEN=1 to make it";
    if (std::string(std::istreambuf_iterator<char>(in), {}) == actual) return;
    const std::filesystem::path kept =
        std::filesystem::path(ZELVONIA_BUILD_DIR) / "golden-actual" / name;
    writeFile(kept, actual);
    ADD_FAILURE() << golden << " differs from the output, kept in " << kept << " to compare";
}
