// The layout of the game's archive files (ONLY.ONE, DATA.ONE, AUDIO.ONE, VIDEO.ONE): a 6-byte
// header "OO" or "oo" with a signed entry count, a directory of fixed 1032-byte records, and the
// entries' data wherever the records point. All integers are little-endian.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

constexpr int ArchiveHeaderSize = 6;
constexpr int ArchiveNameField = 1024;
constexpr int ArchiveEntrySize = 1032;
// Names and paths live in 1024-byte buffers: at most 1023 characters and a terminator.
constexpr int DataNameBuffer = 1024;

struct ArchiveEntry {
    std::string name;  // as stored, complement undone, case kept
    uint32_t offset = 0;
    uint32_t size = 0;
};

uint32_t ReadLittle32(const uint8_t* bytes);
void PutLittle32(uint8_t* bytes, uint32_t value);

// True when the header's magic is "OO" or "oo"; the count is then stored in *count.
bool ParseArchiveHeader(const uint8_t header[ArchiveHeaderSize], int32_t* count);

// Rebuilds one directory record. False when the name has no terminator inside its field or when
// the data it points at does not lie inside an archive of archiveLength bytes.
bool ParseArchiveEntry(const uint8_t record[ArchiveEntrySize], uint64_t archiveLength,
                       ArchiveEntry* entry);

// The number of directory records an archive of archiveLength bytes can really hold for the
// count its header gives: 0 for a negative count, and for a count whose records would reach
// past the end (the whole directory is then distrusted).
int32_t UsableEntryCount(int32_t count, uint64_t archiveLength);

// ASCII "A".."Z" to lower case; nothing else changes.
std::string LowerAscii(const std::string& text);

// The length of an open file, leaving it positioned at its start; -1 when it cannot be measured.
int64_t MeasureFile(FILE* file);
