// BMP, PCX, TGA, PI1 and raw pictures: files written by ImageMagick, small files made here for
// the rules of each reader, and damaged files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "image/image_loader.h"
#include "image/picture_readers.h"
#include "image/pix_format.h"
#include "picture_test_support.h"

namespace {

using namespace picture_test;

void Put16(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    Put16(bytes, at, value & 0xFFFF);
    Put16(bytes, at + 2, value >> 16);
}

// An uncompressed BMP with a 40-byte information header; pixel data right after the header and
// the colour table (1024 bytes for 8 bits, none otherwise).
std::vector<uint8_t> Bmp(int32_t width, int32_t height, int bits, const std::vector<uint8_t>& table,
                         const std::vector<uint8_t>& pixels) {
    std::vector<uint8_t> file(54, 0);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 10, static_cast<uint32_t>(54 + table.size()));
    Put32(file, 14, 40);
    Put32(file, 18, static_cast<uint32_t>(width));
    Put32(file, 22, static_cast<uint32_t>(height));
    Put16(file, 26, 1);
    Put16(file, 28, static_cast<uint32_t>(bits));
    // Copied in place rather than appended: g++ 12 warns falsely on inserting here.
    file.resize(54 + table.size() + pixels.size());
    std::copy(table.begin(), table.end(), file.begin() + 54);
    std::copy(pixels.begin(), pixels.end(), file.begin() + 54 + static_cast<long>(table.size()));
    return file;
}

class OtherFormatsTest : public PictureTest {
protected:
    // Loads a file and gives its pixels; the surface's size must be the picture's.
    std::vector<uint16_t> Load(const char* name, int width, int height,
                               Palette* palette = nullptr) {
        Surface*& surface = Slot();
        EXPECT_EQ(LoadImageFile(name, &surface, palette), ImageLoaded) << name;
        if (surface == nullptr) return {};
        EXPECT_EQ(SurfaceWidth(surface), DWORD(width)) << name;
        EXPECT_EQ(SurfaceHeight(surface), DWORD(height)) << name;
        return SurfacePixels(surface, width, height);
    }
};

TEST_F(OtherFormatsTest, FilesWrittenByImageMagick) {
    if (!HaveTool("convert")) GTEST_SKIP() << "ImageMagick's convert is not installed";
    // An odd width, so that BMP rows are padded and PCX lines carry a spare byte.
    ASSERT_TRUE(
        Shell("convert -size 37x23 gradient:red-blue -fill yellow "
              "-draw 'circle 10,10 16,6' -fill white -draw 'rectangle 20,2 30,8' "
              "source.ppm"));
    const struct {
        const char* command;  // convert's arguments after the source
        const char* file;
        bool fiveBits;  // the file holds 5 bits a channel
    } cases[] = {
        {"-colors 200 -type Palette -compress None BMP3:PAL3.BMP", "PAL3.BMP", false},
        // The same with the 124-byte information header.
        {"-colors 200 -type Palette -compress None PAL5.BMP", "PAL5.BMP", false},
        {"-define bmp:subtype=RGB555 RGB555.BMP", "RGB555.BMP", true},
        {"-type TrueColor BMP3:TRUE3.BMP", "TRUE3.BMP", false},
        {"-type TrueColor TRUE5.BMP", "TRUE5.BMP", false},
        {"-colors 200 -type Palette PAL.PCX", "PAL.PCX", false},
        {"-colors 60 -type TrueColor TRUE.TGA", "TRUE.TGA", false},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Shell(std::string("convert source.ppm ") + c.command)) << c.command;
        std::vector<uint8_t> rgb = ToolRgb(c.file);
        ASSERT_EQ(rgb.size(), 37u * 23 * 3) << c.file;
        if (c.fiveBits)
            for (uint8_t& component : rgb) component = static_cast<uint8_t>(component >> 3 << 3);
        for (int bits : {6, 5}) {
            GreenBits = bits;
            EXPECT_EQ(Load(c.file, 37, 23), Expected16(rgb)) << c.file << " " << bits;
        }
    }
}

