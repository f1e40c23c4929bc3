// Screen dumps: the BMP layout and its 555 pixels, PCX runs, PIX and raw files read back by the
// loader, ImageMagick reading the BMP and PCX dumps, and the F11 key.
#include "image/screen_dump.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/window_proc.h"
#include "display/display.h"
#include "image/image_loader.h"
#include "picture_test_support.h"
#include "support/temp_folder.h"

namespace {

using namespace picture_test;

uint16_t Little16(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

class ScreenDumpTest : public PictureTest {
protected:
    // A screen-sized surface with a pattern: a colour ramp, and a few known pixels.
    Surface* Screen() {
        Surface*& screen = Slot();
        EXPECT_EQ(NewSurface(ScreenWidth, ScreenHeight, DDSCAPS_OFFSCREENPLAIN, &screen), DD_OK);
        uint8_t* bits;
        LONG pitch;
        EXPECT_EQ(LockSurface(screen, &bits, &pitch), DD_OK);
        for (int y = 0; y < ScreenHeight; ++y)
            for (int x = 0; x < ScreenWidth; ++x)
                reinterpret_cast<uint16_t*>(bits + y * pitch)[x] =
                    MakeColour16(x * 255 / ScreenWidth, (x + y) % 256, y * 255 / ScreenHeight);
        auto* bottom = reinterpret_cast<uint16_t*>(bits + (ScreenHeight - 1) * pitch);
        bottom[0] = GreenBits == 6 ? 0xFFFF : 0x7FFF;  // white
        bottom[1] = GreenBits == 6 ? 0xF800 : 0x7C00;
        bottom[2] = 0x0020;  // the lowest green bit of 565 alone
        UnlockSurface(screen);
        return screen;
    }
};

TEST_F(ScreenDumpTest, BmpDumpLayoutAndPixels) {
    for (int bits : {6, 5}) {
        GreenBits = bits;
        Surface* screen = Screen();
        EXPECT_EQ(WriteScreenDump("tzdmp000.bmp", screen, nullptr), 1);
        const std::vector<uint8_t> file = ReadBytes("TZDMP000.BMP");  // named in upper case
        ASSERT_EQ(file.size(), 54u + 640 * 480 * 2);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(Little16(file, 10), 54);
        EXPECT_EQ(Little16(file, 18), 640);
        EXPECT_EQ(Little16(file, 22), 480);
        EXPECT_EQ(Little16(file, 28), 16);
        // The first pixel in the file is the bottom-left one, in 555.
        EXPECT_EQ(Little16(file, 54), 0x7FFF);
        EXPECT_EQ(Little16(file, 56), 0x7C00);
        EXPECT_EQ(Little16(file, 58), bits == 6 ? 0 : 0x0020);  // 565 drops the low green bit
        std::remove("TZDMP000.BMP");
    }
}

TEST_F(ScreenDumpTest, ImageMagickReadsTheBmpAndPcxDumps) {
    if (!HaveTool("convert")) GTEST_SKIP() << "ImageMagick's convert is not installed";
    Surface* screen = Screen();
    const std::vector<uint16_t> shown = SurfacePixels(screen, 640, 480);
    WriteScreenDump("DUMP.BMP", screen, nullptr);
    const std::vector<uint8_t> rgb = ToolRgb("DUMP.BMP");
    ASSERT_EQ(rgb.size(), 640u * 480 * 3);
    for (size_t i = 0; i < shown.size(); ++i) {
        // 5 bits a channel: the 565 green loses its lowest bit.
        const uint16_t v = shown[i];
        ASSERT_EQ(rgb[3 * i] >> 3, v >> 11) << i;
        ASSERT_EQ(rgb[3 * i + 1] >> 3, (v >> 6) & 31) << i;
        ASSERT_EQ(rgb[3 * i + 2] >> 3, v & 31) << i;
    }

    // The PCX dump: ImageMagick and the game's own reader see the same picture.
    WriteScreenDump("DUMP.PCX", screen, nullptr);
    const std::vector<uint8_t> pcxRgb = ToolRgb("DUMP.PCX");
    Surface*& back = Slot();
    ASSERT_EQ(LoadImageFile("DUMP.PCX", &back, nullptr), ImageLoaded);
    EXPECT_EQ(SurfacePixels(back, 640, 480), Expected16(pcxRgb));
}

TEST_F(ScreenDumpTest, PixPcxAndRawDumpsLoadBack) {
    Surface* screen = Screen();
    // Colours of the fixed cube survive the reduction to 256 colours exactly.
    const Palette cube = ColourCubePalette();
    FillSurfaceRect(screen, 0, 0, 64, 32, PaletteColour16(5 * 42 + 6 * 6 + 0, cube));
    FillSurfaceRect(screen, 64, 0, 128, 32, PaletteColour16(0 * 42 + 3 * 6 + 5, cube));
    const std::vector<uint16_t> shown = SurfacePixels(screen, 640, 480);
    const struct {
        const char* name;
        size_t length;  // 0: not fixed
        bool exact;
    } cases[] = {{"DUMP.PIX", 11 + 4 + 640 * 480 + 768, false},
                 {"DUMP.PCX", 0, false},
                 {"dump.pic", 640 * 480 * 2, true}};
    for (const auto& c : cases) {
        WriteScreenDump(c.name, screen, nullptr);
        std::string upper = c.name;
        for (char& ch : upper) ch = static_cast<char>(std::toupper(ch));
        if (c.length != 0) {
            EXPECT_EQ(ReadBytes(upper).size(), c.length) << c.name;
        }
        Surface*& back = Slot();
        ASSERT_EQ(LoadImageFile(c.name, &back, nullptr), ImageLoaded) << c.name;
        const std::vector<uint16_t> got = SurfacePixels(back, 640, 480);
        if (c.exact) {
            EXPECT_EQ(got, shown);
            continue;
        }
        EXPECT_EQ(got[0], shown[0]) << c.name;
        EXPECT_EQ(got[100], shown[100]) << c.name;
        // Elsewhere each channel is within one step of the cube (63 / 5 in 6 bits).
        for (size_t i = 0; i < got.size(); i += 997) {
            EXPECT_LE(std::abs((got[i] >> 11) - (shown[i] >> 11)), 4) << c.name << " " << i;
            EXPECT_LE(std::abs((got[i] & 31) - (shown[i] & 31)), 4) << c.name << " " << i;
        }
    }
}

TEST_F(ScreenDumpTest, PcxRunsOverTheWholePicture) {
    ScreenWidth = 110;
    ScreenHeight = 1;
    std::vector<uint8_t> indices = {7, 7, 7, 7, 7, 0xC3, 0x41};
    indices.insert(indices.end(), 100, 9);
    indices.insert(indices.end(), {1, 1, 2});
    Palette palette{};
    palette.Bytes[0] = 63;
    palette.Bytes[767] = 1;
    FILE* file = std::fopen("RUNS.PCX", "wb");
    ASSERT_TRUE(WritePcx(file, indices.data(), palette));
    std::fclose(file);
    const std::vector<uint8_t> bytes = ReadBytes("RUNS.PCX");
    ASSERT_EQ(bytes.size(), 128u + 12 + 769);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 128, bytes.begin() + 140),
              (std::vector<uint8_t>{0xC5, 7, 0xC1, 0xC3, 0x41, 0xFF, 9, 0xE5, 9, 0xC2, 1, 2}));
    EXPECT_EQ(Little16(bytes, 8), 109);
    EXPECT_EQ(Little16(bytes, 66), 110);
    EXPECT_EQ(Little16(bytes, 70), 1);    // the height first,
    EXPECT_EQ(Little16(bytes, 72), 110);  // then the width
    EXPECT_EQ(bytes[140], 12);
    EXPECT_EQ(bytes[141], 252);  // components times 4
    EXPECT_EQ(bytes.back(), 4);
}

