// For the Windows Installer package: ends the running instance of the installed program before its
// file is removed or replaced, as the executable installer does. It asks with the program's own
// switch "KILL" and waits, 5 s at most, until the instance's mutex is gone and the program file
// can be written; a quit request meets no window while an instance is still starting, so it asks
// again every second. The package runs it from its Binary table:
//   end_instance.exe "<folder>\LumoraReady.exe"
// Exit code 0 when nothing holds the file, 1 when an instance still does: the package goes on, and
// Windows Installer replaces a file in use at the next restart. 2: no program named.
#include "events/instance_marker.h"
#include "framework/handles.h"

#include <stdlib.h>

#include <string>

namespace {

const DWORD LookMs = 100;
const int Looks = 50;
const int AskEvery = 10;

bool InstanceRuns()
{
    const CHandle mutex(::OpenMutexA(SYNCHRONIZE, FALSE, InstanceMutexName));
    return mutex != NULL;
}

bool ProgramFileHeld(const char* path)
{
    const CHandle file(::CreateFileA(path, GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL));
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
    }
    return false;
}

void AskToQuit(const char* path)
{
    std::string command = "\"" + std::string(path) + "\" /KILL";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!::CreateProcessA(path, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &started))
        return;
    const CHandle process(started.hProcess);
    const CHandle thread(started.hThread);
    ::WaitForSingleObject(process, 10000);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc != 2)
        return 2;
    const char* program = __argv[1];
    if (::GetFileAttributesA(program) == INVALID_FILE_ATTRIBUTES)
        return 0;
    for (int look = 0; look < Looks; ++look) {
        if (!InstanceRuns() && !ProgramFileHeld(program))
            return 0;
        if (look % AskEvery == 0)
            AskToQuit(program);
        ::Sleep(LookMs);
    }
    return 1;
}
