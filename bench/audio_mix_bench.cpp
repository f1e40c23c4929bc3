// The cost of mixing one second of sound: a module playing and six effects sounding at once, as
// a fraction of real time: the time per iteration is the time one second of sound costs, so
// 20 ms would be 2 % of one core.
//   build/bench/audio_mix_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/audio_mixer.h"
#include "platform/dsound.h"
#include "platform/headless_audio.h"
#include "platform/module_player.h"
#include "platform/pcm_convert.h"

namespace {

constexpr int BlockFrames = 1024;  // what the SDL device asks for at a time

// A module with something on every channel: a real ProTracker module where one is installed,
// otherwise a square wave on four channels.
std::vector<uint8_t> ModuleBytes() {
    const char* real = "/usr/share/games/tecnoballz/musics/tecnoballz.mod";
    if (std::filesystem::exists(real)) {
        std::ifstream file(real, std::ios::binary);
        return std::vector<uint8_t>((std::istreambuf_iterator<char>(file)),
                                    std::istreambuf_iterator<char>());
    }
    std::vector<uint8_t> out(20 + 31 * 30 + 2 + 128 + 4 + 1024 + 64, 0);
    uint8_t* sample = out.data() + 20;
    sample[23] = 32;
    sample[25] = 64;
    sample[29] = 32;
    out[20 + 31 * 30] = 1;
    out[20 + 31 * 30 + 1] = 127;
    std::memcpy(out.data() + 20 + 31 * 30 + 130, "M.K.", 4);
    uint8_t* pattern = out.data() + 20 + 31 * 30 + 134;
    for (int channel = 0; channel < 4; ++channel) {
        pattern[channel * 4 + 0] = 0x01;
        pattern[channel * 4 + 1] = static_cast<uint8_t>(0xAC + channel * 8);
        pattern[channel * 4 + 2] = 0x10;
    }
    for (int i = 0; i < 64; ++i) out[out.size() - 64 + i] = i < 32 ? 100 : 156;
    return out;
}

// Six effects of the kinds a game brings: 8- and 16-bit, mono and stereo, 11025 to 44100 Hz.
IDirectSoundBuffer* MakeEffect(IDirectSound* sound, int channels, int bits, DWORD rate) {
    const WORD block = static_cast<WORD>(channels * bits / 8);
    WAVEFORMATEX format{1,     static_cast<WORD>(channels), rate, rate * block,
                        block, static_cast<WORD>(bits),     0};
    const DWORD bytes = rate * block;  // one second
    DSBUFFERDESC desc{20, 0xE2, bytes, 0, &format};
    IDirectSoundBuffer* buffer = nullptr;
    sound->CreateSoundBuffer(&desc, &buffer, nullptr);
    void *region1 = nullptr, *region2 = nullptr;
    DWORD bytes1 = 0, bytes2 = 0;
    buffer->Lock(0, bytes, &region1, &bytes1, &region2, &bytes2, 0);
    auto* out = static_cast<uint8_t*>(region1);
    for (DWORD i = 0; i < bytes1; ++i) out[i] = static_cast<uint8_t>(i * 7);
    buffer->Unlock(region1, bytes1, region2, bytes2);
    return buffer;
}

// Every effect from its start, then one second of the mix in device-sized blocks.
void StartEffectsAndMixOneSecond(IDirectSoundBuffer* const (&effects)[6],
                                 std::vector<int16_t>& out) {
    for (IDirectSoundBuffer* effect : effects) {
        effect->SetCurrentPosition(0);
        effect->Play(0, 0, 0);
    }
    for (int done = 0; done < AudioMixer::SampleRate; done += BlockFrames) {
        AudioMixer::Mix(out.data(), BlockFrames);
        benchmark::DoNotOptimize(out.data());
    }
}

void MixOneSecond(benchmark::State& state) {
    HeadlessAudio::Reset();
    IDirectSound* sound = nullptr;
    DirectSoundCreate(nullptr, &sound, nullptr);
    IDirectSoundBuffer* effects[6] = {
        MakeEffect(sound, 1, 8, 11025),  MakeEffect(sound, 1, 8, 22050),
        MakeEffect(sound, 1, 16, 22050), MakeEffect(sound, 2, 16, 44100),
        MakeEffect(sound, 2, 8, 11025),  MakeEffect(sound, 1, 16, 44100)};

    AInitialize();
    const AudioDeviceRecord device{AnyAudioDevice, 0x0101, 44100};
    AOpenAudio(&device);
    const std::vector<uint8_t> bytes = ModuleBytes();
    ModuleRecord* module = nullptr;
    if (ALoadModuleMemory(bytes.data(), bytes.size(), &module) != MODULE_OK) {
        state.SkipWithError("the module does not load");
        return;
    }
    AOpenVoices(module->trackCount);
    ASetModuleVolume(48);
    APlayModule(module);

    std::vector<int16_t> out(BlockFrames * AudioMixer::Channels);
    for (auto _ : state) {
        StartEffectsAndMixOneSecond(effects, out);
    }

    AStopModule();
    AFreeModuleFile(module);
    ACloseVoices();
    ACloseAudio();
    for (IDirectSoundBuffer* effect : effects) effect->Release();
    sound->Release();
}
BENCHMARK(MixOneSecond)->Unit(benchmark::kMillisecond)->UseRealTime();

// The module alone, and the effects alone, to see where the time goes.
void MixEffectsOnly(benchmark::State& state) {
    HeadlessAudio::Reset();
    IDirectSound* sound = nullptr;
    DirectSoundCreate(nullptr, &sound, nullptr);
    IDirectSoundBuffer* effects[6];
    for (IDirectSoundBuffer*& effect : effects) effect = MakeEffect(sound, 2, 16, 44100);
    std::vector<int16_t> out(BlockFrames * AudioMixer::Channels);
    for (auto _ : state) {
        StartEffectsAndMixOneSecond(effects, out);
    }
    for (IDirectSoundBuffer* effect : effects) effect->Release();
    sound->Release();
}
BENCHMARK(MixEffectsOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

// What loading costs once per effect: one second of sound at another rate than the mix's,
// resampled to 44100 Hz (argument: the source rate).
void ConvertOneSecond(benchmark::State& state) {
    const PcmFormat format{1, 16, static_cast<uint32_t>(state.range(0))};
    std::vector<uint8_t> bytes(format.rate * 2);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
    for (auto _ : state) {
        std::vector<int16_t> mix = ConvertToMix(format, bytes.data(), bytes.size());
        benchmark::DoNotOptimize(mix.data());
    }
}
BENCHMARK(ConvertOneSecond)
    ->Arg(11025)
    ->Arg(22050)
    ->Arg(22051)
    ->Arg(48000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
