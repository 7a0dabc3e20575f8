// The launch of the capture application, and the probes of the suite's mutexes.
#include "events/event_wnd.h"

#include "events/launch_sequence.h"
#include "framework/trace.h"
#include "framework/win_app.h"
#include "prompt/prompt_dlg.h"

#include <mmsystem.h>
#include <shellapi.h>

BOOL CEventWnd::IsCaptureAppRunning()
{
    HANDLE hMutex = ::OpenMutexA(MUTEX_ALL_ACCESS, FALSE, "Vexa Lumora Ostrivo");
    if (hMutex == NULL)
        return FALSE;
    ::CloseHandle(hMutex);
    return TRUE;
}

BOOL CEventWnd::IsBusy()
{
    HANDLE hMutex = ::OpenMutexA(MUTEX_ALL_ACCESS, FALSE, "vexa_kivrel_mutex_object");
    if (hMutex == NULL)
        return FALSE;
    const DWORD result = ::WaitForSingleObject(hMutex, 0);
    if (result == WAIT_TIMEOUT) {
        ::CloseHandle(hMutex);
        return TRUE;
    }
    // Free, abandoned, or the wait failed: the probe owned the mutex at most for this instant.
    ::ReleaseMutex(hMutex);
    ::CloseHandle(hMutex);
    return FALSE;
}

namespace {

// The launch's steps, carried out on the event window and its prompt.
class WindowLaunch {
public:
    explicit WindowLaunch(CEventWnd& wnd) : m_wnd(wnd) {}

    bool Start(const char* path)
    {
        // The shell opens files of fewer than MAX_PATH characters, counted once the path is turned
        // from the ANSI code page into its own UTF-16 (a Japanese character is two bytes but one
        // character). Wine's copies a longer path into a buffer of its own without a check and,
        // from about a thousand characters, ends the program.
        const int characters = ::MultiByteToWideChar(CP_ACP, 0, path, -1, NULL, 0) - 1;
        if (characters >= MAX_PATH) {
            Trace("launch target of %d characters not started: the shell takes fewer than %d", characters, MAX_PATH);
            return false;
        }
        // The started program works in the user's temporary directory; should that be unknown, the
        // empty directory leaves the choice to the shell.
        char tempDirectory[MAX_PATH + 1] = {};
        ::GetTempPathA(MAX_PATH, tempDirectory);
        const INT_PTR result = reinterpret_cast<INT_PTR>(
            ::ShellExecuteA(NULL, "open", path, NULL, tempDirectory, SW_SHOWNORMAL));
        if (result <= 32) {
            Trace("%s not started: shell error %d", path, static_cast<int>(result));
            return false;
        }
        Trace("started %s", path);
        return true;
    }
    void Beep() { ::MessageBeep(MB_ICONEXCLAMATION); }
    void PlayLaunchSound()
    {
        // Played from the resources, without waiting, and not at all while the device is busy.
        ::PlaySoundA("LAUNCHWAVE", AfxGetInstanceHandle(), SND_RESOURCE | SND_NOWAIT | SND_ASYNC);
    }
    void LeaveTopmost()
    {
        m_wnd.m_pPromptDlg->SetWindowPos(HWND_NOTOPMOST, 0, 0, 0, 0,
                                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    bool StartHideTimer()
    {
        if (m_wnd.SetTimer(IDT_LAUNCH, LaunchShowMs, CEventWnd::LaunchTimerProc) != 0)
            return true;
        Trace("no timer to hide the prompt after the launch: it goes at once");
        return false;
    }
    void HidePrompt() { m_wnd.m_pPromptDlg->Show(FALSE); }
    void SetLaunching(bool launching) { m_wnd.m_bLaunching = launching ? TRUE : FALSE; }

private:
    CEventWnd& m_wnd;
};

}  // namespace

BOOL CEventWnd::Launch(const CString& path)
{
    if (path.IsEmpty())
        Trace("no launch target: nothing started");
    WindowLaunch launch(*this);
    return RunLaunch(path, m_bSilent != FALSE, launch) ? TRUE : FALSE;
}

void CALLBACK CEventWnd::LaunchTimerProc(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    if (nIDEvent != IDT_LAUNCH)
        return;
    CEventWnd* pWnd = dynamic_cast<CEventWnd*>(CWnd::FromHandle(hWnd));
    if (pWnd == nullptr)
        return;
    ::KillTimer(hWnd, IDT_LAUNCH);
    pWnd->m_pPromptDlg->Show(FALSE);
    pWnd->m_bLaunching = FALSE;
}
