// The example .reg files of the documentation, imported with reg.exe as an administrator would and
// read back through the program's own lookups: a file with a wrong escape, key or type fails here.
// So are the values of every policy of the Group Policy templates, as the build lists them.
#include "app/start_up_settings.h"
#include "child_process.h"
#include "devices/capture_driver.h"
#include "devices/firmware_events.h"
#include "settings/reg_settings.h"
#include "settings/settings_catalogue.h"
#include "suite_keys.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// The build copies the examples into this folder beside the test program.
std::string ExamplePath(const std::string& name)
{
    return ProgramBeside("examples\\") + name;
}

// The suite's keys are fixed: each test runs with them set aside, in both roots.
class RegExamples : public ::testing::Test {
protected:
    // reg.exe refuses a malformed file with a non-zero exit code; regedit would ask or stay silent.
    static void Import(const std::string& name) { ImportFile(ExamplePath(name)); }
    static void ImportFile(const std::string& name, const char* view = "")
    {
        ChildProcess reg;
        ASSERT_TRUE(reg.Start("reg import \"" + name + "\"" + view, true));
        const std::string output = reg.Output(30000);
        ASSERT_TRUE(reg.WaitForExit(30000)) << name;
        ASSERT_EQ(reg.ExitCode(), 0u) << name << ": " << output;
    }

    static std::string ReadyString(const char* name, PolicyReach reach = PolicyReach::MachineAndUser)
    {
        CRegSettings ready;
        ready.Set(SettingsCompany, SettingsProduct, ReadyComponent);
        CString value("(not found)");
        ready.GetString(name, value, reach);
        return std::string(value);
    }

    static DWORD MachineWideType(const std::string& key, const char* name)
    {
        DWORD type = REG_NONE;
        std::vector<BYTE> data;
        return ReadValue(HKEY_LOCAL_MACHINE, key, name, &type, &data) ? type : REG_NONE;
    }

    SetAsideSuiteKeys m_suiteKeys;
};

}  // namespace

// Each example imported alone: a launch target, machine-wide with its spaces; one with its icon,
// which sets AppPath only; Silent, a non-zero number; the libraries, found where the bindings look;
// and NoCUIL, which turns the library off. Every example in the folder is one of them.
TEST_F(RegExamples, EachExampleReadsBackThroughTheProgramsLookups)
{
    const std::pair<const char*, std::function<void()>> examples[] = {
        { "launch-target.reg",
          [] {
              EXPECT_EQ(ReadyString("Path"), "D:\\Camera Apps\\Ostrivo.exe");
              EXPECT_EQ(MachineWideType(Ready, "Path"), static_cast<DWORD>(REG_SZ));
          } },
        { "launch-target-with-its-icon.reg",
          [] {
              EXPECT_EQ(ReadyString("AppPath"), "C:\\Program Files\\Vexa\\Lumora\\Ostrivo.exe");
              EXPECT_EQ(ReadyString("Path"), "(not found)");
          } },
        { "silent.reg",
          [] {
              CRegSettings ready;
              ready.Set(SettingsCompany, SettingsProduct, ReadyComponent);
              DWORD silent = 0;
              EXPECT_TRUE(ready.GetNumber("Silent", silent));
              EXPECT_EQ(silent, 1u);
              EXPECT_EQ(MachineWideType(Ready, "Silent"), static_cast<DWORD>(REG_DWORD));
          } },
        { "libraries.reg",
          [] {
              CCaptureDriver driver;
              EXPECT_EQ(std::string(driver.GetLibraryPath()), "C:\\Program Files\\Vexa\\Shared\\VexaCap.dll");
              CString firmware;
              ASSERT_TRUE(CFirmwareEvents().GetLibraryPath(&firmware)) << "a machine-wide REG_SZ";
              EXPECT_EQ(std::string(firmware), "C:\\Program Files\\Vexa\\Shared\\vxbios.dll");
          } },
        { "no-ui-components.reg", [] { EXPECT_FALSE(UiComponentsAllowed()); } },
    };
    std::set<std::string> found;
    WIN32_FIND_DATAA entry;
    const HANDLE hFind = ::FindFirstFileA(ExamplePath("*.reg").c_str(), &entry);
    ASSERT_NE(hFind, INVALID_HANDLE_VALUE) << "no examples beside the test program";
    do {
        found.insert(entry.cFileName);
    } while (::FindNextFileA(hFind, &entry));
    ::FindClose(hFind);
    for (const auto& example : examples) {
        SCOPED_TRACE(example.first);
        EXPECT_EQ(found.erase(example.first), 1u) << "not in the folder";
        RemoveSuiteKeys();
        EXPECT_TRUE(UiComponentsAllowed());
        ASSERT_NO_FATAL_FAILURE(Import(example.first));
        example.second();
    }
    EXPECT_EQ(found, std::set<std::string>{}) << "examples that no case checks";
}

