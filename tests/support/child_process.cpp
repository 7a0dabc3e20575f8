// Child processes of tests and tools.
#include "child_process.h"

#include <vector>

std::string ProgramBeside(const char* name)
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

namespace {

HANDLE KillOnCloseJob()
{
    HANDLE hJob = ::CreateJobObjectA(NULL, NULL);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(hJob, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return hJob;
}

}  // namespace

EndChildrenWithThisProcess::EndChildrenWithThisProcess()
{
    ::AssignProcessToJobObject(KillOnCloseJob(), ::GetCurrentProcess());
}

std::string TempPath(const std::string& name)
{
    char directory[MAX_PATH + 1] = {};
    ::GetTempPathA(MAX_PATH, directory);
    return directory + name;
}

ChildProcess::~ChildProcess()
{
    Terminate();
    if (m_hOutput != NULL)
        ::CloseHandle(m_hOutput);
    if (m_info.hThread != NULL)
        ::CloseHandle(m_info.hThread);
    if (m_info.hProcess != NULL)
        ::CloseHandle(m_info.hProcess);
    if (m_hJob != NULL)
        ::CloseHandle(m_hJob);
}

bool ChildProcess::Start(const std::string& commandLine, bool captureOutput)
{
    if (m_info.hProcess != NULL)
        return false;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    HANDLE hWrite = NULL;
    if (captureOutput) {
        SECURITY_ATTRIBUTES inherit = { sizeof inherit, NULL, TRUE };
        if (!::CreatePipe(&m_hOutput, &hWrite, &inherit, 0))
            return false;
        ::SetHandleInformation(m_hOutput, HANDLE_FLAG_INHERIT, 0);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = hWrite;
        startup.hStdError = hWrite;
    }
    // A test that crashes or is killed must not leave its child running.
    m_hJob = KillOnCloseJob();

    std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back('\0');
    const BOOL started = ::CreateProcessA(NULL, mutableLine.data(), NULL, NULL, captureOutput, CREATE_SUSPENDED,
                                          NULL, NULL, &startup, &m_info);
    // The child holds its own copy of the write end; the pipe ends when the child does.
    if (hWrite != NULL)
        ::CloseHandle(hWrite);
    if (!started)
        return false;
    ::AssignProcessToJobObject(m_hJob, m_info.hProcess);
    ::ResumeThread(m_info.hThread);
    return true;
}

bool ChildProcess::WaitForExit(DWORD timeoutMs)
{
    return m_info.hProcess != NULL && ::WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD ChildProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (m_info.hProcess != NULL)
        ::GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

std::string ChildProcess::Output(DWORD timeoutMs)
{
    std::string text;
    if (m_hOutput == NULL)
        return text;
    const DWORD start = ::GetTickCount();
    for (;;) {
        DWORD available = 0;
        if (!::PeekNamedPipe(m_hOutput, NULL, 0, NULL, &available, NULL))
            break;  // the writer is gone and everything has been read
        if (available > 0) {
            std::vector<char> chunk(available);
            DWORD got = 0;
            if (!::ReadFile(m_hOutput, chunk.data(), available, &got, NULL))
                break;
            text.append(chunk.data(), got);
            continue;
        }
        if (::GetTickCount() - start >= timeoutMs)
            break;
        // Nothing to read yet: wait for the child's end or a short while, whichever comes first.
        ::WaitForSingleObject(m_info.hProcess, 10);
    }
    return text;
}

void ChildProcess::Terminate()
{
    if (m_info.hProcess == NULL || WaitForExit(0))
        return;
    ::TerminateProcess(m_info.hProcess, 1);
    ::WaitForSingleObject(m_info.hProcess, 5000);
}
