// JPEG decoding into a surface from any bytes: the decoder's errors come back to the loader,
// which leaves a null surface pointer null and releases everything.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "display/surface.h"
#include "image/jpeg_reader.h"
#include "platform/headless.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = [] {
        Headless::Reset();
        return DirectDrawCreate(nullptr, &DisplayObject, nullptr) == DD_OK;
    }();
    if (!ready || size == 0) return 0;
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (file == nullptr) return 0;
    Surface* surface = nullptr;
    const HRESULT result = LoadJpegFile(file, &surface);
    if (result != DD_OK && surface != nullptr) std::abort();
    if (surface != nullptr) surface->Release();
    return 0;
}
