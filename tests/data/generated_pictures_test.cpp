// The game's own pictures as the build makes them: every file loaded through the game's picture
// loader from the archives, at the size the game expects, not blank, overlays transparent where
// they must be (in both 16-bit layouts), the status font and strip fitting the numbers the game
// prints; and the generator giving the same bytes on every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "image/image_loader.h"
#include "image/picture_test_support.h"
#include "platform/headless.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

using picture_test::ReadBytes;
using picture_test::SurfaceHeight;
using picture_test::SurfacePixels;
using picture_test::SurfaceWidth;

const char* const Archives[] = {"DATA.ONE", "VIDEO.ONE", "ONLY.ONE"};

struct Expected {
    const char* name;
    int width, height;
    bool overlay;  // black (exactly 0) is the transparent background
};

const Expected Pictures[] = {
    {"FELD1.JPG", 640, 480, false},   {"FELD2.JPG", 640, 480, false},
    {"FELD3.JPG", 640, 480, false},   {"FELD4.JPG", 640, 480, false},
    {"FELD5.JPG", 640, 480, false},   {"FELD6.JPG", 640, 480, false},
    {"FELD7.JPG", 640, 480, false},   {"FELD8.JPG", 640, 480, false},
    {"FELD9.JPG", 640, 480, false},   {"FELD10.JPG", 640, 480, false},
    {"FELD11.JPG", 640, 480, false},  {"FELD12.JPG", 640, 480, false},
    {"FELD13.JPG", 640, 480, false},  {"FELD14.JPG", 640, 480, false},
    {"TITEL.JPG", 640, 480, false},   {"EMENU1.JPG", 640, 480, false},
    {"EMENU2.JPG", 640, 480, false},  {"EMENU3.JPG", 640, 480, false},
    {"MENU1.JPG", 640, 480, false},   {"MENU2.JPG", 640, 480, false},
    {"MENU3.JPG", 640, 480, false},   {"VTLOGO.JPG", 640, 480, false},
    {"WERBUNG.JPG", 640, 480, false}, {"PAUSED.JPG", 640, 480, true},
    {"SPIEL.PIX", 300, 100, true},    {"INFO.PIX", 640, 80, true},
    {"FNTS.PIX", 176, 84, true},      {"COMPLET.PIX", 640, 480, true},
    {"GAMEOVER.PIX", 640, 480, true}, {"MAKERS.PIX", 640, 480, true},
    {"EMAKERS.PIX", 640, 480, true},
};

// A folder holding only the build's archives, so that every picture comes out of one of them;
// the display object for the loader's surfaces, in the layout the test asks for.
class GeneratedPictures : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        Headless::Reset();
        Headless::SetGreenBits(GetParam());
        GreenBits = GetParam();
        ScreenWidth = 640;
        ScreenHeight = 480;
        ASSERT_EQ(DirectDrawCreate(nullptr, &DisplayObject, nullptr), DD_OK);
        for (const char* archive : Archives)
            fs::copy_file(fs::path(TRAZO_GAME_DATA_DIR) / archive, folder_.Path() / archive);
    }
    void TearDown() override {
        for (Surface* surface : surfaces_) surface->Release();
        if (DisplayObject != nullptr) DisplayObject->Release();
        DisplayObject = nullptr;
        GreenBits = 6;
    }
    // The picture's pixels through the game's loader; fails the test when it does not load.
    std::vector<uint16_t> Load(const Expected& picture) {
        Surface* surface = nullptr;
        LoadImageFile(picture.name, &surface, nullptr);
        if (surface == nullptr) {
            ADD_FAILURE() << picture.name << " does not load";
            return {};
        }
        surfaces_.push_back(surface);
        EXPECT_EQ(SurfaceWidth(surface), static_cast<DWORD>(picture.width)) << picture.name;
        EXPECT_EQ(SurfaceHeight(surface), static_cast<DWORD>(picture.height)) << picture.name;
        return SurfacePixels(surface, picture.width, picture.height);
    }
    const Expected& Find(const std::string& name) {
        for (const Expected& e : Pictures)
            if (name == e.name) return e;
        throw std::logic_error(name);
    }

    TempFolder folder_{"pictures"};
    std::vector<Surface*> surfaces_;
};

