// Looks at an installation from inside its Windows session, for the installer's tests:
//
//   install_probe instances                 one line per running LumoraReady.exe:
//                                           "<pid> <parent pid> <program file>"
//   install_probe run-at-login <HKCU|HKLM>  starts the command of the Run value "Lumora Ready" under
//                                           that root as the shell does at login; prints "started <pid>"
//   install_probe shell                     the user's shell for a session that has none: a window
//                                           set as the shell window; prints "shell <pid>" of the
//                                           shell window's process, then stays until ended
//   install_probe run-line "<command line>" runs that command line as it stands (an installer's
//                                           /D= takes the rest of the line unquoted), waits for it and
//                                           ends with its exit code
//   install_probe hold <file>               opens the file for reading only, sharing only reading,
//                                           prints "held", then stays until ended
//   install_probe run-limited "<line>"      runs the line with the limited token linked to this one, as
//                                           a debuggee: prints "started <image>" for it and for each
//                                           process it starts (and says so when it runs elevated all
//                                           the same), ends with its exit code
#include <windows.h>
#include <tlhelp32.h>

#include <memory>
#include <stdio.h>
#include <string.h>

// Not in the headers, but exported by user32.
extern "C" __declspec(dllimport) BOOL WINAPI SetShellWindow(HWND);

namespace {

const char* const ProgramFile = "LumoraReady.exe";
const char* const RunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const RunValue = "Lumora Ready";

// Closes a valid handle when it goes.
typedef std::unique_ptr<void, decltype(&::CloseHandle)> Handle;

int ListInstances()
{
    const HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE) {
        printf("no process snapshot: error %lu\n", ::GetLastError());
        return 1;
    }
    const Handle snapshot(hSnapshot, ::CloseHandle);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(hSnapshot, &entry); more; more = ::Process32Next(hSnapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, ProgramFile) != 0)
            continue;
        char path[MAX_PATH] = {};
        DWORD length = sizeof path;
        const Handle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID),
                             ::CloseHandle);
        DWORD exitCode = 0;
        // A process that ended since the snapshot is not an instance any more.
        if (!process || !::QueryFullProcessImageNameA(process.get(), 0, path, &length)
            || (::GetExitCodeProcess(process.get(), &exitCode) && exitCode != STILL_ACTIVE))
            continue;
        printf("%lu %lu %s\n", entry.th32ProcessID, entry.th32ParentProcessID, path);
    }
    return 0;
}

// The started process's handle, or none when it could not start; its id in *pId. With a token,
// the process runs with it, as this process's debuggee.
Handle Start(const char* commandLine, DWORD* pId = NULL, HANDLE hToken = NULL)
{
    char command[2048] = {};
    lstrcpynA(command, commandLine, sizeof command);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (hToken != NULL ? !::CreateProcessAsUserA(hToken, NULL, command, NULL, NULL, FALSE, DEBUG_PROCESS, NULL, NULL, &startup, &started)
                       : !::CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &started)) {
        printf("cannot start %s: error %lu\n", command, ::GetLastError());
        return Handle(NULL, ::CloseHandle);
    }
    ::CloseHandle(started.hThread);
    if (pId != NULL)
        *pId = started.dwProcessId;
    return Handle(started.hProcess, ::CloseHandle);
}

int RunAtLogin(const char* rootName)
{
    HKEY root = strcmp(rootName, "HKLM") == 0 ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    char command[1024] = {};
    DWORD size = sizeof command - 1;
    const LSTATUS status = ::RegGetValueA(root, RunKey, RunValue, RRF_RT_REG_SZ, NULL, command, &size);
    if (status != ERROR_SUCCESS) {
        printf("no Run value \"%s\" under %s: error %ld\n", RunValue, rootName, status);
        return 1;
    }
    DWORD id = 0;
    if (!Start(command, &id))
        return 1;
    printf("started %lu\n", id);
    return 0;
}

