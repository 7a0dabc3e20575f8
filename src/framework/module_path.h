// The program file's path, and its parts, walked by characters of the ANSI code page so that the
// second byte of a double-byte character is never taken for a separator.
#pragma once

#include "framework/cstring.h"
#include "framework/win32.h"

// The full path of a module's file; empty when it cannot be obtained.
CString ModuleFileName(HMODULE hModule);

// The part of path after its last backslash or slash: the whole path when it has neither.
const char* FileNameOf(const char* path);
