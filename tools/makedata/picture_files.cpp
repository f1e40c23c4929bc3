#include "picture_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "image/decoded_picture.h"
#include "image/pix_format.h"
#include "jpeg_encoder.h"
#include "quantiser.h"

std::vector<uint8_t> EncodePixFile(const Image& image, bool dither) {
    const IndexedPicture indexed = Quantise(image, dither);
    Palette palette;
    std::memcpy(palette.Bytes, indexed.palette, sizeof palette.Bytes);
    // The game's own writer, into memory.
    char* buffer = nullptr;
    size_t size = 0;
    FILE* memory = open_memstream(&buffer, &size);
    if (memory == nullptr) throw std::runtime_error("no memory stream");
    const bool written =
        WritePix(memory, indexed.indices.data(), indexed.width, indexed.height, palette, true);
    std::fclose(memory);
    std::vector<uint8_t> bytes(reinterpret_cast<uint8_t*>(buffer),
                               reinterpret_cast<uint8_t*>(buffer) + size);
    std::free(buffer);
    if (!written) throw std::runtime_error("PIX writer refused the picture");
    return bytes;
}

bool DecodeTo16(const DataFile& file, int* width, int* height, std::vector<uint16_t>* pixels) {
    if (file.name.size() > 4 && file.name.compare(file.name.size() - 4, 4, ".PIX") == 0) {
        GreenBits = 6;
        DecodedPicture picture;
        if (!ReadPix(file.bytes.data(), file.bytes.size(), &picture)) return false;
        *width = picture.width;
        *height = picture.height;
        *pixels = picture.pixels;
        return true;
    }
    std::vector<uint8_t> rgb;
    if (!DecodeJpeg(file.bytes, width, height, &rgb)) return false;
    pixels->resize(static_cast<size_t>(*width) * *height);
    for (size_t i = 0; i < pixels->size(); ++i)
        (*pixels)[i] = static_cast<uint16_t>((rgb[3 * i] >> 3) << 11 | (rgb[3 * i + 1] >> 2) << 5 |
                                             rgb[3 * i + 2] >> 3);
    return true;
}

std::vector<uint8_t> Rgb8From565(const std::vector<uint16_t>& pixels) {
    std::vector<uint8_t> rgb(pixels.size() * 3);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const int r = pixels[i] >> 11, g = (pixels[i] >> 5) & 63, b = pixels[i] & 31;
        rgb[3 * i] = static_cast<uint8_t>(r << 3 | r >> 2);
        rgb[3 * i + 1] = static_cast<uint8_t>(g << 2 | g >> 4);
        rgb[3 * i + 2] = static_cast<uint8_t>(b << 3 | b >> 2);
    }
    return rgb;
}

bool WritePreview(const DataFile& file, const std::string& folder, std::string* problem) {
    int width = 0, height = 0;
    std::vector<uint16_t> pixels;
    if (!DecodeTo16(file, &width, &height, &pixels)) {
        *problem = file.name + " does not decode";
        return false;
    }
    const std::vector<uint8_t> rgb = Rgb8From565(pixels);
    const std::string path = folder + "/" + file.name + ".ppm";
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        *problem = "cannot write " + path;
        return false;
    }
    std::fprintf(out, "P6\n%d %d\n255\n", width, height);
    const bool ok = std::fwrite(rgb.data(), 1, rgb.size(), out) == rgb.size();
    return std::fclose(out) == 0 && ok;
}
