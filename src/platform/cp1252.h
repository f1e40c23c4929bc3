// The game's texts are in code page 1252; SDL wants UTF-8.
#pragma once

#include <string>

std::string Cp1252ToUtf8(const std::string& text);
