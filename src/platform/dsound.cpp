#include "platform/dsound.h"

#include <cstring>

#include "platform/pcm_convert.h"

namespace {

// The longest sound a buffer may hold once converted: about six minutes of the mix. A format of
// a very low rate could otherwise ask for gigabytes.
constexpr size_t MaxMixFrames = size_t{1} << 24;
constexpr DWORD MaxBufferBytes = 0x0FFFFFFF;

bool Playable(const WAVEFORMATEX& format) {
    if (format.wFormatTag != WAVE_FORMAT_PCM) return false;
    if (format.nChannels != 1 && format.nChannels != 2) return false;
    if (format.wBitsPerSample != 8 && format.wBitsPerSample != 16) return false;
    if (format.nBlockAlign != format.nChannels * format.wBitsPerSample / 8) return false;
    return format.nSamplesPerSec >= DSBFREQUENCY_MIN && format.nSamplesPerSec <= DSBFREQUENCY_MAX;
}

PcmFormat PcmOf(const WAVEFORMATEX& format) {
    return PcmFormat{format.nChannels, format.wBitsPerSample, format.nSamplesPerSec};
}

}  // namespace

HRESULT DirectSoundCreate(void*, IDirectSound** object, void*) {
    if (object == nullptr) return DSERR_INVALIDPARAM;
    *object = nullptr;
    if (!AudioMixer::AcquireDevice()) return DSERR_NODRIVER;
    *object = new IDirectSound();
    return DS_OK;
}

HRESULT IDirectSound::SetCooperativeLevel(HWND, DWORD level) {
    return level == DSSCL_NORMAL ? DS_OK : DSERR_INVALIDPARAM;
}

HRESULT IDirectSound::CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer,
                                        void*) {
    if (buffer == nullptr) return DSERR_INVALIDPARAM;
    *buffer = nullptr;
    if (desc == nullptr) return DSERR_INVALIDPARAM;

    if (desc->dwFlags & DSBCAPS_PRIMARYBUFFER) {
        // The primary buffer is the device's own output: it is held, never filled or played.
        if (desc->dwBufferBytes != 0 || desc->lpwfxFormat != nullptr) return DSERR_INVALIDPARAM;
        auto* primary = new IDirectSoundBuffer();
        primary->primary_ = true;
        *buffer = primary;
        return DS_OK;
    }

    if (desc->lpwfxFormat == nullptr) return DSERR_INVALIDPARAM;
    WAVEFORMATEX format;
    std::memcpy(&format, desc->lpwfxFormat, sizeof format);
    if (!Playable(format)) return DSERR_BADFORMAT;
    if (desc->dwBufferBytes == 0 || desc->dwBufferBytes > MaxBufferBytes) return DSERR_INVALIDPARAM;
    const size_t frames = desc->dwBufferBytes / format.nBlockAlign;
    if (MixFramesFor(frames, format.nSamplesPerSec) > MaxMixFrames) return DSERR_OUTOFMEMORY;

    auto* secondary = new IDirectSoundBuffer();
    secondary->format_ = format;
    secondary->bytes_.assign(desc->dwBufferBytes, format.wBitsPerSample == 8 ? 0x80 : 0x00);
    if (!AudioMixer::AddVoice(&secondary->voice_)) {
        delete secondary;
        return DSERR_OUTOFMEMORY;
    }
    secondary->voiceAdded_ = true;
    secondary->Convert();
    *buffer = secondary;
    return DS_OK;
}

DWORD IDirectSound::Release() {
    if (--refs_ > 0) return refs_;
    AudioMixer::ReleaseDevice();
    delete this;
    return 0;
}

IDirectSoundBuffer::~IDirectSoundBuffer() {
    if (voiceAdded_) AudioMixer::RemoveVoice(&voice_);
}

void IDirectSoundBuffer::Convert() {
    std::vector<int16_t> frames = ConvertToMix(PcmOf(format_), bytes_.data(), bytes_.size());
    AudioMixer::SetVoiceSound(&voice_, frames.data(), frames.size() / AudioMixer::Channels);
    // The mixer now reads the new frames; the old ones go when this function returns.
    frames_.swap(frames);
}

HRESULT IDirectSoundBuffer::Lock(DWORD offset, DWORD bytes, void** region1, DWORD* bytes1,
                                 void** region2, DWORD* bytes2, DWORD) {
    if (region1 == nullptr || bytes1 == nullptr) return DSERR_INVALIDPARAM;
    *region1 = nullptr;
    *bytes1 = 0;
    if (region2) *region2 = nullptr;
    if (bytes2) *bytes2 = 0;
    if (primary_ || locked_) return DSERR_INVALIDCALL;
    const DWORD size = static_cast<DWORD>(bytes_.size());
    if (offset >= size || bytes == 0 || bytes > size) return DSERR_INVALIDPARAM;

    const DWORD first = bytes < size - offset ? bytes : size - offset;
    const DWORD second = bytes - first;
    if (second != 0 && (region2 == nullptr || bytes2 == nullptr)) return DSERR_INVALIDPARAM;
    *region1 = bytes_.data() + offset;
    *bytes1 = first;
    if (second != 0) {
        *region2 = bytes_.data();
        *bytes2 = second;
    }
    locked_ = true;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Unlock(void*, DWORD, void*, DWORD) {
    if (!locked_) return DSERR_INVALIDCALL;
    locked_ = false;
    Convert();
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetCurrentPosition(DWORD position) {
    if (primary_) return DSERR_INVALIDCALL;
    if (position >= bytes_.size()) return DSERR_INVALIDPARAM;
    cursor_ = MixFrameAt(position / format_.nBlockAlign, format_.nSamplesPerSec);
    AudioMixer::SetVoicePosition(&voice_, cursor_);
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Play(DWORD, DWORD, DWORD) {
    if (primary_) return DSERR_INVALIDCALL;
    AudioMixer::StartVoice(&voice_, cursor_);
    return DS_OK;
}

DWORD IDirectSoundBuffer::AddRef() { return ++refs_; }

DWORD IDirectSoundBuffer::Release() {
    if (--refs_ > 0) return refs_;
    delete this;
    return 0;
}