TEST_F(OtherFormatsTest, BmpColoursRowsAndPalette) {
    // 24 bits: the first pixel in the file is the bottom-left one.
    std::vector<uint8_t> pixels(4 * 2 * 3, 0);
    pixels[2] = 255;  // blue 0, green 0, red 255
    WriteBytes("RED.BMP", Bmp(4, 2, 24, {}, pixels));
    EXPECT_EQ(Load("RED.BMP", 4, 2)[4], 0xF800);

    // 8 bits: table entry 5 is blue 252, green 128, red 4.
    std::vector<uint8_t> table(1024, 0);
    table[20] = 252;
    table[21] = 128;
    table[22] = 4;
    WriteBytes("EIGHT.BMP", Bmp(4, 1, 8, table, {5, 0, 5, 0}));
    Palette palette{};
    const std::vector<uint16_t> eight = Load("EIGHT.BMP", 4, 1, &palette);
    EXPECT_EQ(palette.Bytes[15], 1);
    EXPECT_EQ(palette.Bytes[16], 32);
    EXPECT_EQ(palette.Bytes[17], 63);
    EXPECT_EQ(eight[0], PaletteColour16(5, palette));

    // 16 bits without masks are 555.
    std::vector<uint8_t> sixteen(4, 0);
    sixteen[0] = 0x00, sixteen[1] = 0x7C;  // red 31
    sixteen[2] = 0xE0, sixteen[3] = 0x03;  // green 31
    WriteBytes("SIXTEEN.BMP", Bmp(2, 1, 16, {}, sixteen));
    EXPECT_EQ(Load("SIXTEEN.BMP", 2, 1), (std::vector<uint16_t>{0xF800, 0x07C0}));

    // A picture taller than the screen: the first 480 file rows fill rows 479 up to 0, and the
    // rows below stay black.
    std::vector<uint8_t> tall(4 * 600 * 3, 0);
    for (int k = 0; k < 600; ++k) tall[12 * k] = static_cast<uint8_t>(k % 200 + 8);  // blue
    WriteBytes("TALL.BMP", Bmp(4, 600, 24, {}, tall));
    const std::vector<uint16_t> got = Load("TALL.BMP", 4, 600);
    ASSERT_EQ(got.size(), 2400u);
    EXPECT_EQ(got[479 * 4], MakeColour16(0, 0, 8));        // file row 0
    EXPECT_EQ(got[0], MakeColour16(0, 0, 479 % 200 + 8));  // file row 479
    EXPECT_EQ(got[480 * 4], 0);
    EXPECT_EQ(got[599 * 4], 0);
}

TEST_F(OtherFormatsTest, PcxSizeRunsAndPaletteMarker) {
    std::vector<uint8_t> file(128, 0);
    Put16(file, 8, 319);
    Put16(file, 10, 199);
    Put16(file, 66, 320);
    const std::vector<uint8_t> data = {0xC5, 9, 0x41, 0xC1, 0xC3};
    file.insert(file.end(), data.begin(), data.end());
    std::vector<uint8_t> marked = file;
    marked.push_back(12);
    for (int i = 0; i < 768; ++i) marked.push_back(static_cast<uint8_t>(i < 30 ? 200 : 0));
    WriteBytes("UNMARKED.PCX", file);
    WriteBytes("MARKED.PCX", marked);

    Palette palette{};
    std::vector<uint16_t> pixels = Load("MARKED.PCX", 320, 200, &palette);
    EXPECT_EQ(palette.Bytes[27], 50);  // 200 >> 2
    EXPECT_EQ(palette.Bytes[30], 0);
    const uint16_t nine = PaletteColour16(9, palette);
    EXPECT_EQ(std::vector<uint16_t>(pixels.begin(), pixels.begin() + 8),
              (std::vector<uint16_t>{nine, nine, nine, nine, nine, PaletteColour16(0x41, palette),
                                     PaletteColour16(0xC3, palette),
                                     PaletteColour16(12, palette)}));  // the marker, unpacked on

    // Without the marker 12 the palette is not read: every entry stays black.
    std::memset(palette.Bytes, 7, 768);
    pixels = Load("UNMARKED.PCX", 320, 200, &palette);
    for (uint8_t component : palette.Bytes) ASSERT_EQ(component, 0);
}

