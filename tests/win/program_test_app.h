// The application object of the tests that run the program's windows in their own process: it
// holds what the program's application object hands to its main window.
#pragma once

#include "devices/firmware_events.h"
#include "events/event_wnd.h"
#include "framework/handles.h"
#include "framework/win_app.h"
#include "uicomponents/ui_components.h"

class ProgramTestApp : public CWinApp {
public:
    CHeldMutex m_instanceMutex;
    CFirmwareEvents m_firmware;
    CUiComponents m_uiComponents;
};

extern ProgramTestApp theProgramTestApp;

// An event window given the application's parts, with its windows made, as start-up makes it.
CEventWnd* NewEventWnd();
