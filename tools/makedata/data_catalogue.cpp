#include "data_catalogue.h"

#include <atomic>
#include <exception>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "jpeg_encoder.h"
#include "pictures.h"

namespace {

// JPEG quality for the full-screen pictures; the pause sign is nearly lossless so that the black
// around it stays black to the last bit.
constexpr int PictureQuality = 90;
constexpr int PauseQuality = 98;

// How a file is drawn and encoded, and the shape the generator's checks expect of it.
struct Recipe {
    std::string name;
    std::string archive;
    std::function<std::vector<uint8_t>()> make;
    int width = ScreenW, height = ScreenH;
    bool overlay = false;  // black background that must stay exactly 0
};

std::vector<Recipe> Catalogue() {
    std::vector<Recipe> list;
    auto jpeg = [](std::function<Image()> draw, int quality) {
        return [=] { return EncodeJpeg(draw(), quality); };
    };
    auto pix = [](std::function<Image()> draw, bool dither) {
        return [=] { return EncodePixFile(draw(), dither); };
    };
    // The slowest pictures first, so that two workers finish together.
    const int order[LevelPictureCount] = {5, 13, 9, 4, 1, 2, 3, 6, 7, 8, 10, 11, 12, 14};
    for (int number : order)
        list.push_back({"FELD" + std::to_string(number) + ".JPG", "DATA.ONE",
                        jpeg([number] { return MakeLevelPicture(number); }, PictureQuality)});
    list.push_back({"TITEL.JPG", "VIDEO.ONE", jpeg(MakeTitle, PictureQuality)});
    for (int marked = 1; marked <= 3; ++marked) {
        const std::string n = std::to_string(marked);
        list.push_back({"EMENU" + n + ".JPG", "VIDEO.ONE",
                        jpeg([marked] { return MakeMenu(true, marked); }, PictureQuality)});
        list.push_back({"MENU" + n + ".JPG", "VIDEO.ONE",
                        jpeg([marked] { return MakeMenu(false, marked); }, PictureQuality)});
    }
    list.push_back(
        {"PAUSED.JPG", "VIDEO.ONE", jpeg(MakePause, PauseQuality), ScreenW, ScreenH, true});
    list.push_back({"VTLOGO.JPG", "VIDEO.ONE", jpeg(MakeStudioLogo, PictureQuality)});
    list.push_back({"WERBUNG.JPG", "VIDEO.ONE", jpeg(MakeThanks, PictureQuality)});
    list.push_back({"SPIEL.PIX", "ONLY.ONE", pix(MakeSprites, true), 300, 100, true});
    list.push_back({"INFO.PIX", "ONLY.ONE", pix(MakeStatusStrip, false), ScreenW, 80, true});
    list.push_back({"FNTS.PIX", "ONLY.ONE", pix(MakeStatusFont, false), FontColumns * FontCellW,
                    6 * FontCellH, true});
    list.push_back(
        {"COMPLET.PIX", "ONLY.ONE", pix(MakeLevelComplete, true), ScreenW, ScreenH, true});
    list.push_back({"GAMEOVER.PIX", "ONLY.ONE", pix(MakeGameOver, true), ScreenW, ScreenH, true});
    list.push_back({"MAKERS.PIX", "ONLY.ONE", pix([] { return MakeMakers(false); }, true), ScreenW,
                    ScreenH, true});
    list.push_back({"EMAKERS.PIX", "ONLY.ONE", pix([] { return MakeMakers(true); }, true), ScreenW,
                    ScreenH, true});
    return list;
}

}  // namespace

std::vector<DataFile> MakeAllDataFiles(int jobs) {
    const std::vector<Recipe> recipes = Catalogue();
    std::vector<DataFile> files(recipes.size());
    std::atomic<size_t> next{0};
    std::mutex failureLock;
    std::string failure;
    auto work = [&] {
        for (size_t i = next++; i < recipes.size(); i = next++) {
            try {
                const Recipe& recipe = recipes[i];
                files[i] = {recipe.name,  recipe.archive, recipe.make(),
                            recipe.width, recipe.height,  recipe.overlay};
            } catch (const std::exception& e) {
                std::lock_guard<std::mutex> hold(failureLock);
                failure = recipes[i].name + ": " + e.what();
            }
        }
    };
    std::vector<std::thread> workers;
    for (int j = 1; j < jobs; ++j) workers.emplace_back(work);
    work();
    for (std::thread& t : workers) t.join();
    if (!failure.empty()) throw std::runtime_error(failure);
    return files;
}

bool CheckDataFiles(const std::vector<DataFile>& files, std::string* problem) {
    for (const DataFile& file : files) {
        int width = 0, height = 0;
        std::vector<uint16_t> pixels;
        if (!DecodeTo16(file, &width, &height, &pixels)) {
            *problem = file.name + " does not decode";
            return false;
        }
        if (width != file.width || height != file.height) {
            *problem = file.name + " has the wrong size";
            return false;
        }
        size_t zeros = 0;
        for (uint16_t p : pixels) zeros += p == 0 ? 1 : 0;
        if (zeros == pixels.size()) {
            *problem = file.name + " is blank";
            return false;
        }
        // An overlay's corner is background; a picture's corners are never all black.
        if (file.overlay && (pixels.front() != 0 || pixels.back() != 0)) {
            *problem = file.name + " has no transparent background";
            return false;
        }
        if (file.name == "PAUSED.JPG")
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const bool sign = x >= PauseSign.left && x < PauseSign.right &&
                                      y >= PauseSign.top && y < PauseSign.bottom;
                    if (!sign && pixels[static_cast<size_t>(y) * width + x] != 0) {
                        *problem = "PAUSED.JPG is not black around its sign";
                        return false;
                    }
                }
    }
    return true;
}
