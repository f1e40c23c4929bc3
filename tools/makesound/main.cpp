// makesound: synthesises the game's six sound effects and three music modules, writes each as a
// file into a folder and packs all nine into the game's audio archive.
//
//   makesound FOLDER ARCHIVE
//
// The same program always writes the same bytes: every random source has a fixed seed.
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "archive/archive_writer.h"
#include "effect_list.h"
#include "module_writer.h"
#include "songs.h"
#include "wave_writer.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.string().c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: makesound FOLDER ARCHIVE\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::filesystem::create_directories(std::filesystem::path(argv[2]).parent_path(), error);

    std::vector<ArchiveMember> members;
    try {
        for (const EffectRecipe& recipe : GameEffects())
            members.push_back({recipe.fileName, EncodeWave(RenderEffect(recipe), kEffectRate)});
        members.push_back({"TITEL.MOD", EncodeModule(BuildSong(TitleSong()))});
        members.push_back({"SPIEL.MOD", EncodeModule(BuildSong(GameSong()))});
        members.push_back({"WERBE.MOD", EncodeModule(BuildSong(FarewellSong()))});
    } catch (const std::invalid_argument& fault) {
        std::fprintf(stderr, "makesound: %s\n", fault.what());
        return 1;
    }
    for (const ArchiveMember& member : members) {
        if (!WriteFile(folder / member.name, member.bytes)) {
            std::fprintf(stderr, "makesound: cannot write %s\n",
                         (folder / member.name).string().c_str());
            return 1;
        }
    }
    std::string reason;
    if (!WriteArchiveFile(argv[2], members, &reason)) {
        std::fprintf(stderr, "makesound: %s: %s\n", argv[2], reason.c_str());
        return 1;
    }
    return 0;
}
