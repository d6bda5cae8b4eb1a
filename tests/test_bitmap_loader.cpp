// test_bitmap_loader.cpp -- BMP files of every kind the loader takes, and the ones it refuses
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "tests/fuzz/bitmap_files.h"
#include "tests/support/temp_files.h"
#include "ui/bitmap_loader.h"

namespace {

struct Message {
    std::string text, caption;
    MessageIcon icon;
    MessageButtons buttons;
};
std::vector<Message> messages;

MessageAnswer recordMessage(const char* text, const char* caption, MessageIcon icon,
                            MessageButtons buttons) {
    messages.push_back({text, caption, icon, buttons});
    return AnswerOk;
}

class BitmapLoader : public ::testing::Test {
  protected:
    void SetUp() override {
        messages.clear();
        setMessageBoxHook(recordMessage);
        reportLoaderErrors = 1;
    }
    void TearDown() override {
        setMessageBoxHook(nullptr);
        reportLoaderErrors = 1;
    }

    // Loads bytes through a real file.
    RgbImage* load(const std::vector<uint8_t>& bytes) {
        return loadBitmapImage(folder.write("image.bmp", bytes).c_str());
    }

    TempFolder folder;
};

// Colours that differ in every channel, so that a swapped channel or a wrong index shows.
uint32_t distinctColour(uint32_t i) {
    return ((i * 37 + 11) & 0xFF) << 16 | ((i * 91 + 7) & 0xFF) << 8 | ((i * 53 + 200) & 0xFF);
}

// Red, green, blue of each pixel as the picture should look, bottom row first.
std::vector<uint8_t> expectedPixels(const BitmapLayout& layout) {
    const size_t width = size_t(layout.width);
    const size_t rows = layout.values.size() / width;
    std::vector<uint8_t> out;
    for (size_t r = 0; r < rows; ++r) {
        const size_t fileRow = layout.height < 0 ? rows - 1 - r : r;
        for (size_t x = 0; x < width; ++x) {
            const uint32_t value = layout.values[fileRow * width + x];
            uint32_t rgb = value;
            if (layout.bitsPerPixel != 24)
                rgb = value < layout.colours.size() ? layout.colours[value] : 0x000000;
            out.push_back(uint8_t(rgb >> 16));
            out.push_back(uint8_t(rgb >> 8));
            out.push_back(uint8_t(rgb));
        }
    }
    return out;
}

// A picture that uses every colour of its depth, at least once per row where it can.
BitmapLayout pictureLayout(uint32_t headerSize, bool fileHeader, uint16_t bits, int32_t width,
                           int32_t height) {
    BitmapLayout layout;
    layout.headerSize = headerSize;
    layout.fileHeader = fileHeader;
    layout.width = width;
    layout.height = height;
    layout.bitsPerPixel = bits;
    const uint32_t colours = bits == 24 ? 0 : 1u << bits;
    for (uint32_t i = 0; i < colours; ++i) layout.colours.push_back(distinctColour(i));
    const int32_t rows = height < 0 ? -height : height;
    for (int32_t y = 0; y < rows; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t n = uint32_t(y * width + x) * 7 + uint32_t(y);
            layout.values.push_back(bits == 24 ? distinctColour(n) ^ 0x804020 : n % colours);
        }
    return layout;
}

void expectPicture(const RgbImage* image, const BitmapLayout& layout) {
    ASSERT_NE(image, nullptr);
    const int32_t rows = layout.height < 0 ? -layout.height : layout.height;
    EXPECT_EQ(image->width, layout.width);
    EXPECT_EQ(image->height, rows);
    const std::vector<uint8_t> expected = expectedPixels(layout);
    const std::vector<uint8_t> got(image->pixels, image->pixels + expected.size());
    EXPECT_EQ(got, expected);
}

struct KindCase {
    uint32_t headerSize;
    bool fileHeader;
    uint16_t bits;
    int32_t width, height;
};

// Odd widths leave padding at the end of every source row; a width of 3 at 24 bits reads
// 12-byte source rows into 9-byte rows.
const KindCase kindCases[] = {
    {40, true, 1, 13, 3},  {40, true, 4, 5, 4},  {40, true, 8, 7, 3},   {40, true, 24, 3, 5},
    {40, false, 1, 9, 2},  {40, false, 4, 3, 3}, {40, false, 8, 5, 2},  {40, false, 24, 5, 3},
    {12, true, 1, 33, 2},  {12, true, 4, 17, 2}, {12, true, 8, 6, 3},   {12, true, 24, 1, 4},
    {12, false, 1, 1, 5},  {12, false, 4, 2, 5}, {12, false, 8, 3, 4},  {12, false, 24, 7, 2},
    {40, true, 8, 16, 16}, {40, true, 24, 4, 1}, {40, false, 1, 32, 1},
};

TEST_F(BitmapLoader, ReadsEveryHeaderKindAndDepth) {
    for (const KindCase& c : kindCases) {
        SCOPED_TRACE(testing::Message()
                     << "header " << c.headerSize << (c.fileHeader ? "+BM" : "") << ", " << c.bits
                     << " bits, " << c.width << "x" << c.height);
        const BitmapLayout layout =
            pictureLayout(c.headerSize, c.fileHeader, c.bits, c.width, c.height);
        RgbImage* image = load(bitmapFile(layout));
        expectPicture(image, layout);
        freeRgbImage(image);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(BitmapLoader, EachIndexOfAnEightBitPictureHasItsColour) {
    BitmapLayout layout = pictureLayout(40, true, 8, 16, 16);
    for (uint32_t i = 0; i < 256; ++i) layout.values[i] = i;
    RgbImage* image = load(bitmapFile(layout));
    expectPicture(image, layout);
    freeRgbImage(image);
}

TEST_F(BitmapLoader, OneBitGivesTwoColoursAndFourBitsSixteen) {
    for (uint16_t bits : {1, 4}) {
        BitmapLayout layout = pictureLayout(40, false, bits, 16, 1);
        for (uint32_t x = 0; x < 16; ++x) layout.values[x] = bits == 1 ? (x * 5 / 3) % 2 : x;
        RgbImage* image = load(bitmapFile(layout));
        expectPicture(image, layout);
        freeRgbImage(image);
    }
}

TEST_F(BitmapLoader, TopRowFirstPicturesComeBackBottomRowFirst) {
    for (uint16_t bits : {1, 8, 24}) {
        const BitmapLayout layout = pictureLayout(40, true, bits, 5, -3);
        RgbImage* image = load(bitmapFile(layout));
        expectPicture(image, layout);
        freeRgbImage(image);
    }
}

// A short colour table: its length decides where pixels start without a file header, and
// indexes past it are black.
TEST_F(BitmapLoader, ColoursUsedSetsTheTableLength) {
    for (bool fileHeader : {true, false}) {
        BitmapLayout layout = pictureLayout(40, fileHeader, 8, 6, 2);
        layout.coloursUsed = 3;
        layout.colours.resize(3);
        layout.values = {0, 1, 2, 2, 1, 0, 2, 0, 5, 255, 3, 1};
        const std::vector<uint8_t> file = bitmapFile(layout);
        EXPECT_EQ(file.size(), (fileHeader ? 14u : 0u) + 40 + 3 * 4 + 2 * 8);
        RgbImage* image = load(file);
        expectPicture(image, layout);
        freeRgbImage(image);
    }
}

TEST_F(BitmapLoader, TrueColourPicturesSkipAColourTableTheyAnnounce) {
    BitmapLayout layout = pictureLayout(40, false, 24, 3, 2);
    layout.coloursUsed = 2; // pixels would be read from the table if it were not skipped
    layout.colours = {0xFFFFFF, 0xFFFFFF};
    RgbImage* image = load(bitmapFile(layout));
    expectPicture(image, layout);
    freeRgbImage(image);
}

TEST_F(BitmapLoader, PixelsAreReadFromTheOffsetBeyondAGap) {
    for (uint16_t bits : {4, 24}) {
        BitmapLayout layout = pictureLayout(40, true, bits, 3, 3);
        layout.gap = 7;
        RgbImage* image = load(bitmapFile(layout));
        expectPicture(image, layout);
        freeRgbImage(image);
    }
}

TEST_F(BitmapLoader, CoreEightBitWithoutFileHeaderReadsPixelsAfterTheFullTable) {
    BitmapLayout layout = pictureLayout(12, false, 8, 2, 1);
    layout.values = {200, 7};
    const std::vector<uint8_t> file = bitmapFile(layout);
    ASSERT_EQ(file.size(), 12u + 768 + 4);
    RgbImage* image = load(file);
    expectPicture(image, layout);
    freeRgbImage(image);
}

TEST_F(BitmapLoader, LaterHeaderVersionsAreUnknown) {
    for (uint32_t headerSize : {108u, 124u, 64u, 16u, 0u}) {
        for (bool fileHeader : {true, false}) {
            messages.clear();
            BitmapLayout layout = pictureLayout(40, fileHeader, 24, 2, 2);
            layout.headerSize = headerSize;
            EXPECT_EQ(load(bitmapFile(layout)), nullptr);
            ASSERT_EQ(messages.size(), 1u) << headerSize;
            EXPECT_EQ(messages[0].text, "Unknown DIB file format.");
            EXPECT_EQ(messages[0].caption, "Error");
            EXPECT_EQ(messages[0].icon, IconNone);
            EXPECT_EQ(messages[0].buttons, ButtonsOk);
        }
    }
}

TEST_F(BitmapLoader, MissingFile) {
    const std::string name = folder.path("absent.bmp");
    EXPECT_EQ(loadBitmapIfPresent(name.c_str()), nullptr);
    EXPECT_EQ(loadBitmapIfPresent(nullptr), nullptr);
    EXPECT_TRUE(messages.empty());

    EXPECT_EQ(loadBitmapImage(name.c_str()), nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Failed to open DIB file " + name + ".\n");
    EXPECT_EQ(messages[0].caption, "Error");
    EXPECT_EQ(messages[0].icon, IconNone);

    reportLoaderErrors = 0;
    EXPECT_EQ(readBitmapFile(name.c_str()), nullptr);
    EXPECT_EQ(loadBitmapImage(name.c_str()), nullptr);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(BitmapLoader, FilesThatCannotBeMappedFailToOpen) {
    const std::string empty = folder.write("empty.bmp", {});
    EXPECT_EQ(loadBitmapIfPresent(empty.c_str()), nullptr);
    EXPECT_EQ(loadBitmapIfPresent(folder.path("").c_str()), nullptr); // a folder
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Failed to open DIB file " + empty + ".\n");
}

// Cutting a file at each boundary of its parts, and at every byte, leaves no picture and one
// message; the cut copies are exactly sized, so that a read past the end is caught.
TEST_F(BitmapLoader, TruncatedFilesAreRefused) {
    struct Cut {
        size_t length;
        const char* message;
    };
    BitmapLayout layout = pictureLayout(40, true, 8, 5, 3);
    const std::vector<uint8_t> file = bitmapFile(layout);
    const size_t tableEnd = 14 + 40 + 1024;
    const Cut cuts[] = {
        {0, "Failed to open DIB file"},
        {1, "Unknown DIB file format."},
        {2, "Unknown DIB file format."},
        {13, "Unknown DIB file format."},
        {14, "Unknown DIB file format."},
        {17, "Unknown DIB file format."},
        {53, "Unknown DIB file format."},
        {54, "Image file conversion error."},
        {tableEnd - 1, "Image file conversion error."},
        {tableEnd, "Image file conversion error."},
        {file.size() - 1, "Image file conversion error."},
    };
    for (const Cut& cut : cuts) {
        messages.clear();
        const std::vector<uint8_t> head(file.begin(), file.begin() + long(cut.length));
        EXPECT_EQ(load(head), nullptr) << cut.length;
        ASSERT_EQ(messages.size(), 1u) << cut.length;
        EXPECT_EQ(messages[0].text.rfind(cut.message, 0), 0u) << cut.length;
    }

    for (uint32_t headerSize : {12u, 40u}) {
        for (bool fileHeader : {true, false}) {
            const std::vector<uint8_t> whole =
                bitmapFile(pictureLayout(headerSize, fileHeader, 4, 3, 2));
            for (size_t length = 0; length < whole.size(); ++length) {
                messages.clear();
                std::vector<uint8_t> head(whole.begin(), whole.begin() + long(length));
                head.shrink_to_fit();
                EXPECT_EQ(decodeBitmap(head.data(), head.size()), nullptr) << length;
                EXPECT_EQ(messages.size(), 1u) << length;
            }
        }
    }
}

TEST_F(BitmapLoader, PixelOffsetBeyondTheFileIsRefused) {
    std::vector<uint8_t> file = bitmapFile(pictureLayout(40, true, 24, 2, 2));
    for (uint32_t offset : {uint32_t(file.size()), 0xFFFFFFF0u}) {
        messages.clear();
        for (int i = 0; i < 4; ++i) file[10 + i] = uint8_t(offset >> (8 * i));
        EXPECT_EQ(load(file), nullptr);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, "Image file conversion error.");
    }
}

// Sizes whose byte counts overflow or that no file this small holds; none may reach an
// allocation or a read.
TEST_F(BitmapLoader, AbsurdSizesAreRefused) {
    struct Absurd {
        uint32_t headerSize;
        int32_t width, height;
        uint16_t bits;
        uint32_t compression;
    };
    const Absurd cases[] = {
        {40, 0, 4, 24, 0},
        {40, -1, 4, 24, 0},
        {40, -2147483647 - 1, 1, 8, 0},
        {40, 4, 0, 24, 0},
        {40, 2147483647, 1, 24, 0},
        {40, 2147483647, 2147483647, 24, 0},
        {40, 1, -2147483647 - 1, 24, 0},
        {40, 1, 2147483647, 1, 0},
        {40, 0x40000000, 4, 24, 0},
        {40, 0x20000000, 0x20000000, 1, 0},
        {12, 65535, 65535, 24, 0},
        {12, 0, 1, 8, 0},
        // Depths and compressions the conversion does not take.
        {40, 2, 2, 16, 0},
        {40, 2, 2, 32, 0},
        {40, 2, 2, 0, 0},
        {40, 2, 2, 2, 0},
        {40, 2, 2, 8, 1},
        {40, 2, 2, 4, 2},
        {40, 2, 2, 32, 3},
    };
    for (const Absurd& c : cases) {
        messages.clear();
        BitmapLayout layout;
        layout.headerSize = c.headerSize;
        layout.width = c.width;
        layout.height = c.height;
        layout.bitsPerPixel = c.bits;
        layout.compression = c.compression;
        std::vector<uint8_t> file = bitmapFile(layout);
        file.resize(file.size() + 64, 0x55); // some pixel bytes, far fewer than announced
        EXPECT_EQ(load(file), nullptr) << c.width << "x" << c.height << "x" << c.bits;
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, "Image file conversion error.");
    }
}

TEST(DibColourCount, FollowsDepthUnlessColoursUsedIsSet) {
    struct CountCase {
        uint32_t headerSize;
        uint16_t bits;
        uint32_t coloursUsed;
        uint16_t count;
    };
    const CountCase cases[] = {
        {12, 1, 0, 2},       {12, 4, 0, 16},   {12, 8, 0, 256},    {12, 24, 0, 0},
        {40, 1, 0, 2},       {40, 4, 0, 16},   {40, 8, 0, 256},    {40, 24, 0, 0},
        {40, 16, 0, 0},      {40, 8, 5, 5},    {40, 24, 300, 300}, {40, 1, 0x10003, 3},
        {40, 4, 0x10000, 0}, {108, 8, 0, 256}, {124, 4, 9, 9},
    };
    for (const CountCase& c : cases) {
        std::vector<uint8_t> header(c.headerSize, 0);
        auto put = [&](size_t at, uint32_t value, int bytes) {
            for (int i = 0; i < bytes; ++i) header[at + i] = uint8_t(value >> (8 * i));
        };
        put(0, c.headerSize, 4);
        put(c.headerSize == 12 ? 10 : 14, c.bits, 2);
        if (c.headerSize != 12) put(32, c.coloursUsed, 4);
        EXPECT_EQ(dibColourCount(header.data()), c.count)
            << c.headerSize << " " << c.bits << " " << c.coloursUsed;
    }
}

} // namespace
