#include "platform/audio_mixer.h"

#include <algorithm>
#include <array>

#include "platform/audio_backend.h"

namespace AudioMixer {

namespace {

struct State {
    int deviceUsers = 0;
    bool deviceOpen = false;
    std::array<Voice*, MaxVoices> voices{};
    ModuleSource module = nullptr;
    void* moduleContext = nullptr;
    int moduleVolume = 64;
};

State S;

// The mix is built in blocks: the device asks for at most 1024 frames, the headless renderer for
// any number.
constexpr int BlockFrames = 1024;

class DeviceLock {
public:
    DeviceLock() { AudioBackend::LockDevice(); }
    ~DeviceLock() { AudioBackend::UnlockDevice(); }
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;
};

void MixBlock(int16_t* out, int frames) {
    std::array<int32_t, BlockFrames * Channels> sum{};
    const int samples = frames * Channels;

    if (S.module) {
        std::array<int16_t, BlockFrames * Channels> music{};
        if (!S.module(S.moduleContext, music.data(), frames)) S.module = nullptr;
        for (int i = 0; i < samples; ++i) sum[i] = music[i] * S.moduleVolume / 64;
    }

    for (Voice* voice : S.voices) {
        if (voice == nullptr || !voice->playing) continue;
        const size_t left = voice->frameCount - std::min(voice->position, voice->frameCount);
        const int count = static_cast<int>(std::min<size_t>(left, static_cast<size_t>(frames)));
        if (count > 0) {
            const int16_t* from = voice->frames + voice->position * Channels;
            for (int i = 0; i < count * Channels; ++i) sum[i] += from[i];
            voice->position += static_cast<size_t>(count);
        }
        // A voice plays once: at its end it stops, and stays where it stopped.
        if (voice->position >= voice->frameCount) voice->playing = false;
    }

    for (int i = 0; i < samples; ++i)
        out[i] = static_cast<int16_t>(std::clamp<int32_t>(sum[i], INT16_MIN, INT16_MAX));
}

}  // namespace

bool AcquireDevice() {
    if (S.deviceUsers == 0) S.deviceOpen = AudioBackend::OpenDevice();
    if (!S.deviceOpen) return false;
    ++S.deviceUsers;
    return true;
}

void ReleaseDevice() {
    if (S.deviceUsers == 0) return;
    if (--S.deviceUsers > 0) return;
    AudioBackend::CloseDevice();
    S.deviceOpen = false;
}

bool DeviceOpen() { return S.deviceOpen; }

bool AddVoice(Voice* voice) {
    DeviceLock lock;
    for (Voice*& slot : S.voices) {
        if (slot == voice) return true;
        if (slot == nullptr) {
            slot = voice;
            return true;
        }
    }
    return false;
}

void RemoveVoice(Voice* voice) {
    DeviceLock lock;
    for (Voice*& slot : S.voices)
        if (slot == voice) slot = nullptr;
    voice->playing = false;
}

void StartVoice(Voice* voice, size_t position) {
    DeviceLock lock;
    voice->position = position;
    voice->playing = position < voice->frameCount;
}

void SetVoicePosition(Voice* voice, size_t position) {
    DeviceLock lock;
    voice->position = position;
}

void SetVoiceSound(Voice* voice, const int16_t* frames, size_t frameCount) {
    DeviceLock lock;
    voice->frames = frames;
    voice->frameCount = frameCount;
    if (voice->position >= frameCount) voice->playing = false;
}

void SetModule(ModuleSource source, void* context, int volume) {
    DeviceLock lock;
    S.module = source;
    S.moduleContext = context;
    S.moduleVolume = std::clamp(volume, 0, 64);
}

void SetModuleVolume(int volume) {
    DeviceLock lock;
    S.moduleVolume = std::clamp(volume, 0, 64);
}

void ClearModule() {
    DeviceLock lock;
    S.module = nullptr;
    S.moduleContext = nullptr;
}

void Mix(int16_t* out, int frames) {
    while (frames > 0) {
        const int block = std::min(frames, BlockFrames);
        MixBlock(out, block);
        out += block * Channels;
        frames -= block;
    }
}

}  // namespace AudioMixer
