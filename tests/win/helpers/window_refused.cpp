// The program itself, on a thread that refuses what its start needs: its hidden main window, with
// the argument "prompt" its prompt, with "ole" OLE. The start must end on its own, give up the
// instance mutex and write nothing.
#include "app/ready_app.h"

#include <string.h>

namespace {

const bool g_bRefusePrompt = strstr(::GetCommandLineA(), " prompt") != nullptr;

// The framework's own classes are named after the program; the prompt's is the dialog class.
LRESULT CALLBACK RefuseMainWindow(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const char* const className = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->lpszClass;
        const bool named = HIWORD(reinterpret_cast<ULONG_PTR>(className)) != 0;
        if (g_bRefusePrompt ? !named && className == WC_DIALOG : named && strncmp(className, "LumoraReady:", 12) == 0)
            return 1;
    }
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}

// Set on the program's thread before the application object starts, for the life of the process.
struct Refusal {
    HHOOK hHook = ::SetWindowsHookExA(WH_CBT, RefuseMainWindow, NULL, ::GetCurrentThreadId());
    ~Refusal() { ::UnhookWindowsHookEx(hHook); }
} g_refusal;

// A thread of the multithreaded apartment cannot start OLE; the apartment ends with the process.
const HRESULT g_apartment =
    strstr(::GetCommandLineA(), " ole") != nullptr ? ::CoInitializeEx(NULL, COINIT_MULTITHREADED) : S_FALSE;

}  // namespace

CReadyApp theApp;
