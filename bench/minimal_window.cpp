// The floor of the benchmarks: a program that only creates a window and marks it, the way Lumora
// Ready marks its main window, then waits to be closed. On request it shows that window topmost or
// hides it again, the least that showing a prompt can cost.
#include <windows.h>

namespace {

// The same numbers as ShowTopmostMessage and HideMessage of the benchmarks.
const UINT ShowTopmostMessage = WM_APP + 1;
const UINT HideMessage = WM_APP + 2;

LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case ShowTopmostMessage:
        ::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 160, 60, SWP_SHOWWINDOW);
        return 0;
    case HideMessage:
        ::ShowWindow(hWnd, SW_HIDE);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = hInstance;
    wc.lpszClassName = "MinimalBenchWindow";
    ::RegisterClassA(&wc);
    HWND hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "Minimal", 0, 0, 0, 0, 0, NULL, NULL, hInstance,
                                  NULL);
    ::SetPropA(hWnd, "Minimal Bench Window", reinterpret_cast<HANDLE>(1));
    MSG msg;
    while (::GetMessageA(&msg, NULL, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    return 0;
}
