// A library that refuses to be loaded: its DllMain answers FALSE to the process's attach, so
// LoadLibrary fails although the file is a sound library of the right kind.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    return reason != DLL_PROCESS_ATTACH;
}
