// The picture reader ReadBmp on any bytes: refused or decoded, never outside its data or buffers.
#include <cstdint>
#include <cstdlib>

#include "image/picture_readers.h"

// Pictures of more than a million pixels are left to the tests: they only cost time here, and
// the fuzzer is better spent on many small inputs.
constexpr int64_t MaxFuzzPixels = 1 << 20;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size >= 26) {
        const auto width = static_cast<int32_t>(data[18] | data[19] << 8 | data[20] << 16 |
                                                static_cast<uint32_t>(data[21]) << 24);
        const auto height = static_cast<int32_t>(data[22] | data[23] << 8 | data[24] << 16 |
                                                 static_cast<uint32_t>(data[25]) << 24);
        if (std::abs(int64_t{width} * height) > MaxFuzzPixels) return 0;
    }
    DecodedPicture picture;
    if (ReadBmp(data, size, &picture) &&
        picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height)
        std::abort();
    return 0;
}
