// The application object: start-up and the one object of the program.
#include "app/ready_app.h"

#include "events/event_wnd.h"

CReadyApp theApp;

BOOL CReadyApp::InitInstance()
{
    // The hidden main window keeps the program resident; its destruction ends the program.
    m_pMainWnd = new CEventWnd;
    m_pMainWnd->ShowWindow(SW_HIDE);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}
