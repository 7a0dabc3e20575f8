// The program itself, on a thread that refuses what its start needs: its hidden main window, with
// the argument "prompt" its prompt, with "ole" OLE. The start must end on its own, give up the
// instance mutex and write nothing.
#include "app/ready_app.h"
#include "import_hook.h"

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

// With "ole", OLE's start fails as when its library cannot be initialised, for the life of the process.
HRESULT WINAPI RefuseOle(LPVOID)
{
    return E_OUTOFMEMORY;
}
const bool g_bRefuseOle = strstr(::GetCommandLineA(), " ole") != nullptr;
const ImportHook<decltype(::OleInitialize)> g_oleRefusal("ole32.dll", g_bRefuseOle ? "OleInitialize" : "", RefuseOle);

}  // namespace

CReadyApp theApp;
