// test_palette.cpp -- reading RIFF palette files into the PaletteTable
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <string>

#include "tests/support/temp_files.h"
#include "ui/palette.h"

namespace {

// The first length bytes of a palette file whose header announces `announced` entries and whose
// entry i is (i, 255 - i, i * 7) with flags 0xEE; entries 10, 13 and 26 hold bytes that text-mode
// reading would translate or stop at.
std::vector<unsigned char> paletteFile(size_t length, uint8_t announced = 0) {
    std::vector<unsigned char> bytes(1052);
    std::memcpy(bytes.data(), "RIFF\x10\x04\0\0PAL data\x04\x04\0\0\0\x03\0\x01", 24);
    bytes[22] = announced;
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
    const std::pair<std::string, int> cases[] = {
        {folder.write("full.pal", paletteFile(1048)), 256},
        {folder.write("16 announced.pal", paletteFile(1052, 16)), 256},
        {folder.write("entry 100 without flags.pal", paletteFile(24 + 400 + 3)), 100},
        {folder.write("header only.pal", paletteFile(20)), 0},
        {folder.path("missing.pal"), 0},
        {folder.path(""), 0},
        {folder.path("fifo.pal"), 0},
        {"/dev/zero", 0}};
    for (const auto& [path, held] : cases) {
        for (PaletteEntry& entry : PaletteTable) entry = {99, 99, 99, 0};
        loadPalette(path.c_str());
        int wrong = 0;
        for (int i = 0; i < 256; ++i) {
            const PaletteEntry e = PaletteTable[i];
            const bool fromFile = e.red == i && e.green == 255 - i && e.blue == uint8_t(i * 7);
            wrong +=
                (i < held ? !fromFile : e.red != 99 || e.green != 99 || e.blue != 99) + e.spare;
        }
        EXPECT_EQ(wrong, 0) << path;
    }
}

// The palettes of the digit keys are whole files.
TEST(LoadPalette, ProgramPalettesAreFull) {
    for (const char* path : PaletteFiles) EXPECT_EQ(readWholeFile(path).size(), 1048u) << path;
}

} // namespace
