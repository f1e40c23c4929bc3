#include "audio/effects.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "audio/wave_file.h"
#include "display/display.h"

uint8_t EffectsOff = 0;
IDirectSound* SoundObject = nullptr;
IDirectSoundBuffer* PrimaryBuffer = nullptr;
IDirectSoundBuffer* EffectBuffers[EffectCount] = {};

namespace {

constexpr const char* EffectFiles[EffectCount] = {"CLICK.WAV", "MONSTER.WAV", "GEFUELLT.WAV",
                                                  "LOS.WAV",   "TOT.WAV",     "LEBEN.WAV"};

// The size the buffer description has always been given.
constexpr DWORD BufferDescSize = 20;
constexpr DWORD EffectBufferFlags =
    DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
static_assert(EffectBufferFlags == 0xE2);

void PlayEffect(Effect effect) {
    IDirectSoundBuffer* buffer = EffectBuffers[effect];
    if (EffectsOff != 0 || buffer == nullptr) return;
    buffer->SetCurrentPosition(0);
    buffer->Play(0, 0, 0);
}

}  // namespace

bool InitSound() {
    if (DirectSoundCreate(nullptr, &SoundObject, nullptr) != DS_OK) {
        SoundObject = nullptr;
        return false;
    }
    SoundObject->SetCooperativeLevel(AppWindow, DSSCL_NORMAL);
    DSBUFFERDESC desc{BufferDescSize, DSBCAPS_PRIMARYBUFFER, 0, 0, nullptr};
    SoundObject->CreateSoundBuffer(&desc, &PrimaryBuffer, nullptr);
    return true;
}

void LoadEffect(const char* name, IDirectSoundBuffer** buffer) {
    if (SoundObject == nullptr) return;
    WaveInfo info;
    uint8_t* image = ReadWaveFile(name, &info);
    if (image == nullptr) return;

    // A "fmt " chunk may be shorter than the format record: what the file lacks reads as 0, so
    // the record never reaches beyond the chunk.
    WAVEFORMATEX format{};
    std::memcpy(&format, info.format, std::min<size_t>(info.formatSize, sizeof format));
    DSBUFFERDESC desc{BufferDescSize, EffectBufferFlags, info.dataSize, 0, &format};
    if (SoundObject->CreateSoundBuffer(&desc, buffer, nullptr) != DS_OK || *buffer == nullptr) {
        *buffer = nullptr;
        std::free(image);
        return;
    }

    void* region1 = nullptr;
    void* region2 = nullptr;
    DWORD bytes1 = 0;
    DWORD bytes2 = 0;
    if ((*buffer)->Lock(0, info.dataSize, &region1, &bytes1, &region2, &bytes2, 0) != DS_OK) {
        std::free(image);
        return;
    }
    std::memcpy(region1, info.data, bytes1);
    if (bytes2 != 0) std::memcpy(region2, info.data + bytes1, bytes2);
    std::free(image);
    (*buffer)->Unlock(region1, bytes1, region2, bytes2);
}

int LoadEffects() {
    if (!InitSound()) return 0;
    for (int i = 0; i < EffectCount; ++i) LoadEffect(EffectFiles[i], &EffectBuffers[i]);
    return 1;
}

void ReleaseSound() {
    if (PrimaryBuffer) {
        PrimaryBuffer->Release();
        PrimaryBuffer = nullptr;
    }
    if (SoundObject) {
        SoundObject->Release();
        SoundObject = nullptr;
    }
}

void ReleaseEffects() {
    for (IDirectSoundBuffer*& buffer : EffectBuffers) {
        if (buffer == nullptr) continue;
        buffer->Release();
        buffer = nullptr;
    }
    ReleaseSound();
}

void PlayClick() { PlayEffect(ClickEffect); }
void PlayFilled() { PlayEffect(FilledEffect); }
void PlayGo() { PlayEffect(GoEffect); }
void PlayDeath() { PlayEffect(DeathEffect); }
void PlayExtraLife() { PlayEffect(ExtraLifeEffect); }
