// The PIX reader on any bytes, and the run-length decoder on its own with an output size taken
// from the input: never a write past the output nor a read past the data.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "image/pix_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
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
