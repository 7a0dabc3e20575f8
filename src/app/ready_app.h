// CReadyApp: the application object of Lumora Ready: start-up, the single instance, and the end.
#pragma once

#include "devices/capture_driver.h"
#include "devices/firmware_events.h"
#include "framework/handles.h"
#include "framework/win_app.h"
#include "uicomponents/ui_components.h"

class CReadyApp : public CWinApp {
public:
    CReadyApp();

    // The start-up sequence; FALSE ends the program before any window exists.
    BOOL InitInstance() override;
    // Frees the firmware service library and gives up the instance mutex.
    int ExitInstance() override;

    // Destroyed in the reverse order: the UI components first, then the driver, which frees its
    // library. The main window holds the first three by reference while it exists.
    CHeldMutex m_instanceMutex;
    CFirmwareEvents m_firmware;
    CCaptureDriver m_driver;
    CUiComponents m_uiComponents;

private:
    // TRUE when this instance now holds the instance mutex and may go on.
    BOOL ArbitrateInstance(BOOL bKill);
};
