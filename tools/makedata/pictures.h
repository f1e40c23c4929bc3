// Every picture of the game, drawn from scratch. Each function is pure: the same call always
// gives the same picture.
#pragma once

#include "raster.h"

constexpr int ScreenW = 640;
constexpr int ScreenH = 480;
constexpr int LevelPictureCount = 14;

// Level backgrounds, number 1 to 14.
Image MakeLevelPicture(int number);

// Full-screen JPEG pictures of the front end and the game.
Image MakeTitle();
// marked: 1 start a game, 2 credits, 3 leave.
Image MakeMenu(bool english, int marked);
Image MakePause();
Image MakeStudioLogo();
Image MakeThanks();

// Overlays and sprites (PIX): pure black is transparent.
Image MakeLevelComplete();
Image MakeGameOver();
Image MakeMakers(bool english);
Image MakeSprites();
Image MakeStatusStrip();
Image MakeStatusFont();

// Where the status line's numbers go, and the font's cell.
constexpr int FontCellW = 11;
constexpr int FontCellH = 14;
constexpr int FontColumns = 16;
constexpr int StatusDigitsY = 5;
struct StatusField {
    int x;
    int digits;
};
constexpr StatusField StatusFields[4] = {{120, 3}, {254, 3}, {382, 6}, {537, 3}};
constexpr int StatusGermanTop = 0, StatusGermanHeight = 22;
constexpr int StatusEnglishTop = 58, StatusEnglishHeight = 20;

// The pause sign's rectangle; everything outside it is black. Its sides are multiples of 8 so
// that the sign fills whole JPEG blocks.
struct Box {
    int left, top, right, bottom;
};
constexpr Box PauseSign = {184, 192, 456, 288};
