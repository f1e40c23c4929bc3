// The whole directory of an archive, for tools that list or unpack one; the game itself looks
// names up one record at a time (data_files.h).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "archive/archive_format.h"

// Reads the directory of the archive open in file. False, with a one-line reason in *error, for a
// wrong magic, a negative count or one whose records would reach past the end, a name without
// terminator or an entry whose data lies outside the file.
bool ReadArchiveDirectory(FILE* file, std::vector<ArchiveEntry>* entries, std::string* error);
