// Binding of window objects to windows, and the dispatch of a window's messages to its object.
#include "framework/wnd.h"

#include "framework/centring.h"
#include "framework/win_app.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <vector>

namespace {

// What the framework knows of the thread's windows.
struct WindowBook {
    std::unordered_map<HWND, CWnd*> objects;  // every bound window and its object
    CWnd* pCreating = nullptr;                // the object whose window CreateEx is creating
    int openScopes = 0;                       // handler scopes now open
    std::vector<CWnd*> gone;                  // objects whose windows are gone, awaiting PostNcDestroy
};

WindowBook& Book()
{
    // Never destroyed: window objects may outlive any order of static destruction.
    static WindowBook* book = new WindowBook;
    return *book;
}

void Forget(std::vector<CWnd*>& objects, CWnd* pWnd)
{
    objects.erase(std::remove(objects.begin(), objects.end(), pWnd), objects.end());
}

ScreenRect ToScreenRect(const RECT& rect)
{
    return { rect.left, rect.top, rect.right, rect.bottom };
}

BOOL CALLBACK CollectMonitor(HMONITOR hMonitor, HDC, LPRECT, LPARAM lParam)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    // A monitor unplugged while the list is being made has no information left: it is passed over.
    if (::GetMonitorInfoA(hMonitor, &info)) {
        auto* pMonitors = reinterpret_cast<std::vector<Monitor>*>(lParam);
        pMonitors->push_back({ ToScreenRect(info.rcMonitor), ToScreenRect(info.rcWork) });
    }
    return TRUE;
}

}  // namespace

CHandlerScope::CHandlerScope()
{
    ++Book().openScopes;
}

CHandlerScope::~CHandlerScope()
{
    if (--Book().openScopes == 0)
        CWnd::FinishGoneWindows();
}

void CWindowRef::CenterWindow(HWND hWndCenter) const
{
    std::vector<Monitor> monitors;
    ::EnumDisplayMonitors(NULL, NULL, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    // A session that reports no monitor offers nowhere better than where the window is.
    if (monitors.empty())
        return;
    // A window that is not to be seen is no place to centre on: the work area serves instead.
    const LONG style = hWndCenter != NULL ? ::GetWindowLongA(hWndCenter, GWL_STYLE) : 0;
    std::optional<ScreenRect> centre;
    if ((style & WS_VISIBLE) && !(style & WS_MINIMIZE)) {
        RECT rect;
        ::GetWindowRect(hWndCenter, &rect);
        centre = ToScreenRect(rect);
    }
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    const ScreenPoint position = CentredWithinMonitor(monitors, ToScreenRect(window), centre);
    ::SetWindowPos(m_hWnd, NULL, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CWnd::~CWnd()
{
    Forget(Book().gone, this);
    if (m_hWnd != NULL) {
        // No message may reach an object that is being destroyed: release the window first.
        HWND hWnd = m_hWnd;
        Detach();
        ::DestroyWindow(hWnd);
    }
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    const WindowBook& book = Book();
    auto it = book.objects.find(hWnd);
    return it == book.objects.end() ? nullptr : it->second;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu)
{
    if (m_hWnd != NULL)
        return FALSE;
    WindowBook& book = Book();
    HINSTANCE hInstance = AfxGetInstanceHandle();
    // Only the framework's own classes bind the object at their first message.
    WNDCLASSA wc;
    const bool ownClass = ::GetClassInfoA(hInstance, lpszClassName, &wc) && wc.lpfnWndProc == AfxWndProc;

    CHandlerScope scope;
    book.pCreating = ownClass ? this : nullptr;
    HWND hWnd = ::CreateWindowExA(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth, nHeight,
                                  hWndParent, nIDorHMenu, hInstance, NULL);
    book.pCreating = nullptr;
    if (hWnd == NULL) {
        KeepAfterFailedCreate();
        return FALSE;
    }
    if (!ownClass)
        SubclassWindow(hWnd);
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    if (m_pCurrentMsg == nullptr)
        return 0;
    return DefWindowProc(m_pCurrentMsg->message, m_pCurrentMsg->wParam, m_pCurrentMsg->lParam);
}

void CWnd::PostNcDestroy()
{
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (m_hWnd != NULL || hWnd == NULL || FromHandle(hWnd) != nullptr)
        return FALSE;
    Attach(hWnd);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    return TRUE;
}

void CWnd::KeepAfterFailedCreate()
{
    Forget(Book().gone, this);
}

void CWnd::Attach(HWND hWnd)
{
    m_hWnd = hWnd;
    Book().objects[hWnd] = this;
}

void CWnd::Detach()
{
    if (m_pfnSuper != nullptr
        && ::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(AfxWndProc))
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    Book().objects.erase(m_hWnd);
    m_hWnd = NULL;
    m_pfnSuper = nullptr;
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    CHandlerScope scope;
    const MSG msg = { m_hWnd, message, wParam, lParam, 0, { 0, 0 } };
    const MSG* pOuterMsg = m_pCurrentMsg;
    m_pCurrentMsg = &msg;
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    m_pCurrentMsg = pOuterMsg;

    if (message == WM_NCDESTROY)
        WindowGone();
    return result;
}

void CWnd::WindowGone()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this) {
        // The application's main window is gone, and with it the application.
        ::PostQuitMessage(0);
        pApp->m_pMainWnd = nullptr;
    }
    Detach();
    Book().gone.push_back(this);
}

void CWnd::FinishGoneWindows()
{
    WindowBook& book = Book();
    while (!book.gone.empty()) {
        CWnd* pWnd = book.gone.front();
        book.gone.erase(book.gone.begin());
        pWnd->PostNcDestroy();
    }
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    WindowBook& book = Book();
    if (pWnd == nullptr && book.pCreating != nullptr) {
        // The first message of a window that CreateEx is creating, before WM_NCCREATE for some.
        pWnd = book.pCreating;
        book.pCreating = nullptr;
        pWnd->Attach(hWnd);
    }
    if (pWnd == nullptr)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return pWnd->Dispatch(message, wParam, lParam);
}
