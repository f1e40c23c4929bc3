// JPEG pictures against files written by libjpeg's own cjpeg and decoded by its djpeg: colour,
// grey and progressive files, an archive entry, a second picture into the first one's surface,
// and files the decoder cannot read.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "archive/archive_writer.h"
#include "image/image_loader.h"
#include "image/jpeg_reader.h"
#include "picture_test_support.h"

namespace {

using namespace picture_test;

class JpegTest : public PictureTest {
protected:
    void SetUp() override {
        PictureTest::SetUp();
        if (!HaveTool("cjpeg") || !HaveTool("djpeg") || !HaveTool("convert"))
            GTEST_SKIP() << "cjpeg, djpeg or ImageMagick's convert is not installed";
    }
    // A picture of the given size with smooth colour changes and sharp edges, as a PPM file.
    void MakeSource(const std::string& ppm, int width, int height) {
        ASSERT_TRUE(Shell("convert -size " + std::to_string(width) + "x" + std::to_string(height) +
                          " gradient:red-blue -fill yellow -draw 'circle 20,20 30,12' "
                          "-fill black -draw 'rectangle 2,30 12,40' " +
                          ppm));
    }
    // The RGB triples djpeg decodes from the file: what the loader must show.
    std::vector<uint16_t> Decoded(const std::string& jpeg) {
        const std::string out = jpeg + ".ppm";
        EXPECT_TRUE(Shell("djpeg -ppm -outfile " + out + " " + jpeg));
        return Expected16(ToolRgb(out));
    }
};

TEST_F(JpegTest, ColourGreyAndProgressiveFilesDecodeAsDjpegDoes) {
    MakeSource("source.ppm", 64, 48);
    ASSERT_TRUE(Shell("cjpeg -quality 85 -outfile COLOUR.JPG source.ppm"));
    ASSERT_TRUE(Shell("cjpeg -grayscale -outfile GREY.JPG source.ppm"));
    ASSERT_TRUE(Shell("cjpeg -progressive -outfile PROGRESS.JPG source.ppm"));
    for (const char* name : {"colour.jpg", "GREY.JPG", "Progress.Jpg"}) {
        for (int bits : {6, 5}) {
            GreenBits = bits;
            Surface*& surface = Slot();
            EXPECT_EQ(LoadImageFile(name, &surface, nullptr), ImageLoaded);
            ASSERT_NE(surface, nullptr) << name;
            EXPECT_EQ(SurfaceWidth(surface), 64u);
            EXPECT_EQ(SurfaceHeight(surface), 48u);
            std::string upper = name;
            for (char& c : upper) c = static_cast<char>(std::toupper(c));
            EXPECT_EQ(SurfacePixels(surface, 64, 48), Decoded(upper)) << name << " " << bits;
        }
    }
}

TEST_F(JpegTest, EntryOfDataOneDecodesLikeTheLooseFile) {
    MakeSource("source.ppm", 64, 48);
    ASSERT_TRUE(Shell("cjpeg -outfile FELD3.JPG source.ppm"));
    const std::vector<uint16_t> expected = Decoded("FELD3.JPG");
    const std::vector<uint8_t> jpeg = ReadBytes("FELD3.JPG");
    std::string error;
    // Other entries before and after it: the decoder starts at the entry and stops at its end.
    ASSERT_TRUE(WriteArchiveFile("DATA.ONE",
                                 {{"FIRST.PIX", std::vector<uint8_t>(333, 0x55)},
                                  {"FELD3.JPG", jpeg},
                                  {"LAST.PIX", std::vector<uint8_t>(4000, 0xD9)}},
                                 &error))
        << error;
    std::filesystem::remove("FELD3.JPG");
    Surface*& surface = Slot();
    EXPECT_EQ(LoadImageFile("feld3.jpg", &surface, nullptr), ImageLoaded);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(SurfacePixels(surface, 64, 48), expected);
}

TEST_F(JpegTest, SecondPictureOverwritesTheFirstFromTheCorner) {
    MakeSource("big.ppm", 64, 48);
    ASSERT_TRUE(Shell("convert -size 16x8 xc:green small.ppm"));
    ASSERT_TRUE(Shell("cjpeg -outfile BIG.JPG big.ppm"));
    ASSERT_TRUE(Shell("cjpeg -outfile SMALL.JPG small.ppm"));
    Surface*& surface = Slot();
    LoadImageFile("BIG.JPG", &surface, nullptr);
    ASSERT_NE(surface, nullptr);
    Surface* const first = surface;
    LoadImageFile("SMALL.JPG", &surface, nullptr);
    EXPECT_EQ(surface, first);
    std::vector<uint16_t> expected = Decoded("BIG.JPG");
    const std::vector<uint16_t> small = Decoded("SMALL.JPG");
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) expected[y * 64 + x] = small[y * 16 + x];
    EXPECT_EQ(SurfacePixels(surface, 64, 48), expected);

