#include "platform/module_player.h"

#include <xmp.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/audio_mixer.h"
#include "platform/files.h"

namespace {

// A module file is read whole into memory; nothing the game plays comes near this size, and a
// bad archive offset cannot make the player read gigabytes.
constexpr long MaxModuleBytes = 64L << 20;
constexpr UINT MaxVolume = 64;

struct State {
    bool initialized = false;
    bool outputOpen = false;
    UINT voices = 0;
    UINT volume = MaxVolume;
    ModuleRecord* playing = nullptr;
};

State S;

xmp_context ContextOf(const ModuleRecord* module) {
    return static_cast<xmp_context>(module->player);
}

// Called by the mixer on the device's thread.
bool RenderModule(void* context, int16_t* out, int frames) {
    const int bytes = frames * AudioMixer::Channels * static_cast<int>(sizeof(int16_t));
    // Loop count 0: the module plays on until it is stopped.
    if (xmp_play_buffer(static_cast<xmp_context>(context), out, bytes, 0) == 0) return true;
    std::memset(out, 0, static_cast<size_t>(bytes));
    return false;
}

uint16_t Count16(int value) { return static_cast<uint16_t>(std::clamp(value, 0, 0xFFFF)); }

}  // namespace

UINT AInitialize() {
    S.initialized = true;
    return MODULE_OK;
}

UINT AOpenAudio(const AudioDeviceRecord* device) {
    if (!S.initialized) return MODULE_ERR_NOT_READY;
    if (device == nullptr) return MODULE_ERR_BAD_VALUE;
    // One device only, mixed at 44100 Hz, 16-bit stereo.
    if (device->device != AnyAudioDevice && device->device != 0) return MODULE_ERR_BAD_VALUE;
    if (S.outputOpen) return MODULE_OK;
    S.outputOpen = AudioMixer::AcquireDevice();
    // Without a device the library still loads and "plays" modules, into silence.
    return S.outputOpen ? MODULE_OK : MODULE_ERR_NO_DEVICE;
}

UINT ALoadModuleMemory(const uint8_t* bytes, size_t size, ModuleRecord** module) {
    if (module == nullptr) return MODULE_ERR_BAD_VALUE;
    *module = nullptr;
    if (bytes == nullptr || size == 0 || size > static_cast<size_t>(MaxModuleBytes))
        return MODULE_ERR_BAD_MODULE;
    xmp_context context = xmp_create_context();
    if (context == nullptr) return MODULE_ERR_BAD_MODULE;
    if (xmp_load_module_from_memory(context, bytes, static_cast<long>(size)) != 0) {
        xmp_free_context(context);
        return MODULE_ERR_BAD_MODULE;
    }
    xmp_module_info info;
    xmp_get_module_info(context, &info);

    auto* record = new ModuleRecord{};
    std::memcpy(record->name, info.mod->name, sizeof record->name - 1);
    record->orderCount = Count16(info.mod->len);
    record->patternCount = Count16(info.mod->pat);
    record->instrumentCount = Count16(info.mod->ins);
    record->trackCount = Count16(info.mod->chn);
    record->sampleCount = Count16(info.mod->smp);
    record->player = context;
    *module = record;
    return MODULE_OK;
}

UINT ALoadModuleFile(const char* fileName, ModuleRecord** module, DWORD position) {
    if (module == nullptr) return MODULE_ERR_BAD_VALUE;
    *module = nullptr;
    if (fileName == nullptr) return MODULE_ERR_BAD_VALUE;
    FILE* file = OpenGameFile(fileName, "rb");
    if (file == nullptr) return MODULE_ERR_NO_FILE;

    // libxmp's own file loader seeks to the file's start for every format probe, so a module
    // inside an archive is read out first and loaded from memory.
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    if (size < 0 || static_cast<unsigned long>(position) >= static_cast<unsigned long>(size) ||
        std::fseek(file, static_cast<long>(position), SEEK_SET) != 0) {
        std::fclose(file);
        return MODULE_ERR_NO_FILE;
    }
    const long length = std::min(size - static_cast<long>(position), MaxModuleBytes);
    std::vector<uint8_t> bytes(static_cast<size_t>(length));
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return ALoadModuleMemory(bytes.data(), got, module);
}

UINT AOpenVoices(UINT voices) {
    if (!S.initialized) return MODULE_ERR_NOT_READY;
    if (voices == 0 || voices > MaxModuleVoices) return MODULE_ERR_BAD_VALUE;
    // Opening again for a new module while the last one's voices are open just resizes them.
    S.voices = voices;
    return MODULE_OK;
}

UINT ASetModuleVolume(UINT volume) {
    if (volume > MaxVolume) return MODULE_ERR_BAD_VALUE;
    S.volume = volume;
    if (S.playing && S.outputOpen) AudioMixer::SetModuleVolume(static_cast<int>(volume));
    return MODULE_OK;
}

UINT APlayModule(ModuleRecord* module) {
    if (module == nullptr || module->player == nullptr) return MODULE_ERR_BAD_VALUE;
    if (!S.initialized || S.voices == 0) return MODULE_ERR_NOT_READY;
    if (module->trackCount > S.voices) return MODULE_ERR_NO_VOICES;
    AStopModule();
    // Starting the player puts the module at its beginning.
    if (xmp_start_player(ContextOf(module), AudioMixer::SampleRate, 0) != 0)
        return MODULE_ERR_BAD_MODULE;
    S.playing = module;
    if (S.outputOpen)
        AudioMixer::SetModule(RenderModule, module->player, static_cast<int>(S.volume));
    return MODULE_OK;
}

UINT AStopModule() {
    if (S.playing == nullptr) return MODULE_OK;
    // Once the mixer has let go (under the device lock), the player may end on this thread.
    AudioMixer::ClearModule();
    xmp_end_player(ContextOf(S.playing));
    S.playing = nullptr;
    return MODULE_OK;
}

UINT AFreeModuleFile(ModuleRecord* module) {
    if (module == nullptr) return MODULE_ERR_BAD_VALUE;
    if (module == S.playing) AStopModule();
    xmp_context context = ContextOf(module);
    if (context) {
        xmp_release_module(context);
        xmp_free_context(context);
    }
    delete module;
    return MODULE_OK;
}

UINT ACloseVoices() {
    AStopModule();
    S.voices = 0;
    return MODULE_OK;
}

UINT ACloseAudio() {
    AStopModule();
    if (S.outputOpen) AudioMixer::ReleaseDevice();
    S.outputOpen = false;
    return MODULE_OK;
}

void ResetModulePlayer() {
    ACloseAudio();
    S = State{};
}
