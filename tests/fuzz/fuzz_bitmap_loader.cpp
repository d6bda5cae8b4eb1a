// fuzz_bitmap_loader.cpp -- libFuzzer target: any bytes read by the bitmap loader
//
// Each input is decoded from libFuzzer's exactly sized block, where AddressSanitizer catches a
// read past the end, and through readBitmapFile from a memory file, the mapping path. Both must
// agree, a failure must show exactly one message and a picture must be whole.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/message_box.h"
#include "ui/bitmap_loader.h"

namespace {

int messageCount = 0;

void check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_bitmap_loader: %s\n", what);
    std::abort();
}

// Checks one result; reads every pixel byte, so that a short block is caught.
RgbImage* checked(RgbImage* image) {
    check((image != nullptr) == (messageCount == 0), "not exactly one message per failure");
    messageCount = 0;
    if (!image) return image;
    check(image->width > 0 && image->height > 0 && image->pixels, "picture without pixels");
    volatile uint8_t sum = 0;
    for (size_t i = 0; i < size_t(image->width) * size_t(image->height) * 3; ++i)
        sum = sum + image->pixels[i];
    return image;
}

bool samePicture(const RgbImage* a, const RgbImage* b) {
    if (!a || !b) return a == b;
    return a->width == b->width && a->height == b->height &&
           std::memcmp(a->pixels, b->pixels, size_t(a->width) * size_t(a->height) * 3) == 0;
}

RgbImage* readThroughFile(const uint8_t* data, size_t size) {
    static const int file = memfd_create("bitmap", 0);
    char name[64];
    check(file >= 0, "no memory file");
    std::snprintf(name, sizeof name, "/proc/self/fd/%d", file);
    check(ftruncate(file, 0) == 0 && pwrite(file, data, size, 0) == ssize_t(size),
          "cannot fill the memory file");
    return readBitmapFile(name);
}

// The loader's one use of the platform's message boxes, counted instead of shown.
MessageAnswer countMessage(const char*, const char* caption, MessageIcon icon,
                           MessageButtons buttons) {
    check(std::strcmp(caption, "Error") == 0 && icon == IconNone && buttons == ButtonsOk,
          "message not in the loader's form");
    ++messageCount;
    return AnswerOk;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    showMessageBox = countMessage;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RgbImage* inMemory = checked(decodeBitmap(data, size));
    RgbImage* fromFile = checked(readThroughFile(data, size));
    // An empty file cannot be mapped, so only it may fail through the file alone.
    check(samePicture(inMemory, fromFile) || (size == 0 && !fromFile), "file and memory differ");
    freeRgbImage(inMemory);
    freeRgbImage(fromFile);
    return 0;
}
