// Writing an archive in the game's format from a list of named byte blocks: the header, the
// directory in the order given, then each entry's data in the same order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ArchiveMember {
    std::string name;  // stored as given: no case folding, "\" kept as a separator
    std::vector<uint8_t> bytes;
};

// The whole archive in memory. False, with a one-line reason in *error, when a name is empty,
// longer than 1023 characters or holds the character 0xFF (its complement would end the name), or
// when the data would not fit the format's 32-bit offsets.
bool BuildArchive(const std::vector<ArchiveMember>& members, std::vector<uint8_t>* archive,
                  std::string* error);

// Builds the archive and writes it to path through a temporary file beside it that is renamed
// over path only once it is complete, so that a failure never leaves half an archive.
bool WriteArchiveFile(const std::string& path, const std::vector<ArchiveMember>& members,
                      std::string* error);
