// test_palette.cpp -- reading RIFF palette files into the PaletteTable
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <string>

#include "tests/support/temp_files.h"
#include "ui/palette.h"

namespace {

// A palette file of the given length whose entry i is (i, 255 - i, i * 7) with flags 0xEE (so
// entries 10, 13 and 26 hold bytes that text-mode reading would translate or stop at); the
// header announces `announced` entries.
std::vector<unsigned char> paletteFile(size_t length, int announced = 256) {
    std::vector<unsigned char> bytes(24 + 4 * 256 + 4, 0);
    std::memcpy(bytes.data(), "RIFF\x10\x04\0\0PAL data\x04\x04\0\0\0\x03", 22);
    bytes[22] = uint8_t(announced);
    bytes[23] = uint8_t(announced >> 8);
    for (int i = 0; i < 256; ++i) {
        const uint8_t entry[4] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0xEE};
        std::memcpy(&bytes[24 + 4 * i], entry, 4);
    }
    bytes.resize(length);
    return bytes;
}

// The entries a file wholly holds are taken from it, raw, with the spare byte left alone; the
// rest keep their values. A FIFO without a writer must not block: like a folder or a device it
// is not read at all.
TEST(LoadPalette, TakesTheEntriesTheFileWhollyHolds) {
    TempFolder folder;
    ASSERT_EQ(mkfifo(folder.path("fifo.pal").c_str(), 0600), 0);
    const struct {
        const char* name;
        std::string path;
        int held;
    } cases[] = {
        {"full", folder.write("full.pal", paletteFile(1048)), 256},
        {"16 entries announced", folder.write("few.pal", paletteFile(1052, 16)), 256},
        {"entry 100 without its flags", folder.write("short.pal", paletteFile(24 + 400 + 3)), 100},
        {"header only", folder.write("header.pal", paletteFile(20)), 0},
        {"missing", folder.path("missing.pal"), 0},
        {"folder", folder.path(""), 0},
        {"FIFO", folder.path("fifo.pal"), 0},
        {"device", "/dev/zero", 0},
    };
    for (const auto& c : cases) {
        for (PaletteEntry& entry : PaletteTable) entry = {99, 99, 99, 0};
        loadPalette(c.path.c_str());
        int wrong = 0;
        for (int i = 0; i < 256; ++i) {
            const PaletteEntry e = PaletteTable[i];
            wrong += i < c.held ? e.red != i || e.green != 255 - i || e.blue != uint8_t(i * 7)
                                : e.red != 99 || e.green != 99 || e.blue != 99;
            wrong += e.spare != 0;
        }
        EXPECT_EQ(wrong, 0) << c.name;
    }
}

// Every palette the digit keys load is a full file that colours entries 2 to 101 with more
// than a handful of colours.
TEST(LoadPalette, ProgramPalettesAreFullAndColourful) {
    for (const char* path : PaletteFiles) {
        EXPECT_EQ(readWholeFile(path).size(), 1048u) << path;
        std::memset(PaletteTable, 0, sizeof PaletteTable);
        loadPalette(path);
        int distinct = 0;
        for (int k = 3; k <= 101; ++k)
            distinct += std::memcmp(&PaletteTable[k], &PaletteTable[k - 1], 3) != 0;
        EXPECT_GT(distinct, 20) << path;
    }
}

} // namespace
