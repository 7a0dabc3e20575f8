// Counting the messages that a thread of another program takes from its queue.
#include "message_counter.h"

#include "child_process.h"
#include "poll.h"

MessageCounter::MessageCounter(DWORD threadId)
{
    char name[64];
    MessageCountsName(threadId, name);
    m_hMapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, sizeof(MessageCounts), name);
    if (m_hMapping == NULL)
        return;
    m_pCounts = static_cast<MessageCounts*>(::MapViewOfFile(m_hMapping, FILE_MAP_WRITE, 0, 0, sizeof(MessageCounts)));
    m_hHookLibrary = ::LoadLibraryA(ProgramBeside("message_count_hook.dll").c_str());
    if (m_pCounts == nullptr || m_hHookLibrary == NULL)
        return;
    const HOOKPROC hook = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void (*)()>(::GetProcAddress(m_hHookLibrary, MessageCountHookEntry)));
    if (hook != nullptr)
        m_hHook = ::SetWindowsHookExA(WH_GETMESSAGE, hook, m_hHookLibrary, threadId);
}

MessageCounter::~MessageCounter()
{
    if (m_hHook != NULL)
        ::UnhookWindowsHookEx(m_hHook);
    if (m_hHookLibrary != NULL)
        ::FreeLibrary(m_hHookLibrary);
    if (m_pCounts != nullptr)
        ::UnmapViewOfFile(m_pCounts);
    if (m_hMapping != NULL)
        ::CloseHandle(m_hMapping);
}

bool MessageCounter::Live(HWND hWnd)
{
    if (m_hHook == NULL)
        return false;
    const LONG before = m_pCounts->all;
    ::PostMessageA(hWnd, WM_NULL, 0, 0);
    return WaitUntil([&] { return m_pCounts->all != before; }, 10000);
}

double MessageCounter::CpuMs(HWND hWnd)
{
    if (m_hHook == NULL)
        return -1;
    const LONG request = ++m_nCpuRequests;
    ::PostMessageA(hWnd, WM_NULL, CpuTimeRequest, request);
    if (!WaitUntil([&] { return m_pCounts->cpuAnswered == request; }, 10000))
        return -1;
    return static_cast<double>(m_pCounts->cpuTime) / 10000.0;
}
