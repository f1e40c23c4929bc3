// The RIFF/WAVE walk: chunk order, pad bytes, the first usable "fmt " and "data", and files that
// claim more than they hold; then real files written by sox.
#include "audio/wave_file.h"

#include <gtest/gtest.h>

#include "audio_test_support.h"

using namespace audio_test;

namespace {

Bytes Data(size_t n) {
    Bytes body(n);
    for (size_t i = 0; i < n; ++i) body[i] = static_cast<uint8_t>(i + 1);
    return body;
}

Bytes Chunk(const char* id, const Bytes& body) {
    Bytes out;
    PutChunk(out, id, body);
    return out;
}

Bytes Prefix(const Bytes& bytes, size_t n) {
    return Bytes(bytes.begin(),
                 bytes.begin() + static_cast<std::ptrdiff_t>(std::min(n, bytes.size())));
}

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

struct WaveCase {
    const char* name;
    Bytes image;
    int result;
    uint32_t dataSize;    // expected when found
    size_t dataOffset;    // where the data body starts in the image
    size_t formatOffset;  // where the format body starts
    uint32_t formatSize;
};

const Bytes Fmt16 = Chunk("fmt ", PcmFormat(1, 11025, 8));

std::vector<WaveCase> Cases() {
    std::vector<WaveCase> cases;
    cases.push_back(
        {"FormatThenData", Riff(Cat({Fmt16, Chunk("data", Data(10))})), 1, 10, 44, 20, 16});
    cases.push_back(
        {"DataThenFormat", Riff(Cat({Chunk("data", Data(10)), Fmt16})), 1, 10, 20, 38, 16});
    cases.push_back({"ListBetween",
                     Riff(Cat({Fmt16, Chunk("LIST", Data(26)), Chunk("data", Data(6))})), 1, 6,
                     44 + 34, 20, 16});
    // 3 bytes of LIST, one pad byte, then the data chunk's header.
    cases.push_back({"OddChunkIsPadded",
                     Riff(Cat({Fmt16, Chunk("LIST", Data(3)), Chunk("data", Data(5))})), 1, 5,
                     44 + 12, 20, 16});
    cases.push_back(
        {"Format14Accepted",
         Riff(Cat({Chunk("fmt ", Prefix(PcmFormat(1, 8000, 8), 14)), Chunk("data", Data(4))})), 1,
         4, 42, 20, 14});
    cases.push_back({"Format12Fails", Riff(Cat({Chunk("fmt ", Data(12)), Chunk("data", Data(4))})),
                     0, 0, 0, 0, 0});
    // Only the first format counts, so a short second one does no harm.
    cases.push_back({"SecondFormatIgnored",
                     Riff(Cat({Fmt16, Chunk("fmt ", Data(12)), Chunk("data", Data(4))})), 1, 4, 64,
                     20, 16});
    cases.push_back({"EmptyDataReplacedByLater",
                     Riff(Cat({Fmt16, Chunk("data", {}), Chunk("data", Data(8))})), 1, 8, 52, 20,
                     16});
    cases.push_back({"NoData", Riff(Fmt16), 0, 0, 0, 0, 0});
    cases.push_back({"NoFormat", Riff(Chunk("data", Data(8))), 0, 0, 0, 0, 0});
    {
        Bytes image = Riff(Cat({Fmt16, Chunk("data", Data(8))}));
        image[0] = 'r';
        cases.push_back({"NotRiff", image, 0, 0, 0, 0, 0});
        image = Riff(Cat({Fmt16, Chunk("data", Data(8))}));
        image[11] = 'X';
        cases.push_back({"NotWave", image, 0, 0, 0, 0, 0});
    }
    {
        // The data chunk claims 1000 bytes; 8 are there.
        Bytes image = Riff(Cat({Fmt16, Chunk("data", Data(8))}));
        image[40] = 0xE8;
        image[41] = 0x03;
        cases.push_back({"DataClippedToFile", image, 1, 8, 44, 20, 16});
    }
    {
        // A LIST chunk that claims more than the file holds hides the data behind it.
        Bytes image = Riff(Cat({Fmt16, Chunk("LIST", Data(4)), Chunk("data", Data(8))}));
        image[40] = 0xFF;
        image[41] = 0xFF;
        image[42] = 0xFF;
        image[43] = 0xFF;
        cases.push_back({"OverlongChunkEndsWalk", image, 0, 0, 0, 0, 0});
    }
    {
        // The RIFF size ends the walk before the data chunk.
        Bytes image = Riff(Cat({Fmt16, Chunk("data", Data(8))}));
        image[4] = 4 + 24;
        image[5] = image[6] = image[7] = 0;
        cases.push_back({"RiffSizeEndsWalk", image, 0, 0, 0, 0, 0});
    }
    {
        // A format cut off by the end of the file.
        const Bytes whole = Riff(Cat({Chunk("data", Data(4)), Fmt16}));
        const Bytes image = Prefix(whole, whole.size() - 6);
        cases.push_back({"FormatCutOff", image, 0, 0, 0, 0, 0});
    }
    cases.push_back(
        {"HeaderOnly", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V'}, 0, 0, 0, 0, 0});
    {
        // A chunk header cut off after its identifier.
        Bytes image = Riff(Fmt16);
        PutId(image, "data");
        cases.push_back({"ChunkHeaderCutOff", image, 0, 0, 0, 0, 0});
    }
    return cases;
}

class ParseWaveTest : public ::testing::TestWithParam<WaveCase> {};

TEST_P(ParseWaveTest, FindsFormatAndData) {
    const WaveCase& c = GetParam();
    // Exactly as large as the file: AddressSanitizer catches any read beyond it.
    std::vector<uint8_t> image(c.image);
    WaveInfo info{};
    EXPECT_EQ(ParseWave(image.data(), image.size(), &info), c.result);
    if (c.result == 1) {
        EXPECT_EQ(info.dataSize, c.dataSize);
        EXPECT_EQ(info.data, image.data() + c.dataOffset);
        EXPECT_EQ(reinterpret_cast<const uint8_t*>(info.format), image.data() + c.formatOffset);
        EXPECT_EQ(info.formatSize, c.formatSize);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseWaveTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ParseWave, FailureKeepsWhatWasFound) {
    const Bytes image = Riff(Fmt16);
    WaveInfo info{};
    EXPECT_EQ(ParseWave(image.data(), image.size(), &info), 0);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(info.format), image.data() + 20);
    EXPECT_EQ(info.data, nullptr);
    EXPECT_EQ(info.dataSize, 0u);
}

// Files written by sox: the format arrives as sox wrote it and the data size is the samples'.
TEST(ParseWave, ReadsFilesWrittenBySox) {
    if (!HaveSox()) GTEST_SKIP() << "sox is not installed";
    ScratchFolder folder;
    struct SoxCase {
        const char* options;
        uint16_t tag, channels, bits;
        uint32_t rate;
        uint32_t frames;
    } cases[] = {
        {"-r 11025 -b 8 -c 1", 1, 1, 8, 11025, 1103},  // odd data length: a pad byte follows
        {"-r 44100 -b 16 -c 2", 1, 2, 16, 44100, 4410},
        // Floating point: sox puts a "fact" chunk between "fmt " and "data".
        {"-r 22050 -e floating-point -b 32 -c 1", 3, 1, 32, 22050, 2205},
    };
    for (const SoxCase& c : cases) {
        SCOPED_TRACE(c.options);
        ASSERT_TRUE(
            RunCommand(std::string("sox -n ") + c.options + " made.wav synth 0.1 sine 440"));
        const Bytes image = ReadFile("made.wav");
        WaveInfo info{};
        ASSERT_EQ(ParseWave(image.data(), image.size(), &info), 1);
        EXPECT_EQ(info.format->wFormatTag, c.tag);
        EXPECT_EQ(info.format->nChannels, c.channels);
        EXPECT_EQ(info.format->wBitsPerSample, c.bits);
        EXPECT_EQ(info.format->nSamplesPerSec, c.rate);
        EXPECT_EQ(info.dataSize, c.frames * c.channels * c.bits / 8);
        EXPECT_EQ(info.data + info.dataSize, image.data() + image.size() - (info.dataSize & 1));
    }
}

// A LIST chunk put between sox's "fmt " and "data" chunks changes nothing but where data lies.
TEST(ParseWave, ListChunkInSoxFile) {
    if (!HaveSox()) GTEST_SKIP() << "sox is not installed";
    ScratchFolder folder;
    ASSERT_TRUE(RunCommand("sox -n -r 44100 -b 16 -c 2 made.wav synth 0.05 sine 440"));
    const Bytes plain = ReadFile("made.wav");
    ASSERT_EQ(std::string(plain.begin() + 36, plain.begin() + 40), "data");
    Bytes list;
    PutChunk(list, "LIST",
             Bytes{'I', 'N', 'F', 'O', 'I', 'S', 'F', 'T', 3, 0, 0, 0, 's', 'o', 'x'});
    Bytes image(plain.begin(), plain.begin() + 36);
    image.insert(image.end(), list.begin(), list.end());
    image.insert(image.end(), plain.begin() + 36, plain.end());
    const uint32_t riff = static_cast<uint32_t>(image.size() - 8);
    std::memcpy(image.data() + 4, &riff, 4);

    WaveInfo a{}, b{};
    ASSERT_EQ(ParseWave(plain.data(), plain.size(), &a), 1);
    ASSERT_EQ(ParseWave(image.data(), image.size(), &b), 1);
    EXPECT_EQ(a.dataSize, b.dataSize);
    EXPECT_EQ(0, std::memcmp(a.data, b.data, a.dataSize));
    EXPECT_EQ(0, std::memcmp(a.format, b.format, 16));
}

}  // namespace
