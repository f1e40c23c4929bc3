// The loader's name rules and its surface handling, with small PIX pictures.
#include "image/image_loader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "image/pix_format.h"
#include "picture_test_support.h"

namespace {

using namespace picture_test;

class ImageLoaderTest : public PictureTest {
protected:
    // A PIX picture of the given size whose pixel i has index i % 256, with a grey ramp palette.
    void MakePix(const char* name, int width, int height) {
        std::vector<uint8_t> indices(static_cast<size_t>(width * height));
        for (size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<uint8_t>(i);
        for (int i = 0; i < 256; ++i)
            palette_.Bytes[3 * i] = palette_.Bytes[3 * i + 1] = palette_.Bytes[3 * i + 2] =
                static_cast<uint8_t>(i / 4);
        FILE* file = std::fopen(name, "wb");
        ASSERT_NE(file, nullptr);
        ASSERT_TRUE(WritePix(file, indices.data(), width, height, palette_));
        std::fclose(file);
    }
    uint16_t Pixel(int index) { return PaletteColour16(index, palette_); }
    Palette palette_{};
};

TEST_F(ImageLoaderTest, ExtensionIsFoundAnywhereInTheUpperCaseName) {
    // The same PIX bytes under names that choose other readers or none.
    const struct {
        const char* name;
        uint8_t status;
        bool surface;
    } cases[] = {
        {"plain.pix", ImageLoaded, true},
        {"A.GIF.PIX", ImageNotLoaded, false},  // ".GIF" is tested first: nothing decoded
        {"B.JPG.PIX", ImageLoaded, false},     // a JPEG name, and no JPEG inside
        {"C.BMP.PIX", ImageNotLoaded, false},  // the BMP reader refuses these bytes
        {"D.XYZ", ImageNotLoaded, false},      // no known extension
    };
    for (const auto& c : cases) {
        MakePix(c.name, 4, 2);
        Surface*& surface = Slot();
        EXPECT_EQ(LoadImageFile(c.name, &surface, nullptr), c.status) << c.name;
        EXPECT_EQ(surface != nullptr, c.surface) << c.name;
    }
}

TEST_F(ImageLoaderTest, MissingAndOverlongNamesLoadNothing) {
    Surface*& surface = Slot();
    EXPECT_EQ(LoadImageFile("NOWHERE.PIX", &surface, nullptr), ImageNotLoaded);
    EXPECT_EQ(surface, nullptr);
    const std::string longName = std::string(76, 'A') + ".PIX";  // 80 characters
    MakePix(longName.c_str(), 2, 2);
    EXPECT_EQ(LoadImageFile(longName.c_str(), &surface, nullptr), ImageNotLoaded);
    EXPECT_EQ(surface, nullptr);
    MakePix(longName.c_str() + 1, 2, 2);
    EXPECT_EQ(LoadImageFile(longName.c_str() + 1, &surface, nullptr), ImageLoaded);  // 79 fit
    EXPECT_NE(surface, nullptr);
}

TEST_F(ImageLoaderTest, GivenSurfaceReceivesThePictureAtItsCorner) {
    MakePix("SMALL.PIX", 3, 2);
    Surface*& surface = Slot();
    ASSERT_EQ(NewSurface(5, 4, DDSCAPS_OFFSCREENPLAIN, &surface), DD_OK);
    FillSurfaceRect(surface, 0, 0, 5, 4, 0x1234);
    Surface* const given = surface;
    Palette out{};
    EXPECT_EQ(LoadImageFile("SMALL.PIX", &surface, &out), ImageLoaded);
    EXPECT_EQ(surface, given);
    const uint16_t k = 0x1234;
    EXPECT_EQ(SurfacePixels(surface, 5, 4),
              (std::vector<uint16_t>{Pixel(0), Pixel(1), Pixel(2), k, k,  //
                                     Pixel(3), Pixel(4), Pixel(5), k, k,  //
                                     k, k, k, k, k,                       //
                                     k, k, k, k, k}));
    EXPECT_EQ(0, std::memcmp(out.Bytes, palette_.Bytes, 768));

    // A picture larger than the surface is clipped to it.
    MakePix("LARGE.PIX", 8, 8);
    Surface*& tiny = Slot();
    ASSERT_EQ(NewSurface(2, 2, DDSCAPS_OFFSCREENPLAIN, &tiny), DD_OK);
    EXPECT_EQ(LoadImageFile("LARGE.PIX", &tiny, nullptr), ImageLoaded);
    EXPECT_EQ(SurfacePixels(tiny, 2, 2),
              (std::vector<uint16_t>{Pixel(0), Pixel(1), Pixel(8), Pixel(9)}));
}

TEST_F(ImageLoaderTest, RefusedSurfaceGives254AndWritesNoPalette) {
    MakePix("SPIEL.PIX", 4, 4);
    DisplayObject->Release();
    DisplayObject = nullptr;  // no DirectDraw: no surface can be made
    Surface*& surface = Slot();
    Palette out{};
    out.Bytes[0] = 99;
    EXPECT_EQ(LoadImageFile("SPIEL.PIX", &surface, &out), ImageNoSurface);
    EXPECT_EQ(surface, nullptr);
    EXPECT_EQ(out.Bytes[0], 99);
}

}  // namespace
