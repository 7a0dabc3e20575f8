// The one application object of the window tests, and the UI component client the prompt reaches.
#include "program_test_app.h"

ProgramTestApp theProgramTestApp;

CUiComponents& AppUiComponents()
{
    return theProgramTestApp.m_uiComponents;
}
