// contactsheet: every picture of the game as the game itself loads it (through its picture
// loader, from the archives in DATA-FOLDER), and the pictures combined the way the game shows
// them: overlays over a level picture, credits over the logo, a game screen with the status line
// and its numbers printed in the status font, and the sprites added to the screen at the sizes
// they pulse through. Writes one PPM per panel into PANEL-FOLDER and a list of panels with their
// captions (panels.txt, "file<TAB>caption" a line) for scripts/contact-sheet.sh to lay out.
//
//   contactsheet DATA-FOLDER PANEL-FOLDER
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "display/surface.h"
#include "image/image_loader.h"
#include "pictures.h"
#include "platform/headless.h"

namespace fs = std::filesystem;

namespace {

// The screen, and where the status line and the font lie: the generator's own numbers.
constexpr int W = ScreenW, H = ScreenH;

// A picture of 565 pixels.
struct Picture16 {
    int width = 0, height = 0;
    std::vector<uint16_t> pixels;
    uint16_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    uint16_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Picture16 Load(const std::string& name) {
    Picture16 picture;
    Surface* surface = nullptr;
    LoadImageFile(name.c_str(), &surface, nullptr);
    if (surface == nullptr) {
        std::fprintf(stderr, "contactsheet: %s does not load\n", name.c_str());
        return picture;
    }
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
    picture.width = static_cast<int>(desc.dwWidth);
    picture.height = static_cast<int>(desc.dwHeight);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.pixels.push_back(reinterpret_cast<const uint16_t*>(
                static_cast<const uint8_t*>(desc.lpSurface) + y * desc.lPitch)[x]);
    surface->Unlock(nullptr);
    surface->Release();
    return picture;
}

Picture16 Blank(int width, int height) {
    return {width, height, std::vector<uint16_t>(static_cast<size_t>(width) * height, 0)};
}

// Copies source's rectangle to (x, y) of the destination; keyed leaves it where source is 0.
void Copy(Picture16& destination, const Picture16& source, int x, int y, bool keyed, int sx = 0,
          int sy = 0, int sw = -1, int sh = -1) {
    if (sw < 0) sw = source.width;
    if (sh < 0) sh = source.height;
    for (int j = 0; j < sh; ++j)
        for (int i = 0; i < sw; ++i) {
            const int dx = x + i, dy = y + j;
            if (dx < 0 || dy < 0 || dx >= destination.width || dy >= destination.height) continue;
            const uint16_t p = source.At(sx + i, sy + j);
            if (!keyed || p != 0) destination.At(dx, dy) = p;
        }
}

// The sprite as the game draws it: the tile picked pixel by pixel at size x size and added to
// the screen with saturation, channel by channel.
void AddSprite(Picture16& screen, const Picture16& sheet, int tile, int cx, int cy, int size) {
    const int half = size / 2, step = 25600 / size;
    for (int j = 0; j < size; ++j)
        for (int k = 0; k < size; ++k) {
            const uint16_t s = sheet.At(tile * 100 + (k * step >> 8), j * step >> 8);
            const int x = cx - half + k, y = cy - half + j;
            if (s == 0 || x < 0 || y < 0 || x >= screen.width || y >= screen.height) continue;
            const uint16_t d = screen.At(x, y);
            const int r = std::min((s & 0xF800) + (d & 0xF800), 0xF800);
            const int g = std::min((s & 0x07E0) + (d & 0x07E0), 0x07E0);
            const int b = std::min((s & 0x001F) + (d & 0x001F), 0x001F);
            screen.At(x, y) = static_cast<uint16_t>(r + g + b);
        }
}

// The German or the English status line over the top of the screen, its black left transparent.
void CopyStatusLine(Picture16& screen, const Picture16& info, bool english) {
    Copy(screen, info, 0, 0, true, 0, english ? StatusEnglishTop : StatusGermanTop, W,
         english ? StatusEnglishHeight : StatusGermanHeight);
}

void PrintNumber(Picture16& screen, const Picture16& font, int x, int y, const char* text) {
    for (int i = 0; text[i] != 0; ++i) {
        const int g = static_cast<unsigned char>(text[i]) - 32;
        Copy(screen, font, x + i * FontCellW, y, true, (g % FontColumns) * FontCellW,
             (g / FontColumns) * FontCellH, FontCellW, FontCellH);
    }
}

Picture16 Zoom(const Picture16& source, int factor) {
    Picture16 out = Blank(source.width * factor, source.height * factor);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) out.At(x, y) = source.At(x / factor, y / factor);
    return out;
}

Picture16 Cut(const Picture16& source, int x, int y, int w, int h) {
    Picture16 out = Blank(w, h);
    Copy(out, source, 0, 0, false, x, y, w, h);
    return out;
}

// A game in progress: open ground black, claimed ground showing the level picture inside the
// blue line, a white trail, monsters pulsing, the status line on top.
Picture16 GameScreen(const Picture16& level, const Picture16& info, const Picture16& font,
                     const Picture16& sprites, bool english) {
    Picture16 screen = Blank(W, H);
    const int claimed[][4] = {
        {0, 0, 640, 90}, {0, 90, 200, 480}, {200, 330, 420, 480}, {520, 200, 640, 360}};
    for (const auto& r : claimed)
        for (int y = r[1]; y < r[3]; ++y)
            for (int x = r[0]; x < r[2]; ++x) screen.At(x, y) = level.At(x, y);
    // The line: the border and the edges of claimed ground, two pixels wide.
    Picture16 line = screen;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (screen.At(x, y) == 0) continue;
            bool edge = x < 2 || y < 2 || x >= W - 2 || y >= H - 2;
            for (int d = -2; d <= 2 && !edge; ++d)
                edge = (x + d >= 0 && x + d < W && screen.At(x + d, y) == 0) ||
                       (y + d >= 0 && y + d < H && screen.At(x, y + d) == 0);
            if (edge) line.At(x, y) = 0x001F;
        }
    screen = line;
    for (int x = 200; x < 300; ++x) screen.At(x, 250) = 0xFFFF;
    for (int y = 250; y < 330; ++y) screen.At(300, y) = 0xFFFF;
    // Monsters at several points of their pulse.
    const int monsters[][4] = {{1, 420, 200, 96}, {1, 300, 160, 46}, {0, 480, 400, 66},
                               {2, 270, 420, 81}, {2, 560, 130, 21}, {0, 380, 280, 31}};
    for (const auto& m : monsters) AddSprite(screen, sprites, m[0], m[1], m[2], m[3]);
    CopyStatusLine(screen, info, english);
    const char* numbers[4] = {"042", "007", "012340", "002"};
    for (int i = 0; i < 4; ++i)
        PrintNumber(screen, font, StatusFields[i].x, StatusDigitsY, numbers[i]);
    return screen;
}

