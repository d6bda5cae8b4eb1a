// fuzz_bitmap_loader.cpp -- libFuzzer target: any bytes read by the bitmap loader from an exactly
// sized block, where AddressSanitizer catches a read past its end; a failure shows exactly one
// message and a picture is whole (every byte of it is read)
#include <cstdlib>

#include "platform/message_box.h"
#include "ui/bitmap_loader.h"

static int messages = 0;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    showMessageBox = [](const char*, const char*, MessageIcon, MessageButtons) {
        return ++messages, AnswerOk;
    };
    messages = 0;
    RgbImage* image = decodeBitmap(data, size);
    if ((image != nullptr) == (messages != 0)) std::abort();
    volatile uint8_t sum = 0;
    for (size_t i = 0; image && i < size_t(image->width) * size_t(image->height) * 3; ++i)
        sum = sum + image->pixels[i];
    freeRgbImage(image);
    return 0;
}
