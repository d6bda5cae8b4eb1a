// make_bitmap_seeds.cpp -- writes the seed corpus of the bitmap loader's fuzz target: a small
// valid file of every header kind, with and without file header, in every depth, plain and with
// each special case (top row first, a short colour table, a gap before the pixels)
#include <cstdio>
#include <string>

#include "tests/fuzz/bitmap_files.h"

namespace {

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-bitmap-seeds FOLDER\n");
        return 2;
    }
    bool ok = true;
    for (uint32_t headerSize : {12u, 40u})
        for (bool fileHeader : {true, false})
            for (uint16_t bits : {1, 4, 8, 24})
                for (std::string variant : {"plain", "top-down", "colours-used", "gap"}) {
                    BitmapLayout layout = pictureLayout(headerSize, fileHeader, bits, 5, 3);
                    if (variant == "top-down") layout.height = -3;
                    if (variant == "colours-used") layout.coloursUsed = 5;
                    if (variant == "gap") layout.gap = 6;
                    ok &= writeFile(std::string(argv[1]) + "/" + std::to_string(headerSize) +
                                        (fileHeader ? "-bm-" : "-") + std::to_string(bits) + "-" +
                                        variant + ".bmp",
                                    bitmapFile(layout));
                }
    if (!ok) std::fprintf(stderr, "make-bitmap-seeds: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
