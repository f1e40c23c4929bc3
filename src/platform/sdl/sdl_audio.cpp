// The SDL back end's output device: 44100 Hz, 16-bit stereo, 1024 frames a callback. The
// callback runs on SDL's audio thread and only mixes; the game thread takes the device lock for
// every change to what it mixes.
#include <SDL.h>

#include "platform/audio_backend.h"
#include "platform/audio_mixer.h"

namespace {

SDL_AudioDeviceID Device = 0;

void SDLCALL FillStream(void*, Uint8* stream, int length) {
    const int frames = length / (AudioMixer::Channels * static_cast<int>(sizeof(int16_t)));
    AudioMixer::Mix(reinterpret_cast<int16_t*>(stream), frames);
}

}  // namespace

namespace AudioBackend {

bool OpenDevice() {
    if (Device != 0) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec want{};
    want.freq = AudioMixer::SampleRate;
    want.format = AUDIO_S16SYS;
    want.channels = AudioMixer::Channels;
    want.samples = 1024;
    want.callback = FillStream;
    // No changes allowed: SDL converts to whatever the hardware wants, so the mix is always in
    // the one format.
    SDL_AudioSpec have{};
    Device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (Device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(Device, 0);
    return true;
}

void CloseDevice() {
    if (Device == 0) return;
    SDL_CloseAudioDevice(Device);
    Device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void LockDevice() {
    if (Device != 0) SDL_LockAudioDevice(Device);
}

void UnlockDevice() {
    if (Device != 0) SDL_UnlockAudioDevice(Device);
}

}  // namespace AudioBackend
