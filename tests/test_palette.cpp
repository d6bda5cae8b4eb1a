// test_palette.cpp -- reading RIFF palette files into the PaletteTable
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <string>

#include "tests/support/temp_files.h"
#include "ui/palette.h"

namespace {

// The entries a file wholly holds are taken raw, spare byte left alone, whatever count the header
// announces; the rest stay. A FIFO without a writer must not block: like a folder or a device it
// is not read at all.
TEST(LoadPalette, TakesTheEntriesTheFileWhollyHolds) {
    // 16 entries announced; entry i is (i, 255 - i, 7i), flags 0xEE: entries 10, 13, 26 hold bytes
    // text-mode reading would translate or stop at. Entry 100 of 427 bytes lacks its flags.
    std::vector<unsigned char> file(1052);
    std::memcpy(file.data(), "RIFF\x10\x04\0\0PAL data\x04\x04\0\0\0\x03\x10\0", 24);
    for (int i = 0; i < 256; ++i) {
        const uint8_t entry[4] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0xEE};
        std::memcpy(&file[24 + 4 * i], entry, 4);
    }
    TempFolder folder;
    ASSERT_EQ(mkfifo(folder.path("fifo.pal").c_str(), 0600), 0);
    const auto cut = [&](size_t length) {
        return folder.write(std::to_string(length), {file.begin(), file.begin() + length});
    };
    const std::pair<std::string, int> cases[] = {// clang-format off
        {cut(1052), 256}, {cut(1048), 256}, {cut(427), 100}, {cut(20), 0},
        {folder.path("missing"), 0}, {folder.path(""), 0}, {folder.path("fifo.pal"), 0},
        {"/dev/zero", 0}}; // clang-format on
    const uint8_t kept[3] = {99, 99, 99};
    for (const auto& [path, held] : cases) {
        for (PaletteEntry& entry : PaletteTable) entry = {99, 99, 99, 0};
        loadPalette(path.c_str());
        int wrong = 0;
        for (int i = 0; i < 256; ++i) {
            const PaletteEntry& e = PaletteTable[i];
            wrong += std::memcmp(&e, i < held ? &file[24 + 4 * i] : kept, 3) || e.spare;
        }
        EXPECT_EQ(wrong, 0) << path;
    }
}

// The palettes of the digit keys are whole files.
TEST(LoadPalette, ProgramPalettesAreFull) {
    for (const char* path : PaletteFiles) EXPECT_EQ(readWholeFile(path).size(), 1048u) << path;
}

} // namespace
