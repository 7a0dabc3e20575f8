// The application object of the framework tests: the tests drive it by hand, without AfxWinMain.
#pragma once

#include "framework/win_app.h"

class TestApp : public CWinApp {
public:
    int exitInstanceCalls = 0;

    int ExitInstance() override
    {
        ++exitInstanceCalls;
        return CWinApp::ExitInstance();
    }
};

extern TestApp theTestApp;
