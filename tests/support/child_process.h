// A process that a test or tool starts, watches and, when it must, ends: that one process only,
// through its own handle. It runs in a job that ends it when its owner's process ends, however
// that process ends.
#pragma once

#include <windows.h>

#include <string>

// The path of a program in the folder of the running one: programs of a build sit side by side.
std::string ProgramBeside(const char* name);

// The path of a file in the user's temporary directory.
std::string TempPath(const std::string& name);

// Makes every process that this process starts from now on, however it starts it (the shell
// included), end when this process ends, however it ends: both are put in a job that ends its
// processes when its last handle closes. That handle is this process's own, and its end closes it;
// closing it sooner would end this process too.
class EndChildrenWithThisProcess {
public:
    EndChildrenWithThisProcess();
    EndChildrenWithThisProcess(const EndChildrenWithThisProcess&) = delete;
    EndChildrenWithThisProcess& operator=(const EndChildrenWithThisProcess&) = delete;
};

class ChildProcess {
public:
    ChildProcess() = default;
    // A process still running when its owner goes is ended.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts commandLine, program path first, as CreateProcess splits it; with captureOutput the
    // child's standard output and error go to a pipe that Output reads.
    bool Start(const std::string& commandLine, bool captureOutput = false);

    // True when the process has ended within timeoutMs.
    bool WaitForExit(DWORD timeoutMs);
    DWORD ExitCode() const;
    DWORD Id() const { return m_info.dwProcessId; }

    // Everything the process wrote until it ended, or until timeoutMs passed.
    std::string Output(DWORD timeoutMs);

    // Ends the process at once if it is still running, and waits for its end.
    void Terminate();

private:
    PROCESS_INFORMATION m_info = {};
    HANDLE m_hOutput = NULL;
    HANDLE m_hJob = NULL;
};
