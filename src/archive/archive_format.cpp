#include "archive/archive_format.h"

#include <cstring>

uint32_t ReadLittle32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void PutLittle32(uint8_t* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

bool ParseArchiveHeader(const uint8_t header[ArchiveHeaderSize], int32_t* count) {
    if ((header[0] != 'O' && header[0] != 'o') || header[1] != header[0]) return false;
    *count = static_cast<int32_t>(ReadLittle32(header + 2));
    return true;
}

bool ParseArchiveEntry(const uint8_t record[ArchiveEntrySize], uint64_t archiveLength,
                       ArchiveEntry* entry) {
    const void* end = std::memchr(record, 0, ArchiveNameField);
    if (end == nullptr) return false;  // no terminator: the name would run into the offset
    const size_t length = static_cast<size_t>(static_cast<const uint8_t*>(end) - record);
    entry->name.resize(length);
    for (size_t i = 0; i < length; ++i) entry->name[i] = static_cast<char>(record[i] ^ 0xFF);
    entry->offset = ReadLittle32(record + ArchiveNameField);
    entry->size = ReadLittle32(record + ArchiveNameField + 4);
    // Sums in 64 bits: offset + size can pass 2^32.
    return uint64_t{entry->offset} + entry->size <= archiveLength;
}

int32_t UsableEntryCount(int32_t count, uint64_t archiveLength) {
    if (count <= 0 || archiveLength < ArchiveHeaderSize) return 0;
    const uint64_t fits = (archiveLength - ArchiveHeaderSize) / ArchiveEntrySize;
    return static_cast<uint64_t>(count) <= fits ? count : 0;
}

std::string LowerAscii(const std::string& text) {
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

int64_t MeasureFile(FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) return -1;
    const long length = std::ftell(file);
    if (std::fseek(file, 0, SEEK_SET) != 0) return -1;
    return length;
}
