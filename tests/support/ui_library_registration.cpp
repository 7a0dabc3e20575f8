// Registration of the UI component library stand-in through the platform's regsvr32.
#include "ui_library_registration.h"

#include "child_process.h"

#include <string>

namespace {

bool RunRegsvr32(const char* switches)
{
    ChildProcess regsvr32;
    return regsvr32.Start(std::string("regsvr32.exe ") + switches + " \"" + ProgramBeside("VexaCuil.dll") + "\"")
           && regsvr32.WaitForExit(30000) && regsvr32.ExitCode() == 0;
}

}  // namespace

RegisteredUiLibrary::RegisteredUiLibrary()
    : m_bRegistered(RunRegsvr32("/s"))
{
}

RegisteredUiLibrary::~RegisteredUiLibrary()
{
    RunRegsvr32("/u /s");
}