TEST_F(OtherFormatsTest, TgaGathersItsPalette) {
    std::vector<uint8_t> file(18, 0);
    file[2] = 2;
    Put16(file, 12, 4);
    Put16(file, 14, 1);
    file[16] = 24;
    file[17] = 0x20;
    const std::vector<uint8_t> colours = {0, 0, 0, 255, 255, 255, 0, 0, 0, 0, 0, 255};  // b g r
    file.insert(file.end(), colours.begin(), colours.end());
    WriteBytes("FOUR.TGA", file);
    Palette palette{};
    const std::vector<uint16_t> pixels = Load("FOUR.TGA", 4, 1, &palette);
    EXPECT_EQ(std::vector<uint8_t>(palette.Bytes, palette.Bytes + 9),
              (std::vector<uint8_t>{0, 0, 0, 63, 63, 63, 63, 0, 0}));
    EXPECT_EQ(pixels, (std::vector<uint16_t>{0, 0xFFFF, 0, 0xF800}));

    // More than 255 colours: the later new colours become entry 0.
    std::vector<uint8_t> many(18, 0);
    Put16(many, 12, 300);
    Put16(many, 14, 1);
    many[17] = 0x20;
    for (int i = 0; i < 300; ++i) {
        many.push_back(static_cast<uint8_t>(4 * (i % 64)));
        many.push_back(static_cast<uint8_t>(4 * (i / 64 + 1)));
        many.push_back(0);
    }
    WriteBytes("MANY.TGA", many);
    const std::vector<uint16_t> manyPixels = Load("MANY.TGA", 300, 1, &palette);
    EXPECT_NE(manyPixels[254], 0);
    EXPECT_EQ(manyPixels[255], 0);
    EXPECT_EQ(manyPixels[299], 0);
}

TEST_F(OtherFormatsTest, Pi1PaletteWordsAndPlanes) {
    std::vector<uint8_t> file(34 + 32000, 0);
    const uint16_t words[] = {0x0000, 0x0777, 0x0700, 0x0001, 0, 0x0070};
    for (int i = 0; i < 6; ++i) {
        file[2 + 2 * i] = static_cast<uint8_t>(words[i] >> 8);
        file[3 + 2 * i] = static_cast<uint8_t>(words[i]);
    }
    file[34] = 0x80;  // group 0: planes 0 and 2 have their top bit: index 5 at pixel 0
    file[38] = 0x80;
    file[34 + 8 * 20 + 3] = 0x01;  // row 1, pixel 15: plane 1 only: index 2
    WriteBytes("ATARI.PI1", file);
    Palette palette{};
    const std::vector<uint16_t> pixels = Load("ATARI.PI1", 320, 200, &palette);
    EXPECT_EQ(std::vector<uint8_t>(palette.Bytes, palette.Bytes + 18),
              (std::vector<uint8_t>{0, 0, 0, 63, 63, 63, 63, 0, 0, 0, 0, 9, 0, 0, 0, 0, 63, 0}));
    EXPECT_EQ(pixels[0], PaletteColour16(5, palette));
    for (int x = 1; x < 16; ++x) EXPECT_EQ(pixels[x], 0);
    EXPECT_EQ(pixels[320 + 15], 0xF800);
}

