// Game file names on a case-sensitive file system.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/cp1252.h"
#include "platform/files.h"
#include "support/temp_folder.h"

namespace {

class GameFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories("Sound/deep");
        std::filesystem::create_directories("pics");
        std::ofstream("Sound/titel.mod") << "module";
        std::ofstream("Sound/deep/Feld1.JPG") << "jpeg";
        std::ofstream("SPIEL.PIX") << "pix";
    }
    TempFolder folder_{"files"};
    const std::filesystem::path& Folder() const { return folder_.Path(); }
};

TEST_F(GameFilesTest, NamesMatchComponentByComponentWithoutRegardToCase) {
    const struct {
        const char* name;
        const char* path;
    } cases[] = {
        {"SOUND\\TITEL.MOD", "Sound/titel.mod"},
        {"sound/Titel.Mod", "Sound/titel.mod"},
        {"SOUND\\DEEP\\FELD1.JPG", "Sound/deep/Feld1.JPG"},
        {".\\sound\\deep\\feld1.jpg", "./Sound/deep/Feld1.JPG"},
        {"spiel.pix", "SPIEL.PIX"},
        {"SOUND\\MISSING.MOD", "Sound/MISSING.MOD"},
        {"NOWHERE\\TITEL.MOD", "NOWHERE/TITEL.MOD"},
    };
    for (const auto& c : cases) EXPECT_EQ(ResolveGamePath(c.name), c.path) << c.name;
    const std::string absolute = (Folder() / "SOUND" / "TITEL.MOD").string();
    EXPECT_EQ(ResolveGamePath(absolute.c_str()), (Folder() / "Sound" / "titel.mod").string());
}

TEST_F(GameFilesTest, OpensFilesButNotDirectories) {
    FILE* file = OpenGameFile("SOUND\\TITEL.MOD", "rb");
    ASSERT_NE(file, nullptr);
    char text[7] = {};
    EXPECT_EQ(std::fread(text, 1, 6, file), 6u);
    EXPECT_STREQ(text, "module");
    std::fclose(file);
    EXPECT_EQ(OpenGameFile("SOUND", "rb"), nullptr);
    EXPECT_EQ(OpenGameFile("MISSING.MOD", "rb"), nullptr);
    EXPECT_EQ(OpenGameFile("", "rb"), nullptr);
}

TEST_F(GameFilesTest, ListingGivesDotEntriesFirstThenSortedNamesWithDirectoryFlags) {
    WIN32_FIND_DATAA data{};
    HANDLE listing = FindFirstFileA(".\\*.*", &data);
    ASSERT_NE(listing, INVALID_HANDLE_VALUE);
    std::vector<std::pair<std::string, bool>> entries;
    do {
        entries.emplace_back(data.cFileName,
                             (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileA(listing, &data));
    FindClose(listing);
    const std::vector<std::pair<std::string, bool>> expected = {
        {".", true}, {"..", true}, {"SPIEL.PIX", false}, {"Sound", true}, {"pics", true}};
    EXPECT_EQ(entries, expected);
    EXPECT_EQ(FindFirstFileA("missing\\*.*", &data), INVALID_HANDLE_VALUE);
    // A listing of a mixed-case directory name finds it.
    listing = FindFirstFileA(".\\sound\\*.*", &data);
    ASSERT_NE(listing, INVALID_HANDLE_VALUE);
    FindClose(listing);
}

TEST(Cp1252Test, ConvertsToUtf8) {
    EXPECT_EQ(Cp1252ToUtf8("Trazo f\xFCr Windows"), "Trazo f\xC3\xBCr Windows");
    EXPECT_EQ(Cp1252ToUtf8("\x80 \x9F \xA0"), "\xE2\x82\xAC \xC5\xB8 \xC2\xA0");
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xEF\xBF\xBD");  // undefined in the code page
    EXPECT_EQ(Cp1252ToUtf8("plain\n\ttext"), "plain\n\ttext");
}

TEST(Cp1252Test, TabsBecomeSpacesToTheNextStopOfEight) {
    EXPECT_EQ(ExpandTabs("ESC\tSpiel\nF11\tScreenshot"), "ESC     Spiel\nF11     Screenshot");
    EXPECT_EQ(ExpandTabs("12345678\tx"), "12345678        x");
    EXPECT_EQ(ExpandTabs("\xC3\xBC\tx"), "\xC3\xBC       x");  // one column for a two-byte letter
    EXPECT_EQ(ExpandTabs("no tabs"), "no tabs");
}

}  // namespace