INSTANTIATE_TEST_SUITE_P(Layouts, GeneratedPictures, ::testing::Values(6, 5),
                         [](const auto& info) { return info.param == 6 ? "565" : "555"; });

size_t Count(const std::vector<uint16_t>& pixels, uint16_t value) {
    return static_cast<size_t>(std::count(pixels.begin(), pixels.end(), value));
}

TEST_P(GeneratedPictures, EveryPictureLoadsFromTheArchivesAtItsSizeAndIsNotBlank) {
    for (const Expected& picture : Pictures) {
        const std::vector<uint16_t> pixels = Load(picture);
        if (pixels.empty()) continue;
        const std::set<uint16_t> colours(pixels.begin(), pixels.end());
        // Full-screen pictures are rich in colour; even the small sheets hold dozens.
        EXPECT_GE(colours.size(), picture.width == 640 && picture.height == 480 ? 200u : 30u)
            << picture.name;
        if (!picture.overlay) {
            // A picture shown opaque has no large black holes.
            EXPECT_LT(Count(pixels, 0), pixels.size() / 20) << picture.name;
        } else {
            // Overlays: the corners are background, and the background is exactly 0.
            EXPECT_EQ(pixels.front(), 0) << picture.name;
            EXPECT_EQ(pixels.back(), 0) << picture.name;
            EXPECT_GT(Count(pixels, 0), pixels.size() / 5) << picture.name;
        }
    }
}

TEST_P(GeneratedPictures, LevelPicturesDifferFromEachOther) {
    // Mean colour and the share of each coarse colour class: no two levels alike.
    std::vector<std::vector<double>> signatures;
    for (int level = 1; level <= 14; ++level) {
        const std::vector<uint16_t> pixels = Load(Find("FELD" + std::to_string(level) + ".JPG"));
        ASSERT_FALSE(pixels.empty());
        std::vector<double> histogram(64, 0.0);
        for (uint16_t p : pixels) {
            const int r = GreenBits == 6 ? p >> 14 : p >> 13;
            const int g = GreenBits == 6 ? (p >> 9) & 3 : (p >> 8) & 3;
            const int b = (p >> 3) & 3;
            histogram[r * 16 + g * 4 + b] += 1.0 / pixels.size();
        }
        signatures.push_back(histogram);
    }
    for (size_t a = 0; a < signatures.size(); ++a)
        for (size_t b = a + 1; b < signatures.size(); ++b) {
            double distance = 0;
            for (size_t i = 0; i < 64; ++i)
                distance += std::abs(signatures[a][i] - signatures[b][i]);
            EXPECT_GT(distance, 0.3) << "FELD" << a + 1 << " and FELD" << b + 1;
        }
}

TEST_P(GeneratedPictures, PauseSignLeavesEverythingElseTransparent) {
    // JPEG noise near black must not leave specks over the frozen game: outside the sign's
    // rectangle every pixel converts to exactly 0.
    const std::vector<uint16_t> pixels = Load(Find("PAUSED.JPG"));
    ASSERT_EQ(pixels.size(), 640u * 480u);
    int left = 640, top = 480, right = 0, bottom = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            if (pixels[y * 640 + x] != 0) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x + 1);
                bottom = std::max(bottom, y + 1);
            }
    // One solid sign in the middle, and nothing around it.
    EXPECT_GT(right - left, 200);
    EXPECT_LT(right - left, 400);
    EXPECT_GT(bottom - top, 60);
    EXPECT_LT(bottom - top, 200);
    size_t opaque = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) opaque += pixels[y * 640 + x] != 0 ? 1 : 0;
    EXPECT_EQ(opaque, static_cast<size_t>((right - left) * (bottom - top)));
}

