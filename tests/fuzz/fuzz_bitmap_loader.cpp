// fuzz_bitmap_loader.cpp -- libFuzzer target: any bytes read by the bitmap loader
//
// Each input is decoded from libFuzzer's exactly sized block, where AddressSanitizer catches a
// read past the end. A failure must show exactly one message and a picture must be whole.
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

// The loader's one use of the platform's message boxes, counted instead of shown.
MessageAnswer countMessage(const char*, const char* caption, MessageIcon icon,
                           MessageButtons buttons) {
    check(std::strcmp(caption, "Error") == 0 && icon == IconNone && buttons == ButtonsOk,
          "message not in the loader's form");
    ++messageCount;
    return AnswerOk;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    showMessageBox = countMessage;
    messageCount = 0;
    RgbImage* image = decodeBitmap(data, size);
    check((image != nullptr) == (messageCount == 0), "not exactly one message per failure");
    if (!image) return 0;
    check(image->width > 0 && image->height > 0, "picture without pixels");
    volatile uint8_t sum = 0; // every pixel byte read, so that a short block is caught
    for (size_t i = 0; i < size_t(image->width) * size_t(image->height) * 3; ++i)
        sum = sum + image->pixels[i];
    freeRgbImage(image);
    return 0;
}
