// The one mix that both sound layers feed: the module player and every playing effect voice,
// summed into a 32-bit accumulator and clamped once to 16 bits, 44100 Hz stereo. The mixer holds
// only pointers to sound that its owners keep alive; every change goes through these functions,
// which take the device lock, so the device's thread never sees half a change.
#pragma once

#include <cstddef>
#include <cstdint>

namespace AudioMixer {

constexpr int SampleRate = 44100;
constexpr int Channels = 2;

// One effect's sound, already in the mix format (interleaved stereo frames at SampleRate).
struct Voice {
    const int16_t* frames = nullptr;
    size_t frameCount = 0;
    size_t position = 0;  // next frame to play
    bool playing = false;
};

// Renders module sound into out (frames x 2 samples); returns false when the module has nothing
// more to give. Called by the mixer from the device's thread.
using ModuleSource = bool (*)(void* context, int16_t* out, int frames);

// The output device is shared by the effects and the music: opened with the first user, closed
// with the last. False when there is no device; the user then stays silent.
bool AcquireDevice();
void ReleaseDevice();
bool DeviceOpen();

// Effect voices. A voice is heard while it is registered and playing. The table has room for
// MaxVoices; AddVoice fails when it is full.
constexpr int MaxVoices = 32;
bool AddVoice(Voice* voice);
void RemoveVoice(Voice* voice);  // also stops it
void StartVoice(Voice* voice, size_t position);
void SetVoicePosition(Voice* voice, size_t position);
// Replaces the sound a voice plays; a playing voice carries on from its position, if still inside.
void SetVoiceSound(Voice* voice, const int16_t* frames, size_t frameCount);

// The module: at most one source at a time, scaled by volume/64 (0 to 64).
void SetModule(ModuleSource source, void* context, int volume);
void SetModuleVolume(int volume);
void ClearModule();

// Fills out with frames x 2 samples of the mix. The device calls this; it takes no lock.
void Mix(int16_t* out, int frames);

}  // namespace AudioMixer
