// test_palette.cpp -- reading RIFF palette files into the PaletteTable
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <string>

#include "tests/support/temp_files.h"
#include "ui/palette.h"

namespace {

// A palette file of the given length whose entry i is (i, 255 - i, i * 7) with flags 0xEE; the
// header announces announced entries.
std::vector<unsigned char> paletteFile(size_t length, int announced = 256) {
    std::vector<unsigned char> bytes(24 + 4 * 256 + 4, 0);
    std::memcpy(bytes.data(), "RIFF\x10\x04\0\0PAL data\x04\x04\0\0\0\x03", 22);
    bytes[22] = uint8_t(announced);
    bytes[23] = uint8_t(announced >> 8);
    for (int i = 0; i < 256; ++i) {
        bytes[24 + 4 * i] = uint8_t(i);
        bytes[25 + 4 * i] = uint8_t(255 - i);
        bytes[26 + 4 * i] = uint8_t(i * 7);
        bytes[27 + 4 * i] = 0xEE;
    }
    bytes.resize(length);
    return bytes;
}

void fillTable(uint8_t value) {
    for (PaletteEntry& entry : PaletteTable) entry = {value, value, value, 0};
}

void expectEntryFromFile(int i) {
    EXPECT_EQ(PaletteTable[i].red, uint8_t(i)) << "entry " << i;
    EXPECT_EQ(PaletteTable[i].green, uint8_t(255 - i)) << "entry " << i;
    EXPECT_EQ(PaletteTable[i].blue, uint8_t(i * 7)) << "entry " << i;
    EXPECT_EQ(PaletteTable[i].spare, 0) << "entry " << i;
}

TEST(LoadPalette, TakesAll256EntriesAsRawBytes) {
    TempFolder folder;
    fillTable(99);
    // Entries 10, 13 and 26 hold the bytes that text-mode reading would translate or stop at.
    loadPalette(folder.write("full.pal", paletteFile(1048)).c_str());
    for (int i = 0; i < 256; ++i) expectEntryFromFile(i);
}

TEST(LoadPalette, IgnoresTheAnnouncedEntryCount) {
    TempFolder folder;
    fillTable(99);
    loadPalette(folder.write("few.pal", paletteFile(1052, 16)).c_str());
    for (int i = 0; i < 256; ++i) expectEntryFromFile(i);
}

TEST(LoadPalette, ShortFileKeepsTheEntriesItDoesNotHold) {
    TempFolder folder;
    fillTable(99);
    // Entry 100 is cut after its blue byte, before its flags: it is not wholly held.
    loadPalette(folder.write("short.pal", paletteFile(24 + 4 * 100 + 3)).c_str());
    for (int i = 0; i < 100; ++i) expectEntryFromFile(i);
    for (int i = 100; i < 256; ++i) EXPECT_EQ(PaletteTable[i].red, 99) << "entry " << i;

    fillTable(99);
    loadPalette(folder.write("header.pal", paletteFile(20)).c_str());
    for (int i = 0; i < 256; ++i) EXPECT_EQ(PaletteTable[i].green, 99) << "entry " << i;
}

// A FIFO without a writer must not block: like a folder or a device it is not read at all.
TEST(LoadPalette, MissingFileFolderFifoOrDeviceChangesNothing) {
    TempFolder folder;
    fillTable(42);
    ASSERT_EQ(mkfifo(folder.path("fifo.pal").c_str(), 0600), 0);
    for (const std::string& path : {folder.path("missing.pal"), folder.path(""),
                                    folder.path("fifo.pal"), std::string("/dev/zero")})
        loadPalette(path.c_str());
    for (const PaletteEntry& entry : PaletteTable) EXPECT_EQ(entry.red, 42);
}

// Every palette the digit keys load is a full file that colours entries 2 to 101 with more
// than a handful of colours.
TEST(LoadPalette, ProgramPalettesAreFullAndColourful) {
    for (const char* path : PaletteFiles) {
        SCOPED_TRACE(path);
        EXPECT_EQ(readWholeFile(path).size(), 1048u);
        fillTable(0);
        loadPalette(path);
        int distinct = 0;
        for (int k = 3; k <= 101; ++k)
            distinct += std::memcmp(&PaletteTable[k], &PaletteTable[k - 1], 3) != 0;
        EXPECT_GT(distinct, 20);
    }
}

} // namespace
