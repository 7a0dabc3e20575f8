// The bindings of the suite's two libraries, with our stand-ins loaded into this process and a
// real event window: where the libraries are found, which entries are called, how misbehaving
// libraries leave their source silent, and presses made with press.exe arriving through both.
#include "child_process.h"
#include "devices/capture_driver.h"
#include "devices/firmware_events.h"
#include "devices/suite_library.h"
#include "events/event_wnd.h"
#include "message_pump.h"
#include "program_test_app.h"
#include "prompt/prompt_dlg.h"
#include "stand_in_records.h"
#include "suite_keys.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace {

std::string Hex(const void* pointer)
{
    char text[32];
    snprintf(text, sizeof text, "%p", pointer);
    return text;
}

// The suite's keys are fixed: each test runs with them set aside. The stand-ins record their
// calls in files of this test process's own.
class Devices : public ::testing::Test {
protected:
    static void RegisterDriver(const std::string& path) { PutString(HKEY_LOCAL_MACHINE, SharedDlls, "VexaCap.dll", path); }
    static void RegisterFirmware(const std::string& path) { PutString(HKEY_LOCAL_MACHINE, SharedDlls, "vxbios.dll", path); }

    // Presses the button with press.exe and waits for the prompt that the press brings.
    static bool PressBrings(CEventWnd& wnd, const std::string& arguments)
    {
        ChildProcess press;
        if (!press.Start("\"" + ProgramBeside("press.exe") + "\" " + arguments) || !press.WaitForExit(10000)
            || press.ExitCode() != 0)
            return false;
        const HWND hPrompt = wnd.GetPromptDlg()->m_hWnd;
        return PumpUntil([&] { return ::IsWindowVisible(hPrompt) != FALSE; }, 10000);
    }

    SetAsideSuiteKeys m_suiteKeys;
    StandInRecord m_driverRecord{ "VEXACAP_STANDIN_RECORD", "vexacap-calls" };
    StandInRecord m_firmwareRecord{ "VXBIOS_STANDIN_RECORD", "vxbios-calls" };
};

}  // namespace

TEST_F(Devices, DriverLoadsResolvesAllEntriesAndOpensOnceWithTheWindow)
{
    RegisterDriver(ProgramBeside("VexaCap.dll"));
    const HWND hWindow = reinterpret_cast<HWND>(0x1234);
    {
        CCaptureDriver driver;
        ASSERT_TRUE(driver.Load());
        for (int entry = 0; entry < CCaptureDriver::EntryCount; ++entry)
            EXPECT_NE(driver.m_entries[entry], nullptr) << CCaptureDriver::EntryNames[entry];
        EXPECT_EQ(driver.m_entries[0], ::GetProcAddress(driver.m_hModule, "VC_Open"));
        EXPECT_FALSE(driver.Load()) << "a second Load reloads nothing";

        EXPECT_TRUE(driver.Open(hWindow));
        EXPECT_NE(driver.m_hDriver, 0);
        EXPECT_FALSE(driver.Open(hWindow)) << "already open";
        ASSERT_NE(::GetModuleHandleA("VexaCap.dll"), (HMODULE)NULL);
    }
    EXPECT_EQ(::GetModuleHandleA("VexaCap.dll"), (HMODULE)NULL) << "the destructor frees the library";
    EXPECT_EQ(m_driverRecord.Lines(), std::vector<std::string>{ "VC_Open window=" + Hex(hWindow) + " reserved=0" })
        << "VC_Open once, and VC_Close never";
}