// Both status lines at the size they have on screen and twice that, each over a level picture.
Picture16 StatusPanel(const std::vector<Picture16>& levels, const Picture16& info,
                      const Picture16& font) {
    Picture16 panel = Blank(W, H);
    int y = 8;
    for (int english = 0; english < 2; ++english) {
        const Picture16& level = levels[english ? 8 : 2];
        Picture16 strip = Cut(level, 0, 0, W, StatusGermanHeight);
        CopyStatusLine(strip, info, english);
        const char* numbers[4] = {"100", "014", "987650", "009"};
        for (int i = 0; i < 4; ++i)
            PrintNumber(strip, font, StatusFields[i].x, StatusDigitsY, numbers[i]);
        Copy(panel, strip, 0, y, false);
        y += 30;
        Copy(panel, Zoom(Cut(strip, 0, 0, W / 2, StatusGermanHeight), 2), 0, y, false);
        y += 50;
        Copy(panel, Zoom(Cut(strip, W / 2, 0, W / 2, StatusGermanHeight), 2), 0, y, false);
        y += 60;
    }
    Copy(panel, Zoom(font, 2), (W - 2 * font.width) / 2, y + 4, true);
    return panel;
}

// The three sprites at the sizes they pulse through, added to black and to a level picture.
Picture16 SpritePanel(const Picture16& sprites, const Picture16& level) {
    Picture16 panel = Blank(W, H);
    Copy(panel, level, 0, 240, false, 0, 240, W, 240);
    const int sizes[] = {96, 61, 36, 21, 11, 6};
    for (int half = 0; half < 2; ++half)
        for (int tile = 0; tile < 3; ++tile) {
            int x = 16;
            for (int size : sizes) {
                const int slot = size > 60 ? 100 : size + 12;
                AddSprite(panel, sprites, tile, x + slot / 2, half * 240 + 40 + tile * 76, size);
                x += slot;
            }
        }
    return panel;
}