// What each policy of the Group Policy templates writes when enabled, as Group Policy writes it (a
// 64-bit program: the 64-bit view), read back through the program's own lookups by either build,
// one layer after another above preferences in every place: the user's policies, the computer's,
// then a computer policy that turns off what a user policy turns on.
TEST_F(RegExamples, EveryPolicyIsReadWhereTheTemplatesWriteItAboveEveryPreference)
{
    for (HKEY root : { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE }) {
        PutString(root, Ready, "Path", "C:\\Preference\\Path.exe");
        PutString(root, Ready, "AppPath", "C:\\Preference\\AppPath.exe");
        PutNumber(root, Ready, "Silent", 0);
        PutNumber(root, Config, "NoCUIL", 0);
        PutString(root, SharedDlls, "VexaCap.dll", "C:\\Preference\\VexaCap.dll");
    }
    PutString(HKEY_LOCAL_MACHINE, SharedDlls, "vxbios.dll", "C:\\Preference\\vxbios.dll");
    // A user's own policy key names no file to start or load.
    PutString(HKEY_CURRENT_USER, SuitePolicies + "\\Lumora\\Ready", "Path", "C:\\User Policy\\Path.exe");

    const auto settings = [] {
        CRegSettings ready;
        ready.Set(SettingsCompany, SettingsProduct, ReadyComponent);
        DWORD silent = 7;
        ready.GetNumber("Silent", silent);
        CString firmware("(none)");
        CFirmwareEvents().GetLibraryPath(&firmware);
        return "Path " + ReadyString("Path", PolicyReach::MachineOnly) + ", AppPath "
               + ReadyString("AppPath", PolicyReach::MachineOnly) + ", Silent " + std::to_string(silent)
               + (UiComponentsAllowed() ? ", components" : ", no components") + ", "
               + std::string(CCaptureDriver().GetLibraryPath()) + ", " + std::string(firmware);
    };
    const std::string preferences = "Path C:\\Preference\\Path.exe, AppPath C:\\Preference\\AppPath.exe, Silent 0, "
                                    "components, C:\\Preference\\VexaCap.dll, C:\\Preference\\vxbios.dll";
    EXPECT_EQ(settings(), preferences);

    ASSERT_NO_FATAL_FAILURE(ImportFile(ProgramBeside("policies\\user.reg")));
    EXPECT_EQ(settings(), "Path C:\\Preference\\Path.exe, AppPath C:\\Preference\\AppPath.exe, Silent 1, "
                          "no components, C:\\Preference\\VexaCap.dll, C:\\Preference\\vxbios.dll");

    ASSERT_NO_FATAL_FAILURE(ImportFile(ProgramBeside("policies\\machine.reg"), " /reg:64"));
    EXPECT_EQ(settings(), "Path C:\\Policies\\LaunchTarget, AppPath C:\\Policies\\LaunchTargetWithItsIcon, Silent 1, "
                          "no components, C:\\Policies\\CaptureDriverLibrary, C:\\Policies\\FirmwareLibrary");

    // A computer policy of 0 outranks a user policy of 1; a refused library policy still decides.
    PutNumber(HKEY_LOCAL_MACHINE, SuitePolicies + "\\Lumora\\Ready", "Silent", 0);
    PutNumber(HKEY_LOCAL_MACHINE, SuitePolicies + "\\Lumora\\Config", "NoCUIL", 0);
    PutValue(HKEY_LOCAL_MACHINE, SuitePolicies + "\\Shared Info\\Shared DLLs", "vxbios.dll", REG_EXPAND_SZ, { 'x', 0 });
    EXPECT_EQ(settings(), "Path C:\\Policies\\LaunchTarget, AppPath C:\\Policies\\LaunchTargetWithItsIcon, Silent 0, "
                          "components, C:\\Policies\\CaptureDriverLibrary, (none)");

    RemoveKeyTree(HKEY_LOCAL_MACHINE, SuitePolicies);
    RemoveKeyTree(HKEY_CURRENT_USER, SuitePolicies);
    EXPECT_EQ(settings(), preferences) << "removing the policies leaves the preferences as they were";
}
