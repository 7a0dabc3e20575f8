// The memory of another process, read through its id.
#pragma once

#include <windows.h>

struct MemoryFigures {
    double privateBytes = -1;  // the commit charge: memory that only this process holds
    double workingSet = -1;
};
MemoryFigures MemoryOf(DWORD processId);
