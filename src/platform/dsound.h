// Our DirectSound: a sound object over the shared output device, a primary buffer that is only
// held, and static secondary buffers of PCM sound (8 or 16 bits, mono or stereo, any rate from
// 100 to 100000 Hz) that are filled through Lock/Unlock and played once. Each buffer is one voice;
// different buffers sound together. Result codes and flags keep their documented values.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/audio_mixer.h"
#include "platform/win_types.h"

constexpr HRESULT DS_OK = 0;
constexpr HRESULT DSERR_GENERIC = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT DSERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT DSERR_INVALIDPARAM = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DSERR_INVALIDCALL = static_cast<HRESULT>(0x88780032u);
constexpr HRESULT DSERR_BADFORMAT = static_cast<HRESULT>(0x88780064u);
constexpr HRESULT DSERR_NODRIVER = static_cast<HRESULT>(0x88780078u);

constexpr DWORD DSSCL_NORMAL = 0x01;

constexpr DWORD DSBCAPS_PRIMARYBUFFER = 0x01;
constexpr DWORD DSBCAPS_STATIC = 0x02;
constexpr DWORD DSBCAPS_CTRLFREQUENCY = 0x20;
constexpr DWORD DSBCAPS_CTRLPAN = 0x40;
constexpr DWORD DSBCAPS_CTRLVOLUME = 0x80;

constexpr WORD WAVE_FORMAT_PCM = 1;
constexpr DWORD DSBFREQUENCY_MIN = 100;
constexpr DWORD DSBFREQUENCY_MAX = 100000;

// The sound format as a WAV file's "fmt " chunk stores it: packed, so that it can be read where
// it lies inside a file image.
#pragma pack(push, 1)
struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18);

struct DSBUFFERDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    WAVEFORMATEX* lpwfxFormat;
};

class IDirectSound;

class IDirectSoundBuffer {
public:
    // One or two regions of the buffer's bytes, from offset for the given count; the second
    // region is the part that wraps round to the buffer's start.
    HRESULT Lock(DWORD offset, DWORD bytes, void** region1, DWORD* bytes1, void** region2,
                 DWORD* bytes2, DWORD flags);
    // Ends a lock; the sound is converted for the mix here, once.
    HRESULT Unlock(void* region1, DWORD bytes1, void* region2, DWORD bytes2);
    // The play cursor, in bytes; it moves a playing voice too.
    HRESULT SetCurrentPosition(DWORD position);
    // Plays the buffer once from the position last set; while it plays, it starts again there.
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags);
    DWORD AddRef();
    DWORD Release();

private:
    friend class IDirectSound;
    IDirectSoundBuffer() = default;
    ~IDirectSoundBuffer();
    void Convert();

    bool primary_ = false;
    WAVEFORMATEX format_{};
    std::vector<uint8_t> bytes_;   // as the game wrote them
    std::vector<int16_t> frames_;  // the same sound in the mix format
    size_t cursor_ = 0;            // in mix frames
    bool locked_ = false;
    bool voiceAdded_ = false;
    AudioMixer::Voice voice_;
    DWORD refs_ = 1;
};

class IDirectSound {
public:
    HRESULT SetCooperativeLevel(HWND window, DWORD level);
    HRESULT CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer, void* outer);
    DWORD Release();

private:
    friend HRESULT DirectSoundCreate(void*, IDirectSound**, void*);
    IDirectSound() = default;
    ~IDirectSound() = default;
    DWORD refs_ = 1;
};

// Fails with DSERR_NODRIVER when there is no output device; the game then stays silent.
HRESULT DirectSoundCreate(void* deviceGuid, IDirectSound** object, void* outer);
