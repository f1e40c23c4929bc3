// Fills, copies, colour keys, pixel reads and colour conversion on plain surfaces, in both pixel
// layouts, including the restore-and-retry paths of lost surfaces.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "display/surface.h"
#include "platform/headless.h"

namespace {

class SurfaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        Headless::Reset();
        ASSERT_EQ(DirectDrawCreate(nullptr, &DisplayObject, nullptr), DD_OK);
        ScreenWidth = 640;
        ScreenHeight = 480;
        GreenBits = 6;
    }
    void TearDown() override {
        for (Surface* surface : made_) surface->Release();
        DisplayObject->Release();
        DisplayObject = nullptr;
    }
    Surface* Make(int width = 640, int height = 480) {
        Surface* surface = nullptr;
        EXPECT_EQ(
            NewSurface(width, height, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY, &surface),
            DD_OK);
        made_.push_back(surface);
        return surface;
    }
    // Every pixel gets a value that tells where it is: x + 1000 * y (cut to 16 bits).
    static void Number(Surface* surface) {
        uint8_t* bits = nullptr;
        LONG pitch = 0;
        ASSERT_EQ(LockSurface(surface, &bits, &pitch), DD_OK);
        for (int y = 0; y < surface->Height(); ++y)
            for (int x = 0; x < surface->Width(); ++x)
                reinterpret_cast<uint16_t*>(bits + y * pitch)[x] =
                    static_cast<uint16_t>(x + 1000 * y);
        UnlockSurface(surface);
    }
    // The rectangle of pixels that hold the value.
    static RECT Extent(Surface* surface, uint16_t value) {
        RECT r{surface->Width(), surface->Height(), -1, -1};
        for (int y = 0; y < surface->Height(); ++y)
            for (int x = 0; x < surface->Width(); ++x)
                if (ReadPixel(surface, x, y) == value) {
                    r.left = std::min(r.left, x);
                    r.top = std::min(r.top, y);
                    r.right = std::max(r.right, x + 1);
                    r.bottom = std::max(r.bottom, y + 1);
                }
        return r;
    }
    static int Count(Surface* surface, uint16_t value) {
        int count = 0;
        for (int y = 0; y < surface->Height(); ++y)
            for (int x = 0; x < surface->Width(); ++x) count += ReadPixel(surface, x, y) == value;
        return count;
    }
    std::vector<Surface*> made_;
};

struct FillCase {
    RECT request;
    RECT filled;  // right < 0: nothing is filled
};

void PrintTo(const FillCase& c, std::ostream* out) {
    *out << "(" << c.request.left << "," << c.request.top << "," << c.request.right << ","
         << c.request.bottom << ")";
}

class FillTest : public SurfaceTest, public ::testing::WithParamInterface<FillCase> {};

TEST_P(FillTest, ClampsOneEndOfEachAxisAgainstTheScreen) {
    Surface* surface = Make();
    const FillCase& c = GetParam();
    FillSurfaceRect(surface, c.request.left, c.request.top, c.request.right, c.request.bottom, 7);
    const RECT r = Extent(surface, 7);
    if (c.filled.right < 0) {
        EXPECT_EQ(Count(surface, 7), 0);
        return;
    }
    EXPECT_EQ(r.left, c.filled.left);
    EXPECT_EQ(r.top, c.filled.top);
    EXPECT_EQ(r.right, c.filled.right);
    EXPECT_EQ(r.bottom, c.filled.bottom);
    EXPECT_EQ(Count(surface, 7), (r.right - r.left) * (r.bottom - r.top));
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, FillTest,
    ::testing::Values(FillCase{{0, 0, 640, 480}, {0, 0, 640, 480}},      // whole screen
                      FillCase{{-5, 10, 20, 30}, {0, 10, 20, 30}},       // left end clamped
                      FillCase{{600, 0, 700, 10}, {600, 0, 640, 10}},    // right end clamped
                      FillCase{{-5, 0, 700, 10}, {0, 0, -1, 0}},         // right end kept: refused
                      FillCase{{0, -5, 10, 500}, {0, 0, -1, 0}},         // bottom kept: refused
                      FillCase{{10, 470, 20, 490}, {10, 470, 20, 480}},  // bottom end clamped
                      FillCase{{5, 5, 5, 9}, {0, 0, -1, 0}},             // empty
                      FillCase{{30, 5, 20, 9}, {0, 0, -1, 0}},           // reversed
                      FillCase{{-20, 0, -10, 5}, {0, 0, -1, 0}},         // reversed after clamp
                      FillCase{{639, 479, 640, 480}, {639, 479, 640, 480}}));  // one pixel

TEST_F(SurfaceTest, FillOfASmallerSurfaceIsRefusedWhenItReachesOutside) {
    Surface* surface = Make(100, 50);
    FillSurfaceRect(surface, 90, 0, 110, 10, 3);  // inside the screen, outside the surface
    EXPECT_EQ(Count(surface, 3), 0);
    FillSurfaceRect(surface, 90, 0, 100, 10, 3);
    EXPECT_EQ(Count(surface, 3), 100);
}

