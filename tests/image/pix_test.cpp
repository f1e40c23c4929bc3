// The game's own PIX pictures: header and headerless forms, raw and packed data, the writer.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "image/image_loader.h"
#include "image/pix_format.h"
#include "picture_test_support.h"

namespace {

using namespace picture_test;

// A PIX file as the game stores it: header, packed size (2 bytes for 320 × 200), data, palette.
std::vector<uint8_t> PixFile(int width, int height, const std::vector<uint8_t>& body,
                             uint32_t packedSize, const Palette& palette, int dataPosition = 11) {
    std::vector<uint8_t> file = {'P',
                                 'I',
                                 'X',
                                 2,
                                 static_cast<uint8_t>(dataPosition),
                                 static_cast<uint8_t>(width),
                                 static_cast<uint8_t>(width >> 8),
                                 static_cast<uint8_t>(height),
                                 static_cast<uint8_t>(height >> 8),
                                 0,
                                 1};
    file.resize(static_cast<size_t>(dataPosition), 0xEE);  // bytes the reader must skip
    const int field = width == 320 && height == 200 ? 2 : 4;
    for (int i = 0; i < field; ++i) file.push_back(static_cast<uint8_t>(packedSize >> (8 * i)));
    file.insert(file.end(), body.begin(), body.end());
    file.insert(file.end(), palette.Bytes, palette.Bytes + 768);
    return file;
}

Palette TestPalette() {
    Palette palette{};
    for (int i = 0; i < 256; ++i) {
        palette.Bytes[3 * i] = static_cast<uint8_t>(i % 64);
        palette.Bytes[3 * i + 1] = static_cast<uint8_t>((i * 7) % 64);
        palette.Bytes[3 * i + 2] = static_cast<uint8_t>(63 - i % 64);
    }
    return palette;
}

std::vector<uint16_t> Expand(const std::vector<uint8_t>& indices, const Palette& palette) {
    std::vector<uint16_t> pixels(indices.size());
    ExpandIndices(indices.data(), indices.size(), palette, pixels.data());
    return pixels;
}

TEST(DecodeRunsTest, PacketsAndBounds) {
    const struct {
        std::vector<uint8_t> packed;
        size_t room;
        std::vector<uint8_t> out;
    } cases[] = {
        {{0x85, 7}, 16, {7, 7, 7, 7, 7}},
        {{0x03, 1, 2, 3}, 16, {1, 2, 3}},
        {{0x80, 7, 0x00, 0x82, 4}, 16, {4, 4}},  // counts of 0 give nothing
        {{0xFF, 9}, 5, {9, 9, 9, 9, 9}},         // never past the output
        {{0x05, 1, 2}, 16, {1, 2}},              // literals cut short by the data's end
        {{0x85}, 16, {}},                        // a run without its value byte
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> out(c.room + 4, 0xAA);
        const size_t written = DecodeRuns(c.packed.data(), c.packed.size(), out.data(), c.room);
        EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + written), c.out);
        for (size_t i = c.room; i < out.size(); ++i) EXPECT_EQ(out[i], 0xAA) << "wrote past";
    }
}

TEST(DecodeRunsTest, EncodedRunsDecodeBack) {
    std::vector<uint8_t> indices;
    for (int i = 0; i < 5000; ++i) indices.push_back(static_cast<uint8_t>(i % 7 < 4 ? 3 : i));
    indices.insert(indices.end(), 300, 9);
    std::vector<uint8_t> packed(indices.size() * 2);
    packed.resize(EncodeRuns(indices.data(), indices.size(), packed.data()));
    EXPECT_LT(packed.size(), indices.size());
    std::vector<uint8_t> back(indices.size());
    EXPECT_EQ(DecodeRuns(packed.data(), packed.size(), back.data(), back.size()), back.size());
    EXPECT_EQ(back, indices);
}

class PixTest : public PictureTest {};

