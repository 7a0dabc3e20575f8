// CReadyApp: the application object of Lumora Ready.
#pragma once

#include "devices/capture_driver.h"
#include "framework/win_app.h"
#include "uicomponents/ui_components.h"

class CReadyApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

    // Destroyed in the reverse order: the UI components first, then the driver, which frees its
    // library.
    CCaptureDriver m_driver;
    CUiComponents m_uiComponents;
};
