// Ends the running instance of the installed program before an installer replaces or removes its
// file. Both installers carry it among their own files (the executable installer extracts it to
// its private folder, the package runs it from its Binary table), because the installed program
// file is never run: in a folder a user can write it may be anyone's program, and the installers
// run elevated or as SYSTEM. It asks the way a second instance of the program does: the top-level
// window that carries the instance mark is posted the quit request. It then waits, 5 s at most,
// until the instance's mutex is gone and the program file can be written; a request meets no
// window while an instance is still starting, so it asks again every second.
//   end_instance.exe "<folder>\LumoraReady.exe"
// Exit code 0 when nothing holds the file (or there is none), 1 when an instance still does, 2 when
// no program is named. In session 0 (SYSTEM under a deployment tool) no user's instance can be
// reached, so nothing is asked: it only waits, and the installer handles a file that stays held.
#include "events/instance_marker.h"
#include "framework/handles.h"

#include <stdlib.h>

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

bool InServicesSession()
{
    DWORD session = 0;
    return ::ProcessIdToSessionId(::GetCurrentProcessId(), &session) && session == 0;
}

// EnumWindows sees the top-level windows of this desktop only, so an instance of another
// session, whose mutex is another one as well, is never asked.
BOOL CALLBACK AskIfMarked(HWND hWnd, LPARAM)
{
    if (::GetPropA(hWnd, InstanceMutexName) == RunningInstanceMark())
        ::PostMessageA(hWnd, WM_READY_QUIT, 0, 0);
    return TRUE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc != 2)
        return 2;
    const char* program = __argv[1];
    if (::GetFileAttributesA(program) == INVALID_FILE_ATTRIBUTES)
        return 0;
    const bool canAsk = !InServicesSession();
    for (int look = 0; look < Looks; ++look) {
        if (!InstanceRuns() && !ProgramFileHeld(program))
            return 0;
        if (canAsk && look % AskEvery == 0)
            ::EnumWindows(AskIfMarked, 0);
        ::Sleep(LookMs);
    }
    return 1;
}
