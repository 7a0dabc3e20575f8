// Loading the suite's run-time libraries from the paths the registry gives.
#pragma once

#include "framework/win32.h"

// LoadLibraryA, with the working directory out of the search: a bare name is still found where
// the system looks for libraries (the program's folder, the system folders, PATH), but a library
// planted in whatever directory the program was started from is never loaded in its place.
// GetLastError tells why a load failed.
HMODULE LoadSuiteLibrary(const char* path);
