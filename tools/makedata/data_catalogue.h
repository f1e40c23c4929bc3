// The list of every generated data file: its name, its archive, and how it is drawn and encoded.
#pragma once

#include <string>
#include <vector>

#include "picture_files.h"

// Draws and encodes every file, with up to jobs worker threads, in the catalogue's fixed order.
// Throws std::runtime_error when a picture cannot be made (a missing font, for instance).
std::vector<DataFile> MakeAllDataFiles(int jobs);

// The generator's own checks of what it made: every file decodes to its intended size, no
// picture is blank, and the overlays' backgrounds decode to exactly 0 (transparent).
bool CheckDataFiles(const std::vector<DataFile>& files, std::string* problem);
