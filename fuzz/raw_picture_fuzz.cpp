// The picture reader ReadRawPicture on any bytes: refused or decoded, never outside its data or buffers.
#include <cstdint>
#include <cstdlib>

#include "image/picture_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedPicture picture;
    if (ReadRawPicture(data, size, &picture) &&
        picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height)
        std::abort();
    return 0;
}
