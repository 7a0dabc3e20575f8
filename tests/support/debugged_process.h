// A process started as this process's debuggee, for the lines it writes to the system's debug
// output: the program's diagnostics, as a debugger would show them.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

class DebuggedProcess {
public:
    DebuggedProcess() = default;
    // A process still running is ended, and the debugging with it.
    ~DebuggedProcess();
    DebuggedProcess(const DebuggedProcess&) = delete;
    DebuggedProcess& operator=(const DebuggedProcess&) = delete;

    // Starts commandLine; true once the process runs.
    bool Start(const std::string& commandLine);

    DWORD Id() const { return m_id; }
    bool WaitForExit(DWORD timeoutMs);

    // The lines written so far, each without its line break.
    std::vector<std::string> Lines() const;
    // True when a line that contains text has come within timeoutMs.
    bool WaitForLine(const std::string& text, DWORD timeoutMs);

private:
    // The debugger's loop. Debug events go to the thread that started the process, so the loop
    // runs on a thread of its own from the start to the process's end.
    void Debug(std::string commandLine);
    void Record(const DEBUG_EVENT& event);

    std::thread m_debugger;
    HANDLE m_hStarted = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE m_hProcess = NULL;
    DWORD m_id = 0;
    mutable std::mutex m_linesLock;
    std::vector<std::string> m_lines;
};
