#include "audio/music.h"

#include <cstdio>

#include "archive/data_files.h"
#include "display/display.h"
#include "display/surface.h"
#include "platform/files.h"
#include "platform/win_api.h"

uint8_t MusicOff = 0;
ModuleRecord* CurrentModule = nullptr;

namespace {

// The default device, 16-bit stereo, 44100 Hz.
const AudioDeviceRecord MusicDevice{AnyAudioDevice, AudioFormat16Bits | AudioFormatStereo, 44100};
static_assert((AudioFormat16Bits | AudioFormatStereo) == 0x0101);

constexpr UINT TitleVolume = 48;
constexpr UINT GameVolume = 48;
constexpr UINT ExitVolume = 64;

// Asks whether to go on without music; Cancel ends the program.
void AskToGoOn(const char* text) {
    if (DisplayObject) DisplayObject->FlipToGDISurface();
    if (MessageBoxA(nullptr, text, "MOD", MB_OKCANCEL) == IDCANCEL) PostQuitMessage(0);
}

void StartMusic(const char* looseName, const char* lookupName, UINT volume) {
    if (MusicOff != 0) return;
    if (CurrentModule) {
        AStopModule();
        AFreeModuleFile(CurrentModule);
        CurrentModule = nullptr;
    }

    const char* fileName = looseName;
    DWORD position = 0;
    if (FILE* loose = OpenGameFile(looseName, "rb")) {
        std::fclose(loose);
    } else {
        FILE* found = OpenDataFile(lookupName);
        if (found == nullptr) return;
        position = EntryOffset;
        std::fclose(found);
        // Wherever the lookup found it, the module is read from AUDIO.ONE at that position.
        fileName = "AUDIO.ONE";
    }

    if (ALoadModuleFile(fileName, &CurrentModule, position) != MODULE_OK) {
        CurrentModule = nullptr;
        AskToGoOn("Unable to load music!");
        // No module to give voices to or to play: the game goes on without music.
        return;
    }
    AOpenVoices(CurrentModule->trackCount);
    ASetModuleVolume(volume);
    if (APlayModule(CurrentModule) != MODULE_OK) {
        AskToGoOn("Unable to play music!");
        // The module that would not play is freed rather than lost.
        AFreeModuleFile(CurrentModule);
        CurrentModule = nullptr;
    }
}

}  // namespace

void InitMusic() {
    AInitialize();
    AOpenAudio(&MusicDevice);
}

void PlayTitleMusic() { StartMusic("SOUND\\TITEL.MOD", "TITEL.MOD", TitleVolume); }
void PlayGameMusic() { StartMusic("SOUND\\SPIEL.MOD", "SPIEL.MOD", GameVolume); }
void PlayExitMusic() { StartMusic("SOUND\\WERBE.MOD", "WERBE.MOD", ExitVolume); }

void StopMusic() {
    if (CurrentModule == nullptr) return;
    AStopModule();
    AFreeModuleFile(CurrentModule);
    ACloseVoices();
    CurrentModule = nullptr;
}

void ShutdownMusic() {
    if (CurrentModule == nullptr) return;
    StopMusic();
    ACloseAudio();
}
