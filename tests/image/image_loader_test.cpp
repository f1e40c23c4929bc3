// The loader's name rules and its surface handling, with small PIX pictures.
#include "image/image_loader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "archive/archive_writer.h"
#include "image/pix_format.h"
#include "image/screen_dump.h"
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
                                     k,        k,        k,        k, k,  //
                                     k,        k,        k,        k, k}));
    EXPECT_EQ(0, std::memcmp(out.Bytes, palette_.Bytes, 768));

    // A picture larger than the surface is clipped to it.
    MakePix("LARGE.PIX", 8, 8);
    Surface*& tiny = Slot();
    ASSERT_EQ(NewSurface(2, 2, DDSCAPS_OFFSCREENPLAIN, &tiny), DD_OK);
    EXPECT_EQ(LoadImageFile("LARGE.PIX", &tiny, nullptr), ImageLoaded);
    EXPECT_EQ(SurfacePixels(tiny, 2, 2),
              (std::vector<uint16_t>{Pixel(0), Pixel(1), Pixel(8), Pixel(9)}));

    // A surface that refuses its lock keeps what it showed; the load still counts as done.
    surface->SetLost(true, true);
    EXPECT_EQ(LoadImageFile("LARGE.PIX", &surface, nullptr), ImageLoaded);
    EXPECT_EQ(surface, given);
    surface->SetLost(false, false);
    EXPECT_EQ(SurfacePixels(surface, 5, 1),
              (std::vector<uint16_t>{Pixel(0), Pixel(1), Pixel(2), k, k}));
}

TEST_F(ImageLoaderTest, PicturesInsideDataOneLoadLikeLooseFiles) {
    // Each reader must take its data from the entry's offset and end at the entry's end: the
    // PCX palette is found counting back from the end of the entry, not of the archive.
    ScreenWidth = 6;
    ScreenHeight = 4;
    std::vector<uint8_t> indices(24);
    Palette palette{};
    for (size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<uint8_t>(i * 11);
    for (int i = 0; i < 768; ++i) palette.Bytes[i] = static_cast<uint8_t>(i * 5 % 64);
    std::vector<uint16_t> screen(indices.size());
    ExpandIndices(indices.data(), indices.size(), palette, screen.data());
    const auto write = [](const char* name, auto writer) {
        FILE* file = std::fopen(name, "wb");
        ASSERT_NE(file, nullptr);
        EXPECT_TRUE(writer(file));
        std::fclose(file);
    };
    write("L.PCX", [&](FILE* f) { return WritePcx(f, indices.data(), palette); });
    write("L.PIX", [&](FILE* f) { return WritePix(f, indices.data(), 6, 4, palette, true); });
    write("L.BMP", [&](FILE* f) { return WriteBmp(f, screen.data()); });
    std::vector<ArchiveMember> members = {{"FIRST.BIN", std::vector<uint8_t>(100, 0x55)}};
    for (const char* ext : {"PCX", "PIX", "BMP"})
        members.push_back({std::string("A.") + ext, ReadBytes(std::string("L.") + ext)});
    // Behind the pictures lies what would look like a PCX palette of its own.
    members.push_back({"LAST.BIN", std::vector<uint8_t>(800, 12)});
    std::string error;
    ASSERT_TRUE(WriteArchiveFile("DATA.ONE", members, &error)) << error;

    for (const char* ext : {"PCX", "PIX", "BMP"}) {
        Palette loose{}, archived{};
        Surface*& fromFile = Slot();
        Surface*& fromArchive = Slot();
        ASSERT_EQ(LoadImageFile((std::string("L.") + ext).c_str(), &fromFile, &loose), ImageLoaded);
        ASSERT_EQ(LoadImageFile((std::string("a.") + ext).c_str(), &fromArchive, &archived),
                  ImageLoaded)
            << ext;
        ASSERT_NE(fromArchive, nullptr) << ext;
        EXPECT_EQ(SurfacePixels(fromArchive, 6, 4), SurfacePixels(fromFile, 6, 4)) << ext;
        EXPECT_EQ(0, std::memcmp(archived.Bytes, loose.Bytes, 768)) << ext;
        if (std::string(ext) != "BMP") {  // the BMP holds 555 pixels: not exactly the screen
            EXPECT_EQ(SurfacePixels(fromArchive, 6, 4), screen) << ext;
            EXPECT_EQ(0, std::memcmp(archived.Bytes, palette.Bytes, 768)) << ext;
        }
    }
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
