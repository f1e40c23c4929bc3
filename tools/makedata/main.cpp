// makedata: draws every picture of the game, the status font and the monster sprites, encodes
// them as the game reads them (JPEG, or PIX through the game's own writer) and packs them into
// the archives DATA.ONE, VIDEO.ONE and ONLY.ONE with the game's own archive writer.
//
//   makedata OUTPUT-FOLDER [--jobs N] [--preview FOLDER]
//
// The same program always writes the same bytes: every picture is drawn from fixed seeds, and
// the pictures are packed in a fixed order whatever order the workers finish them in.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/archive_writer.h"
#include "data_catalogue.h"
#include "picture_files.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: makedata OUTPUT-FOLDER [--jobs N] [--preview FOLDER]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string outputFolder, previewFolder;
    int jobs = 2;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--jobs" && i + 1 < argc) {
            jobs = std::atoi(argv[++i]);
        } else if (arg == "--preview" && i + 1 < argc) {
            previewFolder = argv[++i];
        } else if (!arg.empty() && arg[0] != '-' && outputFolder.empty()) {
            outputFolder = arg;
        } else {
            return Usage();
        }
    }
    if (outputFolder.empty() || jobs < 1 || jobs > 64) return Usage();

    const auto start = std::chrono::steady_clock::now();
    std::vector<DataFile> files;
    try {
        files = MakeAllDataFiles(jobs);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "makedata: %s\n", e.what());
        return 1;
    }
    std::string problem;
    if (!CheckDataFiles(files, &problem)) {
        std::fprintf(stderr, "makedata: %s\n", problem.c_str());
        return 1;
    }

    std::error_code ignored;
    std::filesystem::create_directories(outputFolder, ignored);
    for (const char* archive : {"ONLY.ONE", "DATA.ONE", "VIDEO.ONE"}) {
        std::vector<ArchiveMember> members;
        for (const DataFile& file : files)
            if (file.archive == archive) members.push_back({file.name, file.bytes});
        std::string error;
        if (!WriteArchiveFile(outputFolder + "/" + archive, members, &error)) {
            std::fprintf(stderr, "makedata: %s: %s\n", archive, error.c_str());
            return 1;
        }
    }
    if (!previewFolder.empty()) {
        std::filesystem::create_directories(previewFolder, ignored);
        for (const DataFile& file : files)
            if (!WritePreview(file, previewFolder, &problem)) {
                std::fprintf(stderr, "makedata: %s\n", problem.c_str());
                return 1;
            }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("makedata: %zu pictures into %s in %.1f s\n", files.size(), outputFolder.c_str(),
                seconds);
    return 0;
}
