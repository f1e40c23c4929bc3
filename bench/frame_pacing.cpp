// How evenly the message loop runs a screen that paces itself at the game's 25 ms, and what the
// loop and the presentation cost, with the real SDL back end (run it under a real or virtual X
// server):  xvfb-run -s "-screen 0 1280x960x24" build/bench/frame_pacing [seconds] [idle]
// "idle" measures a screen that draws nothing after its first frame.
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/main_loop.h"
#include "display/display.h"
#include "platform/win_api.h"

namespace {

DWORD Seconds = 10;
bool Idle = false;
DWORD Start = 0;
DWORD LastFrame = 0;
std::vector<DWORD> Intervals;
int BarX = 0;

void Frame() {
    const DWORD now = timeGetTime();
    if (now - Start >= Seconds * 1000) {
        StateProc = nullptr;
        return;
    }
    if (Idle || now - LastFrame < 25) return;
    if (LastFrame) Intervals.push_back(now - LastFrame);
    LastFrame = now;
    // Like the running game: small changes drawn straight into the visible buffer.
    FillSurfaceRect(FrontBuffer, BarX, 400, BarX + 16, 440, 0);
    BarX = (BarX + 4) % 600;
    FillSurfaceRect(FrontBuffer, BarX, 400, BarX + 16, 440, MakeColour16(255, 160, 0));
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int Run(HINSTANCE, HINSTANCE, char*, int showCommand) {
    if (!InitDisplay(nullptr, "Trazo", 16, 640, 480, showCommand)) return 1;
    ClearBackBuffer(MakeColour16(0, 0, 96));
    Present();
    StateProc = Frame;
    Start = timeGetTime();
    const double cpuBefore = CpuSeconds();
    RunMessageLoop();
    const double cpu = CpuSeconds() - cpuBefore;
    ShutDownDisplay();
    std::printf("CPU: %.1f %% of one core over %u s (%s)\n", 100.0 * cpu / Seconds, Seconds,
                Idle ? "idle screen" : "a frame every 25 ms");
    if (!Intervals.empty()) {
        std::sort(Intervals.begin(), Intervals.end());
        std::printf("frame interval: median %u ms, 99th percentile %u ms, max %u ms, %zu frames\n",
                    Intervals[Intervals.size() / 2], Intervals[Intervals.size() * 99 / 100],
                    Intervals.back(), Intervals.size());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) Seconds = static_cast<DWORD>(std::max(1, std::atoi(argv[1])));
    Idle = argc > 2 && std::strcmp(argv[2], "idle") == 0;
    return RunWinMain(Run);
}
