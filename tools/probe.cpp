// probe: looks at and ends the top-level window of a running program, from inside the same Windows
// session. Used by the demo to show the resident program and to end it as a close request would.
//
//   probe window <title> [timeout-ms]   waits for the window and prints what it is
//   probe close <title> [timeout-ms]    asks the window to close and waits for its process to end
#include "poll.h"
#include "top_level_window.h"

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

HWND WaitForWindow(const char* title, DWORD timeoutMs)
{
    HWND hWnd = NULL;
    WaitUntil([&] { return (hWnd = FindTopLevelWindow(0, title)) != NULL; }, timeoutMs);
    return hWnd;
}

int Describe(HWND hWnd)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    char className[128] = {};
    ::GetClassNameA(hWnd, className, sizeof className);
    const LONG exStyle = ::GetWindowLongA(hWnd, GWL_EXSTYLE);
    printf("window %p of process %lu: class \"%s\", %s, %s\n", static_cast<void*>(hWnd), processId, className,
           ::IsWindowVisible(hWnd) ? "visible" : "hidden",
           (exStyle & WS_EX_TOOLWINDOW) ? "tool window" : "ordinary window");
    return 0;
}

int Close(HWND hWnd, DWORD timeoutMs)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    HANDLE hProcess = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (hProcess == NULL) {
        printf("cannot open process %lu\n", processId);
        return 1;
    }
    ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
    int result = 1;
    if (::WaitForSingleObject(hProcess, timeoutMs) == WAIT_OBJECT_0) {
        DWORD exitCode = 0;
        ::GetExitCodeProcess(hProcess, &exitCode);
        printf("process %lu ended with exit code %lu\n", processId, exitCode);
        result = 0;
    } else {
        printf("process %lu did not end within %lu ms\n", processId, timeoutMs);
    }
    ::CloseHandle(hProcess);
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || (strcmp(argv[1], "window") != 0 && strcmp(argv[1], "close") != 0)) {
        fprintf(stderr, "usage: probe window|close <title> [timeout-ms]\n");
        return 2;
    }
    const DWORD timeoutMs = argc > 3 ? strtoul(argv[3], nullptr, 10) : 10000;
    HWND hWnd = WaitForWindow(argv[2], timeoutMs);
    if (hWnd == NULL) {
        printf("no window \"%s\" within %lu ms\n", argv[2], timeoutMs);
        return 1;
    }
    return strcmp(argv[1], "window") == 0 ? Describe(hWnd) : Close(hWnd, timeoutMs);
}
