// The archive tool, run as a program: create, list and extract, and its answers to bad input.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "archive/archive_writer.h"
#include "archive/data_files.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

#ifdef TRAZO_PACK
const char* const PackTool = TRAZO_PACK;
#else
const char* const PackTool = nullptr;
#endif

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class PackToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (PackTool == nullptr) GTEST_SKIP() << "trazo-pack is not built with these tests";
    }
    // Runs the tool; its exit status, with standard output and error kept in out_ and err_.
    int Pack(const std::string& args) {
        const int status =
            std::system((std::string(PackTool) + " " + args + " > out.txt 2> err.txt").c_str());
        out_ = ReadText("out.txt");
        err_ = ReadText("err.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    TempFolder folder_{"pack"};  // the current folder while the test runs
    std::string out_, err_;
};

TEST_F(PackToolTest, CreateListAndExtract) {
    WriteText("click.wav", "RIFF-click");
    fs::create_directory("music");
    WriteText("music/titel.mod", "module!");
    ASSERT_EQ(Pack("create AUDIO.ONE click.wav 'sound\\titel.mod=music/titel.mod'"), 0) << err_;
    ASSERT_EQ(Pack("list AUDIO.ONE"), 0) << err_;
    EXPECT_EQ(out_, "click.wav\t2070\t10\nsound\\titel.mod\t2080\t7\n");

    // The game finds the entries, whatever the case of the request.
    fs::remove("click.wav");
    uint8_t* bytes = ReadDataFile("CLICK.WAV");
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), EntrySize), "RIFF-click");
    std::free(bytes);

    ASSERT_EQ(Pack("extract AUDIO.ONE -C out SOUND\\\\TITEL.MOD"), 0) << err_;
    EXPECT_EQ(ReadText("out/sound/titel.mod"), "module!");
    EXPECT_FALSE(fs::exists("out/click.wav"));
    ASSERT_EQ(Pack("extract AUDIO.ONE -C all"), 0) << err_;
    EXPECT_EQ(ReadText("all/click.wav"), "RIFF-click");
    EXPECT_EQ(ReadText("all/sound/titel.mod"), "module!");

    // Of equal names, whatever their case, only the first entry is unpacked, as only it is read.
    WriteText("one.txt", "one");
    WriteText("two.txt", "two");
    ASSERT_EQ(Pack("create DUP.ONE X.TXT=one.txt x.txt=two.txt X.TXT=two.txt"), 0) << err_;
    ASSERT_EQ(Pack("extract DUP.ONE -C dup"), 0) << err_;
    EXPECT_EQ(ReadText("dup/X.TXT"), "one");
    EXPECT_FALSE(fs::exists("dup/x.txt"));

    ASSERT_EQ(Pack("create --upper DATA.ONE music/titel.mod"), 0) << err_;
    ASSERT_EQ(Pack("list DATA.ONE"), 0);
    EXPECT_EQ(out_, "MUSIC/TITEL.MOD\t1038\t7\n");
}

TEST_F(PackToolTest, BadInputGivesOneLineAndNoArchive) {
    WriteText("a.txt", "a");
    WriteText("NOT.ONE", "PK not an archive");
    std::vector<uint8_t> hostile;
    std::string error;
    ASSERT_TRUE(BuildArchive({{"..\\escape.txt", {'x'}}}, &hostile, &error));
    std::ofstream("EVIL.ONE", std::ios::binary)
        .write(reinterpret_cast<const char*>(hostile.data()),
               static_cast<std::streamsize>(hostile.size()));
    const struct {
        const char* args;
        int status;
    } cases[] = {
        {"create NEW.ONE a.txt missing.txt", 1},
        {"create NEW.ONE .", 1},  // a directory is no file
        {"list NOT.ONE", 1},
        {"list NOWHERE.ONE", 1},
        {"extract NOT.ONE", 1},
        {"extract EVIL.ONE -C out", 1},
        {"extract EVIL.ONE nothing.txt", 1},
        {"", 2},
        {"frobnicate X.ONE", 2},
        {"create NEW.ONE", 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Pack(c.args), c.status) << c.args;
        EXPECT_FALSE(err_.empty()) << c.args;
        if (c.status == 1) {
            EXPECT_EQ(err_.find('\n'), err_.size() - 1) << c.args << ": " << err_;
            EXPECT_EQ(err_.rfind("trazo-pack: ", 0), 0u) << err_;
        }
    }
    EXPECT_FALSE(fs::exists("NEW.ONE"));
    EXPECT_FALSE(fs::exists("NEW.ONE.tmp"));
    EXPECT_FALSE(fs::exists("escape.txt"));
}

}  // namespace
