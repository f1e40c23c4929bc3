#include "image/jpeg_reader.h"

// clang-format off
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <cstdlib>

#include "archive/data_files.h"
#include "image/decoded_picture.h"

namespace {

// libjpeg's standard error exit ends the program; this one jumps back into LoadJpegFile, which
// releases everything. Only plain data lives in the frames it jumps over.
struct ErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf back;
};

jpeg_decompress_struct Decoder;
ErrorManager Errors;
bool DecoderCreated = false;
constexpr long MaxJpegMemory = 512L << 20;
// The one-row sample buffer. It is allocated here rather than from libjpeg's pool or as a fixed
// global array: measured, both of those read back markedly slower, which made the conversion of a
// level picture cost nearly as much as its decoding. Released with the decoder.
JSAMPLE* JpegRow = nullptr;
FILE* JpegFile = nullptr;
// What LoadJpegFile must undo when the decoder fails half way; globals, since locals modified
// after setjmp are not reliable after the jump.
Surface* CreatedSurface = nullptr;
Surface* LockedSurface = nullptr;

[[noreturn]] void ReturnToLoader(j_common_ptr) { std::longjmp(Errors.back, 1); }

// Warnings only count: a slightly damaged picture still shows, and nothing is printed.
void KeepQuiet(j_common_ptr) {}

void ReleaseDecoder() {
    std::free(JpegRow);
    JpegRow = nullptr;
    if (DecoderCreated) jpeg_destroy_decompress(&Decoder);
    DecoderCreated = false;
    if (JpegFile != nullptr) std::fclose(JpegFile);
    JpegFile = nullptr;
}

}  // namespace

int ReadJpegSize(FILE* file, int32_t* width, int32_t* height) {
    Decoder.err = jpeg_std_error(&Errors.standard);
    Errors.standard.error_exit = ReturnToLoader;
    Errors.standard.output_message = KeepQuiet;
    jpeg_create_decompress(&Decoder);
    DecoderCreated = true;
    JpegFile = file;
    if (file == nullptr) return -1;
    jpeg_stdio_src(&Decoder, file);
    jpeg_read_header(&Decoder, TRUE);
    *width = static_cast<int32_t>(Decoder.image_width);
    *height = static_cast<int32_t>(Decoder.image_height);
    // Only colour and grey pictures become pixels, and a size no game picture has is refused
    // before the decoder sets up buffers for it.
    const J_COLOR_SPACE space = Decoder.jpeg_color_space;
    if ((space != JCS_GRAYSCALE && space != JCS_YCbCr && space != JCS_RGB) ||
        *width > MaxPictureSide || *height > MaxPictureSide)
        return -2;
    // A progressive picture keeps all its coefficients in memory; a bound keeps a hostile one
    // from taking more than any real picture of the allowed size needs.
    Decoder.mem->max_memory_to_use = MaxJpegMemory;
    jpeg_start_decompress(&Decoder);
    return Decoder.output_components == 1 || Decoder.output_components == 3 ? 0 : -2;
}

namespace {

// MakeColour16, with the layout chosen once a row rather than once a pixel, and loops simple
// enough for the compiler to vectorise: the conversion otherwise costs as much as the decoding.
template <int GreenShift, int RedShift, int Step>
void ConvertRow(uint16_t* __restrict out, const uint8_t* __restrict row, int32_t width) {
    for (int32_t x = 0; x < width; ++x) {
        const int red = row[Step * x];
        const int green = row[Step * x + (Step == 3 ? 1 : 0)];
        const int blue = row[Step * x + (Step == 3 ? 2 : 0)];
        out[x] =
            static_cast<uint16_t>((red >> 3) << RedShift | (green >> GreenShift) << 5 | blue >> 3);
    }
}

uint16_t* RowAt(uint8_t* pixels, int32_t y, LONG pitch) {
    return reinterpret_cast<uint16_t*>(pixels + static_cast<intptr_t>(y) * pitch);
}

}  // namespace

void ConvertRgbRow(uint8_t* pixels, const uint8_t* row, int32_t y, LONG pitch, int32_t width) {
    if (GreenBits == 6)
        ConvertRow<2, 11, 3>(RowAt(pixels, y, pitch), row, width);
    else
        ConvertRow<3, 10, 3>(RowAt(pixels, y, pitch), row, width);
}

void ConvertGreyRow(uint8_t* pixels, const uint8_t* row, int32_t y, LONG pitch, int32_t width) {
    if (GreenBits == 6)
        ConvertRow<2, 11, 1>(RowAt(pixels, y, pitch), row, width);
    else
        ConvertRow<3, 10, 1>(RowAt(pixels, y, pitch), row, width);
}

long DecodeJpeg(uint8_t* pixels, LONG pitch, int32_t surfaceWidth, int32_t surfaceHeight) {
    JpegRow = static_cast<JSAMPLE*>(
        std::malloc(std::size_t{Decoder.output_width} * Decoder.output_components));
    if (JpegRow == nullptr) ReturnToLoader(nullptr);
    JSAMPROW buffer[1] = {JpegRow};
    const int32_t width = std::min(static_cast<int32_t>(Decoder.output_width), surfaceWidth);
    while (Decoder.output_scanline < Decoder.output_height) {
        jpeg_read_scanlines(&Decoder, buffer, 1);
        const auto y = static_cast<int32_t>(Decoder.output_scanline) - 1;
        if (y >= surfaceHeight) continue;  // below a smaller surface's last row
        if (Decoder.output_components == 1)
            ConvertGreyRow(pixels, buffer[0], y, pitch, width);
        else
            ConvertRgbRow(pixels, buffer[0], y, pitch, width);
    }
    jpeg_finish_decompress(&Decoder);
    const long warnings = Errors.standard.num_warnings;
    ReleaseDecoder();
    return warnings;
}

HRESULT LoadJpegFile(FILE* file, Surface** surface) {
    CreatedSurface = nullptr;
    LockedSurface = nullptr;
    if (setjmp(Errors.back) != 0) {
        // The decoder gave up: nothing of the load stays behind.
        if (LockedSurface != nullptr) LockedSurface->Unlock(nullptr);
        if (CreatedSurface != nullptr) {
            CreatedSurface->Release();
            *surface = nullptr;
        }
        CreatedSurface = LockedSurface = nullptr;
        ReleaseDecoder();
        return DDERR_GENERIC;
    }
    int32_t width = 0, height = 0;
    const int started = ReadJpegSize(file, &width, &height);
    if (started != 0) {
        ReleaseDecoder();
        return started == -1 ? DDERR_NOTFOUND : DDERR_UNSUPPORTED;
    }
    if (*surface == nullptr) {
        HRESULT result = NewSurface(width, height, DDSCAPS_OFFSCREENPLAIN, surface);
        if (result != DD_OK) result = NewSurface(width, height, DDSCAPS_SYSTEMMEMORY, surface);
        if (result != DD_OK) {
            *surface = nullptr;
            ReleaseDecoder();
            return result;
        }
        CreatedSurface = *surface;
    }
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    const HRESULT locked = (*surface)->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
    if (locked != DD_OK) {
        ReleaseDecoder();
        return locked;
    }
    LockedSurface = *surface;
    DecodeJpeg(static_cast<uint8_t*>(desc.lpSurface), desc.lPitch,
               static_cast<int32_t>(desc.dwWidth), static_cast<int32_t>(desc.dwHeight));
    LockedSurface = CreatedSurface = nullptr;
    return (*surface)->Unlock(nullptr);
}

HRESULT LoadJpeg(const char* name, Surface** surface) {
    return LoadJpegFile(OpenDataFile(name), surface);
}
