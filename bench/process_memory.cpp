// The memory of another process.
#include "process_memory.h"

#include <psapi.h>

MemoryFigures MemoryOf(DWORD processId)
{
    MemoryFigures figures;
    HANDLE hProcess = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (hProcess == NULL)
        return figures;
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    // PagefileUsage is the commit charge, the same number as PrivateUsage of the extended counters,
    // which Wine leaves 0.
    if (::GetProcessMemoryInfo(hProcess, &counters, sizeof counters)) {
        figures.privateBytes = static_cast<double>(counters.PagefileUsage);
        figures.workingSet = static_cast<double>(counters.WorkingSetSize);
    }
    ::CloseHandle(hProcess);
    return figures;
}