bool WritePpm(const Picture16& picture, const fs::path& path) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return false;
    std::fprintf(out, "P6\n%d %d\n255\n", picture.width, picture.height);
    std::vector<uint8_t> rgb;
    for (uint16_t p : picture.pixels) {
        const int r = p >> 11, g = (p >> 5) & 63, b = p & 31;
        rgb.push_back(static_cast<uint8_t>(r << 3 | r >> 2));
        rgb.push_back(static_cast<uint8_t>(g << 2 | g >> 4));
        rgb.push_back(static_cast<uint8_t>(b << 3 | b >> 2));
    }
    const bool ok = std::fwrite(rgb.data(), 1, rgb.size(), out) == rgb.size();
    return std::fclose(out) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: contactsheet DATA-FOLDER PANEL-FOLDER\n");
        return 2;
    }
    const fs::path panels = fs::absolute(argv[2]);
    fs::create_directories(panels);
    fs::current_path(argv[1]);  // the game finds its archives in the current folder
    Headless::Reset();
    GreenBits = 6;
    if (DirectDrawCreate(nullptr, &DisplayObject, nullptr) != DD_OK) return 1;

    std::ofstream list(panels / "panels.txt");
    int serial = 0;
    bool ok = true;
    auto emit = [&](const Picture16& picture, const std::string& caption) {
        if (picture.pixels.empty()) {
            ok = false;
            return;
        }
        char file[32];
        std::snprintf(file, sizeof file, "panel%02d.ppm", serial++);
        ok = WritePpm(picture, panels / file) && ok;
        list << file << '\t' << caption << '\n';
    };

    std::vector<Picture16> levels;
    for (int i = 1; i <= LevelPictureCount; ++i)
        levels.push_back(Load("FELD" + std::to_string(i) + ".JPG"));
    for (const Picture16& p : levels)
        if (p.width != W || p.height != H) return 1;
    const Picture16 info = Load("INFO.PIX"), font = Load("FNTS.PIX"), sprites = Load("SPIEL.PIX");
    if (info.pixels.empty() || font.pixels.empty() || sprites.pixels.empty()) return 1;

    for (const char* name : {"TITEL.JPG", "EMENU1.JPG", "EMENU2.JPG", "EMENU3.JPG", "MENU1.JPG",
                             "MENU2.JPG", "MENU3.JPG"})
        emit(Load(name), name);
    emit(GameScreen(levels[0], info, font, sprites, true), "game, English status line");
    emit(GameScreen(levels[4], info, font, sprites, false), "game, German status line");
    emit(StatusPanel(levels, info, font), "INFO.PIX with FNTS.PIX numbers");
    emit(SpritePanel(sprites, levels[5]), "SPIEL.PIX, sizes 96 to 6");
    for (int i = 0; i < LevelPictureCount; ++i)
        emit(levels[i], "FELD" + std::to_string(i + 1) + ".JPG");

    Picture16 paused = GameScreen(levels[1], info, font, sprites, true);
    Copy(paused, Load("PAUSED.JPG"), 0, 0, true);
    emit(paused, "PAUSED.JPG over a game");
    Picture16 complete = levels[2];
    Copy(complete, Load("COMPLET.PIX"), 0, 0, true);
    emit(complete, "COMPLET.PIX over FELD3.JPG");
    Picture16 over = GameScreen(levels[6], info, font, sprites, false);
    Copy(over, Load("GAMEOVER.PIX"), 0, 0, true);
    emit(over, "GAMEOVER.PIX over a game");
    const Picture16 logo = Load("VTLOGO.JPG");
    emit(logo, "VTLOGO.JPG");
    for (const char* makers : {"EMAKERS.PIX", "MAKERS.PIX"}) {
        Picture16 credits = logo;
        Copy(credits, Load(makers), 0, 0, true);
        emit(credits, std::string(makers) + " over VTLOGO.JPG");
    }
    emit(Load("WERBUNG.JPG"), "WERBUNG.JPG");
    DisplayObject->Release();
    DisplayObject = nullptr;
    return ok ? 0 : 1;
}
