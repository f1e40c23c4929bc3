// The game's texts are in code page 1252; SDL wants UTF-8.
#pragma once

#include <string>

std::string Cp1252ToUtf8(const std::string& text);

// A tab becomes spaces up to the next stop of eight characters (of UTF-8 text), for message boxes
// that lay out no tabs: the help text's key table stays in line.
std::string ExpandTabs(const std::string& utf8);
