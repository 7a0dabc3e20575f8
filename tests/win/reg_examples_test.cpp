// The example .reg files of the documentation, imported with reg.exe as an administrator would and
// read back through the program's own lookups: a file with a wrong escape, key or type fails here.
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
    static void Import(const std::string& name)
    {
        ChildProcess reg;
        ASSERT_TRUE(reg.Start("reg import \"" + ExamplePath(name) + "\"", true));
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
              ASSERT_TRUE(GetFirmwareLibraryPath(&firmware)) << "a machine-wide REG_SZ";
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
