// The DLLs a program file imports, read from its import table; 32-bit and 64-bit files alike.
#pragma once

#include <string>
#include <vector>

// The names in the order of the table; false when the file cannot be read or is no program file
// this reader understands (a damaged table ends the reading without reading past the file).
bool ImportedDlls(const std::string& path, std::vector<std::string>* names);
