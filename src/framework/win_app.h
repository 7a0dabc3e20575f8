// The application object and the program's run.
//   CCommandLineInfo  receives the program's arguments one by one
//   CWinApp           the one application object: start, message loop, end
//   AfxWinMain        the run of a program: InitInstance, then the message loop, then ExitInstance
#pragma once

#include "framework/win32.h"

#include "framework/cstring.h"

class CWnd;

class CCommandLineInfo {
public:
    virtual ~CCommandLineInfo() = default;

    // One argument after the program name: its text without the leading '/' or '-' of a flag,
    // whether it was a flag, and whether it is the last argument. The base keeps nothing.
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);
};

class CWinApp {
public:
    // The application's title is pszAppName, or the program file's name without its extension.
    explicit CWinApp(const char* pszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // FALSE ends the program at once (after ExitInstance); TRUE runs the message loop.
    virtual BOOL InitInstance();
    // The message loop: runs until the quit message, then returns ExitInstance's result.
    virtual int Run();
    // The program's exit code: the quit message's code, 0 when the loop never ran.
    virtual int ExitInstance();

    // Hands the arguments of the command line, as the C runtime split them, to rCmdInfo.ParseParam.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);

    // Three-dimensional dialog controls: the platform's own look since Windows 95, so nothing is
    // left to switch on. TRUE.
    BOOL Enable3dControls() { return TRUE; }

    HINSTANCE m_hInstance;
    CWnd* m_pMainWnd = nullptr;  // the main window; its destruction ends the message loop
    DWORD m_nThreadID;           // the thread that runs the message loop
    CString m_strAppName;        // the application's title
    // The program's short name, set by the application: it begins the framework's diagnostic
    // lines and the names of its window classes.
    const char* m_pszProgramName = "Afx";
    // The source under which the application's events go to the Application log; none: the
    // application writes no events.
    const char* m_pszEventSource = nullptr;

private:
    int m_nQuitCode = 0;
};

CWinApp* AfxGetApp();
// The application's short name, or "Afx" before and after the application object.
const char* AfxGetProgramName();
// The program's module: the application's instance handle, or the program file's own handle.
HINSTANCE AfxGetInstanceHandle();
// Handles one message taken from the thread's queue as the message loop does: the windows of its
// window chain have their chance first (PreTranslateMessage), then it is translated and dispatched.
void AfxHandleQueuedMessage(MSG* pMsg);

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
