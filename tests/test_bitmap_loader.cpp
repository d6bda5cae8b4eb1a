// test_bitmap_loader.cpp -- BMP files of every kind the loader takes, and the ones it refuses
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "tests/fuzz/bitmap_files.h"
#include "tests/support/message_recorder.h"
#include "tests/support/temp_files.h"
#include "ui/bitmap_loader.h"

namespace {

const RecordedMessage unknownFormat = {"Unknown DIB file format.", "Error"};
const RecordedMessage conversionError = {"Image file conversion error.", "Error"};

RecordedMessage openFailure(const std::string& name) {
    return {"Failed to open DIB file " + name + ".\n", "Error"};
}

class BitmapLoader : public ::testing::Test {
  protected:
    void TearDown() override { reportLoaderErrors = 1; }

    RgbImage* load(const std::vector<uint8_t>& bytes) {
        return loadBitmapImage(folder.write("image.bmp", bytes).c_str());
    }

    // Loads the layout's file; expects the picture it describes, bottom row first.
    void expectPicture(const BitmapLayout& layout) {
        SCOPED_TRACE(testing::Message()
                     << "header " << layout.headerSize << " BM " << layout.fileHeader << ", "
                     << layout.bitsPerPixel << " bits, " << layout.width << "x" << layout.height
                     << ", colours used " << layout.coloursUsed << ", gap " << layout.gap);
        RgbImage* image = load(bitmapFile(layout));
        ASSERT_NE(image, nullptr);
        const size_t width = size_t(layout.width), rows = layout.values.size() / width;
        ASSERT_EQ(image->width, layout.width);
        ASSERT_EQ(size_t(image->height), rows);
        std::vector<uint8_t> expected;
        for (size_t r = 0; r < rows; ++r)
            for (size_t x = 0; x < width; ++x) {
                const size_t fileRow = layout.height < 0 ? rows - 1 - r : r;
                const uint32_t value = layout.values[fileRow * width + x];
                uint32_t rgb = value; // indexes past the table are black
                if (layout.bitsPerPixel != 24)
                    rgb = value < layout.colours.size() ? layout.colours[value] : 0;
                for (int shift : {16, 8, 0}) expected.push_back(uint8_t(rgb >> shift));
            }
        EXPECT_EQ(std::vector<uint8_t>(image->pixels, image->pixels + expected.size()), expected);
        EXPECT_TRUE(recorder.messages.empty());
        freeRgbImage(image);
    }

    // Expects no picture and exactly this message since the last such check.
    void expectRefused(RgbImage* image, const RecordedMessage& message) {
        EXPECT_EQ(image, nullptr);
        freeRgbImage(image);
        EXPECT_EQ(recorder.messages, std::vector<RecordedMessage>{message});
        recorder.messages.clear();
    }

