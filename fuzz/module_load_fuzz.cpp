// A module loaded from any bytes in memory, as ALoadModuleFile loads what it read from a file,
// and, when it loads, played for a moment into the mix.
#include <cstdint>

#include "platform/headless_audio.h"
#include "platform/module_player.h"

namespace {

bool Ready() {
    static const bool ready = [] {
        AInitialize();
        const AudioDeviceRecord device{AnyAudioDevice, 0x0101, 44100};
        return AOpenAudio(&device) == MODULE_OK;
    }();
    return ready;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Ready();
    ModuleRecord* module = nullptr;
    if (ALoadModuleMemory(data, size, &module) != MODULE_OK) return 0;
    if (AOpenVoices(module->trackCount) == MODULE_OK && APlayModule(module) == MODULE_OK)
        HeadlessAudio::Render(2048);
    AStopModule();
    AFreeModuleFile(module);
    return 0;
}
