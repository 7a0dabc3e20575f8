// The program's command-line parser.
#include "app/ready_command_line_info.h"

void CReadyCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast)
{
    ParseReadySwitch(*this, pszParam, bFlag != FALSE,
                     [](const char* a, const char* b) { return ::lstrcmpiA(a, b) == 0; });
    CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
}
