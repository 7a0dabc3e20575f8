// Holds a named mutex for a while, as another program of the suite would: mutex_holder <name>
// <milliseconds>. Prints "holding" once it holds the mutex.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: mutex_holder <name> <milliseconds>\n");
        return 2;
    }
    HANDLE hMutex = ::CreateMutexA(NULL, TRUE, argv[1]);
    if (hMutex == NULL || ::WaitForSingleObject(hMutex, 10000) == WAIT_TIMEOUT) {
        printf("cannot take %s\n", argv[1]);
        return 1;
    }
    printf("holding\n");
    fflush(stdout);
    ::Sleep(strtoul(argv[2], nullptr, 10));
    return 0;
}
