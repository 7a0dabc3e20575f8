// CReadyApp: the application object of Lumora Ready.
#pragma once

#include "framework/win_app.h"
#include "uicomponents/ui_components.h"

class CReadyApp : public CWinApp {
public:
    BOOL InitInstance() override;

    CUiComponents m_uiComponents;
};
