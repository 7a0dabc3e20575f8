// Looking at named mutexes of other processes.
#include "named_objects.h"

#include <windows.h>

bool MutexExists(const char* name)
{
    HANDLE hMutex = ::OpenMutexA(SYNCHRONIZE, FALSE, name);
    if (hMutex != NULL)
        ::CloseHandle(hMutex);
    return hMutex != NULL;
}

bool MutexHeldElsewhere(const char* name)
{
    HANDLE hMutex = ::OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name);
    if (hMutex == NULL)
        return false;
    const bool held = ::WaitForSingleObject(hMutex, 0) == WAIT_TIMEOUT;
    if (!held)
        ::ReleaseMutex(hMutex);
    ::CloseHandle(hMutex);
    return held;
}
