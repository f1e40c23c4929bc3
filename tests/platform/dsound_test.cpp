// The sound layer's buffers: which formats it takes, the regions a lock gives, the primary
// buffer, and how a buffer's bytes are heard in the mix.
#include "platform/dsound.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/headless_audio.h"

namespace {

WAVEFORMATEX Pcm(WORD channels, DWORD rate, WORD bits) {
    const WORD block = static_cast<WORD>(channels * bits / 8);
    return WAVEFORMATEX{WAVE_FORMAT_PCM, channels, rate, rate * block, block, bits, 0};
}

class SoundBufferTest : public ::testing::Test {
protected:
    void SetUp() override {
        HeadlessAudio::Reset();
        ASSERT_EQ(DirectSoundCreate(nullptr, &sound_, nullptr), DS_OK);
        ASSERT_EQ(sound_->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DS_OK);
    }
    void TearDown() override {
        for (IDirectSoundBuffer* buffer : buffers_) buffer->Release();
        sound_->Release();
        EXPECT_FALSE(HeadlessAudio::DeviceOpen());
    }
    // A static buffer filled with the bytes given, or null.
    IDirectSoundBuffer* Filled(WAVEFORMATEX format, const std::vector<uint8_t>& bytes) {
        DSBUFFERDESC desc{20, 0xE2, static_cast<DWORD>(bytes.size()), 0, &format};
        IDirectSoundBuffer* buffer = nullptr;
        if (sound_->CreateSoundBuffer(&desc, &buffer, nullptr) != DS_OK) return nullptr;
        buffers_.push_back(buffer);
        void *region1 = nullptr, *region2 = nullptr;
        DWORD bytes1 = 0, bytes2 = 0;
        EXPECT_EQ(buffer->Lock(0, desc.dwBufferBytes, &region1, &bytes1, &region2, &bytes2, 0),
                  DS_OK);
        std::memcpy(region1, bytes.data(), bytes1);
        EXPECT_EQ(buffer->Unlock(region1, bytes1, region2, bytes2), DS_OK);
        return buffer;
    }
    IDirectSound* sound_ = nullptr;
    std::vector<IDirectSoundBuffer*> buffers_;
};

TEST_F(SoundBufferTest, FormatsItCannotPlayFail) {
    struct Case {
        const char* name;
        WAVEFORMATEX format;
        DWORD bytes;
        HRESULT result;
    } cases[] = {
        {"8-bit mono", Pcm(1, 11025, 8), 100, DS_OK},
        {"16-bit stereo", Pcm(2, 44100, 16), 100, DS_OK},
        {"lowest rate", Pcm(1, 100, 8), 100, DS_OK},
        {"not PCM", {3, 1, 22050, 88200, 4, 32, 0}, 100, DSERR_BADFORMAT},
        {"no channels", {1, 0, 22050, 0, 0, 16, 0}, 100, DSERR_BADFORMAT},
        {"three channels", Pcm(3, 22050, 16), 102, DSERR_BADFORMAT},
        {"0 Hz", Pcm(1, 0, 16), 100, DSERR_BADFORMAT},
        {"too fast", Pcm(1, 200000, 16), 100, DSERR_BADFORMAT},
        {"24 bits", Pcm(1, 22050, 24), 99, DSERR_BADFORMAT},
        {"odd block size", {1, 2, 22050, 88200, 3, 16, 0}, 99, DSERR_BADFORMAT},
        {"no bytes", Pcm(1, 22050, 16), 0, DSERR_INVALIDPARAM},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WAVEFORMATEX format = c.format;
        DSBUFFERDESC desc{20, 0xE2, c.bytes, 0, &format};
        IDirectSoundBuffer* buffer = reinterpret_cast<IDirectSoundBuffer*>(1);
        EXPECT_EQ(sound_->CreateSoundBuffer(&desc, &buffer, nullptr), c.result);
        if (c.result == DS_OK)
            buffers_.push_back(buffer);
        else
            EXPECT_EQ(buffer, nullptr);
    }
    DSBUFFERDESC noFormat{20, 0xE2, 100, 0, nullptr};
    IDirectSoundBuffer* buffer = nullptr;
    EXPECT_EQ(sound_->CreateSoundBuffer(&noFormat, &buffer, nullptr), DSERR_INVALIDPARAM);
}

TEST_F(SoundBufferTest, LockGivesOneOrTwoRegions) {
    IDirectSoundBuffer* buffer = Filled(Pcm(1, 44100, 8), std::vector<uint8_t>(100, 0x80));
    ASSERT_NE(buffer, nullptr);
    void *region1 = nullptr, *region2 = nullptr;
    DWORD bytes1 = 0, bytes2 = 0;
    // From 60 for 70 bytes: 40 to the end, 30 from the start.
    ASSERT_EQ(buffer->Lock(60, 70, &region1, &bytes1, &region2, &bytes2, 0), DS_OK);
    EXPECT_EQ(bytes1, 40u);
    EXPECT_EQ(bytes2, 30u);
    EXPECT_EQ(static_cast<uint8_t*>(region1) - static_cast<uint8_t*>(region2), 60);
    EXPECT_EQ(buffer->Lock(0, 10, &region1, &bytes1, &region2, &bytes2, 0), DSERR_INVALIDCALL);
    ASSERT_EQ(buffer->Unlock(region1, bytes1, region2, bytes2), DS_OK);

    EXPECT_EQ(buffer->Lock(100, 1, &region1, &bytes1, &region2, &bytes2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Lock(0, 101, &region1, &bytes1, &region2, &bytes2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Unlock(region1, bytes1, region2, bytes2), DSERR_INVALIDCALL);
}

TEST_F(SoundBufferTest, PrimaryBufferIsOnlyHeld) {
    DSBUFFERDESC desc{20, DSBCAPS_PRIMARYBUFFER, 0, 0, nullptr};
    IDirectSoundBuffer* primary = nullptr;
    ASSERT_EQ(sound_->CreateSoundBuffer(&desc, &primary, nullptr), DS_OK);
    buffers_.push_back(primary);
    EXPECT_EQ(primary->Play(0, 0, 0), DSERR_INVALIDCALL);
    void *region1 = nullptr, *region2 = nullptr;
    DWORD bytes1 = 0, bytes2 = 0;
    EXPECT_EQ(primary->Lock(0, 4, &region1, &bytes1, &region2, &bytes2, 0), DSERR_INVALIDCALL);
}

// 8-bit samples are centred on 128 and scaled to 16 bits; mono is heard on both sides; 22050 Hz
// lasts twice as many frames, its level kept away from the sound's edges.
TEST_F(SoundBufferTest, BytesAreHeardInTheMixFormat) {
    IDirectSoundBuffer* eight = Filled(Pcm(1, 44100, 8), {0x80, 0xC0, 0x40, 0xFF, 0x00});
    ASSERT_NE(eight, nullptr);
    eight->SetCurrentPosition(0);
    eight->Play(0, 0, 0);
    EXPECT_EQ(HeadlessAudio::Render(6), (std::vector<int16_t>{0, 0, 16384, 16384, -16384, -16384,
                                                              32512, 32512, -32768, -32768, 0, 0}));

    std::vector<uint8_t> frames;
    for (int i = 0; i < 200; ++i)
        frames.insert(frames.end(), {0xE8, 0x03, 0x18, 0xFC});  // 1000, -1000
    IDirectSoundBuffer* half = Filled(Pcm(2, 22050, 16), frames);
    ASSERT_NE(half, nullptr);
    half->SetCurrentPosition(0);
    half->Play(0, 0, 0);
    const std::vector<int16_t> whole = HeadlessAudio::Render(401);
    for (size_t i = 64; i < 336; ++i) {
        ASSERT_EQ(whole[i * 2], 1000) << i;
        ASSERT_EQ(whole[i * 2 + 1], -1000) << i;
    }
    EXPECT_NE(whole[399 * 2], 0);
    EXPECT_EQ(whole[400 * 2], 0);

    // A position set in bytes counts in the buffer's own frames: byte 400 is frame 100, heard
    // from mix frame 200 on.
    half->SetCurrentPosition(400);
    half->Play(0, 0, 0);
    EXPECT_EQ(HeadlessAudio::Render(201),
              std::vector<int16_t>(whole.begin() + 400, whole.begin() + 802));
    EXPECT_EQ(half->SetCurrentPosition(800), DSERR_INVALIDPARAM);
}

TEST(SoundObject, NoDeviceNoObject) {
    HeadlessAudio::Reset();
    HeadlessAudio::SetDeviceAvailable(false);
    IDirectSound* sound = reinterpret_cast<IDirectSound*>(1);
    EXPECT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(sound, nullptr);
    HeadlessAudio::Reset();
}

}  // namespace
