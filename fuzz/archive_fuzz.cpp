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

std::string ArchivePath() {
    static const std::string path = [] {
        char pattern[] = "/tmp/trazo-archive-fuzz-XXXXXX";
        const int fd = mkstemp(pattern);
        if (fd >= 0) close(fd);
        return std::string(pattern);
    }();
    return path;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = ArchivePath();
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
