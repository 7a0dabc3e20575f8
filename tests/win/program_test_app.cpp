// The one application object of the window tests, with what the program's windows ask of it.
#include "program_test_app.h"

#include "events/instance_marker.h"

ProgramTestApp theProgramTestApp;

CUiComponents& AppUiComponents()
{
    return theProgramTestApp.m_uiComponents;
}

int g_instanceMutexReleases = 0;

// These tests hold no instance mutex; they count the calls.
BOOL AppReleaseInstanceMutex()
{
    ++g_instanceMutexReleases;
    return TRUE;
}
