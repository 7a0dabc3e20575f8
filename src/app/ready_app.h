// CReadyApp: the application object of Lumora Ready.
#pragma once

#include "framework/win_app.h"

class CReadyApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
