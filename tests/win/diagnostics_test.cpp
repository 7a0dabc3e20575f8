// The program's diagnostic lines, read as a debugger reads them: where each library came from and
// where the launch target did, why presses were ignored and why a launch failed, and why a start
// ended with its box.
#include "child_process.h"
#include "debugged_process.h"
#include "named_objects.h"
#include "poll.h"
#include "registry_sandbox.h"
#include "top_level_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const char* const InstanceName = "Vexa Lumora Kivrel";
const std::string Suite = "Software\\Vexa Corporation";
const std::string SharedDlls = Suite + "\\Shared Info\\Shared DLLs";
const std::string Ready = Suite + "\\Lumora\\Ready";

// Each test starts with no instance and no settings of the suite; the program runs as a debuggee.
class Diagnostics : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(MarkedWindows(InstanceName).empty()) << "an instance is running already";
        RemoveSuiteKeys();
    }
    void TearDown() override
    {
        m_program.reset();
        EXPECT_TRUE(WaitUntil([] { return !MutexExists(InstanceName); }, 10000)) << "an instance outlived its test";
        RemoveSuiteKeys();
    }
    static void RemoveSuiteKeys()
    {
        RemoveKeyTree(HKEY_CURRENT_USER, Suite);
        RemoveKeyTree(HKEY_LOCAL_MACHINE, Suite);
    }
    static void RegisterLibraries()
    {
        PutString(HKEY_LOCAL_MACHINE, SharedDlls, "VexaCap.dll", ProgramBeside("VexaCap.dll"));
        PutString(HKEY_LOCAL_MACHINE, SharedDlls, "vxbios.dll", ProgramBeside("vxbios.dll"));
    }

    DebuggedProcess& Start()
    {
        m_program = std::make_unique<DebuggedProcess>();
        EXPECT_TRUE(m_program->Start("\"" + ProgramBeside("LumoraReady.exe") + "\""));
        return *m_program;
    }
    static bool Press(const std::string& arguments)
    {
        ChildProcess press;
        return press.Start("\"" + ProgramBeside("press.exe") + "\" " + arguments) && press.WaitForExit(10000)
               && press.ExitCode() == 0;
    }
    bool Says(const std::string& text) { return m_program->WaitForLine("LumoraReady: " + text, 10000); }

    std::unique_ptr<DebuggedProcess> m_program;
};

}  // namespace

TEST_F(Diagnostics, StartTellsWhereTheLibrariesAndTheLaunchTargetCameFrom)
{
    RegisterLibraries();
    PutString(HKEY_CURRENT_USER, Ready, "AppPath", "C:\\Apps\\Capture.exe");
    Start();
    EXPECT_TRUE(Says("firmware event service library loaded from " + ProgramBeside("vxbios.dll")));
    EXPECT_TRUE(Says("capture driver library loaded from " + ProgramBeside("VexaCap.dll")));
    EXPECT_TRUE(Says("launch target from the \"AppPath\" value: C:\\Apps\\Capture.exe"));
    EXPECT_TRUE(Says("resident, waiting for the camera button"));
    for (const std::string& line : m_program->Lines())
        EXPECT_EQ(line.rfind("LumoraReady: ", 0), 0u) << "every line names the program: " << line;
}

TEST_F(Diagnostics, IgnoredPressesAndAFailedLaunchSayWhy)
{
    RegisterLibraries();
    PutString(HKEY_CURRENT_USER, Ready, "Path", "C:\\Nowhere\\Missing.exe");
    PutNumber(HKEY_CURRENT_USER, Ready, "Silent", 1);
    Start();
    ASSERT_TRUE(Says("resident"));
    EXPECT_TRUE(Says("launch target from the \"Path\" value: C:\\Nowhere\\Missing.exe"));
    EXPECT_TRUE(Says("silent: asked by \"Silent\""));

    ASSERT_TRUE(Press("9"));
    EXPECT_TRUE(Says("capture driver code 9 means nothing here"));
    ASSERT_TRUE(Press("0x1c00 --firmware"));
    EXPECT_TRUE(Says("firmware event 0x1c00 means nothing here"));

    // The camera is busy while this thread holds the suite's mutex.
    HANDLE hBusy = ::CreateMutexA(NULL, TRUE, "vexa_kivrel_mutex_object");
    ASSERT_TRUE(Press("prompt"));
    EXPECT_TRUE(Says("press ignored: the camera is busy"));
    ::ReleaseMutex(hBusy);
    ::CloseHandle(hBusy);

    ASSERT_TRUE(Press("prompt"));
    ASSERT_TRUE(Press("launch"));
    EXPECT_TRUE(Says("C:\\Nowhere\\Missing.exe not started: shell error "));
    for (const std::string& line : m_program->Lines()) {
        const size_t at = line.find("shell error ");
        if (at != std::string::npos) {
            EXPECT_LE(std::stoi(line.substr(at + 12)), 32) << line;
        }
    }
}

TEST_F(Diagnostics, AStartWithoutLibrariesSaysWhyBeforeItsBox)
{
    PutString(HKEY_LOCAL_MACHINE, SharedDlls, "vxbios.dll", "C:\\Nowhere\\vxbios.dll");
    DebuggedProcess& program = Start();
    EXPECT_TRUE(Says("firmware event service library \"C:\\Nowhere\\vxbios.dll\" not loaded: error "));
    EXPECT_TRUE(Says("capture driver library: the registry names none"));
    EXPECT_TRUE(Says("neither library of button events loaded"));

    HWND hBox = NULL;
    ASSERT_TRUE(WaitUntil([&] {
        hBox = FindTopLevelWindow(program.Id(), "LumoraReady", WindowKind::Dialog);
        return hBox != NULL && ::IsWindowVisible(hBox);
    }, 10000));
    ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(program.WaitForExit(10000));
}
