// The whole program started with every value of its settings stored wrongly at once: it runs on
// whichever library it still finds, or shows its start-up box when it finds none, and changes
// nothing in the registry but "Footmark".
#include "faulty_values.h"
#include "press_link.h"
#include "program_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace program_fixture;

namespace {

// A fault, whether the two library paths have it as well (otherwise they name the stand-ins), whether
// the program runs (otherwise the start-up box shows) and whether the driver reports.
struct Case { Fault fault; bool libraryPathsToo, runs, driverReports; };

class FaultySettingsProgram : public Program {
protected:
    // Every value of the catalogue with the fault, in the root where it counts.
    static void PutEveryValue(const Case& c)
    {
        RemoveSuiteKeys();
        PutFaultyString(HKEY_CURRENT_USER, Ready, "Path", c.fault, "C:\\Faulty\\Path.exe", "C:\\" + Latin + ".exe");
        PutFaultyString(HKEY_CURRENT_USER, Ready, "AppPath", c.fault, "C:\\Faulty\\App.exe", "C:\\" + Latin + ".exe");
        PutFaultyNumber(HKEY_CURRENT_USER, Ready, "Silent", c.fault);
        PutFaultyNumber(HKEY_CURRENT_USER, Config, "NoCUIL", c.fault);
        PutFaultyString(HKEY_CURRENT_USER, Config, "SharedInfo", c.fault, "Other Info", Latin + " Info");
        PutFaultyString(HKEY_CURRENT_USER, Config, "SharedDLLs", c.fault, "Other DLLs", Latin + " DLLs");
        PutFaultyString(HKEY_CURRENT_USER, Config, "VexaCapDll", c.fault, "Cap2", Latin + " Cap");
        PutFaultyString(HKEY_CURRENT_USER, ClassRegistration + "\\LocalServer32", "", c.fault, "C:\\Faulty\\Server.exe",
                        "C:\\" + Latin + ".exe");

        // A library's path, faulty or naming its stand-in.
        const auto putLibrary = [&](const std::string& key, const char* name, const char* library) {
            if (c.libraryPathsToo)
                PutFaultyString(HKEY_LOCAL_MACHINE, key, name, c.fault, ProgramBeside(library),
                                "C:\\" + Latin + "\\" + library);
            else
                PutString(HKEY_LOCAL_MACHINE, key, name, ProgramBeside(library));
        };
        putLibrary(SharedDlls, "vxbios.dll", "vxbios.dll");

        // The driver's path is kept where the faulty Config values point, when they name a place: a
        // level of 64 KiB names none, and an empty level leaves an empty segment in the key's path,
        // which the registry itself interprets (Wine takes it as no level at all).
        if (c.fault != Fault::Huge && c.fault != Fault::Empty)
            putLibrary(Suite + "\\" + ReadAs(c.fault, "Other Info", Latin + " Info") + "\\"
                           + ReadAs(c.fault, "Other DLLs", Latin + " DLLs"),
                       ReadAs(c.fault, "Cap2", Latin + " Cap").c_str(), "VexaCap.dll");
    }

    void Run(const Case& c)
    {
        PutEveryValue(c);
        const std::vector<KeyTreeSnapshot> before = SnapshotSuiteKeys();
        ChildProcess& program = Start();

        if (!c.runs) {
            const HWND hBox = WaitForStartupBox(program);
            ASSERT_NE(hBox, (HWND)NULL) << "the start-up box";
            EXPECT_EQ(MessageBoxText(hBox), "Some required components may be busy or missing.");
            ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
            ASSERT_TRUE(program.WaitForExit(10000));
            EXPECT_EQ(SuiteKeysChangedSince(before), std::vector<std::string>{}) << "nothing written";
            return;
        }

        const HWND hMain = WaitForMarkedWindow(program);
        ASSERT_NE(hMain, (HWND)NULL);
        ASSERT_TRUE(Press("prompt --firmware"));
        const HWND hPrompt = WaitForShownPrompt(program);
        ASSERT_NE(hPrompt, (HWND)NULL) << "a press through the firmware service";
        EXPECT_EQ(DialogText(hPrompt), "Press down to start Lumora!!") << "the target is from \"Path\"";
        // The prompt came from the message loop: start-up, the driver's opening included, is over.
        EXPECT_EQ(::FindWindowExA(HWND_MESSAGE, NULL, CaptureDriverPressClass, NULL) != NULL, c.driverReports);
        if (c.driverReports) {
            ASSERT_TRUE(Press("cancel"));
            EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(hPrompt); }, 10000)) << "a cancel through the driver";
        }
        ::PostMessageA(hMain, WM_CLOSE, 0, 0);
        ASSERT_TRUE(program.WaitForExit(10000));
        EXPECT_EQ(program.ExitCode(), 0u);

        const std::vector<std::string> differences = SuiteKeysChangedSince(before);
        ASSERT_EQ(differences.size(), 1u) << "only the footmark is written";
        EXPECT_EQ(differences[0].rfind("0: Lumora\\Ready > Footmark: (absent) -> type 1,", 0), 0u) << differences[0];
    }
};

}  // namespace

// Only data that still reads as a library's path lets that library load (the non-ASCII paths name
// no file: the tests' Wine runs in a locale whose file names hold no bytes outside ASCII). With the
// libraries' paths intact the program always runs; the driver reports only when the faulty Config
// values still name a place where its path can be kept.
TEST_F(FaultySettingsProgram, EveryValueFaultyWithAndWithoutTheLibraryPaths)
{
    const Case cases[] = {
        { Fault::WrongType, true, false, false },  { Fault::Empty, true, false, false },
        { Fault::Unterminated, true, true, true }, { Fault::Huge, true, false, false },
        { Fault::NonAscii, true, false, false },   { Fault::WrongType, false, true, true },
        { Fault::Empty, false, true, false },      { Fault::Huge, false, true, false },
        { Fault::NonAscii, false, true, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(FaultName(c.fault)) + (c.libraryPathsToo ? ", library paths too" : ""));
        Run(c);
        m_processes.clear();
    }
    printf("[ starts   ] %zu\n", sizeof cases / sizeof cases[0]);
}