    TempFolder folder;
    MessageRecorder recorder;
};

// Widths 1, 3, 6 and 33 leave padding at the end of the source rows of every depth; 3 pixels
// of 24 bits are read from 12-byte rows into 9-byte ones.
TEST_F(BitmapLoader, ReadsEveryHeaderKindAndDepth) {
    for (uint32_t headerSize : {12u, 40u})
        for (bool fileHeader : {true, false})
            for (uint16_t bits : {1, 4, 8, 24})
                for (int32_t width : {1, 3, 6, 33})
                    expectPicture(pictureLayout(headerSize, fileHeader, bits, width, 3));
}

// Every index of 8 bits; top row first; short colour tables (only the low 16 bits of colours
// used count), which place the pixels when there is no file header and leave later indexes
// black; a table in a true-colour file, to be skipped; a gap between the table and the pixels.
TEST_F(BitmapLoader, ReadsSpecialLayouts) {
    struct Case {
        bool fileHeader;
        uint16_t bits;
        int32_t width, height;
        uint32_t coloursUsed, gap;
    };
    // clang-format off
    const Case cases[] = {
        {true, 8, 16, 16, 0, 0}, {true, 1, 5, -3, 0, 0}, {false, 8, 5, -3, 0, 0},
        {true, 24, 5, -3, 0, 0}, {true, 8, 6, 2, 3, 0}, {false, 8, 6, 2, 3, 0},
        {false, 4, 5, 2, 0x10003, 0}, {false, 4, 5, 2, 0x10000, 0}, {false, 24, 3, 2, 2, 0},
        {true, 24, 3, 2, 2, 0}, {true, 4, 3, 3, 0, 7}, {true, 24, 3, 3, 0, 7}};
    // clang-format on
    for (const Case& c : cases) {
        BitmapLayout layout = pictureLayout(40, c.fileHeader, c.bits, c.width, c.height);
        layout.coloursUsed = c.coloursUsed;
        layout.gap = c.gap;
        if (c.coloursUsed && c.bits != 24) {
            layout.colours.resize(tableEntries(layout));
            for (uint32_t& value : layout.values) value %= layout.colours.size() + 1;
        }
        expectPicture(layout);
    }
}

TEST_F(BitmapLoader, MissingFile) {
    const std::string name = folder.path("absent.bmp");
    EXPECT_EQ(loadBitmapIfPresent(name.c_str()), nullptr);
    EXPECT_EQ(loadBitmapIfPresent(nullptr), nullptr);
    EXPECT_TRUE(recorder.messages.empty());
    expectRefused(loadBitmapImage(name.c_str()), openFailure(name));
    // A file that opens but cannot be mapped: an empty one.
    const std::string empty = folder.write("empty.bmp", {});
    expectRefused(loadBitmapIfPresent(empty.c_str()), openFailure(empty));
    // What is not a regular file cannot be opened, and a FIFO without a writer must not block.
    ASSERT_EQ(mkfifo(folder.path("fifo.bmp").c_str(), 0600), 0);
    for (const std::string& other :
         {folder.path(""), folder.path("fifo.bmp"), std::string("/dev/zero")}) {
        EXPECT_EQ(loadBitmapIfPresent(other.c_str()), nullptr);
        EXPECT_TRUE(recorder.messages.empty());
        expectRefused(loadBitmapImage(other.c_str()), openFailure(other));
    }

    reportLoaderErrors = 0;
    EXPECT_EQ(loadBitmapImage(name.c_str()), nullptr);
    EXPECT_TRUE(recorder.messages.empty());
}

// Header sizes other than 12 and 40; sizes whose byte counts overflow or that no file this small
// holds; depths and compressions the conversion does not take; pixel offsets past the end.
TEST_F(BitmapLoader, RefusesWhatItCannotRead) {
    struct Case {
        uint32_t headerSize;
        int32_t width, height;
        uint16_t bits;
        uint32_t compression;
    };
    const int32_t Max = 2147483647, Min = -Max - 1;
    // clang-format off
    const Case cases[] = {
        {108, 2, 2, 24, 0}, {124, 2, 2, 24, 0}, {64, 2, 2, 24, 0}, {16, 2, 2, 24, 0},
        {0, 2, 2, 8, 0}, {40, 0, 4, 24, 0}, {40, -1, 4, 24, 0}, {40, Min, 1, 8, 0},
        {40, 4, 0, 24, 0},
        {40, Max, 1, 24, 0}, {40, Max, Max, 24, 0}, {40, 1, Min, 24, 0}, {40, 1, Max, 1, 0},
        {40, 0x40000000, 4, 24, 0}, {40, 0x20000000, 0x20000000, 1, 0}, {12, 0, 1, 8, 0},
        {12, 65535, 65535, 24, 0}, {40, 2, 2, 16, 0}, {40, 2, 2, 32, 0}, {40, 2, 2, 0, 0},
        {40, 2, 2, 2, 0}, {40, 2, 2, 8, 1}, {40, 2, 2, 4, 2}, {40, 2, 2, 32, 3}};
    // clang-format on
    for (const Case& c : cases)
        for (bool fileHeader : {true, false}) {
            SCOPED_TRACE(testing::Message()
                         << "header " << c.headerSize << " BM " << fileHeader << ": " << c.width
                         << "x" << c.height << "x" << c.bits << ", compression " << c.compression);
            BitmapLayout layout = pictureLayout(c.headerSize, fileHeader, c.bits, 0, 0);
            layout.width = c.width;
            layout.height = c.height;
            layout.compression = c.compression;
            std::vector<uint8_t> file = bitmapFile(layout);
            file.resize(file.size() + 64, 0x55); // pixels enough for 2 x 2, not for more
            const bool known = c.headerSize == 12 || c.headerSize == 40;
            expectRefused(load(file), known ? conversionError : unknownFormat);
        }
    std::vector<uint8_t> file = bitmapFile(pictureLayout(40, true, 24, 2, 2));
    for (uint32_t offset : {uint32_t(file.size()), 0xFFFFFFF0u}) {
        SCOPED_TRACE(offset);
        for (int i = 0; i < 4; ++i) file[10 + i] = uint8_t(offset >> (8 * i));
        expectRefused(load(file), conversionError);
    }
}

// Cut at each boundary of its parts a file gives no picture and one message; cut at every byte
// into exactly sized blocks, it is never read past its end (AddressSanitizer).
TEST_F(BitmapLoader, RefusesTruncatedFiles) {
    const std::vector<uint8_t> file = bitmapFile(pictureLayout(40, true, 8, 5, 3));
    const size_t tableEnd = 14 + 40 + 1024;
    const std::pair<size_t, RecordedMessage> cuts[] = {{0, openFailure(folder.path("image.bmp"))},
                                                       {1, unknownFormat},
                                                       {2, unknownFormat},
                                                       {13, unknownFormat},
                                                       {14, unknownFormat},
                                                       {17, unknownFormat},
                                                       {53, unknownFormat},
                                                       {54, conversionError},
                                                       {tableEnd - 1, conversionError},
                                                       {tableEnd, conversionError},
                                                       {file.size() - 1, conversionError}};
    for (const auto& [length, message] : cuts) {
        SCOPED_TRACE(length);
        expectRefused(load({file.begin(), file.begin() + long(length)}), message);
    }
    for (uint32_t headerSize : {12u, 40u})
        for (bool fileHeader : {true, false}) {
            const std::vector<uint8_t> whole =
                bitmapFile(pictureLayout(headerSize, fileHeader, 4, 3, 2));
            for (size_t length = 0; length < whole.size(); ++length) {
                SCOPED_TRACE(testing::Message() << "header " << headerSize << " BM " << fileHeader
                                                << ", " << length << " bytes");
                const std::vector<uint8_t> head(whole.begin(), whole.begin() + long(length));
                EXPECT_EQ(decodeBitmap(head.data(), head.size()), nullptr);
                EXPECT_EQ(recorder.messages.size(), 1u);
                recorder.messages.clear();
            }
        }
}

} // namespace
