// The debuggee and the debugger's loop.
#include "debugged_process.h"

#include "poll.h"

DebuggedProcess::~DebuggedProcess()
{
    if (m_hProcess != NULL && ::WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT)
        ::TerminateProcess(m_hProcess, 1);
    // The loop ends with the process's exit event.
    if (m_debugger.joinable())
        m_debugger.join();
    if (m_hProcess != NULL)
        ::CloseHandle(m_hProcess);
    ::CloseHandle(m_hStarted);
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
        for (const std::string& line : Lines()) {
            if (line.find(text) != std::string::npos)
                return true;
        }
        return false;
    }, timeoutMs);
}

void DebuggedProcess::Debug(std::string commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back('\0');
    const BOOL started = ::CreateProcessA(NULL, mutableLine.data(), NULL, NULL, FALSE, DEBUG_ONLY_THIS_PROCESS, NULL,
                                          NULL, &startup, &info);
    if (started) {
        ::CloseHandle(info.hThread);
        m_hProcess = info.hProcess;
        m_id = info.dwProcessId;
    }
    ::SetEvent(m_hStarted);
    if (!started)
        return;

    for (;;) {
        DEBUG_EVENT event = {};
        if (!::WaitForDebugEvent(&event, INFINITE))
            return;
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case OUTPUT_DEBUG_STRING_EVENT:
            Record(event);
            break;
        case EXCEPTION_DEBUG_EVENT:
            // The loader's breakpoint is the debugger's; every other exception is the process's own.
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                status = DBG_EXCEPTION_NOT_HANDLED;
            break;
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile != NULL)
                ::CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile != NULL)
                ::CloseHandle(event.u.LoadDll.hFile);
            break;
        }
        ::ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT)
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
    text.resize(read);
    text = text.substr(0, text.find('\0'));
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    std::lock_guard<std::mutex> lock(m_linesLock);
    m_lines.push_back(text);
}
