// The application object: start-up and the one object of the program.
#include "app/ready_app.h"

#include "devices/firmware_events.h"
#include "events/event_wnd.h"
#include "framework/afx_helpers.h"
#include "prompt/prompt_dlg.h"
#include "res/resource.h"

namespace {

CReadyApp theApp;

HICON LoadIconGroup(UINT id)
{
    const char* name = MAKEINTRESOURCEA(id);
    return ::LoadIconA(AfxFindResourceHandle(name, RT_GROUP_ICON), name);
}

// The built-in launch target: the capture application at its default place, presented with the
// program's own icons and texts.
void UseBuiltInLaunchTarget(CEventWnd& wnd)
{
    wnd.m_strAppPath = "C:\\Program Files\\Vexa\\Lumora\\Ostrivo.exe";
    CString name;
    name.LoadString(IDS_DEFAULT_APP_NAME);
    wnd.m_strStartingText.Format(IDS_STARTING, name);
    wnd.m_strPromptText.Format(IDS_PRESS_AGAIN, name);
    wnd.m_strFailureText.Format(IDS_LAUNCH_FAILED, name);
    const HICON hIdle = LoadIconGroup(IDI_IDLE);
    const HICON hAlternate = LoadIconGroup(IDI_ALTERNATE);
    const HICON hStarting = LoadIconGroup(IDI_STARTING);
    wnd.m_pPromptDlg->SetIcons(hIdle, hAlternate, hStarting);
}

}  // namespace

CUiComponents& AppUiComponents()
{
    return theApp.m_uiComponents;
}

BOOL CReadyApp::InitInstance()
{
    // The two sources of button events: the firmware service first, then the capture driver.
    LoadFirmwareLibrary();
    const BOOL driverLoaded = m_driver.Load();

    // The hidden main window keeps the program resident; its destruction ends the program.
    CEventWnd* pMainWnd = new CEventWnd;
    m_pMainWnd = pMainWnd;
    pMainWnd->ShowWindow(SW_HIDE);
    pMainWnd->UpdateWindow();
    UseBuiltInLaunchTarget(*pMainWnd);

    if (driverLoaded)
        m_driver.Open(pMainWnd->m_hWnd);
    return TRUE;
}

int CReadyApp::ExitInstance()
{
    FreeFirmwareLibrary();
    return CWinApp::ExitInstance();
}
