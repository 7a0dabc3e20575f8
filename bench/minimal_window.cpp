// The floor for the start-up figures: a program that only creates a window and marks it, the way
// Lumora Ready marks its main window, then waits to be closed.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
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