TEST_F(Devices, DriverThatIsMissingOrMisbehavesLeavesItsSourceSilentAndItsPathIsPerUserFirst)
{
    CCaptureDriver unregistered;
    EXPECT_EQ(unregistered.GetLibraryPath(), "") << "nothing registered";
    EXPECT_FALSE(unregistered.Load());

    RegisterDriver("");
    CCaptureDriver emptyPath;
    EXPECT_FALSE(emptyPath.Load()) << "a path found but empty";

    RegisterDriver(ProgramBeside("vxbios.dll"));  // a library without any of the 40 entries
    CCaptureDriver noEntries;
    EXPECT_TRUE(noEntries.Load());
    EXPECT_FALSE(noEntries.Open(reinterpret_cast<HWND>(0x1234)));

    RegisterDriver(ProgramBeside("VexaCapNoOpen.dll"));
    CCaptureDriver noOpen;
    EXPECT_TRUE(noOpen.Load());
    EXPECT_EQ(noOpen.m_entries[0], nullptr);
    EXPECT_NE(noOpen.m_entries[1], nullptr);
    EXPECT_FALSE(noOpen.Open(reinterpret_cast<HWND>(0x1234)));

    RegisterDriver(ProgramBeside("VexaCap.dll"));
    ::SetEnvironmentVariableA("VEXACAP_STANDIN_OPEN_RESULT", "0");
    CCaptureDriver refusing;
    EXPECT_TRUE(refusing.Load());
    EXPECT_FALSE(refusing.Open(reinterpret_cast<HWND>(0x1234)));
    EXPECT_EQ(refusing.m_hDriver, 0);
    ::SetEnvironmentVariableA("VEXACAP_STANDIN_OPEN_RESULT", NULL);

    PutString(HKEY_CURRENT_USER, SharedDlls, "VexaCap.dll", "C:\\user\\VexaCap.dll");
    EXPECT_EQ(refusing.GetLibraryPath(), "C:\\user\\VexaCap.dll");
}

TEST_F(Devices, FirmwarePathIsAMachineWideRegSzOfAtMost260Bytes)
{
    CString path("kept");
    EXPECT_FALSE(theProgramTestApp.m_firmware.GetLibraryPath(&path)) << "nothing registered";
    PutString(HKEY_CURRENT_USER, SharedDlls, "vxbios.dll", "C:\\user\\vxbios.dll");
    EXPECT_FALSE(theProgramTestApp.m_firmware.GetLibraryPath(&path)) << "the per-user value is never read";

    PutString(HKEY_LOCAL_MACHINE, SharedDlls, "VXBIOS.DLL", "C:\\machine\\vxbios.dll");
    ASSERT_TRUE(theProgramTestApp.m_firmware.GetLibraryPath(&path)) << "the registry matches the name without regard to case";
    EXPECT_EQ(path, "C:\\machine\\vxbios.dll");

    const std::string longest(259, 'x');  // 260 bytes with the terminator
    RegisterFirmware(longest);
    ASSERT_TRUE(theProgramTestApp.m_firmware.GetLibraryPath(&path));
    EXPECT_EQ(std::string(path), longest);
    // A longer value and REG_EXPAND_SZ are refused, with their event, in the program's starts.
}

// Once the search is restricted, no load of the process looks where any program of the user can
// write: not in the working directory, not on PATH, also after the suite's libraries have loaded
// and COM has loaded what it needed. (The whole program meets planted libraries in the fault
// tests.) A library given by its full path finds its private part beside it.
TEST_F(Devices, LibrarySearchLeavesOutWhereTheUserWrites)
{
    const std::string folder = TempPath("lumora-planted-" + std::to_string(::GetCurrentProcessId()));
    const std::string planted = folder + "\\vxbios_planted.dll";
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), NULL));
    ASSERT_TRUE(::CopyFileA(ProgramBeside("vxbios.dll").c_str(), planted.c_str(), FALSE));
    char before[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, before);
    ::SetCurrentDirectoryA(folder.c_str());
    ::SetEnvironmentVariableA("PATH", folder.c_str());  // this process starts nothing that needs it

    EXPECT_TRUE(RestrictLibrarySearch());
    RegisterFirmware("vxbios.dll");
    EXPECT_TRUE(theProgramTestApp.m_firmware.Load()) << "a bare name is still found beside the program";
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(NULL)));
    IUnknown* pLink = nullptr;
    EXPECT_TRUE(SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                             reinterpret_cast<void**>(&pLink))));
    pLink->Release();
    EXPECT_EQ(::LoadLibraryA("vxbios_planted.dll"), (HMODULE)NULL);

    RegisterDriver(ProgramBeside("suite-folder\\dependent_library.dll"));
    CCaptureDriver dependent;
    EXPECT_TRUE(dependent.Load());

    ::CoUninitialize();
    theProgramTestApp.m_firmware.Free();
    ::SetCurrentDirectoryA(before);
    ::DeleteFileA(planted.c_str());
    ::RemoveDirectoryA(folder.c_str());
}

