// The program's diagnostic lines, read as a debugger reads them: each names the program and the
// facts someone tracing a fault needs (which file each library came from, which value named the
// launch target, the code a press brought, the shell's error), not a wording.
#include "debugged_process.h"
#include "program_fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace program_fixture;

namespace {

// The program runs as a debuggee, in the program tests' setting.
class Diagnostics : public Program {
protected:
    void TearDown() override
    {
        m_program.reset();
        Program::TearDown();
    }

    DebuggedProcess& StartDebugged()
    {
        m_program = std::make_unique<DebuggedProcess>();
        EXPECT_TRUE(m_program->Start("\"" + ProgramBeside("LumoraReady.exe") + "\""));
        return *m_program;
    }
    // A line of the program's with the text somewhere in it, within 10 s.
    bool Says(const std::string& text) { return m_program->WaitForLine(text, 10000); }

    std::unique_ptr<DebuggedProcess> m_program;
};

}  // namespace

TEST_F(Diagnostics, WhereEachPartCameFromAndWhyPressesAndALaunchFailed)
{
    PutString(HKEY_CURRENT_USER, Ready, "Path", "C:\\Nowhere\\Missing.exe");
    PutNumber(HKEY_CURRENT_USER, Ready, "Silent", 1);
    StartDebugged();
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
    RemoveSuiteKeys();
    PutString(HKEY_LOCAL_MACHINE, SharedDlls, "vxbios.dll", "C:\\Nowhere\\vxbios.dll");
    DebuggedProcess& program = StartDebugged();
    EXPECT_TRUE(Says("\"C:\\Nowhere\\vxbios.dll\" not loaded: error "));
    EXPECT_TRUE(Says("capture driver library: the registry names none"));

    const HWND hBox = WaitForStartupBox(program);
    ASSERT_NE(hBox, (HWND)NULL);
    ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(program.WaitForExit(10000));
    // The event log says it too: a warning with the path and the error, information, and the end.
    EXPECT_TRUE(Logged(program.Id(), R"(0x0002,0x0000,0x800003ed warn L"C:\Nowhere\vxbios.dll" warn L"126")"));
    EXPECT_TRUE(Logged(program.Id(), "0x0004,0x0000,0x400003ec\n"));
    EXPECT_TRUE(Logged(program.Id(), "0x0001,0x0000,0xc00003e9 err L\"" + ProgramBeside("LumoraReady.exe") + "\""));
}
