// The one application object of the window tests, with what the program's windows ask of it.
#include "program_test_app.h"

#include "events/instance_marker.h"

ProgramTestApp theProgramTestApp;

CUiComponents& AppUiComponents()
{
    return theProgramTestApp.m_uiComponents;
}

// These tests run no instance protocol: there is no instance mutex to give up.
BOOL AppReleaseInstanceMutex()
{
    return TRUE;
}
