// The headless back end's output device: no thread and no clock; the tests pull the mix.
#include "platform/headless_audio.h"

#include "platform/audio_backend.h"
#include "platform/audio_mixer.h"
#include "platform/module_player.h"

namespace {

struct State {
    bool available = true;
    bool open = false;
    int locks = 0;
    int depth = 0;
};

State S;

}  // namespace

namespace AudioBackend {

bool OpenDevice() {
    S.open = S.available;
    return S.open;
}

void CloseDevice() { S.open = false; }

void LockDevice() {
    ++S.locks;
    ++S.depth;
}

void UnlockDevice() { --S.depth; }

}  // namespace AudioBackend

namespace HeadlessAudio {

void Reset() {
    ResetModulePlayer();
    S.available = true;
}

void SetDeviceAvailable(bool available) { S.available = available; }

bool DeviceOpen() { return S.open; }

std::vector<int16_t> Render(int frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames > 0 ? frames : 0) * AudioMixer::Channels);
    if (S.open && frames > 0) AudioMixer::Mix(out.data(), frames);
    return out;
}

int LockCount() { return S.locks; }

}  // namespace HeadlessAudio
