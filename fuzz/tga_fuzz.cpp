// The picture reader ReadTga on any bytes: refused or decoded, never outside its data or buffers.
#include <cstdint>
#include <cstdlib>

#include "image/picture_readers.h"

// Pictures of more than a million pixels are left to the tests: they only cost time here, and
// the fuzzer is better spent on many small inputs.
constexpr int64_t MaxFuzzPixels = 1 << 20;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size >= 16 &&
        int64_t{data[12] | data[13] << 8} * (data[14] | data[15] << 8) > MaxFuzzPixels)
        return 0;
    DecodedPicture picture;
    if (ReadTga(data, size, &picture) &&
        picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height)
        std::abort();
    return 0;
}
