// trazo-pack: the game's archive files (.ONE) from the command line.
//
//   trazo-pack create [--upper] ARCHIVE FILE... [NAME=FILE]...
//   trazo-pack list ARCHIVE
//   trazo-pack extract ARCHIVE [-C DIRECTORY] [NAME]...
//
// create stores each file under its name as given (or the NAME before "="), upper-cased with
// --upper; list prints name, offset and size of every entry; extract writes the named entries, or
// all of them, below the directory (default "."), a "\" in a name becoming a folder. Every error
// is one line on standard error and a non-zero exit; an archive or file is written under a
// temporary name and renamed into place only when complete.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "archive/archive_directory.h"
#include "archive/archive_writer.h"

namespace fs = std::filesystem;

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

int Fail(const std::string& message) {
    std::fprintf(stderr, "trazo-pack: %s\n", message.c_str());
    return ExitFailure;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: trazo-pack create [--upper] ARCHIVE FILE... [NAME=FILE]...\n"
                 "       trazo-pack list ARCHIVE\n"
                 "       trazo-pack extract ARCHIVE [-C DIRECTORY] [NAME]...\n");
    return ExitUsage;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* bytes, std::string* error) {
    if (fs::is_directory(path)) {
        *error = path + ": is a directory";
        return false;
    }
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        *error = path + ": " + std::strerror(errno);
        return false;
    }
    bytes->clear();
    uint8_t block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        bytes->insert(bytes->end(), block, block + got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) *error = path + ": read error";
    return !failed;
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

int Create(const std::vector<std::string>& args) {
    bool upper = false;
    std::vector<std::string> rest;
    for (const std::string& arg : args) {
        if (arg == "--upper")
            upper = true;
        else
            rest.push_back(arg);
    }
    if (rest.size() < 2) return Usage();
    const std::string archive = rest[0];
    std::vector<ArchiveMember> members;
    for (size_t i = 1; i < rest.size(); ++i) {
        const size_t equals = rest[i].find('=');
        ArchiveMember member;
        member.name = equals == std::string::npos ? rest[i] : rest[i].substr(0, equals);
        const std::string path = equals == std::string::npos ? rest[i] : rest[i].substr(equals + 1);
        if (upper) member.name = Upper(member.name);
        std::string error;
        if (!ReadWholeFile(path, &member.bytes, &error)) return Fail(error);
        members.push_back(std::move(member));
    }
    std::string error;
    if (!WriteArchiveFile(archive, members, &error)) return Fail(error);
    return 0;
}

bool OpenDirectory(const std::string& archive, FILE** file, std::vector<ArchiveEntry>* entries,
                   std::string* error) {
    *file = std::fopen(archive.c_str(), "rb");
    if (*file == nullptr) {
        *error = archive + ": " + std::strerror(errno);
        return false;
    }
    if (!ReadArchiveDirectory(*file, entries, error)) {
        *error = archive + ": " + *error;
        std::fclose(*file);
        return false;
    }
    return true;
}

int List(const std::vector<std::string>& args) {
    if (args.size() != 1) return Usage();
    FILE* file;
    std::vector<ArchiveEntry> entries;
    std::string error;
    if (!OpenDirectory(args[0], &file, &entries, &error)) return Fail(error);
    std::fclose(file);
    for (const ArchiveEntry& entry : entries)
        std::printf("%s\t%u\t%u\n", entry.name.c_str(), entry.offset, entry.size);
    return 0;
}

// The path an entry is unpacked to, or empty for a name that would leave the directory.
fs::path EntryPath(const fs::path& directory, const std::string& name) {
    fs::path relative;
    std::string part;
    for (size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || name[i] == '\\' || name[i] == '/') {
            if (part == ".." || (part.empty() && i == 0)) return {};
            if (!part.empty() && part != ".") relative /= part;
            part.clear();
        } else {
            part += name[i];
        }
    }
    if (relative.empty()) return {};
    return directory / relative;
}

bool ExtractEntry(FILE* file, const ArchiveEntry& entry, const fs::path& target,
                  std::string* error) {
    std::error_code code;
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), code);
    const std::string temporary = target.string() + ".tmp";
    FILE* out = std::fopen(temporary.c_str(), "wb");
    if (out == nullptr) {
        *error = temporary + ": " + std::strerror(errno);
        return false;
    }
    bool ok = std::fseek(file, static_cast<long>(entry.offset), SEEK_SET) == 0;
    uint8_t block[65536];
    for (uint32_t left = entry.size; ok && left > 0;) {
        const size_t want = std::min<size_t>(left, sizeof block);
        ok = std::fread(block, 1, want, file) == want && std::fwrite(block, 1, want, out) == want;
        left -= static_cast<uint32_t>(want);
    }
    ok = std::fclose(out) == 0 && ok;
    if (ok && std::rename(temporary.c_str(), target.c_str()) != 0) ok = false;
    if (!ok) {
        std::remove(temporary.c_str());
        *error = target.string() + ": cannot write the entry " + entry.name;
    }
    return ok;
}

int Extract(const std::vector<std::string>& args) {
    if (args.empty()) return Usage();
    const std::string archive = args[0];
    fs::path directory = ".";
    std::vector<std::string> wanted;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-C") {
            if (++i == args.size()) return Usage();
            directory = args[i];
        } else {
            wanted.push_back(args[i]);
        }
    }
    FILE* file;
    std::vector<ArchiveEntry> entries;
    std::string error;
    if (!OpenDirectory(archive, &file, &entries, &error)) return Fail(error);
    // Each wanted name is matched as the game matches it; of equal names the first counts.
    std::vector<const ArchiveEntry*> chosen;
    if (wanted.empty()) {
        // Of entries with equal names the game only ever reads the first, so only the first is
        // unpacked: a later one must not overwrite it, nor lie beside it under another case.
        std::set<std::string> seen;
        for (const ArchiveEntry& entry : entries)
            if (seen.insert(LowerAscii(entry.name)).second) chosen.push_back(&entry);
    } else {
        for (const std::string& name : wanted) {
            const ArchiveEntry* found = nullptr;
            for (const ArchiveEntry& entry : entries)
                if (LowerAscii(entry.name) == LowerAscii(name)) {
                    found = &entry;
                    break;
                }
            if (found == nullptr) {
                std::fclose(file);
                return Fail(archive + ": no entry " + name);
            }
            chosen.push_back(found);
        }
    }
    for (const ArchiveEntry* entry : chosen) {
        const fs::path target = EntryPath(directory, entry->name);
        if (target.empty()) {
            std::fclose(file);
            return Fail(archive + ": entry name " + entry->name + " leaves the directory");
        }
        if (!ExtractEntry(file, *entry, target, &error)) {
            std::fclose(file);
            return Fail(error);
        }
    }
    std::fclose(file);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "create") return Create(args);
    if (command == "list") return List(args);
    if (command == "extract") return Extract(args);
    return Usage();
}