TEST_F(PixTest, RawAndPackedDataWithBothSizeFields) {
    const Palette palette = TestPalette();
    // 320 × 200: a 2-byte size; raw when it equals width × height, packed when smaller.
    std::vector<uint8_t> raw(320 * 200);
    for (size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<uint8_t>(i / 320 + i % 5);
    // A run that begins at the end of row 0 and goes on into row 1.
    std::vector<uint8_t> packedIndices(320 * 200, 0);
    for (int x = 316; x < 324; ++x) packedIndices[x] = 42;
    const std::vector<uint8_t> packed = {0x80 + 127, 0, 0x80 + 127, 0, 0x80 + 62, 0, 0x88, 42};
    // The rest of the packed picture stays index 0 once the data ends.
    WriteBytes("RAW.PIX", PixFile(320, 200, raw, 64000, palette));
    WriteBytes("PACKED.PIX",
               PixFile(320, 200, packed, static_cast<uint32_t>(packed.size()), palette));
    // 320 × 240 has a 4-byte field, and a data position past the header is honoured.
    std::vector<uint8_t> tall(320 * 240, 17);
    WriteBytes("TALL.PIX", PixFile(320, 240, tall, 320 * 240, palette, 20));

    const struct {
        const char* name;
        int width, height;
        const std::vector<uint8_t>* indices;
    } cases[] = {{"raw.pix", 320, 200, &raw},
                 {"PACKED.PIX", 320, 200, &packedIndices},
                 {"Tall.Pix", 320, 240, &tall}};
    for (const auto& c : cases) {
        Surface*& surface = Slot();
        Palette out{};
        EXPECT_EQ(LoadImageFile(c.name, &surface, &out), ImageLoaded) << c.name;
        ASSERT_NE(surface, nullptr) << c.name;
        EXPECT_EQ(SurfaceWidth(surface), DWORD(c.width));  // the picture's size, not the screen's
        EXPECT_EQ(SurfaceHeight(surface), DWORD(c.height));
        EXPECT_EQ(SurfacePixels(surface, c.width, c.height), Expand(*c.indices, palette)) << c.name;
        EXPECT_EQ(0, std::memcmp(out.Bytes, palette.Bytes, 768));  // exactly as stored
    }
}

TEST_F(PixTest, PackedSizeEqualToThePictureMeansRawEvenIfItWouldUnpack) {
    // Four bytes that as packets would mean "one 0x05", read raw as they are.
    const std::vector<uint8_t> body = {0x81, 5, 0x81, 5};
    WriteBytes("TINY.PIX", PixFile(2, 2, body, 4, TestPalette()));
    Surface*& surface = Slot();
    LoadImageFile("TINY.PIX", &surface, nullptr);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(SurfacePixels(surface, 2, 2), Expand(body, TestPalette()));
}

TEST_F(PixTest, HeaderlessPictureIsScreenSizedAndPacked) {
    std::vector<uint8_t> file = {4, 0, 0x83, 9, 0x01, 200};
    const Palette palette = TestPalette();
    file.insert(file.end(), palette.Bytes, palette.Bytes + 768);
    WriteBytes("NOHEAD.PIX", file);
    Surface*& surface = Slot();
    EXPECT_EQ(LoadImageFile("NOHEAD.PIX", &surface, nullptr), ImageLoaded);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(SurfaceWidth(surface), 640u);
    EXPECT_EQ(SurfaceHeight(surface), 480u);
    const std::vector<uint16_t> pixels = SurfacePixels(surface, 5, 1);
    EXPECT_EQ(pixels, Expand({9, 9, 9, 200, 0}, palette));

    // On a 2 × 2 screen a packed size of 4 equals the picture's size: still packed, never raw.
    ScreenWidth = 2;
    ScreenHeight = 2;
    file = {4, 0, 0x82, 5, 0x01, 9};
    file.insert(file.end(), palette.Bytes, palette.Bytes + 768);
    WriteBytes("SMALL.PIX", file);
    Surface*& small = Slot();
    EXPECT_EQ(LoadImageFile("SMALL.PIX", &small, nullptr), ImageLoaded);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(SurfacePixels(small, 2, 2), Expand({5, 5, 9, 0}, palette));
}

TEST_F(PixTest, FullPaletteComponentGivesFullField) {
    Palette palette{};
    palette.Bytes[3] = 63;   // entry 1: red 63
    palette.Bytes[6] = 62;   // entry 2: red 62
    palette.Bytes[10] = 63;  // entry 3: green 63
    WriteBytes("P.PIX", PixFile(4, 1, {1, 2, 3, 0}, 4, palette));
    for (int bits : {6, 5}) {
        GreenBits = bits;
        Surface*& surface = Slot();
        LoadImageFile("P.PIX", &surface, nullptr);
        ASSERT_NE(surface, nullptr);
        const std::vector<uint16_t> p = SurfacePixels(surface, 4, 1);
        const int redShift = bits == 6 ? 11 : 10;
        EXPECT_EQ(p[0] >> redShift, 31);
        EXPECT_EQ(p[1] >> redShift, 31);
        EXPECT_EQ(p[2], bits == 6 ? 0x07E0 : 0x03E0);
        EXPECT_EQ(p[3], 0);
    }
}

TEST_F(PixTest, WrittenFileHasItsLengthAndReadsBackRaw) {
    std::vector<uint8_t> indices(640 * 480);
    for (size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<uint8_t>(i * 13 / 640);
    const Palette palette = TestPalette();
    for (bool packed : {false, true}) {
        const char* name = packed ? "PACKED.PIX" : "RAW.PIX";
        FILE* file = std::fopen(name, "wb");
        ASSERT_TRUE(WritePix(file, indices.data(), 640, 480, palette, packed));
        std::fclose(file);
        const std::vector<uint8_t> bytes = ReadBytes(name);
        if (!packed) {
            EXPECT_EQ(bytes.size(), 11u + 4 + 640 * 480 + 768);
            EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 11),
                      (std::vector<uint8_t>{'P', 'I', 'X', 2, 11, 0x80, 2, 0xE0, 1, 0, 1}));
        } else {
            EXPECT_LT(bytes.size(), 640u * 480);
        }
        Surface*& surface = Slot();
        Palette out{};
        LoadImageFile(name, &surface, &out);
        ASSERT_NE(surface, nullptr);
        EXPECT_EQ(SurfacePixels(surface, 640, 480), Expand(indices, palette)) << name;
        EXPECT_EQ(0, std::memcmp(out.Bytes, palette.Bytes, 768));
    }
}

