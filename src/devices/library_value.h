// A suite library's path as one machine-wide value names it, read directly and held to what
// LoadLibrary can take: the administrators' places for the libraries, policies among them.
#pragma once

#include "framework/cstring.h"

// What one value holds for a library.
enum class LibraryValue { Absent, Refused, Found };

// The value valueName of HKEY_LOCAL_MACHINE\keyPath (the registry matches the name without regard
// to case). Absent: the key or the value is not there. Refused: it is empty, not REG_SZ
// (REG_EXPAND_SZ included) or longer than 260 bytes with its terminator; the event log says which.
// Found: pPath holds the path, terminated even where the data was not; otherwise pPath is unchanged.
LibraryValue ReadLibraryValue(const char* keyPath, const char* valueName, CString* pPath);
