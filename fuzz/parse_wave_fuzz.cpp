// ParseWave on any bytes, then what a loaded effect goes through: the format copied as far as
// the file holds it, a static buffer of that format, the sound written into it and mixed.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "audio/wave_file.h"
#include "platform/dsound.h"
#include "platform/headless_audio.h"

namespace {

IDirectSound* Sound() {
    static IDirectSound* sound = [] {
        IDirectSound* object = nullptr;
        DirectSoundCreate(nullptr, &object, nullptr);
        return object;
    }();
    return sound;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly the input's size: any read past it is caught.
    uint8_t* image = static_cast<uint8_t*>(std::malloc(size ? size : 1));
    if (size) std::memcpy(image, data, size);
    WaveInfo info{};
    if (ParseWave(image, size, &info) == 1) {
        if (info.data < image || info.data + info.dataSize > image + size) std::abort();
        const auto* format = reinterpret_cast<const uint8_t*>(info.format);
        if (format < image || format + info.formatSize > image + size) std::abort();

        WAVEFORMATEX wave{};
        std::memcpy(&wave, info.format, std::min<size_t>(info.formatSize, sizeof wave));
        // Short sounds only, so that a low rate does not make every run a long one.
        const DWORD bytes = std::min<DWORD>(info.dataSize, 2048);
        DSBUFFERDESC desc{20, 0xE2, bytes, 0, &wave};
        IDirectSoundBuffer* buffer = nullptr;
        if (Sound() && Sound()->CreateSoundBuffer(&desc, &buffer, nullptr) == DS_OK) {
            void *region1 = nullptr, *region2 = nullptr;
            DWORD bytes1 = 0, bytes2 = 0;
            if (buffer->Lock(0, bytes, &region1, &bytes1, &region2, &bytes2, 0) == DS_OK) {
                std::memcpy(region1, info.data, bytes1);
                buffer->Unlock(region1, bytes1, region2, bytes2);
            }
            buffer->SetCurrentPosition(0);
            buffer->Play(0, 0, 0);
            HeadlessAudio::Render(2048);
            buffer->Release();
        }
    }
    std::free(image);
    return 0;
}
