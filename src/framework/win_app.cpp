// The application object, the message loop and the run of a program.
#include "framework/win_app.h"

#include "framework/afx_helpers.h"
#include "framework/command_line.h"
#include "framework/module_path.h"
#include "framework/wnd.h"

#include <stdlib.h>

#include <string>

namespace {

CWinApp* g_pApp = nullptr;

// The program file's name without folder and extension.
CString ModuleTitle()
{
    std::string title(FileNameInCodePage(ModuleFileName(NULL)));
    const size_t dot = title.rfind('.');
    if (dot != std::string::npos)
        title.erase(dot);
    return CString(title.c_str());
}

}  // namespace

void CCommandLineInfo::ParseParam(const char*, BOOL, BOOL)
{
}

CWinApp::CWinApp(const char* pszAppName)
    : m_hInstance(::GetModuleHandleA(NULL))
    , m_nThreadID(::GetCurrentThreadId())
    , m_strAppName(pszAppName != nullptr ? CString(pszAppName) : ModuleTitle())
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    MSG msg;
    for (;;) {
        const BOOL got = ::GetMessageA(&msg, NULL, 0, 0);
        if (got == 0) {
            m_nQuitCode = static_cast<int>(msg.wParam);
            break;
        }
        // -1 (a broken message queue) cannot be waited out: end like a quit rather than spin.
        if (got == -1)
            break;
        AfxHandleQueuedMessage(&msg);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance()
{
    return m_nQuitCode;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    ForEachCommandLineParam(__argc, __argv, [&rCmdInfo](const char* text, bool isFlag, bool isLast) {
        rCmdInfo.ParseParam(text, isFlag ? TRUE : FALSE, isLast ? TRUE : FALSE);
    });
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

const char* AfxGetProgramName()
{
    return g_pApp != nullptr ? g_pApp->m_pszProgramName : "Afx";
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_pApp != nullptr ? g_pApp->m_hInstance : ::GetModuleHandleA(NULL);
}

void AfxHandleQueuedMessage(MSG* pMsg)
{
    CHandlerScope scope;
    // From the message's window up to its top-level window: a dialog sees its controls' keys.
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL;
         hWnd = (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hWnd) : NULL) {
        CWnd* pWnd = CWnd::FromHandle(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return;
    }
    ::TranslateMessage(pMsg);
    ::DispatchMessageA(pMsg);
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return -1;
    pApp->m_hInstance = hInstance;
    pApp->m_nThreadID = ::GetCurrentThreadId();

    int exitCode;
    if (!pApp->InitInstance()) {
        // A start that fails leaves no window behind.
        if (pApp->m_pMainWnd != nullptr)
            pApp->m_pMainWnd->DestroyWindow();
        exitCode = pApp->ExitInstance();
    } else {
        exitCode = pApp->Run();
    }
    AfxOleTerm();
    return exitCode;
}
