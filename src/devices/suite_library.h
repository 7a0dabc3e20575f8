// Loading the suite's run-time libraries from the paths the registry gives.
#pragma once

#include "framework/win32.h"

// Called once, first thing at start-up: from then on every library that this process loads, by
// this program or by the system on its behalf (COM servers, shell extensions, drivers), is looked
// for in the program's folder and the system folders only, never in the working directory or on
// PATH, which any program of the user can fill. FALSE where the system cannot narrow the search;
// the working directory is then at least taken out.
BOOL RestrictLibrarySearch();

// LoadLibraryA for a path from the registry. A full path ("C:\..." or "\\server\...") loads that
// file, and the libraries it depends on are found beside it as well; a bare name is found in the
// program's folder or the system folders. GetLastError tells why a load failed.
HMODULE LoadSuiteLibrary(const char* path);
