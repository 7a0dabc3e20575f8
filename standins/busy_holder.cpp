// Stand-in for the program of the suite that holds the busy mutex "vexa_kivrel_mutex_object"
// while camera-button presses are to be ignored.
//
//   busy_holder <milliseconds>   takes the mutex, holds it that long, releases it
//   busy_holder --abandon        takes the mutex and ends without releasing it
//
// It prints "holding" once it holds the mutex, and exits with 1 when it cannot take it.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv)
{
    const bool abandon = argc == 2 && strcmp(argv[1], "--abandon") == 0;
    char* end = nullptr;
    const unsigned long holdMs = argc == 2 && !abandon ? strtoul(argv[1], &end, 10) : 0;
    if (argc != 2 || (!abandon && (*argv[1] == '\0' || *end != '\0'))) {
        fprintf(stderr, "usage: busy_holder <milliseconds> | --abandon\n");
        return 2;
    }
    HANDLE hBusy = ::CreateMutexA(NULL, FALSE, "vexa_kivrel_mutex_object");
    const DWORD taken = hBusy != NULL ? ::WaitForSingleObject(hBusy, 10000) : WAIT_FAILED;
    if (taken != WAIT_OBJECT_0 && taken != WAIT_ABANDONED) {
        printf("cannot take the busy mutex\n");
        return 1;
    }
    printf("holding\n");
    fflush(stdout);
    if (abandon)
        return 0;  // the system marks the mutex abandoned
    ::Sleep(holdMs);
    ::ReleaseMutex(hBusy);
    ::CloseHandle(hBusy);
    printf("released\n");
    return 0;
}