// Damaged and hostile files for every reader: refused or partly black, never a read or write
// outside the data.
TEST(PictureReadersTest, DamagedFiles) {
    ScreenWidth = 640;
    ScreenHeight = 480;
    using Reader = bool (*)(const uint8_t*, size_t, DecodedPicture*);
    std::vector<uint8_t> hugeBmp = Bmp(100000, 2, 24, {}, {});
    std::vector<uint8_t> negativeBmp = Bmp(-4, 2, 24, {}, {});
    std::vector<uint8_t> rleBmp = Bmp(4, 2, 8, std::vector<uint8_t>(1024, 0), {});
    Put32(rleBmp, 30, 1);
    std::vector<uint8_t> farBmp = Bmp(4, 2, 24, {}, std::vector<uint8_t>(24, 1));
    Put32(farBmp, 10, 0xFFFFFFF0);
    std::vector<uint8_t> bigTableBmp = Bmp(4, 2, 8, {}, std::vector<uint8_t>(8, 1));
    Put32(bigTableBmp, 14, 0xFFFFFF00);  // a header size that puts the table past the end
    std::vector<uint8_t> pcx(128, 0);
    Put16(pcx, 4, 0x8000);  // left -32768, right 0x7FFF: 65536 wide
    Put16(pcx, 8, 0x7FFF);
    Put16(pcx, 66, 10);
    std::vector<uint8_t> pcxZeroLine(128, 0);
    Put16(pcxZeroLine, 8, 9);
    Put16(pcxZeroLine, 10, 9);
    std::vector<uint8_t> pcxRuns = pcxZeroLine;
    Put16(pcxRuns, 66, 3);  // a line shorter than the width
    pcxRuns.insert(pcxRuns.end(), {0xFF, 1, 0xFF, 2, 0xC0});
    std::vector<uint8_t> tga(18, 0);
    Put16(tga, 12, 0xFFFF);
    Put16(tga, 14, 2);
    std::vector<uint8_t> tgaMap(18, 0);
    Put16(tgaMap, 12, 2);
    Put16(tgaMap, 14, 2);
    tgaMap[0] = 255;
    tgaMap[1] = 1;
    Put16(tgaMap, 5, 0xFFFF);
    tgaMap[7] = 32;
    const struct {
        const char* what;
        Reader reader;
        std::vector<uint8_t> bytes;
        bool accepted;
    } cases[] = {
        {"empty BMP", ReadBmp, {}, false},
        {"BMP too wide", ReadBmp, hugeBmp, false},
        {"BMP negative width", ReadBmp, negativeBmp, false},
        {"BMP run-length", ReadBmp, rleBmp, false},
        {"BMP pixels past the end", ReadBmp, farBmp, true},
        {"BMP table past the end", ReadBmp, bigTableBmp, true},
        {"BMP cut short", ReadBmp, Bmp(40, 40, 24, {}, std::vector<uint8_t>(100, 9)), true},
        {"empty PCX", ReadPcx, {}, false},
        {"PCX too wide", ReadPcx, pcx, false},
        {"PCX no line length", ReadPcx, pcxZeroLine, false},
        {"PCX short lines", ReadPcx, pcxRuns, true},
        {"TGA too wide", ReadTga, tga, false},
        {"TGA empty", ReadTga, {}, false},
        {"TGA map past the end", ReadTga, tgaMap, true},
        {"PI1 empty", ReadPi1, {}, true},
        {"PI1 cut in a group", ReadPi1, std::vector<uint8_t>(45, 0xFF), true},
        {"raw empty", ReadRawPicture, {}, true},
        {"raw odd length", ReadRawPicture, std::vector<uint8_t>(641 * 2 + 1, 0xFF), true},
        {"PIX empty", ReadPix, {}, true},
    };
    for (const auto& c : cases) {
        DecodedPicture picture;
        EXPECT_EQ(c.reader(c.bytes.data(), c.bytes.size(), &picture), c.accepted) << c.what;
        if (c.accepted) {
            EXPECT_EQ(picture.pixels.size(), size_t(picture.width) * size_t(picture.height));
        }
    }
}

}  // namespace
