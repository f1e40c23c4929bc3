#include "image/screen_dump.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "image/pix_format.h"
#include "platform/files.h"

HRESULT GrabSurface(Surface* surface, uint16_t* buffer, int32_t width, int32_t height) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    const HRESULT result = surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
    if (result != DD_OK) return result;
    // A surface smaller than asked for gives what it has.
    const auto rows = std::min<int64_t>(height, desc.dwHeight);
    const auto columns = std::min<int64_t>(width, desc.dwWidth);
    const auto* bits = static_cast<const uint8_t*>(desc.lpSurface);
    for (int64_t y = 0; y < rows; ++y)
        std::memcpy(buffer + y * width, bits + y * desc.lPitch, static_cast<size_t>(columns) * 2);
    return surface->Unlock(nullptr);
}

int WriteScreenDump(const char* name, Surface* source, const Palette* palette) {
    if (name == nullptr || std::strlen(name) >= DumpNameBuffer || source == nullptr) return 1;
    if (ScreenWidth <= 0 || ScreenHeight <= 0) return 1;
    const size_t count = static_cast<size_t>(ScreenWidth) * static_cast<size_t>(ScreenHeight);
    // Cleared, so that a refused lock writes a black picture rather than stale memory.
    std::vector<uint16_t> grab(count + static_cast<size_t>(ScreenWidth), 0);
    GrabSurface(source, grab.data(), ScreenWidth, ScreenHeight);

    char upper[DumpNameBuffer];
    std::strcpy(upper, name);
    for (char* c = upper; *c != '\0'; ++c)
        if (*c >= 'a' && *c <= 'z') *c = static_cast<char>(*c - 'a' + 'A');
    FILE* file = OpenGameFile(upper, "wb");
    if (file == nullptr) return 1;

    const bool pcx = std::strstr(upper, ".PCX") != nullptr;
    const bool bmp = !pcx && std::strstr(upper, ".BMP") != nullptr;
    const bool pix = !pcx && !bmp && std::strstr(upper, ".PIX") != nullptr;
    if (bmp) {
        WriteBmp(file, grab.data());
    } else if (pcx || pix) {
        const Palette used = palette != nullptr ? *palette : ColourCubePalette();
        std::vector<uint8_t> indices(count);
        ReduceToPalette(grab.data(), count, used, indices.data());
        if (pcx)
            WritePcx(file, indices.data(), used);
        else
            WritePix(file, indices.data(), ScreenWidth, ScreenHeight, used);
    } else {
        // The pixels as they are in memory, little-endian.
        std::vector<uint8_t> raw(count * 2);
        for (size_t i = 0; i < count; ++i) {
            raw[2 * i] = static_cast<uint8_t>(grab[i]);
            raw[2 * i + 1] = static_cast<uint8_t>(grab[i] >> 8);
        }
        std::fwrite(raw.data(), 1, raw.size(), file);
    }
    std::fclose(file);
    return 1;
}
