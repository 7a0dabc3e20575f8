// Child processes of tests and tools.
#include "child_process.h"

#include <string.h>
#include <vector>

std::string ProgramBeside(const char* name)
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    return std::string(path, strrchr(path, '\\') + 1) + name;
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
    for (HANDLE h : { m_hOutput, m_info.hThread, m_info.hProcess, m_hJob }) {
        if (h != NULL)
            ::CloseHandle(h);
    }
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
        startup.hStdOutput = startup.hStdError = hWrite;
    }
    // A test that crashes or is killed must not leave its child running.
    m_hJob = KillOnCloseJob();

    std::string mutableLine = commandLine;
    const BOOL started = ::CreateProcessA(NULL, &mutableLine[0], NULL, NULL, captureOutput, CREATE_SUSPENDED, NULL,
                                          NULL, &startup, &m_info);
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
        std::vector<char> chunk(available);
        DWORD got = 0;
        if (available > 0 && ::ReadFile(m_hOutput, chunk.data(), available, &got, NULL))
            text.append(chunk.data(), got);
        else if (available > 0 || ::GetTickCount() - start >= timeoutMs)
            break;
        else  // nothing to read yet: wait for the child's end or a short while, whichever comes first
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
