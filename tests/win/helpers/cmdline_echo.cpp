// A program that prints the arguments its parser receives, one line each: flag, last, [text].
// The command-line tests start it with the command lines they check.
#include "framework/win_app.h"

#include <stdio.h>

namespace {

class EchoInfo : public CCommandLineInfo {
public:
    void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) override
    {
        printf("%d %d [%s]\n", bFlag, bLast, pszParam);
    }
};

class EchoApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        EchoInfo info;
        ParseCommandLine(info);
        fflush(stdout);
        return FALSE;
    }
};

EchoApp theApp;

}  // namespace
