// The PIX reader on any bytes, and the run-length decoder on its own with an output size taken
// from the input: never a write past the output nor a read past the data.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "image/pix_format.h"

// Pictures of more than a million pixels are left to the tests: they only cost time here, and
// the fuzzer is better spent on many small inputs.
constexpr int64_t MaxFuzzPixels = 1 << 20;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A small screen: the screen-sized forms decode the same way, only quicker.
    ScreenWidth = 64;
    ScreenHeight = 48;
    if (size >= 9 && data[0] == 'P' && data[1] == 'I' && data[2] == 'X' &&
        int64_t{static_cast<int16_t>(data[5] | data[6] << 8)} *
                static_cast<int16_t>(data[7] | data[8] << 8) >
            MaxFuzzPixels)
        return 0;
    DecodedPicture picture;
    if (ReadPix(data, size, &picture) &&
        picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height)
        std::abort();
    if (size >= 1) {
        std::vector<uint8_t> out(data[0] * 4u);
        if (DecodeRuns(data + 1, size - 1, out.data(), out.size()) > out.size()) std::abort();
    }
    return 0;
}
