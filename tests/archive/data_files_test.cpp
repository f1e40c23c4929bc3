// The data-file lookup: loose files, the four archives in their order, the tree search, and
// archives that are damaged or hostile.
#include "archive/data_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "archive/archive_format.h"
#include "archive/archive_writer.h"
#include "platform/headless.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    fs::create_directories(path.parent_path().empty() ? "." : path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> Archive(const std::vector<ArchiveMember>& members) {
    std::vector<uint8_t> archive;
    std::string error;
    EXPECT_TRUE(BuildArchive(members, &archive, &error)) << error;
    return archive;
}

// Everything a FILE* still holds from its position on.
std::string Rest(FILE* file) {
    std::string text;
    int c;
    while ((c = std::fgetc(file)) != EOF) text += static_cast<char>(c);
    return text;
}

// What OpenDataFile delivers: the EntrySize bytes at the handle's position, or "(none)".
std::string Lookup(const char* name) {
    FILE* file = OpenDataFile(name);
    if (file == nullptr) {
        EXPECT_EQ(EntryOffset, 0u);
        EXPECT_EQ(EntrySize, 0u);
        return "(none)";
    }
    EXPECT_EQ(static_cast<long>(EntryOffset), std::ftell(file));
    std::string data(EntrySize, '\0');
    const size_t got = std::fread(data.data(), 1, EntrySize, file);
    std::fclose(file);
    EXPECT_EQ(got, EntrySize);
    return data;
}

class DataFilesTest : public ::testing::Test {
protected:
    void SetUp() override { Headless::Reset(); }
    TempFolder folder_{"data"};  // the current folder while the test runs
};

TEST_F(DataFilesTest, LooseFileAndArchivesAreSearchedInOrder) {
    WriteFile("ONLY.ONE", Archive({{"BOTH.PIX", Bytes("only")}}));
    WriteFile("DATA.ONE", Archive({{"BOTH.PIX", Bytes("data")},
                                   {"LOOSE.PIX", Bytes("archived")},
                                   {"DATA.PIX", Bytes("data-only")}}));
    WriteFile("AUDIO.ONE", Archive({{"SOUND.MOD", Bytes("audio")}}));
    WriteFile("VIDEO.ONE", Archive({{"SOUND.MOD", Bytes("video")}, {"LAST.PIX", Bytes("v")}}));
    WriteFile("LOOSE.PIX", Bytes("loose"));
    const struct {
        const char* name;
        const char* data;
    } cases[] = {
        {"LOOSE.PIX", "loose"},  // a loose file shadows the archive entry
        {"BOTH.PIX", "only"},    // ONLY.ONE before DATA.ONE
        {"DATA.PIX", "data-only"}, {"SOUND.MOD", "audio"},  // AUDIO.ONE before VIDEO.ONE
        {"LAST.PIX", "v"},         {"NOWHERE.PIX", "(none)"},
    };
    for (const auto& c : cases) EXPECT_EQ(Lookup(c.name), c.data) << c.name;
}

TEST_F(DataFilesTest, LooseFileHasOffsetZeroAndItsLength) {
    WriteFile("SOUND/TITEL.MOD", Bytes("module"));
    // Case-insensitive components, "\" as the separator, as on the original system.
    FILE* file = OpenDataFile("sound\\Titel.mod");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(EntryOffset, 0u);
    EXPECT_EQ(EntrySize, 6u);
    EXPECT_EQ(Rest(file), "module");
    std::fclose(file);
}

TEST_F(DataFilesTest, ArchiveEntryHandleSitsAtTheEntrysData) {
    WriteFile("DATA.ONE", Archive({{"A.WAV", Bytes("first")}, {"B.WAV", Bytes("second")}}));
    FILE* file = OpenDataFile("B.WAV");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(EntryOffset, 6u + 2 * 1032 + 5);
    EXPECT_EQ(EntrySize, 6u);
    EXPECT_EQ(Rest(file), "second");  // the data runs to the archive's end here
    std::fclose(file);
}

