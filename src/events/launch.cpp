// The launch of the capture application, and the probes of the suite's mutexes.
#include "events/event_wnd.h"

#include "contracts/suite_contracts.h"
#include "events/launch_sequence.h"
#include "framework/handles.h"
#include "framework/trace.h"
#include "framework/win_app.h"
#include "prompt/prompt_dlg.h"

#include <mmsystem.h>
#include <shellapi.h>

BOOL CEventWnd::IsCaptureAppRunning()
{
    const CHandle mutex(::OpenMutexA(MUTEX_ALL_ACCESS, FALSE, CaptureAppMutexName));
    return mutex != NULL;
}

BOOL CEventWnd::IsBusy()
{
    const CHandle mutex(::OpenMutexA(MUTEX_ALL_ACCESS, FALSE, BusyMutexName));
    if (mutex == NULL)
        return FALSE;
    if (::WaitForSingleObject(mutex, 0) == WAIT_TIMEOUT)
        return TRUE;
    // Free, abandoned, or the wait failed: the probe owned the mutex at most for this instant.
    ::ReleaseMutex(mutex);
    return FALSE;
}

class CEventWnd::Launcher {
public:
    explicit Launcher(CEventWnd& wnd) : m_wnd(wnd) {}

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
    bool StartLaunchTimer()
    {
        if (m_wnd.StartLaunchTimer())
            return true;
        Trace("no timer to hide the prompt after the launch: it goes at once");
        return false;
    }
    void HidePrompt() { m_wnd.m_pPromptDlg->Show(FALSE); }

private:
    CEventWnd& m_wnd;
};

BOOL CEventWnd::Launch(const CString& path)
{
    if (path.IsEmpty())
        Trace("no launch target: nothing started");
    Launcher launch(*this);
    return RunLaunch(path, m_bSilent != FALSE, launch) ? TRUE : FALSE;
}

void CALLBACK CEventWnd::LaunchTimerProc(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    if (nIDEvent != IDT_LAUNCH)
        return;
    CEventWnd* pWnd = dynamic_cast<CEventWnd*>(CWnd::FromHandle(hWnd));
    if (pWnd == nullptr)
        return;
    pWnd->StopLaunchTimer();
    pWnd->m_pPromptDlg->Show(FALSE);
}
