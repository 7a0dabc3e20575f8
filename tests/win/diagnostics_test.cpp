// The program's diagnostic lines, read as a debugger reads them: each names the program and the
// facts someone tracing a fault needs (which file each library came from, which value named the
// launch target, the code a press brought, the shell's error), not a wording.
#include "child_process.h"
#include "debugged_process.h"
#include "named_objects.h"
#include "poll.h"
#include "suite_keys.h"
#include "top_level_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const char* const InstanceName = "Vexa Lumora Kivrel";

// Each test starts with no instance and no settings of the suite; the program runs as a debuggee.
class Diagnostics : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(MarkedWindows(InstanceName).empty()) << "an instance is running already";
    }
    void TearDown() override
    {
        m_program.reset();
        EXPECT_TRUE(WaitUntil([] { return !MutexExists(InstanceName); }, 10000)) << "an instance outlived its test";
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
    // A line of the program's with the text somewhere in it, within 10 s.
    bool Says(const std::string& text) { return m_program->WaitForLine(text, 10000); }

    SetAsideSuiteKeys m_suiteKeys;
    std::unique_ptr<DebuggedProcess> m_program;
};

}  // namespace

TEST_F(Diagnostics, WhereEachPartCameFromAndWhyPressesAndALaunchFailed)
{
    RegisterStandInLibraries();
    PutString(HKEY_CURRENT_USER, Ready, "Path", "C:\\Nowhere\\Missing.exe");
    PutNumber(HKEY_CURRENT_USER, Ready, "Silent", 1);
    Start();
    EXPECT_TRUE(Says("firmware event service library loaded from " + ProgramBeside("vxbios.dll")));
    EXPECT_TRUE(Says("capture driver library loaded from " + ProgramBeside("VexaCap.dll")));
    EXPECT_TRUE(Says("\"Path\" value: C:\\Nowhere\\Missing.exe"));
    EXPECT_TRUE(Says("\"Silent\""));
    ASSERT_TRUE(Says("resident"));

    ASSERT_TRUE(Press("9"));
    EXPECT_TRUE(Says("capture driver code 9 "));
    ASSERT_TRUE(Press("0x1c00 --firmware"));
    EXPECT_TRUE(Says("firmware event 0x1c00 "));
    // The camera is busy while this thread holds the suite's mutex.
    HANDLE hBusy = ::CreateMutexA(NULL, TRUE, "vexa_kivrel_mutex_object");
    ASSERT_TRUE(Press("prompt"));
    EXPECT_TRUE(Says("busy"));
    ::ReleaseMutex(hBusy);
    ::CloseHandle(hBusy);

    ASSERT_TRUE(Press("prompt"));
    ASSERT_TRUE(Press("launch"));
    EXPECT_TRUE(Says("C:\\Nowhere\\Missing.exe not started: shell error "));
    for (const std::string& line : m_program->Lines()) {
        EXPECT_EQ(line.rfind("LumoraReady: ", 0), 0u) << "every line names the program: " << line;
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
    EXPECT_TRUE(Says("\"C:\\Nowhere\\vxbios.dll\" not loaded: error "));
    EXPECT_TRUE(Says("capture driver library: the registry names none"));

    HWND hBox = NULL;
    ASSERT_TRUE(WaitUntil([&] {
        hBox = FindTopLevelWindow(program.Id(), "LumoraReady", WindowKind::Dialog);
        return hBox != NULL && ::IsWindowVisible(hBox);
    }, 10000));
    ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(program.WaitForExit(10000));
}
