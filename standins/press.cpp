// Presses the camera button of a running Lumora Ready, as the suite's libraries report a press:
// the capture driver library posts its registered message "VexaCapEvent" with the event code in
// wParam; the firmware event service posts message 0x4FF with its code in lParam.
//
//   press prompt|launch|cancel            the first press, the second press, a cancel
//   press <code>                          any capture driver code (1 to 4 mean something)
//   press --firmware prompt|launch|cancel the same events from the firmware service
//   press --firmware <code>               any firmware lParam (0x800, 0x400, 0x1000, 0x1400 ...)
//
// The program's main window is its hidden top-level window titled "Lumora Ready" (the prompt,
// a dialog, has the same title).
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

BOOL CALLBACK FindMainWindow(HWND hWnd, LPARAM lParam)
{
    char title[64] = {};
    char className[64] = {};
    ::GetWindowTextA(hWnd, title, sizeof title);
    ::GetClassNameA(hWnd, className, sizeof className);
    if (strcmp(title, "Lumora Ready") != 0 || strcmp(className, "#32770") == 0)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

// The code of a named event for one source, or the number given.
long CodeOf(const char* word, bool firmware)
{
    static const struct {
        const char* name;
        long driverCode;
        long firmwareCode;
    } events[] = { { "prompt", 1, 0x800 }, { "launch", 2, 0x400 }, { "cancel", 3, 0x1000 } };
    for (const auto& event : events) {
        if (strcmp(word, event.name) == 0)
            return firmware ? event.firmwareCode : event.driverCode;
    }
    return strtol(word, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv)
{
    const bool firmware = argc == 3 && strcmp(argv[1], "--firmware") == 0;
    if (argc != 2 && !firmware) {
        fprintf(stderr, "usage: press [--firmware] prompt|launch|cancel|<code>\n");
        return 2;
    }
    const long code = CodeOf(argv[argc - 1], firmware);
    HWND hMain = NULL;
    ::EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&hMain));
    if (hMain == NULL) {
        printf("Lumora Ready is not running\n");
        return 1;
    }
    const BOOL posted = firmware ? ::PostMessageA(hMain, WM_USER + 255, 0, code)
                                 : ::PostMessageA(hMain, ::RegisterWindowMessageA("VexaCapEvent"), code, 0);
    printf("%s %s (code 0x%lx) to window %p\n", posted ? "posted" : "could not post",
           firmware ? "firmware event" : "capture driver event", code, static_cast<void*>(hMain));
    return posted ? 0 : 1;
}
