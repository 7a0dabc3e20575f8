// Window objects tied to their windows.
//   CWindowRef  a non-owning handle of some window: one-line wrappers of the window calls
//   CWnd        a window object bound to its window for the window's whole life, which receives the
//               window's messages through its class's message map
//   CHandlerScope  holds back the deletion of window objects while any handler may still run
//   AfxWndProc  the window procedure of every class that AfxRegisterWndClass registers
//
// All framework windows belong to the application's one user-interface thread.
#pragma once

#include "framework/win32.h"

class CWindowRef {
public:
    CWindowRef(HWND hWnd = NULL) : m_hWnd(hWnd) {}

    BOOL ShowWindow(int nCmdShow) const { return ::ShowWindow(m_hWnd, nCmdShow); }
    void UpdateWindow() const { ::UpdateWindow(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable) const { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) const
    {
        return ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, nFlags);
    }
    // Centres a top-level window on hWndCenter (the desktop window: the primary monitor), keeping it
    // within the work area of the monitor that holds hWndCenter; on the work area of its own monitor
    // when hWndCenter is null, hidden or minimised.
    void CenterWindow(HWND hWndCenter) const;
    BOOL SetForegroundWindow() const { return ::SetForegroundWindow(m_hWnd); }
    HWND SetFocus() const { return ::SetFocus(m_hWnd); }
    void SetWindowText(const char* lpszString) const { ::SetWindowTextA(m_hWnd, lpszString); }
    CWindowRef GetDlgItem(int nID) const { return CWindowRef(::GetDlgItem(m_hWnd, nID)); }
    void GetClientRect(RECT* lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void InvalidateRect(const RECT* lpRect, BOOL bErase = TRUE) const { ::InvalidateRect(m_hWnd, lpRect, bErase); }
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer) const
    {
        return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
    }
    BOOL KillTimer(UINT_PTR nIDEvent) const { return ::KillTimer(m_hWnd, nIDEvent); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }

    HWND m_hWnd;
};

// While any scope is open, objects whose windows are gone wait for their PostNcDestroy; the last
// scope to close runs it. Every window procedure opens one, and so does the message loop around
// each message it handles: timer callbacks and PreTranslateMessage run outside any window
// procedure, and must not return into an object that has deleted itself either.
class CHandlerScope {
public:
    CHandlerScope();
    ~CHandlerScope();
    CHandlerScope(const CHandlerScope&) = delete;
    CHandlerScope& operator=(const CHandlerScope&) = delete;
};

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class CWnd : public CWindowRef {
public:
    CWnd() = default;
    // A window that still exists when its object goes is released from the object and destroyed.
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The object bound to hWnd, or NULL when no window object holds that window.
    static CWnd* FromHandle(HWND hWnd);

    // Creates the window and binds it to this object. A class registered by AfxRegisterWndClass
    // delivers every message to the object from the first; a window of any other class is
    // subclassed as soon as it exists. FALSE when the object already holds a window or the
    // window could not be created; the object then stays, without a window, even when its window
    // was destroyed during its creation.
    BOOL CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu);

    // Destroys the window. An object whose class deletes it in PostNcDestroy may be gone when this
    // returns, so callers do not touch it afterwards.
    virtual BOOL DestroyWindow();

    // A queued message for this window or one of its children, before it is dispatched: TRUE when
    // this window has handled it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    // The class's message map: handles the messages the class names and passes the others to the
    // map of the class it chains to, which is usually, but need not be, its direct base. This map
    // names no message: what no map handles gets the window's default processing.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // The default processing of the window's class: the standard window procedure for framework
    // classes, the original window procedure for a subclassed window.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default processing of the message being handled.
    LRESULT Default();

    // The plain window's handlers, for the handlers of derived maps to chain to.
    void OnDestroy() { Default(); }
    void OnDrawItem(int, DRAWITEMSTRUCT*) { Default(); }

    // Called once the window is gone and every message handler of the thread has returned; classes
    // whose objects live on the heap delete themselves here.
    virtual void PostNcDestroy();

    // Binds an existing window to this object and routes its messages through the message map.
    BOOL SubclassWindow(HWND hWnd);

    // For a creation that failed after the window had reached the object: the object stays, without
    // a window, instead of finishing (and perhaps deleting itself) while it is being constructed.
    // The creation runs inside a CHandlerScope, so the object cannot have finished yet.
    void KeepAfterFailedCreate();

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend class CHandlerScope;

    void Attach(HWND hWnd);
    void Detach();
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void WindowGone();
    static void FinishGoneWindows();

    WNDPROC m_pfnSuper = nullptr;
    const MSG* m_pCurrentMsg = nullptr;
};