TEST_P(GeneratedPictures, StatusStripKeepsADarkFieldUnderEveryNumber) {
    // The numbers are printed at y = 5 in 11 x 14 cells: three, three, six and three digits.
    // Under them both strips have solid, dark, even plates, so the digits read on any level.
    const std::vector<uint16_t> pixels = Load(Find("INFO.PIX"));
    ASSERT_EQ(pixels.size(), 640u * 80u);
    const struct { int x, digits; } fields[] = {{120, 3}, {254, 3}, {382, 6}, {537, 3}};
    for (int stripTop : {0, 58})
        for (const auto& field : fields) {
            std::set<uint16_t> under;
            for (int y = stripTop + 5; y < stripTop + 5 + 14; ++y)
                for (int x = field.x; x < field.x + field.digits * 11; ++x)
                    under.insert(pixels[y * 640 + x]);
            EXPECT_EQ(under.count(0), 0u) << "strip " << stripTop << " at " << field.x;
            EXPECT_LE(under.size(), 2u) << "strip " << stripTop << " at " << field.x;
        }
    // Nothing lies between the two strips: the game cuts out only rows 0-21 and 58-77.
    for (int y = 22; y < 58; ++y)
        for (int x = 0; x < 640; ++x) ASSERT_EQ(pixels[y * 640 + x], 0) << x << "," << y;
}

TEST_P(GeneratedPictures, FontHasDistinctDigitsAndEmptySpace) {
    const std::vector<uint16_t> pixels = Load(Find("FNTS.PIX"));
    ASSERT_EQ(pixels.size(), 176u * 84u);
    auto cell = [&](int code) {
        std::vector<uint16_t> out;
        const int g = code - 32, left = (g % 16) * 11, top = (g / 16) * 14;
        for (int y = top; y < top + 14; ++y)
            for (int x = left; x < left + 11; ++x) out.push_back(pixels[y * 176 + x]);
        return out;
    };
    EXPECT_EQ(Count(cell(' '), 0), 11u * 14u);
    std::set<std::vector<bool>> shapes;
    for (int code = '0'; code <= '9'; ++code) {
        const std::vector<uint16_t> glyph = cell(code);
        std::vector<bool> shape;
        size_t inked = 0;
        for (uint16_t p : glyph) {
            shape.push_back(p != 0);
            inked += p != 0 ? 1 : 0;
        }
        EXPECT_GT(inked, 30u) << static_cast<char>(code);
        shapes.insert(shape);
    }
    EXPECT_EQ(shapes.size(), 10u);
}

TEST_P(GeneratedPictures, SpriteTilesGlowFromTheCentreAndFadeBeforeTheEdge) {
    // The game scales each 100 x 100 tile by picking pixels: the centre must be lit so that even
    // small sprites show, and the tile's border must be empty so that no sprite has a hard edge.
    const std::vector<uint16_t> pixels = Load(Find("SPIEL.PIX"));
    ASSERT_EQ(pixels.size(), 300u * 100u);
    for (int tile = 0; tile < 3; ++tile) {
        EXPECT_NE(pixels[50 * 300 + tile * 100 + 50], 0) << tile;
        for (int i = 0; i < 100; ++i) {
            EXPECT_EQ(pixels[i * 300 + tile * 100], 0) << tile;
            EXPECT_EQ(pixels[i * 300 + tile * 100 + 99], 0) << tile;
            EXPECT_EQ(pixels[tile * 100 + i], 0) << tile;
            EXPECT_EQ(pixels[99 * 300 + tile * 100 + i], 0) << tile;
        }
    }
}

TEST(GeneratedPictureArchives, TheGeneratorWritesTheSameBytesEveryRun) {
    // With another number of workers than the build's, so that the order in which pictures are
    // finished cannot show in the archives.
    TempFolder folder("makedata");
    const std::string command =
        std::string(TRAZO_MAKEDATA) + " " + folder.Path().string() + " --jobs 3 > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* archive : Archives) {
        const std::vector<uint8_t> again = ReadBytes(folder.Path() / archive);
        EXPECT_FALSE(again.empty()) << archive;
        EXPECT_TRUE(again == ReadBytes(fs::path(TRAZO_GAME_DATA_DIR) / archive)) << archive;
    }
    EXPECT_FALSE(fs::exists(folder.Path() / "AUDIO.ONE"));
}

}  // namespace
