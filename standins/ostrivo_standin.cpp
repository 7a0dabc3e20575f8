// Stand-in for the capture application. While it runs it holds the mutex "Vexa Lumora Ostrivo",
// by which the suite tells that the application runs, and shows a small window titled
// "Ostrivo (stand-in)"; closing that window ends it.
//
// When the environment variable OSTRIVO_STANDIN_RECORD names a file, it first adds there how it
// was started, one "name=value" line each: pid, cwd (its working directory), show (the show state
// it was given) and args (its command line after the program name). Every start adds its own lines.
#include <windows.h>

#include <stdio.h>

namespace {

// The command line after the program name, which may be quoted, and the blanks that follow it.
const char* ArgumentsOf(const char* commandLine)
{
    const char* p = commandLine;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p == '"')
            ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

void RecordStart(const char* path, int nCmdShow)
{
    FILE* record = fopen(path, "a");
    if (record == nullptr)
        return;
    char directory[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, directory);
    fprintf(record, "pid=%lu\ncwd=%s\nshow=%d\nargs=%s\n", ::GetCurrentProcessId(), directory, nCmdShow,
            ArgumentsOf(::GetCommandLineA()));
    fclose(record);
}

LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC hDC = ::BeginPaint(hWnd, &paint);
        RECT rect;
        ::GetClientRect(hWnd, &rect);
        ::SelectObject(hDC, ::GetStockObject(DEFAULT_GUI_FONT));
        ::DrawTextA(hDC, "The capture application would be running now.", -1, &rect,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::EndPaint(hWnd, &paint);
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    HANDLE hRunning = ::CreateMutexA(NULL, FALSE, "Vexa Lumora Ostrivo");
    char recordPath[MAX_PATH];
    const DWORD length = ::GetEnvironmentVariableA("OSTRIVO_STANDIN_RECORD", recordPath, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        RecordStart(recordPath, nCmdShow);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorA(NULL, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "OstrivoStandIn";
    ::RegisterClassA(&wc);
    HWND hWnd = ::CreateWindowExA(0, wc.lpszClassName, "Ostrivo (stand-in)", WS_OVERLAPPEDWINDOW, 40, 40, 420,
                                  160, NULL, NULL, hInstance, NULL);
    ::ShowWindow(hWnd, nCmdShow);

    MSG msg;
    while (::GetMessageA(&msg, NULL, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (hRunning != NULL)
        ::CloseHandle(hRunning);
    return 0;
}
