// Looks at an installation from inside its Windows session, for the installer's tests:
//
//   install_probe instances                 one line per running LumoraReady.exe: "<pid> <program file>"
//   install_probe run-at-login <HKCU|HKLM>  starts the command of the Run value "Lumora Ready" under
//                                           that root as the shell does at login; prints "started <pid>"
#include <windows.h>
#include <tlhelp32.h>

#include <stdio.h>
#include <string.h>

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
        printf("%lu %s\n", entry.th32ProcessID, path);
    }
    return 0;
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
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!::CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &started)) {
        printf("cannot start %s: error %lu\n", command, ::GetLastError());
        return 1;
    }
    ::CloseHandle(started.hThread);
    ::CloseHandle(started.hProcess);
    printf("started %lu\n", started.dwProcessId);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && strcmp(argv[1], "instances") == 0)
        return ListInstances();
    if (argc == 3 && strcmp(argv[1], "run-at-login") == 0)
        return RunAtLogin(argv[2]);
    fprintf(stderr, "usage: install_probe instances | install_probe run-at-login <HKCU|HKLM>\n");
    return 2;
}
