#include "platform/files.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

std::vector<std::string> SplitComponents(const std::string& name) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : name) {
        if (c == '\\' || c == '/') {
            parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts.push_back(current);
    return parts;
}

bool IsDirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The entry of the directory whose name equals the component without regard to case; an exact
// match wins over others.
std::string MatchComponent(const std::string& directory, const std::string& component) {
    const std::string exact = directory + "/" + component;
    struct stat info;
    if (stat(exact.c_str(), &info) == 0) return component;
    DIR* dir = opendir(directory.c_str());
    if (dir == nullptr) return component;
    std::string found = component;
    while (dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, component.c_str()) == 0) {
            found = entry->d_name;
            break;
        }
    }
    closedir(dir);
    return found;
}

}  // namespace

std::string ResolveGamePath(const char* name) {
    if (name == nullptr) return {};
    const std::vector<std::string> parts = SplitComponents(name);
    std::string path;  // empty: the current directory
    if (parts.size() > 1 && parts[0].empty()) path = "/";
    for (const std::string& part : parts) {
        if (part.empty()) continue;
        const std::string resolved =
            part == "." || part == ".." ? part : MatchComponent(path.empty() ? "." : path, part);
        if (path.empty())
            path = resolved;
        else if (path == "/")
            path += resolved;
        else
            path += "/" + resolved;
    }
    return path;
}

FILE* OpenGameFile(const char* name, const char* mode) {
    const std::string path = ResolveGamePath(name);
    // Only files: a directory of the sought name is no data file.
    if (path.empty() || IsDirectory(path)) return nullptr;
    return std::fopen(path.c_str(), mode);
}

struct FindListing {
    std::vector<WIN32_FIND_DATAA> entries;
    size_t next = 0;
};

namespace {

WIN32_FIND_DATAA MakeEntry(const char* name, bool directory) {
    WIN32_FIND_DATAA data{};
    data.dwFileAttributes = directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    std::strncpy(data.cFileName, name, sizeof data.cFileName - 1);
    return data;
}

}  // namespace

HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data) {
    if (pattern == nullptr || data == nullptr) return INVALID_HANDLE_VALUE;
    std::string directory = pattern;
    const size_t cut = directory.find_last_of("\\/");
    directory = cut == std::string::npos ? "." : directory.substr(0, cut);
    const std::string path = ResolveGamePath(directory.c_str());
    DIR* dir = opendir(path.empty() ? "." : path.c_str());
    if (dir == nullptr) return INVALID_HANDLE_VALUE;
    auto* listing = new FindListing();
    listing->entries.push_back(MakeEntry(".", true));
    listing->entries.push_back(MakeEntry("..", true));
    while (dirent* entry = readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        if (std::strlen(entry->d_name) >= sizeof data->cFileName) continue;  // too long to list
        listing->entries.push_back(
            MakeEntry(entry->d_name, IsDirectory(path + "/" + entry->d_name)));
    }
    closedir(dir);
    // readdir's order depends on the file system; sorted names make the search repeatable.
    std::sort(listing->entries.begin() + 2, listing->entries.end(),
              [](const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) {
                  return std::strcmp(a.cFileName, b.cFileName) < 0;
              });
    *data = listing->entries[0];
    listing->next = 1;
    return listing;
}

BOOL FindNextFileA(HANDLE listing, WIN32_FIND_DATAA* data) {
    if (listing == nullptr || data == nullptr || listing->next >= listing->entries.size()) return 0;
    *data = listing->entries[listing->next++];
    return 1;
}

BOOL FindClose(HANDLE listing) {
    delete listing;
    return listing != nullptr;
}
