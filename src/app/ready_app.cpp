// The application object: the start-up sequence, the arbitration between instances, and the end.
#include "app/ready_app.h"

#include "app/ready_command_line_info.h"
#include "app/start_up_settings.h"
#include "devices/suite_library.h"
#include "events/event_wnd.h"
#include "events/instance_marker.h"
#include "framework/afx_helpers.h"
#include "framework/event_log.h"
#include "framework/module_path.h"
#include "framework/trace.h"
#include "res/lumora_ready_events.h"
#include "res/resource.h"

#include <memory>

namespace {

const DWORD QuitWaitMs = 2000;

// The running instance's main window: the first top-level window, from the top of the Z order,
// that carries the mark. A window that is gone by the time it is looked at ends the walk with
// nothing found, and *pVanished says so.
HWND FindRunningInstance(bool* pVanished)
{
    *pVanished = false;
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (!::IsWindow(hWnd)) {
            *pVanished = true;
            return NULL;
        }
        if (::GetPropA(hWnd, InstanceMutexName) == RunningInstanceMark())
            return hWnd;
    }
    return NULL;
}

bool Holds(DWORD waitResult)
{
    return waitResult == WAIT_OBJECT_0 || waitResult == WAIT_ABANDONED;
}

}  // namespace

// The framework's diagnostic lines and window classes carry the program's name, its events the
// source that the installers register.
CReadyApp::CReadyApp()
{
    m_pszProgramName = "LumoraReady";
    m_pszEventSource = "Lumora Ready";
}

BOOL CReadyApp::ArbitrateInstance(BOOL bKill)
{
    const DWORD first = m_instanceMutex.Wait(0);
    if (first == WAIT_FAILED)
        return FALSE;
    // Created here, free, or left by an instance that ended without releasing it.
    if (Holds(first))
        return TRUE;

    // Another instance holds it: ask the one that shows its mark to quit, and wait for the mutex.
    bool vanished = false;
    const HWND hRunning = FindRunningInstance(&vanished);
    if (vanished) {
        Trace("a window went while the running instance was looked for: ending");
        return FALSE;
    }
    DWORD waitMs = bKill ? 0 : QuitWaitMs;
    if (hRunning != NULL) {
        if (!::PostMessageA(hRunning, WM_READY_QUIT, 0, 0)) {
            Trace("the running instance could not be asked to quit: error %lu", ::GetLastError());
            return FALSE;
        }
        Trace("asked the running instance to quit");
        if (bKill)
            return FALSE;
        waitMs = QuitWaitMs;
    }
    if (Holds(m_instanceMutex.Wait(waitMs)))
        return TRUE;
    Trace("\"%s\" is still held by another process: ending", InstanceMutexName);
    return FALSE;
}

BOOL CReadyApp::InitInstance()
{
    RestrictLibrarySearch();
    CReadyCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);

    if (!m_instanceMutex.Create(InstanceMutexName)) {
        Trace("\"%s\" could not be created: error %lu", InstanceMutexName, ::GetLastError());
        return FALSE;
    }
    if (!ArbitrateInstance(cmdInfo.m_bKill))
        return FALSE;
    // "KILL" only ends the running instance, whether or not there was one.
    if (cmdInfo.m_bKill) {
        Trace("\"KILL\": no instance was running");
        return FALSE;
    }

    if (!AfxOleInit()) {
        Trace("OLE could not be started");
        LogEvent(MSG_OLE_NOT_STARTED, { ModuleFileName(NULL) });
        AfxMessageBox(IDS_OLE_INIT_FAILED, MB_OK, static_cast<UINT>(-1));
        return FALSE;
    }
    AfxEnableControlContainer();

    // The two sources of button events; one of them is enough.
    const BOOL firmwareLoaded = m_firmware.Load();
    const BOOL driverLoaded = m_driver.Load();
    if (!firmwareLoaded && !driverLoaded) {
        Trace("neither library of button events loaded");
        LogEvent(MSG_NO_BUTTON_LIBRARY, { ModuleFileName(NULL) });
        AfxMessageBox(IDS_COMPONENTS_MISSING, MB_ICONHAND, static_cast<UINT>(-1));
        return FALSE;
    }
    Enable3dControls();

    if (!UiComponentsAllowed()) {
        Trace("UI components turned off by \"NoCUIL\"");
        m_uiComponents.Disable();
    }

    // The hidden main window keeps the program resident; its destruction ends the program. Made
    // before anything is written, so that a start without it leaves nothing behind.
    std::unique_ptr<CEventWnd> pNewWnd(new CEventWnd(m_firmware, m_uiComponents, m_instanceMutex));
    if (!pNewWnd->Create())
        return FALSE;
    CEventWnd* pMainWnd = pNewWnd.release();  // from now on it deletes itself with its window
    m_pMainWnd = pMainWnd;
    if (FAILED(WriteFootmark()))
        Trace("\"Footmark\" not written");

    pMainWnd->ShowWindow(SW_HIDE);
    ::UpdateWindow(pMainWnd->m_hWnd);

    pMainWnd->ResolveAppPath(cmdInfo.m_strPath);
    pMainWnd->ResolveSilent(cmdInfo.m_bSilent);
    pMainWnd->LoadPresentation();

    // From now on a newer instance finds this one.
    ::SetPropA(pMainWnd->m_hWnd, InstanceMutexName, RunningInstanceMark());

    if (driverLoaded)
        m_driver.Open(pMainWnd->m_hWnd);
    Trace("resident, waiting for the camera button");
    return TRUE;
}

int CReadyApp::ExitInstance()
{
    m_firmware.Free();
    m_instanceMutex.Release();
    return CWinApp::ExitInstance();
}
