// message_count_hook.dll: a WH_GETMESSAGE hook that the benchmarks set on one thread of another
// program. Loaded there by the system, it counts the messages that thread takes from its queue, and
// reads the program's processor time when asked: Wine answers that only to the process itself.
#include "message_counts.h"

namespace {

HANDLE g_hMapping = NULL;
MessageCounts* g_pCounts = nullptr;
UINT g_capEvent = 0;

const UINT FirmwareEventMessage = WM_USER + 255;

// The counts of this thread, opened at the first message it takes.
MessageCounts* Counts()
{
    if (g_pCounts != nullptr || g_hMapping != NULL)
        return g_pCounts;
    char name[64];
    MessageCountsName(::GetCurrentThreadId(), name);
    g_hMapping = ::OpenFileMappingA(FILE_MAP_WRITE, FALSE, name);
    if (g_hMapping == NULL)
        g_hMapping = INVALID_HANDLE_VALUE;  // not watched: not looked for again
    else
        g_pCounts = static_cast<MessageCounts*>(::MapViewOfFile(g_hMapping, FILE_MAP_WRITE, 0, 0, sizeof(MessageCounts)));
    g_capEvent = ::RegisterWindowMessageA("VexaCapEvent");
    return g_pCounts;
}

void AnswerCpuTime(MessageCounts& counts, LONG request)
{
    FILETIME created, ended, kernel, user;
    if (!::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernel, &user))
        return;
    ULARGE_INTEGER kernelTime, userTime;
    kernelTime.LowPart = kernel.dwLowDateTime;
    kernelTime.HighPart = kernel.dwHighDateTime;
    userTime.LowPart = user.dwLowDateTime;
    userTime.HighPart = user.dwHighDateTime;
    counts.cpuTime = static_cast<LONGLONG>(kernelTime.QuadPart + userTime.QuadPart);
    ::InterlockedExchange(&counts.cpuAnswered, request);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK CountMessages(int code, WPARAM wParam, LPARAM lParam)
{
    // A message peeked at and left in the queue is taken later, and counted then.
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        if (MessageCounts* counts = Counts()) {
            const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
            ::InterlockedIncrement(&counts->all);
            if (msg.message == WM_TIMER)
                ::InterlockedIncrement(&counts->timers);
            if (msg.message == FirmwareEventMessage || (g_capEvent != 0 && msg.message == g_capEvent))
                ::InterlockedIncrement(&counts->buttonEvents);
            if (msg.message == WM_NULL && msg.wParam == CpuTimeRequest)
                AnswerCpuTime(*counts, static_cast<LONG>(msg.lParam));
        }
    }
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        ::DisableThreadLibraryCalls(hInstance);
    } else if (reason == DLL_PROCESS_DETACH) {
        if (g_pCounts != nullptr)
            ::UnmapViewOfFile(g_pCounts);
        if (g_hMapping != NULL && g_hMapping != INVALID_HANDLE_VALUE)
            ::CloseHandle(g_hMapping);
    }
    return TRUE;
}