// Wine's desktop sets a shell window in later versions and none in earlier ones: this one is set
// only where there is none.
int BeShell()
{
    const HWND hWnd = ::CreateWindowA("STATIC", "install_probe shell", 0, 0, 0, 0, 0, NULL, NULL, NULL, NULL);
    if (::GetShellWindow() == NULL)
        SetShellWindow(hWnd);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(::GetShellWindow(), &processId);
    printf("shell %lu\n", processId);
    fflush(stdout);
    MSG msg;
    while (::GetMessageA(&msg, NULL, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    return 0;
}

int RunLine(const char* line)
{
    const Handle process = Start(line);
    DWORD exitCode = 255;
    if (process) {
        ::WaitForSingleObject(process.get(), INFINITE);
        ::GetExitCodeProcess(process.get(), &exitCode);
    }
    return static_cast<int>(exitCode);
}

// The file stays open until the probe is ended.
int Hold(const char* path)
{
    if (::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL) == INVALID_HANDLE_VALUE) {
        printf("cannot open %s: error %lu\n", path, ::GetLastError());
        return 1;
    }
    printf("held\n");
    fflush(stdout);
    ::Sleep(INFINITE);
    return 0;
}

// Wine's processes carry an elevated token, linked to a limited one as an administrator's is
// under UAC: a process started with the limited one reports itself not elevated.
int RunLimited(const char* line)
{
    HANDLE hToken = NULL;
    TOKEN_LINKED_TOKEN linked = {};
    DWORD size = 0, id = 0;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &hToken)
        || !::GetTokenInformation(Handle(hToken, ::CloseHandle).get(), TokenLinkedToken, &linked, sizeof linked, &size))
        return 255;
    const Handle limited(linked.LinkedToken, ::CloseHandle);
    if (!Start(line, &id, limited.get()))
        return 255;
    // What the installer leaves running goes on when the probe ends.
    ::DebugSetProcessKillOnExit(FALSE);
    DEBUG_EVENT event = {};
    while (::WaitForDebugEvent(&event, INFINITE)) {
        const DWORD code = event.dwDebugEventCode;
        if (code == CREATE_PROCESS_DEBUG_EVENT) {
            char image[MAX_PATH] = {};
            ::GetFinalPathNameByHandleA(event.u.CreateProcessInfo.hFile, image, sizeof image, 0);
            printf("started %s\n", image);
            HANDLE hStarted = NULL;
            TOKEN_ELEVATION elevation = {};
            if (event.dwProcessId == id && ::OpenProcessToken(event.u.CreateProcessInfo.hProcess, TOKEN_QUERY, &hStarted)
                && ::GetTokenInformation(Handle(hStarted, ::CloseHandle).get(), TokenElevation, &elevation,
                                         sizeof elevation, &size) && elevation.TokenIsElevated)
                printf("the limited token did not take: %s runs elevated\n", image);
        }
        if (code == CREATE_PROCESS_DEBUG_EVENT || code == LOAD_DLL_DEBUG_EVENT)
            ::CloseHandle(code == LOAD_DLL_DEBUG_EVENT ? event.u.LoadDll.hFile : event.u.CreateProcessInfo.hFile);
        const bool passOn = code == EXCEPTION_DEBUG_EVENT && event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT;
        ::ContinueDebugEvent(event.dwProcessId, event.dwThreadId, passOn ? DBG_EXCEPTION_NOT_HANDLED : DBG_CONTINUE);
        if (code == EXIT_PROCESS_DEBUG_EVENT && event.dwProcessId == id)
            return static_cast<int>(event.u.ExitProcess.dwExitCode);
    }
    return 255;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && strcmp(argv[1], "instances") == 0)
        return ListInstances();
    if (argc == 3 && strcmp(argv[1], "run-at-login") == 0)
        return RunAtLogin(argv[2]);
    if (argc == 2 && strcmp(argv[1], "shell") == 0)
        return BeShell();
    if (argc == 3 && strcmp(argv[1], "run-line") == 0)
        return RunLine(argv[2]);
    if (argc == 3 && strcmp(argv[1], "hold") == 0)
        return Hold(argv[2]);
    if (argc == 3 && strcmp(argv[1], "run-limited") == 0)
        return RunLimited(argv[2]);
    fprintf(stderr, "usage: install_probe instances | run-at-login <HKCU|HKLM> | shell | run-line <line> | hold <file>"
                    " | run-limited <line>\n");
    return 2;
}