TEST_F(PixTest, RefusedSizesAndDamagedFiles) {
    const Palette palette = TestPalette();
    // Sizes that are refused: no surface, status 0.
    const int refused[][2] = {{0, 10}, {10, 0}, {-5, 10}, {10, -1}, {8193, 1}, {1, 30000}};
    for (const auto& size : refused) {
        WriteBytes("BAD.PIX", PixFile(size[0], size[1], {}, 0, palette));
        Surface*& surface = Slot();
        EXPECT_EQ(LoadImageFile("BAD.PIX", &surface, nullptr), ImageNotLoaded);
        EXPECT_EQ(surface, nullptr);
    }
    // Damage that leaves the rest of the picture black: a packed size far past the end, a file
    // cut inside the data, a data position outside the file, another type byte.
    std::vector<uint8_t> cut = PixFile(8, 8, std::vector<uint8_t>(64, 1), 64, palette);
    cut.resize(11 + 4 + 10);
    std::vector<uint8_t> typed = PixFile(8, 8, std::vector<uint8_t>(64, 1), 64, palette);
    typed[9] = 1;
    std::vector<uint8_t> farPosition = PixFile(8, 8, {}, 0, palette);
    farPosition[4] = 0xFF;
    const std::vector<uint8_t> files[] = {
        PixFile(8, 8, {0x85, 1}, 0xFFFFFFF0u, palette),
        cut,
        typed,
        farPosition,
        {'P', 'I', 'X', 2, 11, 8, 0, 8, 0}};  // cut before the type byte
    for (const auto& bytes : files) {
        WriteBytes("DAMAGED.PIX", bytes);
        Surface*& surface = Slot();
        EXPECT_EQ(LoadImageFile("DAMAGED.PIX", &surface, nullptr), ImageLoaded);
        ASSERT_NE(surface, nullptr);
        EXPECT_EQ(SurfaceWidth(surface), 8u);
    }
}

}  // namespace
