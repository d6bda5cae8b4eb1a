// bitmap_files.h -- BMP files made in memory, for the loader's tests and the fuzz seed corpus
#pragma once

#include <cstdint>
#include <vector>

struct BitmapLayout {
    uint32_t headerSize = 40; // 12 (core), 40 (info) or any other size, written as zeros
    bool fileHeader = true;
    int32_t width = 1;
    int32_t height = 1; // a core header takes the low 16 bits of width and height
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    // 0xRRGGBB; the table gets as many entries as the header calls for, filled up with 0x010203.
    std::vector<uint32_t> colours;
    uint32_t gap = 0; // bytes of 0xEE between the table and the pixels (file header only)
    // Pixel values in file row order, width per row: colour indexes, or 0xRRGGBB for 24 bits.
    std::vector<uint32_t> values;
};

inline void putBytes(std::vector<uint8_t>* out, uint32_t value, int count) {
    for (int i = 0; i < count; ++i) out->push_back(uint8_t(value >> (8 * i)));
}

// Colour-table entries that a header so described calls for.
inline uint32_t tableEntries(const BitmapLayout& layout) {
    if (layout.headerSize != 12 && layout.coloursUsed != 0) return layout.coloursUsed & 0xFFFF;
    switch (layout.bitsPerPixel) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

// Rows as a DIB stores them: leftmost pixel in the most significant bits, 24-bit pixels blue,
// green, red, each row padded to 4 bytes.
inline std::vector<uint8_t> dibRows(const BitmapLayout& layout) {
    std::vector<uint8_t> out;
    const unsigned bits = layout.bitsPerPixel;
    const size_t width = size_t(layout.width);
    const size_t rowBytes = (bits * width + 31) / 32 * 4;
    const size_t rows = width ? layout.values.size() / width : 0;
    for (size_t y = 0; y < rows; ++y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (size_t x = 0; x < width; ++x) {
            const uint32_t value = layout.values[y * width + x];
            if (bits == 24) {
                row[3 * x] = uint8_t(value);
                row[3 * x + 1] = uint8_t(value >> 8);
                row[3 * x + 2] = uint8_t(value >> 16);
            } else {
                const size_t bit = x * bits;
                row[bit / 8] |= uint8_t(value << (8 - bits - bit % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

inline std::vector<uint8_t> bitmapFile(const BitmapLayout& layout) {
    std::vector<uint8_t> header;
    putBytes(&header, layout.headerSize, 4);
    if (layout.headerSize == 12) {
        putBytes(&header, uint32_t(layout.width), 2);
        putBytes(&header, uint32_t(layout.height), 2);
        putBytes(&header, 1, 2);
        putBytes(&header, layout.bitsPerPixel, 2);
    } else {
        putBytes(&header, uint32_t(layout.width), 4);
        putBytes(&header, uint32_t(layout.height), 4);
        putBytes(&header, 1, 2);
        putBytes(&header, layout.bitsPerPixel, 2);
        putBytes(&header, layout.compression, 4);
        putBytes(&header, 0, 4);    // image size: left to the reader
        putBytes(&header, 2835, 4); // 72 dots per inch
        putBytes(&header, 2835, 4);
        putBytes(&header, layout.coloursUsed, 4);
        putBytes(&header, 0, 4);
        header.resize(layout.headerSize < 40 ? 40 : layout.headerSize, 0);
    }
    const int entryBytes = layout.headerSize == 12 ? 3 : 4;
    for (uint32_t i = 0; i < tableEntries(layout); ++i)
        putBytes(&header, i < layout.colours.size() ? layout.colours[i] : 0x010203, entryBytes);

    std::vector<uint8_t> file;
    if (layout.fileHeader) {
        const std::vector<uint8_t> rows = dibRows(layout);
        const uint32_t pixelsAt = uint32_t(14 + header.size() + layout.gap);
        file = {'B', 'M'};
        putBytes(&file, uint32_t(pixelsAt + rows.size()), 4);
        putBytes(&file, 0, 4);
        putBytes(&file, pixelsAt, 4);
        file.insert(file.end(), header.begin(), header.end());
        file.insert(file.end(), layout.gap, 0xEE);
        file.insert(file.end(), rows.begin(), rows.end());
    } else {
        const std::vector<uint8_t> rows = dibRows(layout);
        file = header;
        file.insert(file.end(), rows.begin(), rows.end());
    }
    return file;
}
