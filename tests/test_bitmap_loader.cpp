// test_bitmap_loader.cpp -- BMP files of every kind the loader takes, and the ones it refuses
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "tests/fake_platform.h"
#include "tests/support/golden.h"
#include "tests/support/temp_files.h"
#include "ui/bitmap_loader.h"

namespace {

struct Layout {
    uint32_t headerSize = 40; // 12 (core), 40 (info) or another size, written as zeros
    bool fileHeader = true;
    uint16_t bits = 8;
    int32_t width = 5, height = 3; // a core header takes their low 16 bits
    uint32_t coloursUsed = 0, gap = 0, compression = 0;
};

uint32_t tableEntries(const Layout& l) {
    if (l.headerSize != 12 && l.coloursUsed) return l.coloursUsed & 0xFFFF;
    return l.bits == 1 || l.bits == 4 || l.bits == 8 ? 1u << l.bits : 0;
}

// Table colours differ in every channel, so that a swapped channel or a wrong index shows.
uint32_t colour(uint32_t i) {
    return (i * 37 + 11) % 256 << 16 | (i * 91 + 7) % 256 << 8 | (i * 53 + 200) % 256;
}

// Pixel n in file order: 0xRRGGBB, or an index into the table or just past it.
uint32_t pixel(const Layout& l, uint32_t n) {
    return l.bits == 24 ? colour(n + 1000) : n * 5 % std::min(1u << l.bits, tableEntries(l) + 1);
}

void put(std::vector<uint8_t>* out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out->push_back(uint8_t(value >> (8 * i)));
}

// Rows padded to 4 bytes, the leftmost pixel in the high bits, 24-bit pixels blue, green, red.
std::vector<uint8_t> bitmapFile(const Layout& l, bool withPixels = true) {
    const bool core = l.headerSize == 12;
    std::vector<uint8_t> dib, file;
    for (uint32_t field : {l.headerSize, uint32_t(l.width), uint32_t(l.height), 1u | l.bits << 16})
        put(&dib, field, core && dib.size() > 0 && dib.size() < 8 ? 2 : 4);
    for (uint32_t field : {l.compression, 0u, 2835u, 2835u, l.coloursUsed})
        if (!core) put(&dib, field, 4);
    dib.resize(core ? 12 : std::max<size_t>(40, l.headerSize), 0);
    for (uint32_t i = 0; i < tableEntries(l); ++i) put(&dib, colour(i), core ? 3 : 4);
    if (l.fileHeader) file = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0};
    if (l.fileHeader) put(&file, uint32_t(14 + dib.size() + l.gap), 4);
    file.insert(file.end(), dib.begin(), dib.end());
    file.insert(file.end(), l.fileHeader ? l.gap : 0, 0xEE);
    const size_t rowBytes = (l.bits * size_t(l.width) + 31) / 32 * 4;
    for (int y = 0; withPixels && y < std::abs(l.height); ++y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < l.width; ++x) {
            const uint32_t value = pixel(l, y * l.width + x);
            for (int c = 0; l.bits == 24 && c < 3; ++c) row[3 * x + c] = uint8_t(value >> (8 * c));
            if (l.bits < 24) row[x * l.bits / 8] |= uint8_t(value << (8 - l.bits - x * l.bits % 8));
        }
        file.insert(file.end(), row.begin(), row.end());
    }
    return file;
}

class BitmapLoader : public FakePlatformTest {
  protected:
    RgbImage* load(const std::vector<uint8_t>& bytes) {
        return loadBitmapImage(folder.write("image.bmp", bytes).c_str());
    }
    // What was loaded and the messages shown since, the folder's name left out.
    std::string outcome(const std::string& what, RgbImage* image) {
        std::string line = what + (image ? ": a picture [" : ": none [") + logText() + "]\n";
        fake.log.clear();
        freeRgbImage(image);
        for (size_t at; (at = line.find(folder.path(""))) != std::string::npos;)
            line.replace(at, folder.path("").size(), "TMP/");
        return line;
    }
    TempFolder folder;
};

// Every index of 8 bits; top row first; short colour tables; a table in a true-colour file; a gap
// before the pixels; then every header kind and depth, rows padded in every way.
TEST_F(BitmapLoader, ReadsEveryHeaderKindAndDepth) {
    std::vector<Layout> layouts = {
        // clang-format off
        {40, true, 8, 16, 16}, {40, true, 1, 5, -3}, {40, false, 8, 5, -3}, {40, true, 24, 5, -3},
        {40, true, 8, 6, 2, 3}, {40, false, 8, 6, 2, 3}, {40, false, 4, 5, 2, 0x10003},
        {40, false, 4, 5, 2, 0x10000}, {40, false, 24, 3, 2, 2}, {40, true, 24, 3, 2, 2},
        {40, true, 4, 3, 3, 0, 7}, {40, true, 24, 3, 3, 0, 7}}; // clang-format on
    for (uint32_t headerSize : {12u, 40u})
        for (bool fileHeader : {true, false})
            for (uint16_t bits : {1, 4, 8, 24})
                for (int32_t width : {1, 3, 6, 33})
                    layouts.push_back({headerSize, fileHeader, bits, width});
    for (const Layout& l : layouts) {
        SCOPED_TRACE(testing::Message() << "layout " << &l - layouts.data());
        RgbImage* image = load(bitmapFile(l));
        ASSERT_NE(image, nullptr) << logText();
        const int rows = std::abs(l.height);
        EXPECT_EQ(image->width, l.width);
        EXPECT_EQ(image->height, rows);
        std::vector<uint8_t> expected; // bottom row first; indexes past the table are black
        for (int n = 0; n < rows * l.width; ++n) {
            const int fileRow = l.height < 0 ? rows - 1 - n / l.width : n / l.width;
            const uint32_t value = pixel(l, fileRow * l.width + n % l.width);
            const uint32_t c = l.bits == 24 ? value : value < tableEntries(l) ? colour(value) : 0;
            put(&expected, c >> 16 | (c & 0xFF00) | (c & 0xFF) << 16, 3);
        }
        EXPECT_EQ(std::vector<uint8_t>(image->pixels, image->pixels + expected.size()), expected);
        freeRgbImage(image);
    }
}