TEST_F(ScreenDumpTest, RefusedNamesAndFilesWriteNothing) {
    Surface* screen = Screen();
    const std::string tooLong = std::string(124, 'A') + ".BMP";  // 128 characters
    EXPECT_EQ(WriteScreenDump(tooLong.c_str(), screen, nullptr), 1);
    EXPECT_FALSE(fs::exists(tooLong));
    EXPECT_EQ(WriteScreenDump("NO\\SUCH\\FOLDER.BMP", screen, nullptr), 1);
    EXPECT_EQ(WriteScreenDump("X.BMP", nullptr, nullptr), 1);
    EXPECT_FALSE(fs::exists("X.BMP"));
}

TEST(ScreenDumpKeyFileTest, F11WritesTheVisibleScreenAsBmp) {
    Headless::Reset();
    const TempFolder folder("dumpkey");
    ASSERT_EQ(InitDisplay(nullptr, "Trazo", 16, 640, 480, 1), 1);
    FillSurfaceRect(FrontBuffer, 0, 479, 1, 480, 0xF800);
    DumpCounter = 0;
    WindowProc(AppWindow, WM_KEYDOWN, VK_F11, 0);
    WindowProc(AppWindow, WM_KEYDOWN, VK_F11, 0);
    const std::vector<uint8_t> first = ReadBytes("TZDMP000.BMP");
    EXPECT_EQ(first.size(), 54u + 640 * 480 * 2);
    ASSERT_GE(first.size(), 56u);
    EXPECT_EQ(Little16(first, 54), 0x7C00);  // the bottom-left pixel, pure red
    EXPECT_TRUE(fs::exists("TZDMP001.BMP"));
    ShutDownDisplay();
    DumpCounter = 0;
}

}  // namespace
