// The debuggee and the debugger's loop.
#include "debugged_process.h"

#include "poll.h"

#include <algorithm>

DebuggedProcess::~DebuggedProcess()
{
    if (m_hProcess != NULL && ::WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT)
        ::TerminateProcess(m_hProcess, 1);
    // The loop ends with the process's exit event.
    if (m_debugger.joinable())
        m_debugger.join();
    for (HANDLE h : { m_hProcess, m_hStarted }) {
        if (h != NULL)
            ::CloseHandle(h);
    }
}

bool DebuggedProcess::Start(const std::string& commandLine)
{
    if (m_debugger.joinable())
        return false;
    m_debugger = std::thread(&DebuggedProcess::Debug, this, commandLine);
    ::WaitForSingleObject(m_hStarted, INFINITE);
    return m_hProcess != NULL;
}

bool DebuggedProcess::WaitForExit(DWORD timeoutMs)
{
    return m_hProcess != NULL && ::WaitForSingleObject(m_hProcess, timeoutMs) == WAIT_OBJECT_0;
}

std::vector<std::string> DebuggedProcess::Lines() const
{
    std::lock_guard<std::mutex> lock(m_linesLock);
    return m_lines;
}

bool DebuggedProcess::WaitForLine(const std::string& text, DWORD timeoutMs)
{
    return WaitUntil([&] {
        const std::vector<std::string> lines = Lines();
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& line) { return line.find(text) != std::string::npos; });
    }, timeoutMs);
}

void DebuggedProcess::Debug(std::string commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    const BOOL started = ::CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, DEBUG_ONLY_THIS_PROCESS, NULL, NULL,
                                          &startup, &info);
    // Nothing but zeros when the process did not start.
    ::CloseHandle(info.hThread);
    m_hProcess = info.hProcess;
    m_id = info.dwProcessId;
    ::SetEvent(m_hStarted);
    if (!started)
        return;

    for (;;) {
        DEBUG_EVENT event = {};
        if (!::WaitForDebugEvent(&event, INFINITE))
            return;
        const DWORD code = event.dwDebugEventCode;
        // The loader's breakpoint is the debugger's; every other exception is the process's own.
        const bool ownException = code == EXCEPTION_DEBUG_EVENT
                                  && event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT;
        if (code == OUTPUT_DEBUG_STRING_EVENT)
            Record(event);
        else if (code == CREATE_PROCESS_DEBUG_EVENT && event.u.CreateProcessInfo.hFile != NULL)
            ::CloseHandle(event.u.CreateProcessInfo.hFile);
        else if (code == LOAD_DLL_DEBUG_EVENT && event.u.LoadDll.hFile != NULL)
            ::CloseHandle(event.u.LoadDll.hFile);
        ::ContinueDebugEvent(event.dwProcessId, event.dwThreadId,
                             ownException ? DBG_EXCEPTION_NOT_HANDLED : DBG_CONTINUE);
        if (code == EXIT_PROCESS_DEBUG_EVENT)
            return;
    }
}

void DebuggedProcess::Record(const DEBUG_EVENT& event)
{
    const OUTPUT_DEBUG_STRING_INFO& output = event.u.DebugString;
    if (output.fUnicode || output.nDebugStringLength == 0)
        return;
    std::string text(output.nDebugStringLength, '\0');
    SIZE_T read = 0;
    if (!::ReadProcessMemory(m_hProcess, output.lpDebugStringData, &text[0], text.size(), &read))
        return;
    // The text ends at its terminator, and the line without its line break.
    text.resize(std::min<size_t>(read, text.find('\0')));
    text.erase(text.find_last_not_of("\r\n") + 1);
    std::lock_guard<std::mutex> lock(m_linesLock);
    m_lines.push_back(text);
}
