// The application object of the tests that run the program's windows in their own process: it
// holds the UI component client, as the program's application object does.
#pragma once

#include "framework/win_app.h"
#include "uicomponents/ui_components.h"

class ProgramTestApp : public CWinApp {
public:
    CUiComponents m_uiComponents;
};

extern ProgramTestApp theProgramTestApp;

// How often the program's windows gave up the instance mutex in this process.
extern int g_instanceMutexReleases;
