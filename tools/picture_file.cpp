// picture_file.cpp -- assembling the tiles and writing PPM and PNG files
#include "tools/picture_file.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/error_text.h"
#include "platform/png_file.h"
#include "platform/replace_file.h"

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

bool writePpm(FILE* file, const uint8_t* pixels, int width, int height) {
    const size_t bytes = size_t(width) * height * 3;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    return std::fwrite(pixels, 1, bytes, file) == bytes;
}

} // namespace

void assemblePicture(const TileImage (&tiles)[4], uint8_t* picture) {
    for (int t = 0; t < 4; ++t) {
        for (int j = 0; j < TileSide; ++j) {
            const int top = PictureSide - 1 - (TilePlaces[t].row * TileSide + j);
            std::memcpy(picture + (size_t(top) * PictureSide + TilePlaces[t].column * TileSide) * 3,
                        tiles[t].pixels + j * TileRowBytes, TileRowBytes);
        }
    }
}

int isPictureName(const char* path) {
    return endsWith(path, ".ppm") || endsWith(path, ".png");
}

int writeImage(const char* path, const uint8_t* pixels, int width, int height, char* error,
               int errorSize) {
    ReplacementFile replacement;
    if (!openReplacement(path, &replacement)) {
        std::snprintf(error, errorSize, "cannot write %s: %s", path, errorText(errno));
        return 0;
    }
    errno = 0;
    const bool written = endsWith(path, ".png")
                             ? writePngFile(replacement.file, pixels, width, height)
                             : writePpm(replacement.file, pixels, width, height);
    if (!finishReplacement(&replacement, written)) {
        std::snprintf(error, errorSize, "cannot write %s%s%s", path, errno ? ": " : "",
                      errno ? errorText(errno) : "");
        return 0;
    }
    return 1;
}

int writePicture(const char* path, const uint8_t* picture, char* error, int errorSize) {
    return writeImage(path, picture, PictureSide, PictureSide, error, errorSize);
}
