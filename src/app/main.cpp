// The trazo program: the platform runs the game's entry point.
#include "app/main_loop.h"
#include "platform/win_api.h"

int main() { return RunWinMain(WinMain); }
