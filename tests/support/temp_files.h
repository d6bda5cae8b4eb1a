// temp_files.h -- a temporary folder per test, removed with everything in it
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class TempFolder {
  public:
    TempFolder();
    ~TempFolder() { std::filesystem::remove_all(root, ignored); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path(const std::string& name) const { return root + "/" + name; }
    // Writes bytes to name and returns its full path.
    std::string write(const std::string& name, const std::vector<unsigned char>& bytes) const;

  private:
    std::string root;
    std::error_code ignored;
};

std::vector<unsigned char> readWholeFile(const std::string& path);
