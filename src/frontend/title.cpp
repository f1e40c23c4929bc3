// Until the title screen is built, the program opens on a test card: colour bars and a grey ramp.
// Esc ends the program.
#include "frontend/title.h"

#include "app/main_loop.h"
#include "display/display.h"
#include "platform/win_api.h"

namespace {

void DrawCard() {
    static const int bars[8][3] = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 255, 0},
                                   {255, 0, 255},   {255, 0, 0},   {0, 0, 255},   {0, 0, 0}};
    const int width = ScreenWidth / 8;
    for (int i = 0; i < 8; ++i)
        FillSurfaceRect(BackBuffer, i * width, 0, (i + 1) * width, ScreenHeight * 2 / 3,
                        MakeColour16(bars[i][0], bars[i][1], bars[i][2]));
    for (int i = 0; i < 32; ++i) {
        const int grey = i * 255 / 31;
        FillSurfaceRect(BackBuffer, i * ScreenWidth / 32, ScreenHeight * 2 / 3,
                        (i + 1) * ScreenWidth / 32, ScreenHeight * 5 / 6,
                        MakeColour16(grey, grey, grey));
    }
    FillSurfaceRect(BackBuffer, 0, ScreenHeight * 5 / 6, ScreenWidth, ScreenHeight, 0);
}

void TestCardFrame() {
    if (!IsKeyDown(VK_ESCAPE)) return;
    while (IsKeyDown(VK_ESCAPE)) {
    }
    StateProc = nullptr;
}

}  // namespace

void ShowTitle() {
    // After a failed display set-up there is nothing to draw on; the quit message is queued.
    if (FrontBuffer == nullptr) return;
    DrawCard();
    Present();
    DrawCard();  // the back buffer holds the card too, for whatever flips next
    StateProc = TestCardFrame;
}
