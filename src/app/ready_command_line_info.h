// CReadyCommandLineInfo: the program's command-line parser. It lives only during start-up.
#pragma once

#include "app/ready_switches.h"
#include "framework/win_app.h"

class CReadyCommandLineInfo : public CCommandLineInfo {
public:
    void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) override;

    BOOL m_bSilent = FALSE;               // "SILENT" was given
    BOOL m_bKill = FALSE;                 // "KILL" was given
    CString m_strPath;                    // the file after "PATH"
    int m_nParseState = ParsedNothing;    // the last switch seen
};
