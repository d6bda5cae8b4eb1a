// png_file.cpp -- PNG files through the Windows Imaging Component
//
// The encoder writes into a stream in memory, whose bytes then go to the caller's file: the file
// is opened the same way for PNG as for PPM.
#include "platform/png_file.h"

#include <windows.h>

#include <objbase.h>
#include <wincodec.h>

#include <cstdlib>

namespace {

template <typename T> void release(T*& object) {
    if (object) object->Release();
    object = nullptr;
}

// The encoder takes blue, green, red: asked for red, green, blue it quietly changes the format
// and refuses the pixels.
uint8_t* bgrRows(const uint8_t* pixels, int width, int height) {
    const size_t bytes = size_t(width) * size_t(height) * 3;
    uint8_t* bgr = static_cast<uint8_t*>(std::malloc(bytes));
    if (!bgr) return nullptr;
    for (size_t i = 0; i < bytes; i += 3) {
        bgr[i] = pixels[i + 2];
        bgr[i + 1] = pixels[i + 1];
        bgr[i + 2] = pixels[i];
    }
    return bgr;
}

HRESULT encode(IStream* stream, const uint8_t* bgr, int width, int height) {
    IWICImagingFactory* factory = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_PPV_ARGS(&factory));
    if (SUCCEEDED(result))
        result = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder);
    if (SUCCEEDED(result)) result = encoder->Initialize(stream, WICBitmapEncoderNoCache);
    if (SUCCEEDED(result)) result = encoder->CreateNewFrame(&frame, nullptr);
    if (SUCCEEDED(result)) result = frame->Initialize(nullptr);
    if (SUCCEEDED(result)) result = frame->SetSize(UINT(width), UINT(height));
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (SUCCEEDED(result)) result = frame->SetPixelFormat(&format);
    if (SUCCEEDED(result) && !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) result = E_FAIL;
    const UINT stride = UINT(width) * 3;
    if (SUCCEEDED(result))
        result =
            frame->WritePixels(UINT(height), stride, stride * UINT(height), const_cast<BYTE*>(bgr));
    if (SUCCEEDED(result)) result = frame->Commit();
    if (SUCCEEDED(result)) result = encoder->Commit();
    release(frame);
    release(encoder);
    release(factory);
    return result;
}

bool copyStreamToFile(IStream* stream, FILE* file) {
    HGLOBAL memory = nullptr;
    STATSTG status;
    if (FAILED(GetHGlobalFromStream(stream, &memory)) ||
        FAILED(stream->Stat(&status, STATFLAG_NONAME)))
        return false;
    const size_t size = size_t(status.cbSize.QuadPart);
    const void* bytes = GlobalLock(memory);
    if (!bytes) return false;
    const bool written = std::fwrite(bytes, 1, size, file) == size;
    GlobalUnlock(memory);
    return written;
}

} // namespace

int writePngFile(FILE* file, const uint8_t* pixels, int width, int height) {
    uint8_t* bgr = bgrRows(pixels, width, height);
    if (!bgr) return 0;
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IStream* stream = nullptr;
    bool written = false;
    if (SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
        SUCCEEDED(encode(stream, bgr, width, height)))
        written = copyStreamToFile(stream, file);
    release(stream);
    if (SUCCEEDED(com)) CoUninitialize();
    std::free(bgr);
    return written;
}