struct CopyCase {
    int x, y;
    RECT source;
    RECT copiedFrom;   // source pixels that arrive; right < 0: nothing arrives
    int destX, destY;  // where copiedFrom's top-left lands
};

void PrintTo(const CopyCase& c, std::ostream* out) {
    *out << "to (" << c.x << "," << c.y << ") of (" << c.source.left << "," << c.source.top << ","
         << c.source.right << "," << c.source.bottom << ")";
}

class CopyTest : public SurfaceTest, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(CopyTest, ClipsAgainstTheScreen) {
    Surface* source = Make();
    Surface* dest = Make();
    Number(source);
    FillSurfaceRect(dest, 0, 0, 640, 480, 0xFFFF);
    const CopyCase& c = GetParam();
    BlitRect(dest, c.x, c.y, c.source, source);
    const int changed = 640 * 480 - Count(dest, 0xFFFF);
    if (c.copiedFrom.right < 0) {
        EXPECT_EQ(changed, 0);
        return;
    }
    const int w = c.copiedFrom.right - c.copiedFrom.left;
    const int h = c.copiedFrom.bottom - c.copiedFrom.top;
    EXPECT_EQ(changed, w * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(ReadPixel(dest, c.destX + x, c.destY + y),
                      ReadPixel(source, c.copiedFrom.left + x, c.copiedFrom.top + y));
}

INSTANTIATE_TEST_SUITE_P(
    Positions, CopyTest,
    ::testing::Values(CopyCase{-3, 0, {10, 0, 20, 5}, {13, 0, 20, 5}, 0, 0},
                      CopyCase{635, 0, {0, 0, 10, 5}, {0, 0, 5, 5}, 635, 0},
                      CopyCase{0, -2, {0, 10, 4, 14}, {0, 12, 4, 14}, 0, 0},
                      CopyCase{3, 476, {0, 0, 4, 10}, {0, 0, 4, 4}, 3, 476},
                      CopyCase{100, 200, {5, 6, 25, 16}, {5, 6, 25, 16}, 100, 200},
                      CopyCase{640, 0, {0, 0, 10, 5}, {0, 0, -1, 0}, 0, 0},  // x = width
                      CopyCase{-10, 0, {0, 0, 10, 5}, {0, 0, -1, 0}, 0, 0},  // x + w = 0
                      CopyCase{0, 480, {0, 0, 10, 5}, {0, 0, -1, 0}, 0, 0},
                      CopyCase{0, -5, {0, 0, 10, 5}, {0, 0, -1, 0}, 0, 0},
                      CopyCase{-2000000000, 0, {0, 0, 10, 5}, {0, 0, -1, 0}, 0, 0}));

TEST_F(SurfaceTest, BlitScreenCopiesTheWholeScreen) {
    Surface* source = Make();
    Surface* dest = Make();
    Number(source);
    BlitScreen(dest, source);
    for (int y = 0; y < 480; y += 7)
        for (int x = 0; x < 640; x += 5) ASSERT_EQ(ReadPixel(dest, x, y), ReadPixel(source, x, y));
}

TEST_F(SurfaceTest, KeyedCopyLeavesTheDestinationWhereTheSourceHoldsTheKey) {
    Surface* source = Make(64, 8);
    Surface* dest = Make(64, 8);
    for (int x = 0; x < 64; ++x) FillSurfaceRect(source, x, 0, x + 1, 8, x % 3 == 0 ? 0 : 100 + x);
    FillSurfaceRect(dest, 0, 0, 64, 8, 9);
    SetSourceKey(source, 0);
    BlitRectKeyed(dest, 0, 0, RECT{0, 0, 64, 8}, source);
    for (int x = 0; x < 64; ++x)
        EXPECT_EQ(ReadPixel(dest, x, 5), x % 3 == 0 ? 9 : 100 + x) << "column " << x;

    // Without a key on the source, or in a plain copy, every pixel arrives.
    SetSourceKey(source, 0x1234);
    BlitRectKeyed(dest, 0, 0, RECT{0, 0, 64, 8}, source);
    EXPECT_EQ(ReadPixel(dest, 0, 0), 0);
}

TEST_F(SurfaceTest, PixelsLieAPitchApartOnOddWidths) {
    Surface* surface = Make(13, 4);
    uint8_t* bits = nullptr;
    LONG pitch = 0;
    ASSERT_EQ(LockSurface(surface, &bits, &pitch), DD_OK);
    EXPECT_GE(pitch, 26);
    reinterpret_cast<uint16_t*>(bits + 2 * pitch)[12] = 0xBEEF;
    UnlockSurface(surface);
    EXPECT_EQ(ReadPixel(surface, 12, 2), 0xBEEF);
    EXPECT_EQ(ReadPixel(surface, 0, 3), 0);
}

TEST_F(SurfaceTest, NewSurfaceRefusesImpossibleSizes) {
    Surface* surface = nullptr;
    EXPECT_NE(NewSurface(0, 10, DDSCAPS_SYSTEMMEMORY, &surface), DD_OK);
    EXPECT_EQ(surface, nullptr);
    EXPECT_NE(NewSurface(-5, 10, DDSCAPS_SYSTEMMEMORY, &surface), DD_OK);
    EXPECT_NE(NewSurface(10, 100000, DDSCAPS_SYSTEMMEMORY, &surface), DD_OK);
    EXPECT_EQ(surface, nullptr);
}

// A lost surface answers every operation with "lost" until it is restored; each operation restores
// what it is meant to and tries again.
TEST_F(SurfaceTest, LostSurfacesAreRestoredAndTheOperationRepeated) {
    Surface* source = Make();
    Surface* dest = Make();
    Number(source);

    source->SetLost(true, false);
    EXPECT_EQ(ReadPixel(source, 3, 2), 2003);
    EXPECT_EQ(source->IsLost(), DD_OK);

    dest->SetLost(true, false);
    FillSurfaceRect(dest, 0, 0, 10, 10, 5);
    EXPECT_EQ(ReadPixel(dest, 9, 9), 5);

    source->SetLost(true, false);
    BlitScreen(dest, source);
    EXPECT_EQ(ReadPixel(dest, 9, 9), 9009);

    // The plain copy restores the destination as well ...
    FillSurfaceRect(dest, 0, 0, 640, 480, 0);
    dest->SetLost(true, false);
    BlitRect(dest, 0, 0, RECT{0, 0, 4, 4}, source);
    EXPECT_EQ(ReadPixel(dest, 3, 3), 3003);

    // ... the keyed copy only its source: a lost destination stays lost and gets nothing.
    FillSurfaceRect(dest, 0, 0, 640, 480, 0);
    SetSourceKey(source, 0xFFFF);
    dest->SetLost(true, false);
    BlitRectKeyed(dest, 0, 0, RECT{0, 0, 4, 4}, source);
    EXPECT_EQ(dest->IsLost(), DDERR_SURFACELOST);
    dest->Restore();
    EXPECT_EQ(ReadPixel(dest, 3, 3), 0);
}

TEST_F(SurfaceTest, ASurfaceThatStaysLostIsGivenUpWithoutHanging) {
    Surface* source = Make();
    Surface* dest = Make();
    source->SetLost(true, true);
    EXPECT_EQ(ReadPixel(source, 0, 0), 0);
    FillSurfaceRect(source, 0, 0, 10, 10, 1);
    BlitScreen(dest, source);
    BlitRect(dest, 0, 0, RECT{0, 0, 4, 4}, source);
    BlitRectKeyed(dest, 0, 0, RECT{0, 0, 4, 4}, source);
    EXPECT_EQ(source->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(ReadPixel(dest, 0, 0), 0);
}

struct ColourCase {
    int greenBits;
    int red, green, blue;
    uint16_t made;
};

void PrintTo(const ColourCase& c, std::ostream* out) {
    *out << c.greenBits << " green bits (" << c.red << "," << c.green << "," << c.blue << ")";
}

class ColourTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColourTest, MakeColour16DropsTheLowBits) {
    const ColourCase& c = GetParam();
    GreenBits = c.greenBits;
    EXPECT_EQ(MakeColour16(c.red, c.green, c.blue), c.made);
    GreenBits = 6;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ColourTest,
    ::testing::Values(ColourCase{6, 255, 255, 255, 0xFFFF}, ColourCase{5, 255, 255, 255, 0x7FFF},
                      ColourCase{6, 0, 255, 0, 0x07E0}, ColourCase{5, 0, 255, 0, 0x03E0},
                      ColourCase{6, 255, 0, 0, 0xF800}, ColourCase{5, 255, 0, 0, 0x7C00},
                      ColourCase{6, 7, 3, 7, 0x0000}, ColourCase{6, 8, 4, 8, 0x0821},
                      ColourCase{5, 8, 8, 8, 0x0421}));

TEST(PaletteColourTest, ConvertsSixBitEntriesInBothLayouts) {
    Palette palette{};
    const uint8_t white[3] = {63, 63, 63}, green[3] = {0, 63, 0}, odd[3] = {1, 1, 1};
    std::copy(white, white + 3, palette.Bytes + 3 * 255);
    std::copy(green, green + 3, palette.Bytes + 3 * 1);
    std::copy(odd, odd + 3, palette.Bytes + 3 * 2);
    GreenBits = 6;
    EXPECT_EQ(PaletteColour16(255, palette), 0xFFFF);
    EXPECT_EQ(PaletteColour16(1, palette), 0x07E0);
    EXPECT_EQ(PaletteColour16(2, palette), 0x0020);  // green keeps its sixth bit
    EXPECT_EQ(PaletteColour16(0, palette), 0x0000);
    GreenBits = 5;
    EXPECT_EQ(PaletteColour16(255, palette), 0x7FFF);
    EXPECT_EQ(PaletteColour16(1, palette), 0x03E0);
    EXPECT_EQ(PaletteColour16(2, palette), 0x0000);
    GreenBits = 6;
}

}  // namespace
