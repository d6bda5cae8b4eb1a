// bitmap_files.h -- BMP files made in memory, for the loader's tests and the fuzz seed corpus
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

struct BitmapLayout {
    uint32_t headerSize = 40; // 12 (core), 40 (info) or any other size, written as zeros
    bool fileHeader = true;
    int32_t width = 1, height = 1; // a core header takes their low 16 bits
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0, coloursUsed = 0;
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
    const unsigned bits = layout.bitsPerPixel;
    return bits == 1 || bits == 4 || bits == 8 ? 1u << bits : 0;
}

// Rows as a DIB stores them: leftmost pixel in the most significant bits, 24-bit pixels blue,
// green, red, each row padded to 4 bytes.
inline std::vector<uint8_t> dibRows(const BitmapLayout& layout) {
    const unsigned bits = layout.bitsPerPixel;
    const size_t width = size_t(layout.width), rows = width ? layout.values.size() / width : 0;
    const size_t rowBytes = rows ? (bits * width + 31) / 32 * 4 : 0;
    std::vector<uint8_t> out(rows * rowBytes, 0);
    for (size_t y = 0; y < rows; ++y)
        for (size_t x = 0; x < width; ++x) {
            const uint32_t value = layout.values[y * width + x];
            uint8_t* row = &out[y * rowBytes];
            if (bits == 24)
                for (int c = 0; c < 3; ++c) row[3 * x + c] = uint8_t(value >> (8 * c));
            else
                row[x * bits / 8] |= uint8_t(value << (8 - bits - x * bits % 8));
        }
    return out;
}

inline std::vector<uint8_t> bitmapFile(const BitmapLayout& layout) {
    const bool core = layout.headerSize == 12;
    std::vector<uint8_t> header;
    putBytes(&header, layout.headerSize, 4);
    putBytes(&header, uint32_t(layout.width), core ? 2 : 4);
    putBytes(&header, uint32_t(layout.height), core ? 2 : 4);
    putBytes(&header, 1, 2); // planes
    putBytes(&header, layout.bitsPerPixel, 2);
    if (!core) {
        putBytes(&header, layout.compression, 4);
        putBytes(&header, 0, 4);    // image size: left to the reader
        putBytes(&header, 2835, 4); // 72 dots per inch
        putBytes(&header, 2835, 4);
        putBytes(&header, layout.coloursUsed, 4);
        header.resize(std::max<size_t>(40, layout.headerSize), 0);
    }
    for (uint32_t i = 0; i < tableEntries(layout); ++i)
        putBytes(&header, i < layout.colours.size() ? layout.colours[i] : 0x010203, core ? 3 : 4);

    const std::vector<uint8_t> rows = dibRows(layout);
    std::vector<uint8_t> file;
    if (layout.fileHeader) {
        const uint32_t pixelsAt = uint32_t(14 + header.size() + layout.gap);
        file = {'B', 'M'};
        putBytes(&file, uint32_t(pixelsAt + rows.size()), 4);
        putBytes(&file, 0, 4);
        putBytes(&file, pixelsAt, 4);
    }
    file.insert(file.end(), header.begin(), header.end());
    if (layout.fileHeader) file.insert(file.end(), layout.gap, 0xEE);
    file.insert(file.end(), rows.begin(), rows.end());
    return file;
}

// Colours that differ in every channel, so that a swapped channel or a wrong index shows.
inline uint32_t distinctColour(uint32_t i) {
    return ((i * 37 + 11) & 0xFF) << 16 | ((i * 91 + 7) & 0xFF) << 8 | ((i * 53 + 200) & 0xFF);
}

// A picture with a full colour table and pixels spread over it; with 16 pixels or more of 4 bits,
// and 256 of 8 bits, they take every index.
inline BitmapLayout pictureLayout(uint32_t headerSize, bool fileHeader, uint16_t bits,
                                  int32_t width, int32_t height) {
    BitmapLayout layout;
    layout.headerSize = headerSize;
    layout.fileHeader = fileHeader;
    layout.width = width;
    layout.height = height;
    layout.bitsPerPixel = bits;
    const uint32_t colours = tableEntries(layout);
    for (uint32_t i = 0; i < colours; ++i) layout.colours.push_back(distinctColour(i));
    const uint32_t pixels = uint32_t(width) * uint32_t(height < 0 ? -height : height);
    for (uint32_t n = 0; n < pixels; ++n)
        layout.values.push_back(colours ? n * 5 % colours : distinctColour(n + 1000));
    return layout;
}
