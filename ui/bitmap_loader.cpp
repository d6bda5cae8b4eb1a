// bitmap_loader.cpp -- BMP files read into RgbImage records; every failure is reported here
#include "ui/bitmap_loader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/dib_conversion.h"
#include "platform/file_mapping.h"
#include "platform/message_box.h"
#include "platform/regular_file.h"

int reportLoaderErrors = 1;

namespace {

constexpr size_t FileHeaderSize = 14;
constexpr size_t PixelOffsetField = 10;
constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t InfoHeaderSize = 40;

const char OutOfMemory[] = "Out of memory.";
const char UnknownFormat[] = "Unknown DIB file format.";
const char ConversionError[] = "Image file conversion error.";

uint16_t readU16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t readU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
int32_t readS32(const uint8_t* p) {
    return int32_t(readU32(p));
}

void report(const char* text) {
    if (reportLoaderErrors) showMessageBox(text, "Error", IconNone, ButtonsOk);
}

// The info header with its colour table right behind it, in one block.
struct SourceDescription {
    DibDescription header;
    DibColour* colours() { return reinterpret_cast<DibColour*>(this + 1); }
};

// Everything one reading holds, so that any failure can release it in one place.
struct Reading {
    const uint8_t* file;
    size_t size;
    size_t headerAt;
    uint64_t pixelsAt;
    bool hasFileHeader;
    uint32_t headerSize;
    uint16_t colourCount;
    SourceDescription* source;
    Dib24 target;
    uint8_t* pixels;
    RgbImage* image;
};

void release(Reading* r) {
    destroyDib24(&r->target);
    std::free(r->source);
    std::free(r->pixels);
    std::free(r->image);
}

RgbImage* fail(Reading* r, const char* message) {
    report(message);
    release(r);
    return nullptr;
}

// The file header, when there is one, and a whole DIB header of a known size.
bool findHeader(Reading* r) {
    r->hasFileHeader = r->size >= 2 && r->file[0] == 'B' && r->file[1] == 'M';
    if (r->hasFileHeader) {
        if (r->size < FileHeaderSize) return false;
        r->pixelsAt = readU32(r->file + PixelOffsetField);
        r->headerAt = FileHeaderSize;
    }
    if (r->size - r->headerAt < 4) return false;
    r->headerSize = readU32(r->file + r->headerAt);
    if (r->headerSize != CoreHeaderSize && r->headerSize != InfoHeaderSize) return false;
    return r->size - r->headerAt >= r->headerSize;
}

// The colour table lies within the file; fills the source description from the header.
bool describeSource(Reading* r) {
    const uint8_t* header = r->file + r->headerAt;
    const bool core = r->headerSize == CoreHeaderSize;
    const size_t entryBytes = core ? 3 : 4;
    const size_t tableAt = r->headerAt + r->headerSize;
    const size_t tableBytes = entryBytes * r->colourCount;
    if (r->size - tableAt < tableBytes) return false;
    if (!r->hasFileHeader) r->pixelsAt = tableAt + tableBytes;

    DibDescription& d = r->source->header;
    DibColour* colours = r->source->colours();
    const uint8_t* table = header + r->headerSize;
    if (core) {
        // Unsigned 16-bit sizes: a core picture is always stored bottom row first.
        d = {readU16(header + 4), readU16(header + 6), readU16(header + 10), DibUncompressed};
        for (size_t i = 0; i < r->colourCount; ++i)
            colours[i] = {table[3 * i], table[3 * i + 1], table[3 * i + 2], 0};
    } else {
        d = {readS32(header + 4), readS32(header + 8), readU16(header + 14), readU32(header + 16)};
        std::memcpy(colours, table, tableBytes);
    }
    return true;
}

// Target rows are padded to 4 bytes; the image's rows are packed.
void copyOut(const Dib24& target, uint8_t* pixels) {
    for (int32_t y = 0; y < target.height; ++y) {
        const uint8_t* in = target.bits + size_t(y) * target.rowBytes;
        for (int32_t x = 0; x < target.width; ++x, in += 3, pixels += 3) {
            pixels[0] = in[2];
            pixels[1] = in[1];
            pixels[2] = in[0];
        }
    }
}

} // namespace

uint16_t dibColourCount(const uint8_t* header) {
    uint16_t bitsPerPixel;
    if (readU32(header) == CoreHeaderSize) {
        bitsPerPixel = readU16(header + 10);
    } else {
        const uint32_t coloursUsed = readU32(header + 32);
        if (coloursUsed != 0) return uint16_t(coloursUsed);
        bitsPerPixel = readU16(header + 14);
    }
    switch (bitsPerPixel) {
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

RgbImage* decodeBitmap(const uint8_t* file, size_t size) {
    Reading r = {};
    r.file = file;
    r.size = size;
    if (!findHeader(&r)) return fail(&r, UnknownFormat);

    r.colourCount = dibColourCount(file + r.headerAt);
    r.source = static_cast<SourceDescription*>(
        std::malloc(sizeof(SourceDescription) + sizeof(DibColour) * r.colourCount));
    if (!r.source) return fail(&r, OutOfMemory);
    if (!describeSource(&r)) return fail(&r, ConversionError);

    // The rows must all lie within the file before anything is made for them, so that sizes
    // announced by a short file never reach an allocation.
    const DibDescription& source = r.source->header;
    const uint64_t pixelBytes = dibPixelBytes(source);
    if (pixelBytes == 0 || r.pixelsAt > size || pixelBytes > size - r.pixelsAt)
        return fail(&r, ConversionError);

    const int32_t height = source.height < 0 ? -source.height : source.height;
    if (!createDib24(source.width, height, &r.target)) return fail(&r, OutOfMemory);
    if (convertDibRows(source, r.source->colours(), r.colourCount, file + r.pixelsAt,
                       size - r.pixelsAt, &r.target) == 0)
        return fail(&r, ConversionError);

    r.pixels = static_cast<uint8_t*>(std::malloc(size_t(source.width) * size_t(height) * 3));
    if (!r.pixels) return fail(&r, OutOfMemory);
    copyOut(r.target, r.pixels);

    r.image = static_cast<RgbImage*>(std::malloc(sizeof(RgbImage)));
    if (!r.image) return fail(&r, OutOfMemory);
    *r.image = {source.width, height, r.pixels};

    RgbImage* image = r.image;
    r.image = nullptr;
    r.pixels = nullptr;
    release(&r);
    return image;
}

RgbImage* readBitmapFile(const char* name) {
    FileMapping mapping;
    if (!mapFileReadOnly(name, &mapping)) {
        // A name too long for the box is cut; the box is only a hint to the user.
        char text[1024];
        std::snprintf(text, sizeof text, "Failed to open DIB file %s.\n", name);
        report(text);
        return nullptr;
    }
    RgbImage* image = decodeBitmap(mapping.bytes, mapping.size);
    unmapFile(&mapping);
    return image;
}

RgbImage* loadBitmapImage(const char* name) {
    return readBitmapFile(name);
}

RgbImage* loadBitmapIfPresent(const char* name) {
    if (!name) return nullptr;
    // A FIFO or device is a file that cannot be opened: waiting for its writer would hang.
    const int file = openRegularFile(name);
    if (file < 0) return nullptr;
    closeRegularFile(file);
    return loadBitmapImage(name);
}

void freeRgbImage(RgbImage* image) {
    if (!image) return;
    std::free(image->pixels);
    std::free(image);
}
