#include "image/image_loader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "archive/data_files.h"
#include "image/decoded_picture.h"
#include "image/jpeg_reader.h"
#include "image/picture_readers.h"
#include "image/pix_format.h"

namespace {

using Reader = bool (*)(const uint8_t*, size_t, DecodedPicture*);

// Tested in this order, so that the order decides for a name that contains several. ".GIF" has
// no reader: such a picture is not loaded.
const struct {
    const char* text;
    Reader reader;
} Readers[] = {
    {".TGA", ReadTga},        {".PI1", ReadPi1}, {".BMP", ReadBmp}, {".PCX", ReadPcx},
    {".PIC", ReadRawPicture}, {".GIF", nullptr}, {".PIX", ReadPix},
};

// No picture file of an allowed size comes near this; more is not read into memory.
constexpr uint32_t MaxPictureFile = 256u << 20;

Reader ChooseReader(const char* name) {
    for (const auto& entry : Readers)
        if (std::strstr(name, entry.text) != nullptr) return entry.reader;
    return nullptr;
}

// Copies the picture into the surface's top-left corner, as far as the surface reaches.
void CopyToSurface(const DecodedPicture& picture, Surface* surface) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) return;
    const auto rows = std::min<int64_t>(picture.height, desc.dwHeight);
    const auto columns = std::min<int64_t>(picture.width, desc.dwWidth);
    auto* bits = static_cast<uint8_t*>(desc.lpSurface);
    for (int64_t y = 0; y < rows; ++y)
        std::memcpy(bits + y * desc.lPitch, picture.pixels.data() + y * picture.width,
                    static_cast<size_t>(columns) * 2);
    surface->Unlock(nullptr);
}

}  // namespace

uint8_t LoadImageFile(const char* name, Surface** surface, Palette* palette) {
    if (name == nullptr || std::strlen(name) >= ImageNameBuffer) return ImageNotLoaded;
    char upper[ImageNameBuffer];
    std::strcpy(upper, name);
    for (char* c = upper; *c != '\0'; ++c)
        if (*c >= 'a' && *c <= 'z') *c = static_cast<char>(*c - 'a' + 'A');

    if (std::strstr(upper, ".JPG") != nullptr) {
        LoadJpeg(upper, surface);
        return ImageLoaded;
    }

    FILE* file = OpenDataFile(upper);
    if (file == nullptr) return ImageNotLoaded;
    const Reader reader = ChooseReader(upper);
    if (reader == nullptr || EntrySize > MaxPictureFile) {
        std::fclose(file);
        return ImageNotLoaded;
    }
    std::vector<uint8_t> data(EntrySize);
    data.resize(std::fread(data.data(), 1, data.size(), file));  // a short file reads short
    std::fclose(file);

    DecodedPicture picture;
    if (!reader(data.data(), data.size(), &picture)) return ImageNotLoaded;
    if (*surface == nullptr) {
        // Whatever its size, the picture goes into system memory.
        if (NewSurface(picture.width, picture.height, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY,
                       surface) != DD_OK) {
            *surface = nullptr;
            return ImageNoSurface;
        }
    }
    if (palette != nullptr) *palette = picture.palette;
    CopyToSurface(picture, *surface);
    return ImageLoaded;
}
