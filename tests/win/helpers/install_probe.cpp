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
#include <windows.h>
#include <tlhelp32.h>

#include <stdio.h>
#include <string.h>

// Not in the headers, but exported by user32.
extern "C" __declspec(dllimport) BOOL WINAPI SetShellWindow(HWND);

namespace {

const char* const ProgramFile = "LumoraReady.exe";
const char* const RunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const RunValue = "Lumora Ready";

class Handle {
public:
    explicit Handle(HANDLE h) : m_h(h) {}
    ~Handle()
    {
        if (m_h != NULL && m_h != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_h);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE Get() const { return m_h; }

private:
    HANDLE m_h;
};

int ListInstances()
{
    Handle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (snapshot.Get() == INVALID_HANDLE_VALUE) {
        printf("no process snapshot: error %lu\n", ::GetLastError());
        return 1;
    }
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot.Get(), &entry); more; more = ::Process32Next(snapshot.Get(), &entry)) {
        if (lstrcmpiA(entry.szExeFile, ProgramFile) != 0)
            continue;
        char path[MAX_PATH] = "(gone)";
        DWORD length = sizeof path;
        Handle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
        // A process that ended since the snapshot is not an instance any more.
        if (process.Get() == NULL || !::QueryFullProcessImageNameA(process.Get(), 0, path, &length))
            continue;
        DWORD exitCode = 0;
        if (::GetExitCodeProcess(process.Get(), &exitCode) && exitCode != STILL_ACTIVE)
            continue;
        printf("%lu %lu %s\n", entry.th32ProcessID, entry.th32ParentProcessID, path);
    }
    return 0;
}

bool Start(char* command, PROCESS_INFORMATION* pStarted)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (::CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, pStarted))
        return true;
    printf("cannot start %s: error %lu\n", command, ::GetLastError());
    return false;
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
    PROCESS_INFORMATION started = {};
    if (!Start(command, &started))
        return 1;
    ::CloseHandle(started.hThread);
    ::CloseHandle(started.hProcess);
    printf("started %lu\n", started.dwProcessId);
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
    char command[2048] = {};
    lstrcpynA(command, line, sizeof command);
    PROCESS_INFORMATION started = {};
    if (!Start(command, &started))
        return 255;
    Handle thread(started.hThread);
    Handle process(started.hProcess);
    DWORD exitCode = 255;
    ::WaitForSingleObject(process.Get(), INFINITE);
    ::GetExitCodeProcess(process.Get(), &exitCode);
    return static_cast<int>(exitCode);
}

int Hold(const char* path)
{
    Handle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL));
    if (file.Get() == INVALID_HANDLE_VALUE) {
        printf("cannot open %s: error %lu\n", path, ::GetLastError());
        return 1;
    }
    printf("held\n");
    fflush(stdout);
    ::Sleep(INFINITE);
    return 0;
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
    fprintf(stderr, "usage: install_probe instances | run-at-login <HKCU|HKLM> | shell | run-line <line> | hold <file>\n");
    return 2;
}
