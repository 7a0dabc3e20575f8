// The program itself, on a thread that refuses to create its hidden main window: the start must end
// on its own, give up the instance mutex and write nothing.
#include "app/ready_app.h"

#include <string.h>

namespace {

// The framework's own classes are named after the program; the prompt's is the dialog class.
LRESULT CALLBACK RefuseMainWindow(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const char* const className = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->lpszClass;
        if (HIWORD(reinterpret_cast<ULONG_PTR>(className)) != 0 && strncmp(className, "LumoraReady:", 12) == 0)
            return 1;
    }
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}

// Set on the program's thread before the application object starts, for the life of the process.
struct Refusal {
    HHOOK hHook = ::SetWindowsHookExA(WH_CBT, RefuseMainWindow, NULL, ::GetCurrentThreadId());
    ~Refusal() { ::UnhookWindowsHookEx(hHook); }
} g_refusal;

}  // namespace

CReadyApp theApp;
