// Picture loading as the game does it at a level start: a 640 × 480 JPEG from DATA.ONE through
// LoadImageFile, against a plain libjpeg decode of the same bytes from memory into an RGB buffer
// (what djpeg does); a packed 640 × 480 PIX; the lookup of the last of 64 archive entries.
#include <benchmark/benchmark.h>
#include <unistd.h>

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/archive_writer.h"
#include "archive/data_files.h"
#include "display/surface.h"
#include "image/image_loader.h"
#include "image/pix_format.h"
#include "platform/headless.h"

namespace {

constexpr int Width = 640, Height = 480;

// A picture with smooth shading and fine detail, like a level background.
std::vector<uint8_t> Scene() {
    std::vector<uint8_t> rgb(Width * Height * 3);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            uint8_t* p = &rgb[(y * Width + x) * 3];
            p[0] = static_cast<uint8_t>(128 + 100 * std::sin(x * 0.02) * std::cos(y * 0.03));
            p[1] = static_cast<uint8_t>((x * 7 + y * 3) % 256);
            p[2] = static_cast<uint8_t>((x ^ y) & 0xFF);
        }
    return rgb;
}

std::vector<uint8_t> EncodeJpeg(const std::vector<uint8_t>& rgb) {
    jpeg_compress_struct encoder;
    jpeg_error_mgr errors;
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&encoder, &out, &size);
    encoder.image_width = Width;
    encoder.image_height = Height;
    encoder.input_components = 3;
    encoder.in_color_space = JCS_RGB;
    jpeg_set_defaults(&encoder);
    jpeg_set_quality(&encoder, 85, TRUE);
    jpeg_start_compress(&encoder, TRUE);
    while (encoder.next_scanline < encoder.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(&rgb[encoder.next_scanline * Width * 3]);
        jpeg_write_scanlines(&encoder, &row, 1);
    }
    jpeg_finish_compress(&encoder);
    std::vector<uint8_t> bytes(out, out + size);
    jpeg_destroy_compress(&encoder);
    std::free(out);
    return bytes;
}

struct Data {
    std::vector<uint8_t> jpeg;
    std::filesystem::path dir;
    Surface* surface = nullptr;
    Data() {
        Headless::Reset();
        DirectDrawCreate(nullptr, &DisplayObject, nullptr);
        char pattern[] = "/tmp/trazo-picture-bench-XXXXXX";
        dir = mkdtemp(pattern);
        std::filesystem::current_path(dir);
        const std::vector<uint8_t> rgb = Scene();
        jpeg = EncodeJpeg(rgb);
        // 63 other entries before the picture, as in a full DATA.ONE.
        std::vector<ArchiveMember> members;
        for (int i = 0; i < 63; ++i)
            members.push_back({"OTHER" + std::to_string(i) + ".PIX", std::vector<uint8_t>(64, 1)});
        members.push_back({"FELD1.JPG", jpeg});
        std::string error;
        WriteArchiveFile("DATA.ONE", members, &error);
        // A packed PIX with the runs of a drawn picture: bands and blocks of one colour.
        std::vector<uint8_t> indices(Width * Height);
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                indices[y * Width + x] = static_cast<uint8_t>((x / 24 + y / 16 * 3) % 200);
        Palette palette{};
        FILE* file = std::fopen("SPIEL.PIX", "wb");
        WritePix(file, indices.data(), Width, Height, palette, true);
        std::fclose(file);
        NewSurface(Width, Height, DDSCAPS_OFFSCREENPLAIN, &surface);
    }
    ~Data() {
        surface->Release();
        DisplayObject->Release();
        std::filesystem::remove_all(dir);
    }
};

Data& Shared() {
    static Data data;
    return data;
}

void BM_LoadImageFileJpegFromDataOne(benchmark::State& state) {
    Data& data = Shared();
    for (auto _ : state) LoadImageFile("FELD1.JPG", &data.surface, nullptr);
}
BENCHMARK(BM_LoadImageFileJpegFromDataOne)->Unit(benchmark::kMillisecond);

void BM_PlainLibjpegFromMemory(benchmark::State& state) {
    Data& data = Shared();
    std::vector<uint8_t> rgb(Width * Height * 3);
    for (auto _ : state) {
        jpeg_decompress_struct decoder;
        jpeg_error_mgr errors;
        decoder.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&decoder);
        jpeg_mem_src(&decoder, data.jpeg.data(), data.jpeg.size());
        jpeg_read_header(&decoder, TRUE);
        jpeg_start_decompress(&decoder);
        while (decoder.output_scanline < decoder.output_height) {
            JSAMPROW row = &rgb[decoder.output_scanline * Width * 3];
            jpeg_read_scanlines(&decoder, &row, 1);
        }
        jpeg_finish_decompress(&decoder);
        jpeg_destroy_decompress(&decoder);
        benchmark::DoNotOptimize(rgb.data());
    }
}
BENCHMARK(BM_PlainLibjpegFromMemory)->Unit(benchmark::kMillisecond);

void BM_LoadImageFilePackedPix(benchmark::State& state) {
    Data& data = Shared();
    for (auto _ : state) LoadImageFile("SPIEL.PIX", &data.surface, nullptr);
}
BENCHMARK(BM_LoadImageFilePackedPix)->Unit(benchmark::kMillisecond);

void BM_OpenDataFileLastOf64(benchmark::State& state) {
    Shared();
    for (auto _ : state) {
        FILE* file = OpenDataFile("FELD1.JPG");
        benchmark::DoNotOptimize(file);
        std::fclose(file);
    }
}
BENCHMARK(BM_OpenDataFileLastOf64)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
