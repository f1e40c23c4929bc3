// The program's entry point, its start-up and shut-down order, and the message loop that runs the
// current screen's per-frame procedure.
#pragma once

#include <cstdint>

#include "platform/win_types.h"

using StateProcedure = void (*)();

// The per-frame procedure of the screen that is showing; null ends the program.
extern StateProcedure StateProc;
extern uint8_t IsEnglish;
extern DWORD AppActive;
extern uint8_t WasDeactivated;
extern HINSTANCE AppInstance;

int WinMain(HINSTANCE instance, HINSTANCE previous, char* commandLine, int showCommand);
// Handles messages and runs the screens until the quit message; returns its exit code.
int RunMessageLoop();
// German of any country (the primary language of the id is German).
int IsGermanLanguage(LANGID language);
void StartUp(HINSTANCE instance, int showCommand);
void ShutDown();
// 1 while the key is down at the moment of the call.
int IsKeyDown(int virtualKey);
