// dib_conversion.cpp -- DIB pixels made 24-bit, in place of the system's DIB section
#include "platform/dib_conversion.h"

#include <cstdlib>

namespace {

// Rows of DIB files are padded to whole 32-bit words.
uint64_t paddedRowBytes(uint64_t bitsPerRow) {
    return (bitsPerRow + 31) / 32 * 4;
}

uint64_t rowCount(int32_t height) {
    return height < 0 ? uint64_t(-int64_t(height)) : uint64_t(height);
}

bool convertible(const DibDescription& d) {
    const uint16_t bits = d.bitsPerPixel;
    return d.compression == DibUncompressed &&
           (bits == 1 || bits == 4 || bits == 8 || bits == 24) && d.width > 0 && d.height != 0 &&
           d.height != INT32_MIN;
}

void convertIndexedRow(const uint8_t* row, int32_t width, unsigned bits, const DibColour* colours,
                       uint32_t colourCount, uint8_t* out) {
    const unsigned perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (size_t x = 0; x < size_t(width); ++x, out += 3) {
        const unsigned shift = 8 - bits * unsigned(x % perByte + 1);
        const unsigned index = (row[x / perByte] >> shift) & mask;
        const DibColour colour = index < colourCount ? colours[index] : DibColour{0, 0, 0, 0};
        out[0] = colour.blue;
        out[1] = colour.green;
        out[2] = colour.red;
    }
}

void convertTrueColourRow(const uint8_t* row, int32_t width, uint8_t* out) {
    for (size_t i = 0; i < 3 * size_t(width); ++i) out[i] = row[i];
}

} // namespace

uint64_t dibPixelBytes(const DibDescription& description) {
    if (!convertible(description)) return 0;
    // Below 2^33 bytes a row times below 2^31 + 1 rows: no overflow in 64 bits.
    return paddedRowBytes(uint64_t(description.bitsPerPixel) * uint64_t(description.width)) *
           rowCount(description.height);
}

int createDib24(int32_t width, int32_t height, Dib24* target) {
    *target = {0, 0, 0, nullptr};
    if (width < 1 || height < 1) return 0;
    const uint64_t rowBytes = paddedRowBytes(24 * uint64_t(width));
    if (rowBytes > SIZE_MAX / uint64_t(height)) return 0;
    void* bits = std::calloc(size_t(height), size_t(rowBytes));
    if (!bits) return 0;
    *target = {width, height, size_t(rowBytes), static_cast<uint8_t*>(bits)};
    return 1;
}

void destroyDib24(Dib24* target) {
    std::free(target->bits);
    *target = {0, 0, 0, nullptr};
}

int convertDibRows(const DibDescription& source, const DibColour* colours, uint32_t colourCount,
                   const uint8_t* bits, size_t available, Dib24* target) {
    const uint64_t needed = dibPixelBytes(source);
    if (needed == 0 || needed > available) return 0;
    const uint64_t rows = rowCount(source.height);
    if (target->width != source.width || uint64_t(target->height) != rows) return 0;

    const size_t rowBytes = size_t(needed / rows);
    for (size_t row = 0; row < rows; ++row) {
        const uint8_t* in = bits + row * rowBytes;
        const size_t targetRow = source.height < 0 ? rows - 1 - row : row;
        uint8_t* out = target->bits + targetRow * target->rowBytes;
        if (source.bitsPerPixel == 24)
            convertTrueColourRow(in, source.width, out);
        else
            convertIndexedRow(in, source.width, source.bitsPerPixel, colours, colourCount, out);
    }
    return int(rows);
}
