// fuzz_bitmap_loader.cpp -- libFuzzer target: any bytes read by the bitmap loader
//
// Each input is decoded twice: from libFuzzer's exactly sized block, where AddressSanitizer
// catches any read past the end, and through readBitmapFile from a memory file, which takes the
// mapping path. Both must agree, a failure must show exactly one message and a picture must be
// whole.
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

// Reads every pixel byte, so that a block shorter than width x height x 3 is caught.
unsigned pictureSum(const RgbImage* image) {
    check(image->width > 0 && image->height > 0 && image->pixels, "picture without pixels");
    const size_t bytes = size_t(image->width) * size_t(image->height) * 3;
    unsigned sum = 0;
    for (size_t i = 0; i < bytes; ++i) sum = sum * 31 + image->pixels[i];
    return sum;
}

bool samePicture(const RgbImage* a, const RgbImage* b) {
    if (!a || !b) return a == b;
    return a->width == b->width && a->height == b->height &&
           std::memcmp(a->pixels, b->pixels, size_t(a->width) * size_t(a->height) * 3) == 0;
}

// The memory file and the name under which readBitmapFile opens it.
int memoryFile = -1;
char memoryFileName[64];

RgbImage* readThroughFile(const uint8_t* data, size_t size) {
    if (memoryFile < 0) {
        memoryFile = memfd_create("bitmap", 0);
        check(memoryFile >= 0, "no memory file");
        std::snprintf(memoryFileName, sizeof memoryFileName, "/proc/self/fd/%d", memoryFile);
    }
    check(ftruncate(memoryFile, 0) == 0, "cannot empty the memory file");
    check(pwrite(memoryFile, data, size, 0) == ssize_t(size), "cannot fill the memory file");
    return readBitmapFile(memoryFileName);
}

} // namespace

// The loader's one use of the platform's message boxes, counted instead of shown.
MessageAnswer showMessageBox(const char*, const char* caption, MessageIcon icon,
                             MessageButtons buttons) {
    check(std::strcmp(caption, "Error") == 0 && icon == IconNone && buttons == ButtonsOk,
          "message not in the loader's form");
    ++messageCount;
    return AnswerOk;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    messageCount = 0;
    RgbImage* inMemory = decodeBitmap(data, size);
    check((inMemory != nullptr) == (messageCount == 0), "not exactly one message per failure");
    if (inMemory) pictureSum(inMemory);

    messageCount = 0;
    RgbImage* fromFile = readThroughFile(data, size);
    check((fromFile != nullptr) == (messageCount == 0), "not exactly one message per failure");
    // An empty file cannot be mapped, so only it may fail through the file alone.
    check(samePicture(inMemory, fromFile) || (size == 0 && !fromFile), "file and memory differ");

    freeRgbImage(inMemory);
    freeRgbImage(fromFile);
    return 0;
}
