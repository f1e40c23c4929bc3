// Shared set-up of the picture tests: a fresh temporary directory as the current directory, a
// DirectDraw object for surfaces, files written from bytes, outside tools run into the directory,
// and surfaces read back.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "display/surface.h"
#include "platform/headless.h"
#include "support/temp_folder.h"

namespace picture_test {

namespace fs = std::filesystem;

inline void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool HaveTool(const char* tool) {
    return std::system((std::string("command -v ") + tool + " > /dev/null 2>&1").c_str()) == 0;
}

// Runs a shell command in the current directory; true when it succeeded.
inline bool Shell(const std::string& command) {
    return std::system((command + " > /dev/null 2>&1").c_str()) == 0;
}

// The 8-bit red, green, blue of every pixel as ImageMagick decodes the file.
inline std::vector<uint8_t> ToolRgb(const std::string& file) {
    const std::string out = file + ".rgb";
    if (!Shell("convert " + file + " -depth 8 rgb:" + out)) return {};
    return ReadBytes(out);
}

// Every pixel of the surface's top-left width × height, row after row.
inline std::vector<uint16_t> SurfacePixels(Surface* surface, int32_t width, int32_t height) {
    std::vector<uint16_t> pixels;
    uint8_t* bits = nullptr;
    LONG pitch = 0;
    if (LockSurface(surface, &bits, &pitch) != DD_OK) return pixels;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            pixels.push_back(reinterpret_cast<uint16_t*>(bits + y * pitch)[x]);
    UnlockSurface(surface);
    return pixels;
}

inline DWORD SurfaceWidth(Surface* surface) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
    surface->Unlock(nullptr);
    return desc.dwWidth;
}

inline DWORD SurfaceHeight(Surface* surface) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
    surface->Unlock(nullptr);
    return desc.dwHeight;
}

// The 16-bit pixels the display should hold for 8-bit RGB triples.
inline std::vector<uint16_t> Expected16(const std::vector<uint8_t>& rgb) {
    std::vector<uint16_t> pixels;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        pixels.push_back(MakeColour16(rgb[i], rgb[i + 1], rgb[i + 2]));
    return pixels;
}

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        Headless::Reset();
        GreenBits = 6;
        ScreenWidth = 640;
        ScreenHeight = 480;
        ASSERT_EQ(DirectDrawCreate(nullptr, &DisplayObject, nullptr), DD_OK);
    }
    void TearDown() override {
        for (Surface*& surface : surfaces_)
            if (surface != nullptr) surface->Release();
        if (DisplayObject != nullptr) DisplayObject->Release();
        DisplayObject = nullptr;
        GreenBits = 6;
        ScreenWidth = 640;
        ScreenHeight = 480;
    }
    // A surface pointer that is released at the end of the test.
    Surface*& Slot() {
        surfaces_.push_back(nullptr);
        return surfaces_.back();
    }
    TempFolder folder_{"pictures"};   // the current folder while the test runs
    std::vector<Surface*> surfaces_;  // reserve keeps the references valid
public:
    PictureTest() { surfaces_.reserve(32); }
};

}  // namespace picture_test
