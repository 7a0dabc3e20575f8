// The program as users start it, in processes of its own: resident with a marked hidden window, one
// instance at a time (a newer one replaces the running one, "KILL" only ends it, an instance that
// does not quit makes a newer one give up), the box when OLE cannot start, the capture driver
// library that a computer's policy decides, libraries that cannot serve in the event log, and the
// UI component library from start-up to the end. (The failure box when no library loads is met by
// the broken-library starts.)
#include "debugged_process.h"
#include "program_fixture.h"
#include "stand_in_records.h"
#include "ui_library_registration.h"

#include <tlhelp32.h>

#include <string>
#include <vector>

using namespace program_fixture;

namespace {

// The file names of the modules that the process has loaded, in capitals, each between spaces.
std::string LoadedModules(DWORD processId)
{
    std::string modules = " ";
    const HANDLE hModules = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    MODULEENTRY32 module = {};
    module.dwSize = sizeof module;
    for (BOOL more = ::Module32First(hModules, &module); more; more = ::Module32Next(hModules, &module))
        modules += std::string(::CharUpperA(module.szModule)) + " ";
    ::CloseHandle(hModules);
    return modules;
}

}  // namespace

// A newer instance finds the window marked "Vexa Lumora Kivrel" = 1 and posts it 0x464 (wParam 0,
// lParam 0): the program ends and gives up the mutex of that name.
TEST_F(Program, RunsResidentWithAMarkedHiddenToolWindowLeavesItsPathAsTheFootmarkAndEndsOnAQuitRequest)
{
    ChildProcess& program = Start();
    const HWND hMain = WaitForMarkedWindow(program);
    ASSERT_NE(hMain, (HWND)NULL);
    EXPECT_TRUE(MutexHeldElsewhere("Vexa Lumora Kivrel"));

    EXPECT_FALSE(::IsWindowVisible(hMain));
    EXPECT_TRUE(::GetWindowLongA(hMain, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(ReadValue(HKEY_CURRENT_USER, Ready, "Footmark", &type, &data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(::lstrcmpiA(reinterpret_cast<const char*>(data.data()), ProgramBeside("LumoraReady.exe").c_str()), 0)
        << reinterpret_cast<const char*>(data.data());

    ASSERT_TRUE(::PostMessageA(hMain, 0x464, 0, 0));
    ASSERT_TRUE(program.WaitForExit(10000));
    EXPECT_EQ(program.ExitCode(), 0u);
}

TEST_F(Program, SecondStartReplacesTheFirstAndReadsItsOwnSettings)
{
    ChildProcess& first = Start();
    ASSERT_NE(WaitForMarkedWindow(first), (HWND)NULL);
    ASSERT_TRUE(Press("prompt"));
    ASSERT_NE(WaitForShownPrompt(first), (HWND)NULL);
    PutString(HKEY_CURRENT_USER, Ready, "AppPath", "C:\\Elsewhere\\Foo.exe");

    ChildProcess& second = Start();

    ASSERT_TRUE(first.WaitForExit(10000)) << "the first instance quits";
    EXPECT_EQ(first.ExitCode(), 0u);
    ASSERT_NE(WaitForMarkedWindow(second), (HWND)NULL);
    EXPECT_FALSE(second.WaitForExit(0));
    ASSERT_TRUE(Press("prompt"));
    const HWND hPrompt = WaitForShownPrompt(second);
    ASSERT_NE(hPrompt, (HWND)NULL);
    EXPECT_EQ(DialogText(hPrompt), "Press down to start Foo.exe!!") << "the second read the settings afresh";
}

TEST_F(Program, KillEndsTheRunningInstanceAndItselfAndWithNothingRunningWritesNothing)
{
    ChildProcess& running = Start();
    ASSERT_NE(WaitForMarkedWindow(running), (HWND)NULL);

    DebuggedProcess kill;
    ASSERT_TRUE(kill.Start("\"" + ProgramBeside("LumoraReady.exe") + "\" /KILL"));

    ASSERT_TRUE(kill.WaitForExit(10000));
    ASSERT_TRUE(running.WaitForExit(10000));
    // Had it waited for the mutex, it would have taken it over, or found it still held.
    ASSERT_FALSE(kill.Lines().empty());
    EXPECT_EQ(kill.Lines().back(), "LumoraReady: asked the running instance to quit") << "it ends once it has asked";
    EXPECT_TRUE(MarkedWindows().empty());
    EXPECT_TRUE(WaitUntil([] { return !MutexExists(InstanceName); }, 10000)) << "no instance runs afterwards";

    RemoveSuiteKeys();
    RegisterStandInLibraries();
    ChildProcess& idle = Start("-kill");
    ASSERT_TRUE(idle.WaitForExit(10000)) << "with nothing running";
    EXPECT_EQ(idle.ExitCode(), 0u);
    EXPECT_FALSE(FootmarkWritten()) << "with nothing running, nothing is written";
}

TEST_F(Program, StartWithoutItsMainWindowEndsGivesTheMutexBackAndWritesNothing)
{
    // The test's own handle keeps the mutex, so that how the start left it can be seen.
    HANDLE hKeep = ::CreateMutexA(NULL, FALSE, InstanceName);
    ASSERT_NE(hKeep, (HANDLE)NULL);
    ChildProcess refused;
    const bool ended = refused.Start("\"" + ProgramBeside("window_refused.exe") + "\"") && refused.WaitForExit(10000);
    const DWORD left = ::WaitForSingleObject(hKeep, 0);
    ::ReleaseMutex(hKeep);
    ::CloseHandle(hKeep);
    EXPECT_TRUE(ended) << "a start without its window does not stay";
    EXPECT_EQ(left, (DWORD)WAIT_OBJECT_0) << "given back, not abandoned";
    EXPECT_FALSE(FootmarkWritten());
}

// A start that ends without its main window or its prompt says why in the event log.
TEST_F(Program, StartsWithoutTheirWindowsLogWhy)
{
    const std::string program = ProgramBeside("window_refused.exe");
    const struct { const char* refused; const char* event; } starts[] = {
        { "", "0xc00003ef" }, { "prompt", "0xc00003f0" } };
    for (const auto& start : starts) {
        ChildProcess refused;
        ASSERT_TRUE(refused.Start("\"" + program + "\" " + start.refused));
        EXPECT_TRUE(refused.WaitForExit(10000)) << start.refused;
        EXPECT_TRUE(Logged(refused.Id(), std::string("0x0001,0x0000,") + start.event + " err L\"" + program + "\""));
    }
}

// OLE refuses to start: the box with its text and OK; neither library is loaded, and the end is
// logged and writes nothing.
TEST_F(Program, OleThatCannotStartShowsItsBoxBeforeAnyLibraryLoadsAndWritesNothing)
{
    const std::string program = ProgramBeside("window_refused.exe");
    ChildProcess refused;
    ASSERT_TRUE(refused.Start("\"" + program + "\" ole"));
    const HWND hBox = WaitForShownDialog(refused, "window_refused");
    ASSERT_NE(hBox, (HWND)NULL);
    EXPECT_EQ(MessageBoxText(hBox), "Failed to initialize OLE. Check that the version of the OLE library is correct.");
    // Requested with OK alone and no icon, the box gets the framework's default icon for such a box,
    // the exclamation mark (its handle is of the program's process). Wine: 0x440 is its icon control.
    EXPECT_NE(::SendDlgItemMessageA(hBox, 0x0440, STM_GETICON, 0, 0), 0);
    const std::string modules = LoadedModules(refused.Id());
    EXPECT_NE(modules.find("WINDOW_REFUSED.EXE "), std::string::npos) << modules;
    EXPECT_TRUE(modules.find("VEXACAP.DLL ") == std::string::npos && modules.find("VXBIOS.DLL ") == std::string::npos)
        << modules;

    ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(refused.WaitForExit(10000));
    EXPECT_TRUE(Logged(refused.Id(), "0x0001,0x0000,0xc00003ea err L\"" + program + "\""));
    EXPECT_FALSE(FootmarkWritten());
}

// A silenced source of button events is a warning in the event log, and the start goes on without
// a registered event source.
TEST_F(Program, SilencedSourcesAreLoggedAndTheStartGoesOnWithoutARegisteredEventSource)
{
    HKEY hSource = NULL;
    ASSERT_NE(::RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                              "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Lumora Ready", 0,
                              KEY_READ, &hSource), ERROR_SUCCESS);
    RemoveSuiteKeys();
    PutString(HKEY_LOCAL_MACHINE, SharedDlls, "VexaCap.dll", ProgramBeside("VexaCap.dll"));
    ::SetEnvironmentVariableA("VEXACAP_STANDIN_OPEN_RESULT", "0");
    ChildProcess& program = Start();
    ASSERT_NE(WaitForMarkedWindow(program), (HWND)NULL);
    EXPECT_TRUE(Logged(program.Id(), "0x0004,0x0000,0x400003ee\n"));
    EXPECT_TRUE(Logged(program.Id(), "0x0002,0x0000,0x800003f1 warn L\"" + ProgramBeside("VexaCap.dll")
                                         + R"(" warn L"VC_Open" warn L"0")"));
    EXPECT_FALSE(program.WaitForExit(0)) << "it runs";
}

// The computer's policy names the capture driver library at its fixed place (in any case) and
// decides whenever it is there, empty or of another type too: the machine-wide value, and the user's
// Config values that move the lookup to the user's library, count only where it is not set. A value
// that names no library to load, or a library without an entry that events need, is a warning.
TEST_F(Program, LibraryPolicyDecidesWhateverTheUserRenamesAndWhatCannotServeIsLogged)
{
    const std::string policy = SuitePolicies + "\\Shared Info\\Shared DLLs";
    const std::string noOpen = ProgramBeside("VexaCapNoOpen.dll"), noRequest = ProgramBeside("vxbios_norequest.dll");
    const std::string missing = "0x0002,0x0000,0x800003f2 warn L\"";
    const std::string refused = "0x0002,0x0000,0x800003f3 warn L\"HKEY_LOCAL_MACHINE\\";
    const struct { const char* rename; std::string key; const char* name; DWORD type; std::string path, loaded, event; }
        starts[] = {
        { "VexaCapDll", policy, "vexacap.dll", REG_SZ, noOpen, "VEXACAPNOOPEN.DLL",
          missing + noOpen + R"(" warn L"VC_Open")" },
        { "SharedInfo", policy, "vexacap.dll", REG_SZ, "", "",
          refused + policy + R"(" warn L"VexaCap.dll" warn L"1" warn L"1")" },
        { "SharedDLLs", policy, "vexacap.dll", REG_BINARY, "x", "",
          refused + policy + R"(" warn L"VexaCap.dll" warn L"3" warn L"2")" },
        { "VexaCapDll", "", "", REG_NONE, "", "VEXACAP.DLL", "" },  // no policy, and nothing to log
        { nullptr, SharedDlls, "vxbios.dll", REG_EXPAND_SZ, "%SystemRoot%\\vxbios.dll", "VEXACAP.DLL",
          refused + SharedDlls + R"(" warn L"vxbios.dll" warn L"2" warn L"24")" },
        { nullptr, SharedDlls, "vxbios.dll", REG_SZ, std::string(260, 'x'), "VEXACAP.DLL",
          refused + SharedDlls + R"(" warn L"vxbios.dll" warn L"1" warn L"261")" },
        { nullptr, SharedDlls, "vxbios.dll", REG_SZ, noRequest, "VEXACAP.DLL",
          missing + noRequest + R"(" warn L"VXBIOS_BiosMessageReq")" },
    };
    for (const auto& start : starts) {
        SCOPED_TRACE(std::string(start.rename != nullptr ? start.rename : "") + " " + start.path);
        RemoveSuiteKeys();
        RegisterStandInLibraries();
        for (const std::string& key : { Suite + "\\User\\Shared DLLs", Suite + "\\Shared Info\\User" })
            PutString(HKEY_CURRENT_USER, key, "VexaCap.dll", ProgramBeside("VexaCap.dll"));
        PutString(HKEY_CURRENT_USER, SharedDlls, "User", ProgramBeside("VexaCap.dll"));
        if (start.rename != nullptr)
            PutString(HKEY_CURRENT_USER, Config, start.rename, "User");
        if (!start.key.empty())
            PutValue(HKEY_LOCAL_MACHINE, start.key, start.name, start.type,
                     std::vector<BYTE>(start.path.c_str(), start.path.c_str() + start.path.size() + 1));
        ChildProcess& program = Start();
        const HWND hMain = WaitForMarkedWindow(program);  // without it the program does not end below
        const std::string modules = LoadedModules(program.Id());
        const size_t driver = modules.find(" VEXACAP") + 1;
        EXPECT_EQ(driver == 0 ? "" : modules.substr(driver, modules.find(' ', driver) - driver), start.loaded);
        EXPECT_TRUE(Logged(program.Id(), start.event));
        ::PostMessageA(hMain, WM_CLOSE, 0, 0);
        ASSERT_TRUE(program.WaitForExit(10000));
        EXPECT_FALSE(Logged(program.Id(), "0x400003ec", 0) || Logged(program.Id(), "0x400003ee", 0))
            << "no event says that the registry names no library";
    }
}

TEST_F(Program, HardKilledInstanceLeavesAnAbandonedMutexAndTheNextStartGoesOnAtOnce)
{
    ChildProcess& killed = Start();
    ASSERT_NE(WaitForMarkedWindow(killed), (HWND)NULL);
    // Without another handle the mutex would go with the process instead of being abandoned.
    HANDLE hKeep = ::OpenMutexA(SYNCHRONIZE, FALSE, InstanceName);
    ASSERT_NE(hKeep, (HANDLE)NULL);
    killed.Terminate();

    ChildProcess& next = Start();
    EXPECT_NE(WaitForMarkedWindow(next), (HWND)NULL);
    ::CloseHandle(hKeep);
}

// The test plays an instance that holds the mutex and does not quit. Its window marked, a new start
// posts it 0x464 (wParam 0, lParam 0), waits 2 s for the mutex and ends; unmarked, the new start
// waits as long, and one with "KILL" ends at once. Nothing else runs, and nothing is written.
TEST_F(Program, InstanceThatDoesNotQuitMakesANewStartWaitTwoSecondsAndEnd)
{
    const HANDLE hHeld = ::CreateMutexA(NULL, TRUE, "Vexa Lumora Kivrel");
    const HWND hPeer = ::CreateWindowExA(0, "STATIC", "peer", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    for (bool marked : { true, false }) {
        SCOPED_TRACE(marked ? "marked" : "not marked");
        ::SetPropA(hPeer, "Vexa Lumora Kivrel", reinterpret_cast<HANDLE>(marked ? 1 : 0));
        DWORD waitFrom = ::GetTickCount();
        ChildProcess& waiting = Start();
        MSG quit = {};
        if (marked) {
            ASSERT_TRUE(WaitUntil([&] { return ::PeekMessageA(&quit, hPeer, 0x464, 0x464, PM_REMOVE); }, 10000));
            waitFrom = ::GetTickCount();
            EXPECT_TRUE(quit.wParam == 0 && quit.lParam == 0) << "wParam and lParam of the quit request";
        } else {
            ChildProcess& killing = Start("/KILL");
            ASSERT_TRUE(killing.WaitForExit(10000));
            EXPECT_FALSE(waiting.WaitForExit(0)) << "with \"KILL\" it ends while the start begun first waits";
        }
        ASSERT_TRUE(waiting.WaitForExit(10000));
        const DWORD waited = ::GetTickCount() - waitFrom;
        EXPECT_GE(waited, 1900u) << "the wait for the mutex";
        EXPECT_LE(waited, marked ? 3000u : 4000u) << "the wait for the mutex";
        EXPECT_EQ(MarkedWindows(), marked ? std::vector<HWND>{ hPeer } : std::vector<HWND>{});
        EXPECT_FALSE(FootmarkWritten());
    }
    ::DestroyWindow(hPeer);
    ::ReleaseMutex(hHeld);
    ::CloseHandle(hHeld);
}

namespace {

// The program with the UI component library stand-in registered; it and the capture application
// record what happens to them in files of this test's own.
class ProgramWithUiLibrary : public Program {
protected:
    void SetUp() override
    {
        Program::SetUp();
        ASSERT_TRUE(m_library.Registered()) << m_library.Failure();
    }
    void TearDown() override
    {
        EndCaptureApps(ReadCaptureAppStarts(m_appRecord.Path()));
        Program::TearDown();
    }

    // Every "thread N" that the library recorded, in order.
    std::vector<std::string> RecordedThreads() const
    {
        std::vector<std::string> threads;
        for (const std::string& line : m_libraryRecord.Lines()) {
            const size_t at = line.find(" thread ");
            if (at != std::string::npos)
                threads.push_back(line.substr(at + 8, line.find(' ', at + 8) - (at + 8)));
        }
        return threads;
    }
    size_t RecordedLines(const std::string& start) const
    {
        return CountLinesStartingWith(m_libraryRecord.Lines(), start);
    }

    RegisteredUiLibrary m_library;
    const StandInRecord m_libraryRecord{ "CUIL_STANDIN_RECORD", "cuil-calls" };
    const StandInRecord m_appRecord{ "OSTRIVO_STANDIN_RECORD", "ostrivo-starts" };
};

}  // namespace

TEST_F(ProgramWithUiLibrary, LibraryLivesOnTheUiThreadFromThePromptToTheQuit)
{
    ChildProcess& program = Start("/SILENT /PATH \"" + ProgramBeside("Ostrivo.exe") + "\"");
    ASSERT_NE(WaitForMarkedWindow(program), (HWND)NULL);
    EXPECT_EQ(RecordedLines("create "), 10u) << "the prompt, made at start-up, created the objects";

    ASSERT_TRUE(Press("prompt"));
    ASSERT_NE(WaitForShownPrompt(program), (HWND)NULL);
    EXPECT_TRUE(WaitUntil([&] { return RecordedLines("colour index 15 ") >= 2; }, 10000)) << "the blink repaints";
    ASSERT_TRUE(Press("launch"));
    EXPECT_EQ(WaitForCaptureAppStarts(m_appRecord.Path(), 1).size(), 1u) << "the capture application was launched";

    ChildProcess& kill = Start("/KILL");
    ASSERT_TRUE(kill.WaitForExit(10000));
    ASSERT_TRUE(program.WaitForExit(10000));
    EXPECT_EQ(program.ExitCode(), 0u);

    EXPECT_EQ(RecordedLines("destroy "), 10u) << "every object was released";
    const std::vector<std::string> lines = m_libraryRecord.Lines();
    ASSERT_GE(lines.size(), 2u);
    const std::string initialise = lines[1];
    ASSERT_EQ(initialise.rfind("initialise ", 0), 0u) << initialise;
    EXPECT_NE(initialise.find(" name \"Lumora\" "), std::string::npos) << initialise;
    // The main thread that the program names is the one that makes every call.
    const size_t at = initialise.find(" main-thread ") + 13;
    const std::string mainThread = initialise.substr(at, initialise.find(' ', at) - at);
    for (const std::string& thread : RecordedThreads())
        EXPECT_EQ(thread, mainThread);
}

TEST_F(ProgramWithUiLibrary, NoCuilKeepsTheLibraryOut)
{
    PutNumber(HKEY_CURRENT_USER, Suite + "\\Lumora\\Config", "NoCUIL", 1);
    ChildProcess& program = Start();
    ASSERT_NE(WaitForMarkedWindow(program), (HWND)NULL);
    ASSERT_TRUE(Press("prompt"));
    ASSERT_NE(WaitForShownPrompt(program), (HWND)NULL);
    ChildProcess& kill = Start("/KILL");
    ASSERT_TRUE(kill.WaitForExit(10000));
    ASSERT_TRUE(program.WaitForExit(10000));
    EXPECT_TRUE(m_libraryRecord.Lines().empty());
}
