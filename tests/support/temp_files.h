// temp_files.h -- a temporary folder per test, removed with everything in it
#pragma once

#include <string>
#include <vector>

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The full path of name inside the folder.
    std::string path(const std::string& name) const;
    // Writes bytes to name and returns its full path.
    std::string write(const std::string& name, const std::vector<unsigned char>& bytes) const;

  private:
    std::string root;
};

std::vector<unsigned char> readWholeFile(const std::string& path);
