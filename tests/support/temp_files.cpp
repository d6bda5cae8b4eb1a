// temp_files.cpp -- a temporary folder per test, removed with everything in it
#include "tests/support/temp_files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

TempFolder::TempFolder() : root((std::filesystem::temp_directory_path() / "zelvonia-XXXXXX")) {
    if (!mkdtemp(root.data())) throw std::runtime_error("mkdtemp failed");
}

std::string TempFolder::write(const std::string& name,
                              const std::vector<unsigned char>& bytes) const {
    std::ofstream(path(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path(name);
}

std::vector<unsigned char> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
