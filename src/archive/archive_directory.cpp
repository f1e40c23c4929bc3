#include "archive/archive_directory.h"

bool ReadArchiveDirectory(FILE* file, std::vector<ArchiveEntry>* entries, std::string* error) {
    entries->clear();
    const int64_t length = MeasureFile(file);
    uint8_t header[ArchiveHeaderSize];
    int32_t count = 0;
    if (length < 0 || std::fread(header, 1, sizeof header, file) != sizeof header ||
        !ParseArchiveHeader(header, &count)) {
        *error = "not an archive (it must begin \"OO\" or \"oo\")";
        return false;
    }
    if (count < 0 || (count > 0 && UsableEntryCount(count, static_cast<uint64_t>(length)) == 0)) {
        *error = "entry count " + std::to_string(count) + " does not fit the file";
        return false;
    }
    uint8_t record[ArchiveEntrySize];
    for (int32_t i = 0; i < count; ++i) {
        ArchiveEntry entry;
        if (std::fread(record, 1, sizeof record, file) != sizeof record ||
            !ParseArchiveEntry(record, static_cast<uint64_t>(length), &entry)) {
            *error = "directory record " + std::to_string(i) +
                     " is damaged (unterminated name or data outside the file)";
            entries->clear();
            return false;
        }
        entries->push_back(std::move(entry));
    }
    return true;
}
