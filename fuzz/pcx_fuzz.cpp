// The picture reader ReadPcx on any bytes: refused or decoded, never outside its data or buffers.
#include <cstdint>
#include <cstdlib>

#include "image/picture_readers.h"

// Pictures of more than a million pixels are left to the tests: they only cost time here, and
// the fuzzer is better spent on many small inputs.
constexpr int64_t MaxFuzzPixels = 1 << 20;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size >= 68) {
        auto field = [data](int at) {
            return int64_t{static_cast<int16_t>(data[at] | data[at + 1] << 8)};
        };
        const int64_t width = field(8) - field(4) + 1, height = field(10) - field(6) + 1;
        if (std::abs(width * height) > MaxFuzzPixels ||
            std::abs(height * field(66)) > MaxFuzzPixels)
            return 0;
    }
    DecodedPicture picture;
    if (ReadPcx(data, size, &picture) &&
        picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height)
        std::abort();
    return 0;
}
