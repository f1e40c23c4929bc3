#include "app/window_proc.h"

#include <cstdio>

#include "app/main_loop.h"
#include "audio/effects.h"
#include "audio/music.h"
#include "display/display.h"
#include "game/monsters.h"
#include "image/screen_dump.h"
#include "platform/win_api.h"

int32_t DumpCounter = 0;

namespace {

constexpr const char* EnglishHelpCaption = "Trazo - Help";
constexpr const char* EnglishHelpText =
    "Trazo for Windows 95\n\nFill the screen to 75%! But don't move in the way of a monster and "
    "don't cross your own line ...\n\nControlkeys:\n\nESC\texit game\nF1\thelp\nF2\tslower/faster "
    "graphics\nF8\tmusic on/off\nF9\tsoundeffects on/off\nF11\tsave screendump\ncursorkeys to "
    "move\np\tpause game\n";
constexpr const char* GermanHelpCaption = "Trazo - Hilfe";
constexpr const char* GermanHelpText =
    "Trazo f\xFCr Windows 95\n\nF\xFCllen Sie den Bildschirm zu 75%! Treffen Sie dabei nicht "
    "ihren eigenen Weg oder ein Monster ...\n\nFunktionstasten im Spiel:\n\nESC\tSpiel "
    "abbrechen\nF1\tHilfe\nF2\tlangsame/schnelle Grafik\nF8\tMusik an/aus\nF9\tSoundeffekte "
    "an/aus\nF11\tScreenshot speichern\nCursortasten um zu steuern\np\tSpielpause\n";

void SaveScreenDump() {
    // Sixteen bytes hold every number up to 999999; beyond that no dump is written rather than
    // overflowing the name.
    char name[16];
    const int length = std::snprintf(name, sizeof name, "TZDMP%3.3d.BMP", DumpCounter);
    ++DumpCounter;
    if (length < 0 || length >= static_cast<int>(sizeof name)) return;
    WriteScreenDump(name, FrontBuffer, nullptr);
}

void HandleHotKey(WPARAM key) {
    switch (key) {
    case VK_F1: ShowHelpBox(); break;
    case VK_F2: FastGraphics = static_cast<uint8_t>(~FastGraphics); break;
    case VK_F8:
        if (MusicOff == 0) {
            StopMusic();
            MusicOff = 1;
        } else {
            MusicOff = 0;
            PlayGameMusic();
        }
        break;
    case VK_F9: EffectsOff = static_cast<uint8_t>(~EffectsOff); break;
    case VK_F11: SaveScreenDump(); break;
    default: break;
    }
}

}  // namespace

LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY: PostQuitMessage(0); break;
    case WM_ACTIVATEAPP:
        AppActive = static_cast<DWORD>(wParam);
        if (wParam != 0 && WasDeactivated) {
            if (FrontBuffer) FrontBuffer->Restore();
            if (BackBuffer) BackBuffer->Restore();
        }
        if (wParam == 0) WasDeactivated = 1;
        break;
    case WM_SETCURSOR: SetCursor(nullptr); break;
    case WM_KEYDOWN: HandleHotKey(wParam); break;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void ShowHelpBox() {
    if (DisplayObject) DisplayObject->FlipToGDISurface();
    ShowCursor(1);
    if (IsEnglish)
        MessageBoxA(AppWindow, EnglishHelpText, EnglishHelpCaption, MB_ICONQUESTION);
    else
        MessageBoxA(AppWindow, GermanHelpText, GermanHelpCaption, MB_ICONQUESTION);
    ShowCursor(0);
}
