// The archive directory as the game reads it: the lookup of names in an archive file, and the
// tool's reading of the whole directory. Every entry found must lie inside the file.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "archive/archive_directory.h"
#include "archive/data_files.h"

namespace {

// One scratch file for the whole run, removed when the run ends.
char ScratchPath[] = "/tmp/trazo-archive-fuzz-XXXXXX";

std::string ArchivePath() {
    static const bool made = [] {
        const int fd = mkstemp(ScratchPath);
        if (fd < 0) return false;
        close(fd);
        std::atexit([] { unlink(ScratchPath); });
        return true;
    }();
    return made ? std::string(ScratchPath) : std::string();
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = ArchivePath();
    if (path.empty()) return 0;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    std::vector<ArchiveEntry> entries;
    std::string error;
    file = std::fopen(path.c_str(), "rb");
    const bool read = ReadArchiveDirectory(file, &entries, &error);
    std::fclose(file);

    // The names stored in the archive, and a few that are not.
    std::vector<std::string> names = {"SPIEL.PIX", "a", ""};
    for (size_t i = 0; i < entries.size() && i < 4; ++i) names.push_back(entries[i].name);
    for (const std::string& name : names) {
        FILE* found = OpenArchiveEntry(path.c_str(), name.c_str());
        if (found == nullptr) {
            Check(EntryOffset == 0 && EntrySize == 0);
            continue;
        }
        Check(uint64_t{EntryOffset} + EntrySize <= size);
        Check(std::ftell(found) == static_cast<long>(EntryOffset));
        std::fclose(found);
    }
    if (read)
        for (const ArchiveEntry& entry : entries)
            Check(uint64_t{entry.offset} + entry.size <= size);
    return 0;
}
