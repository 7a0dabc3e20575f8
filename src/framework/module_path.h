// The program file's path and its parts, in the ANSI code page of the process.
#pragma once

#include "framework/cstring.h"
#include "framework/win32.h"

// The full path of a module's file; empty when it cannot be obtained.
CString ModuleFileName(HMODULE hModule);

// The file-name part of path, walked by characters of the ANSI code page.
CString FileNameInCodePage(const char* path);
