// png_file.cpp -- PNG files through the Windows Imaging Component
//
// The encoder writes into a stream in memory, whose bytes then go to the caller's file at the
// end: the file is opened the same way for PNG as for PPM. The rows come a few at a time, so only
// the compressed image is held whole.
#include "platform/png_file.h"

#include <windows.h>

#include <objbase.h>
#include <wincodec.h>

#include <cstdlib>
#include <new>

namespace {

template <typename T> void release(T*& object) {
    if (object) object->Release();
    object = nullptr;
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

// Windows XP before Service Pack 3 came without the Windows Imaging Component: its factory is
// not registered there. Whatever keeps the factory from starting, there is no encoder to use.
const char* pngUnavailable() {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    const HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_PPV_ARGS(&factory));
    release(factory);
    if (SUCCEEDED(com)) CoUninitialize();
    return FAILED(result) ? "this Windows has no working PNG encoder (the Windows Imaging "
                            "Component, part of Windows since XP Service Pack 3); write a .ppm "
                            "file instead"
                          : nullptr;
}

struct PngStream {
    FILE* file;
    int width;
    HRESULT com, result;
    IStream* stream;
    IWICImagingFactory* factory;
    IWICBitmapEncoder* encoder;
    IWICBitmapFrameEncode* frame;
};

PngStream* startPng(FILE* file, int width, int height) {
    PngStream* png = new (std::nothrow)
        PngStream{file, width, E_FAIL, E_FAIL, nullptr, nullptr, nullptr, nullptr};
    if (!png) return nullptr;
    png->com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HRESULT& result = png->result;
    result = CreateStreamOnHGlobal(nullptr, TRUE, &png->stream);
    if (SUCCEEDED(result))
        result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&png->factory));
    if (SUCCEEDED(result))
        result = png->factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &png->encoder);
    if (SUCCEEDED(result)) result = png->encoder->Initialize(png->stream, WICBitmapEncoderNoCache);
    if (SUCCEEDED(result)) result = png->encoder->CreateNewFrame(&png->frame, nullptr);
    if (SUCCEEDED(result)) result = png->frame->Initialize(nullptr);
    if (SUCCEEDED(result)) result = png->frame->SetSize(UINT(width), UINT(height));
    // The encoder takes blue, green, red: asked for red, green, blue it quietly changes the
    // format and refuses the pixels.
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (SUCCEEDED(result)) result = png->frame->SetPixelFormat(&format);
    if (SUCCEEDED(result) && !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) result = E_FAIL;
    if (FAILED(result)) {
        endPng(png, 0);
        return nullptr;
    }
    return png;
}

int writePngRows(PngStream* png, const uint8_t* rows, int count) {
    const size_t bytes = size_t(png->width) * size_t(count) * 3;
    uint8_t* bgr = static_cast<uint8_t*>(std::malloc(bytes));
    if (!bgr) png->result = E_OUTOFMEMORY;
    if (FAILED(png->result)) return 0;
    for (size_t i = 0; i < bytes; i += 3) {
        bgr[i] = rows[i + 2];
        bgr[i + 1] = rows[i + 1];
        bgr[i + 2] = rows[i];
    }
    const UINT stride = UINT(png->width) * 3;
    png->result = png->frame->WritePixels(UINT(count), stride, UINT(bytes), bgr);
    std::free(bgr);
    return SUCCEEDED(png->result);
}

int endPng(PngStream* png, int complete) {
    HRESULT& result = png->result;
    if (complete && SUCCEEDED(result)) result = png->frame->Commit();
    if (complete && SUCCEEDED(result)) result = png->encoder->Commit();
    const bool written = complete && SUCCEEDED(result) && copyStreamToFile(png->stream, png->file);
    release(png->frame);
    release(png->encoder);
    release(png->factory);
    release(png->stream);
    if (SUCCEEDED(png->com)) CoUninitialize();
    delete png;
    return written;
}
