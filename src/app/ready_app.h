// CReadyApp: the application object of Lumora Ready: start-up, the single instance, and the end.
#pragma once

#include "devices/capture_driver.h"
#include "framework/win_app.h"
#include "uicomponents/ui_components.h"

class CReadyApp : public CWinApp {
public:
    // The start-up sequence; FALSE ends the program before any window exists.
    BOOL InitInstance() override;
    // Frees the firmware service library and gives up the instance mutex.
    int ExitInstance() override;
    // Gives up one hold of the instance mutex and closes it, when it is held; always TRUE.
    BOOL ReleaseInstanceMutex();

    // Destroyed in the reverse order: the UI components first, then the driver, which frees its
    // library.
    CCaptureDriver m_driver;
    CUiComponents m_uiComponents;
    HANDLE m_hInstanceMutex = NULL;

private:
    // TRUE when this instance now holds the instance mutex and may go on.
    BOOL ArbitrateInstance(BOOL bKill);
};
