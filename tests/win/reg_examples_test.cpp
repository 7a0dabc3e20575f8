// The example .reg files of the documentation, imported with reg.exe as an administrator would and
// read back through the program's own lookups: a file with a wrong escape, key or type fails here.
// So are the values of every policy of the Group Policy template, as the build lists them.
#include "app/start_up_settings.h"
#include "child_process.h"
#include "devices/capture_driver.h"
#include "devices/firmware_events.h"
#include "settings/reg_settings.h"
#include "settings/settings_catalogue.h"
#include "suite_keys.h"

#include <gtest/gtest.h>

#include <fstream>
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

    static std::string ReadyString(const char* name)
    {
        CRegSettings ready;
        ready.Set(SettingsCompany, SettingsProduct, ReadyComponent);
        CString value("(not found)");
        ready.GetString(name, value);
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

// Group Policy writes the registry's 64-bit view; the templates name the 32-bit view by its path
// (Software\WOW6432Node), where the 32-bit shipping program reads its machine-wide settings. So
// only the 32-bit build finds them: the 64-bit one reads the 64-bit view.
#ifndef _WIN64
TEST_F(RegExamples, EveryPolicyIsReadWhereTheTemplateWritesIt)
{
    // The build writes what each policy, enabled, writes; each policy's values after "; <name>".
    const std::string values = ProgramBeside("policies\\policies.reg");
    std::set<std::string> policies;
    std::ifstream file(values);
    for (std::string line; std::getline(file, line);)
        if (line.compare(0, 2, "; ") == 0)
            policies.insert(line.substr(2));
    EXPECT_EQ(policies, (std::set<std::string>{ "LaunchTarget", "LaunchTargetWithItsIcon", "Silent", "NoUiComponents",
                                                "CaptureDriverLibrary", "FirmwareLibrary" }));
    // Group Policy's client is a 64-bit program: the values go in as it writes them.
    ASSERT_NO_FATAL_FAILURE(ImportFile(values, " /reg:64"));

    EXPECT_EQ(ReadyString("Path"), "C:\\Policies\\LaunchTarget");
    EXPECT_EQ(ReadyString("AppPath"), "C:\\Policies\\LaunchTargetWithItsIcon");
    CRegSettings ready;
    ready.Set(SettingsCompany, SettingsProduct, ReadyComponent);
    DWORD silent = 0;
    EXPECT_TRUE(ready.GetNumber("Silent", silent));
    EXPECT_EQ(silent, 1u);
    EXPECT_FALSE(UiComponentsAllowed());
    CCaptureDriver driver;
    EXPECT_EQ(std::string(driver.GetLibraryPath()), "C:\\Policies\\CaptureDriverLibrary");
    CString firmware;
    ASSERT_TRUE(CFirmwareEvents().GetLibraryPath(&firmware)) << "a machine-wide REG_SZ";
    EXPECT_EQ(std::string(firmware), "C:\\Policies\\FirmwareLibrary");

    for (const char* name : { "Path", "AppPath" })
        EXPECT_EQ(MachineWideType(Ready, name), static_cast<DWORD>(REG_SZ)) << name;
    EXPECT_EQ(MachineWideType(Ready, "Silent"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(MachineWideType(Config, "NoCUIL"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(MachineWideType(SharedDlls, "VexaCap.dll"), static_cast<DWORD>(REG_SZ));
}
#endif