TEST_F(DataFilesTest, MagicMustBeTwoEqualLetters) {
    const struct {
        const char* magic;
        bool found;
    } cases[] = {{"OO", true}, {"oo", true}, {"Oo", false}, {"oO", false}, {"PK", false}};
    for (const auto& c : cases) {
        std::vector<uint8_t> archive = Archive({{"X.PIX", Bytes("x")}});
        archive[0] = static_cast<uint8_t>(c.magic[0]);
        archive[1] = static_cast<uint8_t>(c.magic[1]);
        WriteFile("DATA.ONE", archive);
        EXPECT_EQ(Lookup("X.PIX"), c.found ? "x" : "(none)") << c.magic;
    }
}

TEST_F(DataFilesTest, NamesMatchWithoutRegardToCaseButWhole) {
    WriteFile("DATA.ONE", Archive({{"SPIEL.PIX", Bytes("upper")},
                                   {"gross.pix", Bytes("lower")},
                                   {"sound\\spiel.mod", Bytes("in a folder")},
                                   {"SPIEL.PIX", Bytes("second")}}));
    EXPECT_EQ(Lookup("Spiel.Pix"), "upper");  // and of two equal names the first
    EXPECT_EQ(Lookup("GROSS.PIX"), "lower");
    EXPECT_EQ(Lookup("SOUND\\SPIEL.MOD"), "in a folder");
    EXPECT_EQ(Lookup("SPIEL.MOD"), "(none)");  // the directory part is part of the name
    EXPECT_EQ(Lookup("SPIEL.PI"), "(none)");
}

TEST_F(DataFilesTest, TreeSearchFindsABareNameDepthFirst) {
    WriteFile("pics/SPIEL.PIX", Bytes("sprites"));
    WriteFile("a/deeper/OTHER.PIX", Bytes("first in the tree"));
    WriteFile("z/OTHER.PIX", Bytes("later"));
    char buffer[DataNameBuffer] = "Spiel.PIX";
    TreeFileFound = false;
    FindFileInTree(".", buffer);
    EXPECT_TRUE(TreeFileFound);
    EXPECT_STREQ(buffer, ".\\pics\\spiel.pix");

    EXPECT_EQ(Lookup("SPIEL.PIX"), "sprites");
    EXPECT_EQ(Lookup("OTHER.PIX"), "first in the tree");
    // A directory part is never found by the search, even with the bare name in the tree.
    EXPECT_EQ(Lookup("GFX\\SPIEL.PIX"), "(none)");
}

TEST_F(DataFilesTest, TreeSearchSearchesIntoADirectoryOfTheSoughtName) {
    WriteFile("SPIEL.PIX/inner/SPIEL.PIX", Bytes("inside"));
    EXPECT_EQ(Lookup("SPIEL.PIX"), "inside");
    EXPECT_TRUE(TreeFileFound);
}

TEST_F(DataFilesTest, TreeSearchSearchesEachFolderOnceWhateverLinksPointBack) {
    WriteFile("deep/SPIEL.PIX", Bytes("found"));
    // Links back to folders above: followed blindly, they branch the search at every level.
    fs::create_directory_symlink(".", "again");
    fs::create_directory_symlink(".", "back");
    fs::create_directory_symlink("..", "deep/up");
    char buffer[DataNameBuffer] = "SPIEL.PIX";
    TreeFileFound = false;
    FindFileInTree(".", buffer);
    EXPECT_STREQ(buffer, ".\\deep\\spiel.pix");
    EXPECT_EQ(Lookup("NOWHERE.PIX"), "(none)");  // ends, having searched every folder once
}

TEST_F(DataFilesTest, FailedLookupClearsOffsetAndSize) {
    WriteFile("DATA.ONE", Archive({{"A.WAV", Bytes("12345")}}));
    FILE* file = OpenDataFile("A.WAV");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    ASSERT_NE(EntryOffset, 0u);
    EXPECT_EQ(OpenDataFile("B.WAV"), nullptr);
    EXPECT_EQ(EntryOffset, 0u);
    EXPECT_EQ(EntrySize, 0u);
    EXPECT_EQ(OpenArchiveEntry("MISSING.ONE", "A.WAV"), nullptr);
    EXPECT_EQ(EntrySize, 0u);
}

