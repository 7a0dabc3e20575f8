// Finding the top-level windows of other processes.
#pragma once

#include <windows.h>

// The first top-level window, in Z order, of process processId (of any process when 0) whose title
// is title; NULL when there is none.
HWND FindTopLevelWindow(DWORD processId, const char* title);