    // A picture larger than the surface passed in is clipped to it.
    Surface*& tiny = Slot();
    ASSERT_EQ(NewSurface(16, 8, DDSCAPS_OFFSCREENPLAIN, &tiny), DD_OK);
    LoadImageFile("BIG.JPG", &tiny, nullptr);
    const std::vector<uint16_t> big = Decoded("BIG.JPG");
    const std::vector<uint16_t> got = SurfacePixels(tiny, 16, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) EXPECT_EQ(got[y * 16 + x], big[y * 64 + x]);
}

TEST_F(JpegTest, UndecodableFilesLeaveThePointerAsItWas) {
    MakeSource("source.ppm", 64, 48);
    ASSERT_TRUE(Shell("cjpeg -outfile GOOD.JPG source.ppm"));
    const std::vector<uint8_t> good = ReadBytes("GOOD.JPG");
    std::vector<uint8_t> garbage(good.begin(), good.begin() + 2);
    garbage.resize(500, 0x17);
    std::vector<uint8_t> noImage(good.begin(), good.begin() + 20);
    std::vector<uint8_t> huge = good;
    // The frame header's height and width (after the SOF0 marker 0xFFC0 and 3 bytes).
    for (size_t i = 0; i + 8 < huge.size(); ++i)
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
            huge[i + 5] = huge[i + 6] = huge[i + 7] = huge[i + 8] = 0xFF;
            break;
        }
    const std::vector<uint8_t> cases[] = {{}, garbage, noImage, huge, {'h', 'e', 'l', 'l', 'o'}};
    const auto filesBefore = std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                           std::filesystem::directory_iterator{});
    for (const auto& bytes : cases) {
        WriteBytes("BAD.JPG", bytes);
        Surface*& fresh = Slot();
        EXPECT_EQ(LoadImageFile("BAD.JPG", &fresh, nullptr), ImageLoaded);  // always 1
        EXPECT_EQ(fresh, nullptr);
    }
    // Every failed decode closed its file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                            std::filesystem::directory_iterator{}),
              filesBefore);
    // A missing file: no surface either.
    Surface*& missing = Slot();
    EXPECT_EQ(LoadImageFile("NOWHERE.JPG", &missing, nullptr), ImageLoaded);
    EXPECT_EQ(missing, nullptr);

    // A file cut short decodes with a warning: the picture still appears, its lost rows grey.
    std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(good.size() * 2 / 3));
    WriteBytes("CUT.JPG", cut);
    Surface*& partial = Slot();
    LoadImageFile("CUT.JPG", &partial, nullptr);
    EXPECT_NE(partial, nullptr);
}

TEST_F(JpegTest, RefusedSurfaceOrLockDrawsNothing) {
    MakeSource("source.ppm", 64, 48);
    ASSERT_TRUE(Shell("cjpeg -outfile GOOD.JPG source.ppm"));
    // A lost surface refuses its lock: the file is closed all the same.
    const auto openFiles = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                             std::filesystem::directory_iterator{});
    };
    const auto filesBefore = openFiles();
    Surface*& lost = Slot();
    ASSERT_EQ(NewSurface(64, 48, DDSCAPS_OFFSCREENPLAIN, &lost), DD_OK);
    FillSurfaceRect(lost, 0, 0, 64, 48, 0x1234);
    lost->SetLost(true, true);
    EXPECT_NE(LoadJpeg("GOOD.JPG", &lost), DD_OK);
    EXPECT_EQ(openFiles(), filesBefore);
    lost->SetLost(false, false);
    EXPECT_EQ(SurfacePixels(lost, 1, 1), std::vector<uint16_t>{0x1234});
    // Without DirectDraw no surface can be made in either placement.
    DisplayObject->Release();
    DisplayObject = nullptr;
    Surface*& none = Slot();
    EXPECT_NE(LoadJpeg("GOOD.JPG", &none), DD_OK);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(openFiles(), filesBefore);
}

TEST(ConvertRgbRowTest, BothPixelLayouts) {
    const uint8_t row[] = {255, 255, 255, 7, 3, 7, 255, 0, 0, 0, 255, 0};
    const struct {
        int bits;
        std::vector<uint16_t> pixels;
    } cases[] = {{6, {0xFFFF, 0, 0xF800, 0x07E0}}, {5, {0x7FFF, 0, 0x7C00, 0x03E0}}};
    for (const auto& c : cases) {
        GreenBits = c.bits;
        std::vector<uint16_t> out(8, 0xAAAA);
        ConvertRgbRow(reinterpret_cast<uint8_t*>(out.data()), row, 1, 8, 4);
        EXPECT_EQ(std::vector<uint16_t>(out.begin() + 4, out.end()), c.pixels);
        EXPECT_EQ(out[0], 0xAAAA);
    }
    GreenBits = 6;
}

}  // namespace
