#include "app/main_loop.h"

#include "audio/effects.h"
#include "audio/music.h"
#include "display/display.h"
#include "frontend/title.h"
#include "game/monsters.h"
#include "platform/win_api.h"

StateProcedure StateProc = nullptr;
uint8_t IsEnglish = 1;
DWORD AppActive = 0;
uint8_t WasDeactivated = 0;
HINSTANCE AppInstance = nullptr;

int IsGermanLanguage(LANGID language) { return (language & 0x3FF) == LANG_GERMAN; }

int WinMain(HINSTANCE instance, HINSTANCE, char*, int showCommand) {
    AppInstance = instance;
    WasDeactivated = 0;
    IsEnglish = IsGermanLanguage(GetUserDefaultLangID()) ? 0 : 1;

    StartUp(instance, showCommand);
    ShowTitle();
    const int exitCode = RunMessageLoop();
    ShutDown();
    return exitCode;
}

int RunMessageLoop() {
    MSG msg{};
    for (;;) {
        // Messages come first: the screen runs only when the queue is empty.
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!GetMessageA(&msg, nullptr, 0, 0)) break;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        // A null procedure ends the program even while it is inactive.
        if (StateProc == nullptr)
            PostQuitMessage(0);
        else if (AppActive)
            StateProc();
        else
            WaitMessage();
    }
    return static_cast<int>(msg.wParam);
}

void StartUp(HINSTANCE instance, int showCommand) {
    if (!InitDisplay(instance, "Trazo", 16, 640, 480, showCommand)) PostQuitMessage(0);
    InitMusic();
    LoadEffects();
    PlayTitleMusic();
    FastGraphics = 0;
}

void ShutDown() {
    ShutdownMusic();
    ReleaseEffects();
    ShutDownDisplay();
}

int IsKeyDown(int virtualKey) { return GetAsyncKeyState(virtualKey) < 0 ? 1 : 0; }