// A request cancelled already is not cancelled again.
TEST_F(Devices, EventWindowRegistersWithTheServiceAndCancelsOnceWhenDestroyed)
{
    RegisterFirmware(ProgramBeside("vxbios.dll"));
    ASSERT_TRUE(theProgramTestApp.m_firmware.Load());
    CEventWnd* pWnd = NewEventWnd();
    const std::string window = Hex(pWnd->m_hWnd);
    EXPECT_FALSE(pWnd->RegisterFirmwareEvents()) << "registered already: no second request";
    EXPECT_TRUE(PressBrings(*pWnd, "prompt --firmware"));
    pWnd->DestroyWindow();
    EXPECT_EQ(m_firmwareRecord.Lines(), (std::vector<std::string>{
                                           "Begin_VXBIOS_Call",
                                           "VXBIOS_BiosMessageReq call=20897 window=" + window + " mask=0x1c00",
                                           "VXBIOS_CancelMessageReq call=20897 request=32257",
                                       }));

    m_firmwareRecord.Clear();
    pWnd = NewEventWnd();
    EXPECT_TRUE(pWnd->CancelFirmwareEvents());
    EXPECT_FALSE(pWnd->CancelFirmwareEvents());
    pWnd->DestroyWindow();
    EXPECT_EQ(CountLinesStartingWith(m_firmwareRecord.Lines(), "VXBIOS_CancelMessageReq"), 1u);
    theProgramTestApp.m_firmware.Free();
}

TEST_F(Devices, MisbehavingServiceLeavesNoRequestAndNothingToCancel)
{
    struct Case {
        const char* library;
        const char* variable;
        const char* value;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        { "vxbios.dll", "VXBIOS_STANDIN_BEGIN_RESULT", "-1", { "Begin_VXBIOS_Call" } },
        { "vxbios.dll", "VXBIOS_STANDIN_BEGIN_RESULT", "0", { "Begin_VXBIOS_Call" } },
        { "vxbios.dll", "VXBIOS_STANDIN_REQUEST_RESULT", "0", { "Begin_VXBIOS_Call", "VXBIOS_BiosMessageReq" } },
        { "vxbios_norequest.dll", "VXBIOS_STANDIN_REQUEST_RESULT", nullptr, { "Begin_VXBIOS_Call" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.library) + " " + c.variable + "=" + (c.value ? c.value : "(unset)"));
        m_firmwareRecord.Clear();
        ::SetEnvironmentVariableA(c.variable, c.value);
        RegisterFirmware(ProgramBeside(c.library));
        ASSERT_TRUE(theProgramTestApp.m_firmware.Load());
        CEventWnd* pWnd = NewEventWnd();
        EXPECT_EQ(pWnd->GetFirmwareRequest(), 0);
        EXPECT_FALSE(pWnd->CancelFirmwareEvents());
        pWnd->DestroyWindow();

        std::vector<std::string> calls;
        for (const std::string& line : m_firmwareRecord.Lines())
            calls.push_back(line.substr(0, line.find(' ')));
        EXPECT_EQ(calls, c.calls);
        ::SetEnvironmentVariableA(c.variable, NULL);
        theProgramTestApp.m_firmware.Free();
    }
}

TEST_F(Devices, WithoutTheServiceTheWindowCallsNothing)
{
    CEventWnd* pWnd = NewEventWnd();
    EXPECT_EQ(pWnd->GetFirmwareCall(), 0);
    EXPECT_EQ(pWnd->GetFirmwareRequest(), 0);
    EXPECT_FALSE(pWnd->RegisterFirmwareEvents());
    pWnd->DestroyWindow();
    EXPECT_TRUE(m_firmwareRecord.Lines().empty());
}