// Missing files and what is no regular file; unknown headers; sizes, depths, compressions and
// pixel offsets the conversion cannot take; files cut at each boundary of their parts.
TEST_F(BitmapLoader, RefusesWhatItCannotRead) {
    const std::string absent = folder.path("absent.bmp"), empty = folder.write("empty.bmp", {});
    ASSERT_EQ(mkfifo(folder.path("fifo.bmp").c_str(), 0600), 0);
    std::string out = outcome("present: no name", loadBitmapIfPresent(nullptr));
    for (const std::string& name :
         {absent, empty, folder.path(""), folder.path("fifo.bmp"), std::string("/dev/zero")}) {
        out += outcome("present: " + name, loadBitmapIfPresent(name.c_str()));
        out += outcome("image: " + name, loadBitmapImage(name.c_str()));
    }
    reportLoaderErrors = 0;
    out += outcome("unreported: " + absent, loadBitmapImage(absent.c_str()));
    reportLoaderErrors = 1;
    const int32_t Max = 2147483647, Min = -Max - 1;
    const Layout cases[] = {// clang-format off
        {108, 1, 24, 2, 2}, {124, 0, 24, 2, 2}, {64, 1, 24, 2, 2}, {16, 0, 24, 2, 2},
        {0, 1, 8, 2, 2}, {40, 0, 24, 0, 4}, {40, 1, 24, -1, 4}, {40, 0, 8, Min, 1},
        {40, 1, 24, 4, 0}, {40, 0, 24, Max, 1}, {40, 1, 24, Max, Max}, {40, 0, 24, 1, Min},
        {40, 1, 1, 1, Max}, {40, 0, 24, 0x40000000, 4}, {40, 1, 1, 0x20000000, 0x20000000},
        {12, 0, 8, 0, 1}, {12, 1, 24, 65535, 65535}, {40, 0, 16, 2, 2}, {40, 1, 32, 2, 2},
        {40, 0, 0, 2, 2}, {40, 1, 2, 2, 2}, {40, 0, 8, 2, 2, 0, 0, 1}, {40, 1, 4, 2, 2, 0, 0, 2},
        {40, 0, 32, 2, 2, 0, 0, 3}}; // clang-format on
    for (const Layout& l : cases) {
        std::vector<uint8_t> file = bitmapFile(l, false);
        file.resize(file.size() + 64, 0x55); // pixels enough for 2 x 2, not for more
        char what[100];
        std::snprintf(what, sizeof what, "header %u BM %d %dx%dx%d compression %u", l.headerSize,
                      l.fileHeader, l.width, l.height, l.bits, l.compression);
        out += outcome(what, load(file));
    }
    std::vector<uint8_t> file = bitmapFile({40, true, 24, 2, 2});
    for (uint32_t offset : {uint32_t(file.size()), 0xFFFFFFF0u}) {
        for (int i = 0; i < 4; ++i) file[10 + i] = uint8_t(offset >> (8 * i));
        out += outcome("pixels at " + std::to_string(offset), load(file));
    }
    file = bitmapFile({}); // 8 bits: 54 bytes of headers, 1024 of colour table
    for (long length : {1, 2, 13, 14, 17, 53, 54, 1077, 1078, 1101})
        out += outcome("first " + std::to_string(length) + " of " + std::to_string(file.size()),
                       load({file.begin(), file.begin() + length}));
    expectGolden("ui/bitmap_refusals.txt", out);
    // Cut at every byte into exactly sized blocks, never read past their end (AddressSanitizer).
    for (uint32_t headerSize : {12u, 40u})
        for (bool fileHeader : {true, false}) {
            const std::vector<uint8_t> whole = bitmapFile({headerSize, fileHeader, 4, 3, 2});
            for (size_t length = 0; length < whole.size(); ++length) {
                const std::vector<uint8_t> head(whole.begin(), whole.begin() + long(length));
                EXPECT_EQ(decodeBitmap(head.data(), head.size()), nullptr) << length;
                EXPECT_EQ(fake.log.size(), 1u) << length;
                fake.log.clear();
            }
        }
}

} // namespace
