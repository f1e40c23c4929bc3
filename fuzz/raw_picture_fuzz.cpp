// The raw picture reader on any bytes: refused or decoded, never outside its data or buffers.
#include <cstdint>
#include <cstdlib>

#include "image/picture_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A small screen: the screen-sized forms decode the same way, only quicker.
    ScreenWidth = 64;
    ScreenHeight = 48;
    DecodedPicture picture;
    if (ReadRawPicture(data, size, &picture) &&
        picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height)
        std::abort();
    return 0;
}
