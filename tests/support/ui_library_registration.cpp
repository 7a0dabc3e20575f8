// Registration of the UI component library stand-in through the platform's regsvr32.
#include "ui_library_registration.h"

#include "child_process.h"
#include "uicomponents/ui_component_ids.h"

#include <stdio.h>

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

// The classes' keys as regsvr32 writes them through HKEY_CLASSES_ROOT: the user's when a class is
// registered there, the machine's otherwise.
std::vector<std::unique_ptr<SetAsideKeyTree>> SetAsideClasses()
{
    const CLSID classes[] = { CLSID_UiInitialiser, CLSID_UiDispatch2, CLSID_UiColours, CLSID_UiDispatch4,
                              CLSID_UiDispatch5,   CLSID_UiDispatch6, CLSID_UiDispatch7, CLSID_UiCustom1,
                              CLSID_UiCustom2,     CLSID_UiCustom3 };
    std::vector<std::unique_ptr<SetAsideKeyTree>> keys;
    for (const CLSID& clsid : classes) {
        char path[80];
        snprintf(path, sizeof path, "Software\\Classes\\CLSID\\{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                 static_cast<unsigned long>(clsid.Data1), clsid.Data2, clsid.Data3, clsid.Data4[0], clsid.Data4[1],
                 clsid.Data4[2], clsid.Data4[3], clsid.Data4[4], clsid.Data4[5], clsid.Data4[6], clsid.Data4[7]);
        for (HKEY root : { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE })
            keys.push_back(std::make_unique<SetAsideKeyTree>(root, path));
    }
    return keys;
}

}  // namespace

RegisteredUiLibrary::RegisteredUiLibrary()
    : m_installedClasses(SetAsideClasses()), m_outcome(RunRegsvr32("/s"))
{
}

RegisteredUiLibrary::~RegisteredUiLibrary()
{
    RunRegsvr32("/u /s");
}
