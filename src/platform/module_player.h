// Our module-music library: the A... calls the game makes, over libxmp. One module plays at a
// time, in the background, mixed with the effects into the shared output device. A module is
// read whole from a file by the game's name, starting at a byte position inside that file (a
// module may be an entry of an archive), and rendered from memory.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win_types.h"

// Results: 0 is success.
constexpr UINT MODULE_OK = 0;
constexpr UINT MODULE_ERR_NOT_READY = 1;   // AInitialize / AOpenAudio / AOpenVoices missing
constexpr UINT MODULE_ERR_BAD_VALUE = 2;   // an argument out of range
constexpr UINT MODULE_ERR_NO_DEVICE = 3;   // no output device: modules play silently
constexpr UINT MODULE_ERR_NO_FILE = 4;     // the file does not open, or the position is past it
constexpr UINT MODULE_ERR_BAD_MODULE = 5;  // libxmp does not know the data
constexpr UINT MODULE_ERR_NO_VOICES = 6;   // fewer voices open than the module has tracks

// The output the game asks for: 8 bytes, device, format bits, rate.
struct AudioDeviceRecord {
    uint32_t device;
    uint16_t formatBits;
    uint16_t sampleRate;
};
static_assert(sizeof(AudioDeviceRecord) == 8);

constexpr uint32_t AnyAudioDevice = 0xFFFF;
constexpr uint16_t AudioFormat16Bits = 0x0001;
constexpr uint16_t AudioFormatStereo = 0x0100;

constexpr UINT MaxModuleVoices = 32;

// A loaded module. The game reads the track count, an unsigned 16-bit value at byte 38; the rest
// is the library's own.
struct ModuleRecord {
    char name[32];
    uint16_t orderCount;
    uint16_t patternCount;
    uint16_t instrumentCount;
    uint16_t trackCount;  // the channels the module plays on
    uint16_t sampleCount;
    void* player;  // the libxmp context holding the module
};
static_assert(offsetof(ModuleRecord, trackCount) == 38);

UINT AInitialize();
UINT AOpenAudio(const AudioDeviceRecord* device);
UINT ALoadModuleFile(const char* fileName, ModuleRecord** module, DWORD position);
UINT AOpenVoices(UINT voices);
UINT ASetModuleVolume(UINT volume);  // 0 to 64
UINT APlayModule(ModuleRecord* module);
UINT AStopModule();
UINT AFreeModuleFile(ModuleRecord* module);
UINT ACloseVoices();
UINT ACloseAudio();

// Loads a module from bytes in memory, as ALoadModuleFile does once it has read the file.
UINT ALoadModuleMemory(const uint8_t* bytes, size_t size, ModuleRecord** module);

// Back to the state before AInitialize, output closed; for the tests. Loaded modules stay the
// caller's to free.
void ResetModulePlayer();
