// The example .reg files of the documentation, imported with reg.exe as an administrator would and
// read back through the program's own lookups: a file with a wrong escape, key or type fails here.
#include "child_process.h"
#include "devices/capture_driver.h"
#include "devices/firmware_events.h"
#include "app/start_up_settings.h"
#include "settings/reg_settings.h"
#include "settings/settings_catalogue.h"
#include "suite_keys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
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

const char* const Examples[] = {
    "launch-target.reg", "launch-target-with-its-icon.reg", "silent.reg", "libraries.reg", "no-ui-components.reg",
};

}  // namespace

TEST_F(RegExamples, EveryExampleInTheFolderIsCheckedHere)
{
    std::set<std::string> found;
    WIN32_FIND_DATAA entry;
    const HANDLE hFind = ::FindFirstFileA(ExamplePath("*.reg").c_str(), &entry);
    ASSERT_NE(hFind, INVALID_HANDLE_VALUE) << "no examples beside the test program";
    do {
        found.insert(entry.cFileName);
    } while (::FindNextFileA(hFind, &entry));
    ::FindClose(hFind);
    EXPECT_EQ(found, std::set<std::string>(std::begin(Examples), std::end(Examples)));
}

TEST_F(RegExamples, LaunchTargetIsAMachineWidePathWithItsSpaces)
{
    ASSERT_NO_FATAL_FAILURE(Import("launch-target.reg"));
    EXPECT_EQ(ReadyString("Path"), "D:\\Camera Apps\\Ostrivo.exe");
    EXPECT_EQ(MachineWideType(Ready, "Path"), static_cast<DWORD>(REG_SZ));
}

TEST_F(RegExamples, LaunchTargetWithItsIconSetsAppPathOnly)
{
    ASSERT_NO_FATAL_FAILURE(Import("launch-target-with-its-icon.reg"));
    EXPECT_EQ(ReadyString("AppPath"), "C:\\Program Files\\Vexa\\Lumora\\Ostrivo.exe");
    EXPECT_EQ(ReadyString("Path"), "(not found)");
}

TEST_F(RegExamples, SilentIsANonZeroNumber)
{
    ASSERT_NO_FATAL_FAILURE(Import("silent.reg"));
    CRegSettings ready;
    ready.Set(SettingsCompany, SettingsProduct, ReadyComponent);
    DWORD silent = 0;
    EXPECT_TRUE(ready.GetNumber("Silent", silent));
    EXPECT_EQ(silent, 1u);
    EXPECT_EQ(MachineWideType(Ready, "Silent"), static_cast<DWORD>(REG_DWORD));
}

TEST_F(RegExamples, LibrariesAreFoundWhereTheBindingsLook)
{
    ASSERT_NO_FATAL_FAILURE(Import("libraries.reg"));
    CCaptureDriver driver;
    EXPECT_EQ(std::string(driver.GetLibraryPath()), "C:\\Program Files\\Vexa\\Shared\\VexaCap.dll");
    CString firmware;
    ASSERT_TRUE(CFirmwareEvents().GetLibraryPath(&firmware)) << "a machine-wide REG_SZ";
    EXPECT_EQ(std::string(firmware), "C:\\Program Files\\Vexa\\Shared\\vxbios.dll");
}

TEST_F(RegExamples, NoUiComponentsTurnsTheLibraryOff)
{
    EXPECT_TRUE(UiComponentsAllowed());
    ASSERT_NO_FATAL_FAILURE(Import("no-ui-components.reg"));
    EXPECT_FALSE(UiComponentsAllowed());
}
