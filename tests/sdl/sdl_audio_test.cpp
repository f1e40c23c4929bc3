// The SDL output device with SDL's dummy audio driver: its callback pulls the mix on SDL's own
// thread, and without a driver the sound object and the module library find no device.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "../audio/audio_test_support.h"
#include "audio/effects.h"
#include "audio/music.h"
#include "platform/audio_backend.h"
#include "platform/audio_mixer.h"
#include "platform/dsound.h"
#include "platform/module_player.h"

namespace {

// A machine without a sound card still has SDL's dummy driver, unless the caller chose another.
const bool DummyDriver = setenv("SDL_AUDIODRIVER", "dummy", 0) == 0;

bool VoicePlaying(const AudioMixer::Voice& voice) {
    AudioBackend::LockDevice();
    const bool playing = voice.playing;
    AudioBackend::UnlockDevice();
    return playing;
}

TEST(SdlAudio, CallbackPlaysAVoiceToItsEnd) {
    ASSERT_TRUE(DummyDriver);
    IDirectSound* sound = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK);
    ASSERT_TRUE(AudioMixer::DeviceOpen());

    // A tenth of a second: the dummy driver plays it in about that time.
    std::vector<int16_t> frames(4410 * 2, 1000);
    AudioMixer::Voice voice;
    ASSERT_TRUE(AudioMixer::AddVoice(&voice));
    AudioMixer::SetVoiceSound(&voice, frames.data(), 4410);
    AudioMixer::StartVoice(&voice, 0);
    const Uint32 start = SDL_GetTicks();
    while (VoicePlaying(voice) && SDL_GetTicks() - start < 5000) SDL_Delay(10);
    EXPECT_FALSE(VoicePlaying(voice));
    EXPECT_EQ(voice.position, 4410u);
    AudioMixer::RemoveVoice(&voice);
    sound->Release();
    EXPECT_FALSE(AudioMixer::DeviceOpen());
}

TEST(SdlAudio, NoDriverMeansNoDevice) {
    const char* previous = std::getenv("SDL_AUDIODRIVER");
    const std::string saved = previous ? previous : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    ASSERT_FALSE(AudioMixer::DeviceOpen());

    IDirectSound* sound = reinterpret_cast<IDirectSound*>(1);
    EXPECT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(sound, nullptr);
    AInitialize();
    const AudioDeviceRecord device{AnyAudioDevice, 0x0101, 44100};
    EXPECT_EQ(AOpenAudio(&device), MODULE_ERR_NO_DEVICE);
    ResetModulePlayer();

    if (previous)
        setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");
}

// SDL's disk driver writes what the device plays: an effect, sample for sample, then the module.
TEST(SdlAudio, DiskDriverWritesEffectAndModule) {
    using namespace audio_test;
    ScratchFolder folder;
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (folder.Path() / "out.raw").c_str(), 1);
    WriteFile("CLICK.WAV", LevelWave(8000, 8820));  // 0.2 s
    WriteFile("SOUND/TITEL.MOD", SquareModule(0));

    ASSERT_TRUE(InitSound());
    LoadEffect("CLICK.WAV", &EffectBuffers[ClickEffect]);
    ASSERT_NE(EffectBuffers[ClickEffect], nullptr);
    PlayClick();
    // The module starts only once the effect has been written out, however busy the machine.
    const auto written = [&] {
        std::error_code error;
        const auto size = std::filesystem::file_size(folder.Path() / "out.raw", error);
        return error ? 0 : size;
    };
    const Uint32 start = SDL_GetTicks();
    while (written() < (8820 + 4096) * 4 + 65536 && SDL_GetTicks() - start < 10000) SDL_Delay(10);
    InitMusic();
    PlayTitleMusic();
    ASSERT_NE(CurrentModule, nullptr);
    SDL_Delay(500);
    ShutdownMusic();
    ReleaseEffects();
    ASSERT_FALSE(AudioMixer::DeviceOpen());
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    const Bytes raw = ReadFile("out.raw");
    std::vector<int16_t> samples(raw.size() / 2);
    std::memcpy(samples.data(), raw.data(), samples.size() * 2);
    size_t run = 0, longest = 0, other = 0;
    for (int16_t sample : samples) {
        run = sample == 8000 ? run + 1 : 0;
        longest = std::max(longest, run);
        if (sample != 0 && sample != 8000) ++other;
    }
    EXPECT_EQ(longest, 8820u * 2);
    EXPECT_GT(other, 44100u / 4);  // the module's square wave
}

}  // namespace
