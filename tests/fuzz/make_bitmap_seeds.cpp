// make_bitmap_seeds.cpp -- writes the seed corpus of the bitmap loader's fuzz target
//
// One small valid file for every header kind, with and without file header, in every depth the
// loader takes, and a few of its special cases: top row first, a short colour table, a gap
// before the pixels, a true-colour file with a colour table.
#include <cstdio>
#include <string>

#include "tests/fuzz/bitmap_files.h"

namespace {

BitmapLayout seedLayout(uint32_t headerSize, bool fileHeader, uint16_t bits) {
    BitmapLayout layout;
    layout.headerSize = headerSize;
    layout.fileHeader = fileHeader;
    layout.bitsPerPixel = bits;
    layout.width = 5;
    layout.height = 3;
    const uint32_t colours = bits == 24 ? 0 : 1u << bits;
    for (uint32_t i = 0; i < colours; ++i) layout.colours.push_back(i * 0x010305 & 0xFFFFFF);
    for (uint32_t n = 0; n < 15; ++n)
        layout.values.push_back(bits == 24 ? n * 0x112233 & 0xFFFFFF : n % colours);
    return layout;
}

bool writeSeed(const std::string& folder, const std::string& name, const BitmapLayout& layout) {
    const std::vector<uint8_t> bytes = bitmapFile(layout);
    const std::string path = folder + "/" + name + ".bmp";
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
    const std::string folder = argv[1];
    bool ok = true;
    for (uint32_t headerSize : {12u, 40u})
        for (bool fileHeader : {true, false})
            for (uint16_t bits : {1, 4, 8, 24}) {
                const std::string name = std::string(headerSize == 12 ? "core" : "info") +
                                         (fileHeader ? "-bm-" : "-") + std::to_string(bits);
                ok &= writeSeed(folder, name, seedLayout(headerSize, fileHeader, bits));
            }

    BitmapLayout topDown = seedLayout(40, true, 8);
    topDown.height = -3;
    ok &= writeSeed(folder, "info-bm-8-top-down", topDown);

    BitmapLayout shortTable = seedLayout(40, false, 4);
    shortTable.coloursUsed = 5;
    shortTable.colours.resize(5);
    ok &= writeSeed(folder, "info-4-colours-used", shortTable);

    BitmapLayout gap = seedLayout(40, true, 1);
    gap.gap = 6;
    ok &= writeSeed(folder, "info-bm-1-gap", gap);

    BitmapLayout tabled = seedLayout(40, false, 24);
    tabled.coloursUsed = 2;
    tabled.colours = {0xFF0000, 0x00FF00};
    ok &= writeSeed(folder, "info-24-colour-table", tabled);

    if (!ok) std::fprintf(stderr, "make-bitmap-seeds: cannot write into %s\n", folder.c_str());
    return ok ? 0 : 1;
}
