// Registration of the UI component library stand-in through the platform's regsvr32.
#include "ui_library_registration.h"

#include "child_process.h"

namespace {

// What went wrong with one run of regsvr32; empty when it succeeded.
std::string RunRegsvr32(const char* switches)
{
    ChildProcess regsvr32;
    if (!regsvr32.Start(std::string("regsvr32.exe ") + switches + " \"" + ProgramBeside("VexaCuil.dll") + "\""))
        return "regsvr32 could not be started: error " + std::to_string(::GetLastError());
    if (!regsvr32.WaitForExit(30000))
        return "regsvr32 did not end within 30 s";
    if (regsvr32.ExitCode() != 0)
        return "regsvr32 " + std::string(switches) + " ended with status " + std::to_string(regsvr32.ExitCode());
    return std::string();
}

}  // namespace

RegisteredUiLibrary::RegisteredUiLibrary()
    : m_outcome(RunRegsvr32("/s"))
{
}

RegisteredUiLibrary::~RegisteredUiLibrary()
{
    RunRegsvr32("/u /s");
}
