#include "archive/data_files.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "archive/archive_format.h"
#include "display/display.h"
#include "platform/files.h"

uint32_t EntryOffset = 0;
uint32_t EntrySize = 0;
bool TreeFileFound = false;

namespace {

const char* const ArchiveNames[] = {"ONLY.ONE", "DATA.ONE", "AUDIO.ONE", "VIDEO.ONE"};

FILE* Fail() {
    EntryOffset = 0;
    EntrySize = 0;
    return nullptr;
}

// A loose file: offset 0, its whole length, positioned at its start.
FILE* OpenLooseFile(const char* name) {
    FILE* file = OpenGameFile(name, "rb");
    if (file == nullptr) return nullptr;
    const int64_t length = MeasureFile(file);
    if (length < 0 || length > UINT32_MAX) {  // a length the 32-bit size cannot describe
        std::fclose(file);
        return nullptr;
    }
    EntryOffset = 0;
    EntrySize = static_cast<uint32_t>(length);
    return file;
}

}  // namespace

FILE* OpenArchiveEntry(const char* archiveName, const char* name) {
    if (archiveName == nullptr || name == nullptr || std::strlen(name) >= DataNameBuffer)
        return Fail();
    FILE* file = OpenGameFile(archiveName, "rb");
    if (file == nullptr) return Fail();
    const int64_t length = MeasureFile(file);
    uint8_t header[ArchiveHeaderSize];
    int32_t count = 0;
    if (length < 0 || std::fread(header, 1, sizeof header, file) != sizeof header ||
        !ParseArchiveHeader(header, &count)) {
        std::fclose(file);
        return Fail();
    }
    const std::string wanted = LowerAscii(name);
    const int32_t usable = UsableEntryCount(count, static_cast<uint64_t>(length));
    uint8_t record[ArchiveEntrySize];
    ArchiveEntry entry;
    for (int32_t i = 0; i < usable; ++i) {
        if (std::fread(record, 1, sizeof record, file) != sizeof record) break;
        // A record that points outside the archive or whose name never ends is passed over.
        if (!ParseArchiveEntry(record, static_cast<uint64_t>(length), &entry)) continue;
        if (LowerAscii(entry.name) != wanted) continue;
        if (std::fseek(file, static_cast<long>(entry.offset), SEEK_SET) != 0) break;
        EntryOffset = entry.offset;
        EntrySize = entry.size;
        return file;
    }
    std::fclose(file);
    return Fail();
}

namespace {

// A directory reached a second time through a link (its real place on disk already searched) is
// not searched again: two links back to a folder above would otherwise make the search branch
// twice at every level, and a search for a missing name would never end.
bool FirstVisit(const std::string& directory, std::set<std::string>* searched) {
    std::error_code error;
    const std::filesystem::path real =
        std::filesystem::canonical(ResolveGamePath(directory.c_str()), error);
    return !error && searched->insert(real.string()).second;
}

void SearchDirectory(const std::string& directory, char* buffer, std::set<std::string>* searched) {
    const std::string dir = LowerAscii(directory);
    if (!FirstVisit(dir, searched)) return;
    const std::string pattern = dir + "\\*.*";
    WIN32_FIND_DATAA data;
    HANDLE listing = FindFirstFileA(pattern.c_str(), &data);
    if (listing == INVALID_HANDLE_VALUE) return;
    const std::string wanted = LowerAscii(buffer);
    do {
        if (TreeFileFound) break;
        const std::string entryName = data.cFileName;
        const std::string path = dir + "\\" + entryName;
        const bool isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isDirectory && entryName != "." && entryName != "..") {
            // A path that no longer fits the buffer is not searched into.
            if (path.size() < DataNameBuffer) SearchDirectory(path, buffer, searched);
        } else if (LowerAscii(entryName) == wanted) {
            const std::string found = LowerAscii(dir + "\\" + buffer);
            if (found.size() < DataNameBuffer) {
                std::memcpy(buffer, found.c_str(), found.size() + 1);
                TreeFileFound = true;
            }
        }
    } while (FindNextFileA(listing, &data));
    FindClose(listing);
}

}  // namespace

void FindFileInTree(const char* directory, char* buffer) {
    std::set<std::string> searched;
    SearchDirectory(directory, buffer, &searched);
}

FILE* OpenDataFile(const char* name) {
    if (name == nullptr || std::strlen(name) >= DataNameBuffer) return Fail();
    if (FILE* file = OpenLooseFile(name)) return file;
    for (const char* archive : ArchiveNames)
        if (FILE* file = OpenArchiveEntry(archive, name)) return file;
    char buffer[DataNameBuffer];
    std::memcpy(buffer, name, std::strlen(name) + 1);
    TreeFileFound = false;
    FindFileInTree(".", buffer);
    if (FILE* file = OpenLooseFile(buffer)) return file;
    return Fail();
}

uint8_t* ReadDataFile(const char* name) {
    FILE* file = OpenDataFile(name);
    if (file == nullptr) {
        ShowError(name != nullptr ? name : "", "Error reading file");
        return nullptr;
    }
    // One byte more than needed, so that an empty file still gives a buffer of its own.
    auto* bytes = static_cast<uint8_t*>(std::calloc(std::size_t{EntrySize} + 1, 1));
    if (bytes != nullptr) {
        // A short read is not detected; the calloc leaves the missing tail zero, never undefined.
        const size_t got = std::fread(bytes, 1, EntrySize, file);
        (void)got;
    }
    std::fclose(file);
    return bytes;
}
