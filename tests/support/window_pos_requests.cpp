// Recording the position requests a window receives, through a message hook of this thread.
#include "window_pos_requests.h"

namespace {

WindowPosRequests* g_pRecorder = nullptr;

}  // namespace

WindowPosRequests::WindowPosRequests(HWND hWnd)
    : m_hWnd(hWnd)
    , m_hHook(::SetWindowsHookExA(WH_CALLWNDPROC, Record, NULL, ::GetCurrentThreadId()))
{
    g_pRecorder = this;
}

WindowPosRequests::~WindowPosRequests()
{
    ::UnhookWindowsHookEx(m_hHook);
    g_pRecorder = nullptr;
}

bool WindowPosRequests::Asked(HWND insertAfter, UINT flags) const
{
    for (const WINDOWPOS& request : m_requests) {
        if (request.hwndInsertAfter == insertAfter && (request.flags & flags) == flags)
            return true;
    }
    return false;
}

LRESULT CALLBACK WindowPosRequests::Record(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && g_pRecorder != nullptr && message->message == WM_WINDOWPOSCHANGING
        && message->hwnd == g_pRecorder->m_hWnd)
        g_pRecorder->m_requests.push_back(*reinterpret_cast<const WINDOWPOS*>(message->lParam));
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}
