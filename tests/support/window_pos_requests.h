// What this thread asks of a window's position and Z order: the WM_WINDOWPOSCHANGING messages the
// window receives, as they are sent, before the window manager adjusts anything.
#pragma once

#include <windows.h>

#include <vector>

class WindowPosRequests {
public:
    // Records for hWnd from now until the object goes. One recorder at a time.
    explicit WindowPosRequests(HWND hWnd);
    ~WindowPosRequests();
    WindowPosRequests(const WindowPosRequests&) = delete;
    WindowPosRequests& operator=(const WindowPosRequests&) = delete;

    // Whether a request placed the window after insertAfter with all of the given flags.
    bool Asked(HWND insertAfter, UINT flags) const;

private:
    static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd;
    HHOOK m_hHook;
    std::vector<WINDOWPOS> m_requests;
};
