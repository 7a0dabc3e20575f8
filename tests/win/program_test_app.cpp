// The one application object of the window tests.
#include "program_test_app.h"

#include <gtest/gtest.h>

ProgramTestApp theProgramTestApp;

CEventWnd* NewEventWnd()
{
    CEventWnd* pWnd = new CEventWnd(theProgramTestApp.m_firmware, theProgramTestApp.m_uiComponents,
                                    theProgramTestApp.m_instanceMutex);
    EXPECT_TRUE(pWnd->Create());
    return pWnd;
}
