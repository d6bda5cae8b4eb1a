// png_file.cpp -- PNG files through libpng
#include "platform/png_file.h"

#include <png.h>

#include <csetjmp>
#include <new>

struct PngStream {
    png_structp png;
    png_infop info;
    int width;
};

const char* pngUnavailable() {
    return nullptr;
}

// libpng reports its errors by a jump back into the function that called it, so each function
// that calls it sets the place to come back to.
PngStream* startPng(FILE* file, int width, int height) {
    PngStream* stream = new (std::nothrow) PngStream{nullptr, nullptr, width};
    if (!stream) return nullptr;
    stream->png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (stream->png) stream->info = png_create_info_struct(stream->png);
    if (!stream->info || setjmp(png_jmpbuf(stream->png))) {
        endPng(stream, 0);
        return nullptr;
    }
    png_init_io(stream->png, file);
    png_set_IHDR(stream->png, stream->info, width, height, 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(stream->png, stream->info);
    return stream;
}

int writePngRows(PngStream* stream, const uint8_t* rows, int count) {
    if (setjmp(png_jmpbuf(stream->png))) return 0;
    for (int row = 0; row < count; ++row)
        png_write_row(stream->png, rows + size_t(row) * stream->width * 3);
    return 1;
}

int endPng(PngStream* stream, int complete) {
    volatile bool ended = false;
    if (complete && stream->png && !setjmp(png_jmpbuf(stream->png))) {
        png_write_end(stream->png, nullptr);
        ended = true;
    }
    png_destroy_write_struct(&stream->png, &stream->info);
    delete stream;
    return ended;
}
