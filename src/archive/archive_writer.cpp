#include "archive/archive_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "archive/archive_format.h"

bool BuildArchive(const std::vector<ArchiveMember>& members, std::vector<uint8_t>* archive,
                  std::string* error) {
    uint64_t position = ArchiveHeaderSize + uint64_t{ArchiveEntrySize} * members.size();
    for (const ArchiveMember& member : members) {
        if (member.name.empty() || member.name.size() >= ArchiveNameField) {
            *error =
                "entry name must be 1 to 1023 characters: \"" + member.name.substr(0, 60) + "\"";
            return false;
        }
        if (member.name.find('\xFF') != std::string::npos) {
            *error = "entry name holds the character 0xFF: \"" + member.name + "\"";
            return false;
        }
        position += member.bytes.size();
    }
    if (members.size() > INT32_MAX || position > UINT32_MAX) {
        *error = "archive would be larger than 4 GiB";
        return false;
    }
    archive->assign(static_cast<size_t>(position), 0);
    uint8_t* out = archive->data();
    out[0] = 'O';
    out[1] = 'O';
    PutLittle32(out + 2, static_cast<uint32_t>(members.size()));
    uint32_t dataOffset =
        ArchiveHeaderSize + ArchiveEntrySize * static_cast<uint32_t>(members.size());
    for (size_t i = 0; i < members.size(); ++i) {
        const ArchiveMember& member = members[i];
        uint8_t* record = out + ArchiveHeaderSize + ArchiveEntrySize * i;
        for (size_t c = 0; c < member.name.size(); ++c)
            record[c] = static_cast<uint8_t>(member.name[c]) ^ 0xFF;
        // The rest of the name field stays 0: the first 0 ends the name.
        PutLittle32(record + ArchiveNameField, dataOffset);
        PutLittle32(record + ArchiveNameField + 4, static_cast<uint32_t>(member.bytes.size()));
        if (!member.bytes.empty())
            std::memcpy(out + dataOffset, member.bytes.data(), member.bytes.size());
        dataOffset += static_cast<uint32_t>(member.bytes.size());
    }
    return true;
}

bool WriteArchiveFile(const std::string& path, const std::vector<ArchiveMember>& members,
                      std::string* error) {
    std::vector<uint8_t> archive;
    if (!BuildArchive(members, &archive, error)) return false;
    const std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        *error = "cannot create " + temporary + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(archive.data(), 1, archive.size(), file) == archive.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        *error = "cannot write " + temporary;
        std::remove(temporary.c_str());
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        *error = "cannot rename " + temporary + " to " + path + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
