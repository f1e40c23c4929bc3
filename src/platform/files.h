// Files by the game's names: "\" separates directories, and each component is matched without
// regard to case, as the game's data files always were. Also the directory listing of the tree
// search.
#pragma once

#include <cstdio>
#include <string>

#include "platform/win_types.h"

// The path on disk that the game's name stands for: each component that exists under another
// case is replaced by the existing name. A name that matches nothing comes back with "/" as its
// separator only, so that opening it fails as it should.
std::string ResolveGamePath(const char* name);
// fopen of the resolved path.
FILE* OpenGameFile(const char* name, const char* mode);

constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    char cFileName[260];
};

struct FindListing;
using HANDLE = FindListing*;
inline HANDLE const INVALID_HANDLE_VALUE = nullptr;

// Lists a directory; the pattern is a directory followed by "\*.*" (only that pattern is known).
// The entries "." and ".." come first, as they did.
HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data);
BOOL FindNextFileA(HANDLE listing, WIN32_FIND_DATAA* data);
BOOL FindClose(HANDLE listing);
