// picture_file.cpp -- assembling the tiles and writing PPM and PNG files
#include "tools/picture_file.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/error_text.h"

namespace {

// In any case of letters: X.PNG is as much a PNG file as x.png.
bool endsWith(const char* text, const char* ending) {
    const size_t length = std::strlen(text), endingLength = std::strlen(ending);
    if (length <= endingLength) return false;
    for (size_t i = 0; i < endingLength; ++i)
        if (std::tolower(static_cast<unsigned char>(text[length - endingLength + i])) != ending[i])
            return false;
    return true;
}

} // namespace

void assembleTileRow(const TileImage* tiles, int columns, uint8_t* band) {
    const size_t bandRowBytes = size_t(columns) * TileRowBytes;
    for (int column = 0; column < columns; ++column)
        for (int j = 0; j < TileSide; ++j)
            std::memcpy(band + (TileSide - 1 - j) * bandRowBytes + column * TileRowBytes,
                        tiles[column].pixels + j * TileRowBytes, TileRowBytes);
}

int isPictureName(const char* path) {
    return endsWith(path, ".ppm") || endsWith(path, ".png");
}

int startPictureFile(const char* path, int width, int height, PictureFile* picture, char* error,
                     int errorSize) {
    *picture = {path, {}, nullptr, width, false};
    const char* noPng = endsWith(path, ".png") ? pngUnavailable() : nullptr;
    if (noPng) {
        std::snprintf(error, errorSize, "cannot write %s: %s", path, noPng);
        return 0;
    }
    if (!openReplacement(path, &picture->replacement)) {
        std::snprintf(error, errorSize, "cannot write %s: %s", path, errorText(errno));
        return 0;
    }
    errno = 0;
    if (endsWith(path, ".png")) {
        picture->png = startPng(picture->replacement.file, width, height);
        picture->failed = !picture->png;
    } else {
        picture->failed =
            std::fprintf(picture->replacement.file, "P6\n%d %d\n255\n", width, height) < 0;
    }
    return 1;
}

int writePictureRows(PictureFile* picture, const uint8_t* rows, int count) {
    if (picture->failed) return 0;
    const size_t bytes = size_t(picture->width) * count * 3;
    picture->failed = picture->png
                          ? !writePngRows(picture->png, rows, count)
                          : std::fwrite(rows, 1, bytes, picture->replacement.file) != bytes;
    return !picture->failed;
}

int finishPictureFile(PictureFile* picture, int complete, char* error, int errorSize) {
    bool whole = complete && !picture->failed;
    if (picture->png) whole = endPng(picture->png, whole) && whole;
    if (finishReplacement(&picture->replacement, whole)) return 1;
    std::snprintf(error, errorSize, "cannot write %s%s%s", picture->path, errno ? ": " : "",
                  errno ? errorText(errno) : "");
    return 0;
}

int writeImage(const char* path, const uint8_t* pixels, int width, int height, char* error,
               int errorSize) {
    PictureFile picture;
    if (!startPictureFile(path, width, height, &picture, error, errorSize)) return 0;
    writePictureRows(&picture, pixels, height);
    return finishPictureFile(&picture, 1, error, errorSize);
}
