// probe: looks at and closes the top-level windows of running programs, from inside the same
// Windows session. The demo uses it to show the resident program and its prompt, and to end
// programs as a close request would.
//
//   probe window <title> [--dialog] [timeout-ms]   waits for the window and prints what it is
//   probe close <title> [timeout-ms]               asks the window to close, waits for its process
//
// A title names a window other than a dialog, unless --dialog asks for the dialog of that title.
#include "poll.h"
#include "top_level_window.h"

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

HWND WaitForWindow(const char* title, WindowKind kind, DWORD timeoutMs)
{
    HWND hWnd = NULL;
    // A dialog counts once it is shown: hidden, it is not what the demo wants to see.
    WaitUntil([&] {
        hWnd = FindTopLevelWindow(0, title, kind);
        return hWnd != NULL && (kind != WindowKind::Dialog || ::IsWindowVisible(hWnd));
    }, timeoutMs);
    return hWnd;
}

// One line the demo can read: what the window is, and where it is (WxH+X+Y, for cropping).
int Describe(HWND hWnd)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    char className[128] = {};
    ::GetClassNameA(hWnd, className, sizeof className);
    const LONG exStyle = ::GetWindowLongA(hWnd, GWL_EXSTYLE);
    RECT rect;
    ::GetWindowRect(hWnd, &rect);
    printf("window %p of process %lu: class \"%s\", %s, %s%s, at %ldx%ld+%ld+%ld\n", static_cast<void*>(hWnd),
           processId, className, ::IsWindowVisible(hWnd) ? "visible" : "hidden",
           (exStyle & WS_EX_TOOLWINDOW) ? "tool window" : "ordinary window", (exStyle & WS_EX_TOPMOST) ? ", topmost" : "",
           rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top);
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
        fprintf(stderr, "usage: probe window <title> [--dialog] [timeout-ms] | probe close <title> [timeout-ms]\n");
        return 2;
    }
    const bool dialog = argc > 3 && strcmp(argv[3], "--dialog") == 0;
    const int timeoutArg = dialog ? 4 : 3;
    const DWORD timeoutMs = argc > timeoutArg ? strtoul(argv[timeoutArg], nullptr, 10) : 10000;
    const WindowKind kind = dialog ? WindowKind::Dialog : WindowKind::NotDialog;
    HWND hWnd = WaitForWindow(argv[2], kind, timeoutMs);
    if (hWnd == NULL) {
        printf("no %swindow \"%s\" within %lu ms\n", dialog ? "visible dialog " : "", argv[2], timeoutMs);
        return 1;
    }
    return strcmp(argv[1], "window") == 0 ? Describe(hWnd) : Close(hWnd, timeoutMs);
}