// Damaged archives: the lookup passes over them (or over the bad record) and goes on.
TEST_F(DataFilesTest, HostileArchivesAreSkipped) {
    WriteFile("DATA.ONE", Archive({{"X.PIX", Bytes("from data")}}));
    const std::vector<uint8_t> good = Archive({{"X.PIX", Bytes("bad")}, {"Y.PIX", Bytes("y")}});
    const struct {
        const char* what;
        void (*spoil)(std::vector<uint8_t>&);
        const char* y;  // what Y.PIX gives afterwards
    } cases[] = {
        {"negative count", [](std::vector<uint8_t>& a) { PutLittle32(&a[2], 0xFFFFFFFF); },
         "(none)"},
        {"absurd count", [](std::vector<uint8_t>& a) { PutLittle32(&a[2], 0x7FFFFFFF); }, "(none)"},
        {"count reaching past the end", [](std::vector<uint8_t>& a) { PutLittle32(&a[2], 3); },
         "(none)"},
        {"truncated header", [](std::vector<uint8_t>& a) { a.resize(4); }, "(none)"},
        {"name without terminator",
         [](std::vector<uint8_t>& a) { std::fill(&a[6], &a[6 + 1024], 0xA7); }, "y"},
        {"offset past the end",
         [](std::vector<uint8_t>& a) { PutLittle32(&a[6 + 1024], 0xFFFFFFF0); }, "y"},
        {"size past the end", [](std::vector<uint8_t>& a) { PutLittle32(&a[6 + 1028], 5); }, "y"},
    };
    const auto openFiles = [] {
        return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator{});
    };
    const auto filesBefore = openFiles();
    for (const auto& c : cases) {
        std::vector<uint8_t> archive = good;
        c.spoil(archive);
        WriteFile("ONLY.ONE", archive);
        EXPECT_EQ(Lookup("X.PIX"), "from data") << c.what;
        EXPECT_EQ(Lookup("Y.PIX"), c.y) << c.what;
        EXPECT_EQ(openFiles(), filesBefore) << c.what;  // each passed-over archive was closed
    }
}

TEST_F(DataFilesTest, ReadDataFileReadsTheWholeEntryOrShowsTheBox) {
    WriteFile("AUDIO.ONE", Archive({{"CLICK.WAV", Bytes("RIFF....")}, {"EMPTY.WAV", {}}}));
    uint8_t* bytes = ReadDataFile("CLICK.WAV");
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), EntrySize), "RIFF....");
    std::free(bytes);
    bytes = ReadDataFile("EMPTY.WAV");
    EXPECT_NE(bytes, nullptr);
    EXPECT_EQ(EntrySize, 0u);
    std::free(bytes);
    EXPECT_TRUE(Headless::Boxes().empty());

    EXPECT_EQ(ReadDataFile("LOS.WAV"), nullptr);
    ASSERT_EQ(Headless::Boxes().size(), 1u);
    EXPECT_EQ(Headless::Boxes()[0].text, "LOS.WAV");
    EXPECT_EQ(Headless::Boxes()[0].caption, "Error reading file");
}

TEST(ArchiveWriterTest, RefusesNamesTheFormatCannotHold) {
    std::vector<uint8_t> archive;
    std::string error;
    const std::string cases[] = {"", std::string(1024, 'A'), "BAD\xFFNAME"};
    for (const std::string& name : cases) {
        error.clear();
        EXPECT_FALSE(BuildArchive({{name, Bytes("x")}}, &archive, &error));
        EXPECT_FALSE(error.empty());
    }
    EXPECT_TRUE(BuildArchive({{std::string(1023, 'A'), Bytes("x")}}, &archive, &error));
    EXPECT_EQ(archive.size(), 6u + 1032 + 1);
}

}  // namespace
