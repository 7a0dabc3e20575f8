// The suite's two libraries when they cannot serve: a library that refuses to load, one whose
// dependency is missing, one built for another processor, a file that is no library at all, and
// libraries without the entry this program needs. Each is met by the bindings in this process and
// by the whole program: the other library still serves, or the start-up box with the stop icon shows
// when none loads.
#include "devices/capture_driver.h"
#include "devices/firmware_events.h"
#include "press_link.h"
#include "program_fixture.h"
#include "test_icons.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace program_fixture;

namespace {

// The last is a sound library, placed where no library of the suite may be taken from.
enum class Broken { Refusing, MissingDependency, OtherProcessor, NotALibrary, EmptyFile, Folder, Planted };

const char* Name(Broken kind)
{
    static const char* const names[] = { "DllMain refuses", "missing dependency", "built for the other processor",
                                         "a text file", "an empty file", "a folder", "planted" };
    return names[static_cast<int>(kind)];
}

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    return static_cast<bool>(std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes);
}

// Files that stand where a library should, in a folder of this test process's own, each under the
// library's own name in a folder of its kind; all removed when the object goes.
class BrokenLibraries {
public:
    BrokenLibraries() : m_root(TempPath("lumora-broken-" + std::to_string(::GetCurrentProcessId()))) {}
    ~BrokenLibraries()
    {
        for (auto file = m_files.rbegin(); file != m_files.rend(); ++file)
            if (!::DeleteFileA(file->c_str()))
                ::RemoveDirectoryA(file->c_str());
    }
    BrokenLibraries(const BrokenLibraries&) = delete;
    BrokenLibraries& operator=(const BrokenLibraries&) = delete;

    // The path of a broken stand-in for the library of that file name ("VexaCap.dll" or
    // "vxbios.dll"); empty when it could not be made.
    std::string Make(Broken kind, const char* library)
    {
        const std::string folder = m_root + "-" + std::to_string(static_cast<int>(kind));
        if (::CreateDirectoryA(folder.c_str(), NULL))
            m_files.push_back(folder);
        const std::string path = folder + "\\" + library;
        bool made = false;
        switch (kind) {
        case Broken::Refusing:
            made = ::CopyFileA(ProgramBeside("RefusingLibrary.dll").c_str(), path.c_str(), FALSE) != FALSE;
            break;
        case Broken::MissingDependency: made = Patched(library, path, &RenameUser32); break;
        case Broken::OtherProcessor: made = Patched(library, path, &MarkForOtherProcessor); break;
        case Broken::NotALibrary: made = WriteFileBytes(path, "This is not a library.\r\n"); break;
        case Broken::EmptyFile: made = WriteFileBytes(path, ""); break;
        case Broken::Folder: made = ::CreateDirectoryA(path.c_str(), NULL) != FALSE; break;
        case Broken::Planted: made = ::CopyFileA(ProgramBeside("vxbios.dll").c_str(), path.c_str(), FALSE) != FALSE; break;
        }
        if (made)
            m_files.push_back(path);
        return made ? path : "";
    }

private:
    // A copy of the stand-in of that name with one change made to it.
    static bool Patched(const char* library, const std::string& path, bool (*change)(std::string&))
    {
        std::string bytes = FileBytes(ProgramBeside(library));
        return change(bytes) && WriteFileBytes(path, bytes);
    }
    // The import of USER32.dll renamed to a library that does not exist, the name's length kept.
    static bool RenameUser32(std::string& bytes)
    {
        const size_t at = bytes.find("USER32.dll");
        if (at != std::string::npos)
            bytes.replace(at, 10, "USERQQ.dll");
        return at != std::string::npos;
    }
    // The file header's machine field names the other x86 processor: i386 (0x14C) where it said
    // x86-64 (0x8664), and the reverse.
    static bool MarkForOtherProcessor(std::string& bytes)
    {
        const DWORD peHeader = bytes.size() < 0x40 ? 0 : *reinterpret_cast<const DWORD*>(&bytes[0x3C]);
        if (peHeader == 0 || peHeader + 6 > bytes.size() || bytes.compare(peHeader, 4, std::string("PE\0\0", 4)) != 0)
            return false;
        WORD* machine = reinterpret_cast<WORD*>(&bytes[peHeader + 4]);
        switch (*machine) {
        case IMAGE_FILE_MACHINE_AMD64: *machine = IMAGE_FILE_MACHINE_I386; return true;
        case IMAGE_FILE_MACHINE_I386: *machine = IMAGE_FILE_MACHINE_AMD64; return true;
        default: return false;
        }
    }

    std::string m_root;
    std::vector<std::string> m_files;
};

}  // namespace

// In this process: neither binding holds anything of a library that did not load. (Wine: a library
// whose dependency is missing stays mapped in the process that tried to load it, so its file cannot
// be removed while that process runs; the whole program meets that kind below.)
TEST(BrokenLibraryBindings, NeitherLoadsAndNeitherKeepsAHandle)
{
    SetAsideSuiteKeys suiteKeys;
    BrokenLibraries broken;
    const Broken kinds[] = { Broken::Refusing, Broken::OtherProcessor, Broken::NotALibrary, Broken::EmptyFile,
                             Broken::Folder };
    for (Broken kind : kinds) {
        SCOPED_TRACE(Name(kind));
        for (const char* library : { "VexaCap.dll", "vxbios.dll" }) {
            const std::string path = broken.Make(kind, library);
            ASSERT_FALSE(path.empty()) << library;
            PutString(HKEY_LOCAL_MACHINE, SharedDlls, library, path);
        }

        CCaptureDriver capture;
        EXPECT_FALSE(capture.Load());
        EXPECT_EQ(capture.m_hModule, (HMODULE)NULL);
        EXPECT_FALSE(capture.Open(reinterpret_cast<HWND>(0x1234)));

        CFirmwareEvents firmwareEvents;
        EXPECT_FALSE(firmwareEvents.Load());
        EXPECT_EQ(firmwareEvents.m_hModule, (HMODULE)NULL);
        EXPECT_EQ(firmwareEvents.BeginCall(), 0);
        EXPECT_TRUE(firmwareEvents.Free()) << "nothing to free";
    }
    printf("[ cases    ] %zu\n", sizeof kinds / sizeof kinds[0]);
}

namespace {

// Whether the program runs (otherwise the start-up box shows) and which library reports.
struct Outcome { bool runs, driverReports, firmwareReports; };

class BrokenLibraryProgram : public Program {
protected:
    // A start with each library found where the path says: the stand-in, a broken file, a stand-in
    // without an entry, or, when empty, nothing registered.
    void Run(const std::string& label, const std::string& driver, const std::string& firmware, const Outcome& expected)
    {
        SCOPED_TRACE(label);
        m_processes.clear();
        RemoveSuiteKeys();
        if (!driver.empty())
            PutString(HKEY_LOCAL_MACHINE, SharedDlls, "VexaCap.dll", driver);
        if (!firmware.empty())
            PutString(HKEY_LOCAL_MACHINE, SharedDlls, "vxbios.dll", firmware);
        ChildProcess& program = Start();
        ++m_starts;

        if (!expected.runs) {
            const HWND hBox = WaitForStartupBox(program);
            ASSERT_NE(hBox, (HWND)NULL) << "the start-up box";
            EXPECT_EQ(MessageBoxText(hBox), "Some required components may be busy or missing.");
            // The box's icon is its one static control of the icon style: once painted, the stop icon.
            HWND hIcon = NULL;
            while ((hIcon = ::FindWindowExA(hBox, hIcon, "Static", NULL)) != NULL
                   && (::GetWindowLongA(hIcon, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
            }
            ASSERT_NE(hIcon, (HWND)NULL);
            EXPECT_TRUE(WaitUntil([&] { return ShowsIcon(hIcon, ::LoadIconA(NULL, IDI_HAND)); }, 10000));
            EXPECT_FALSE(ShowsIcon(hIcon, ::LoadIconA(NULL, IDI_EXCLAMATION)));
            EXPECT_TRUE(MarkedWindows(program.Id()).empty());
            ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
            ASSERT_TRUE(program.WaitForExit(10000));
            EXPECT_FALSE(FootmarkWritten());
            EXPECT_TRUE(Logged(program.Id(), "0x0002,0x0000,0x800003eb warn L\"" + driver + "\" warn L\""));
            return;
        }

        const HWND hMain = WaitForMarkedWindow(program);
        ASSERT_NE(hMain, (HWND)NULL);
        // The program waits for its messages: start-up, which opens the driver last, is over.
        HANDLE hProcess = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, program.Id());
        ASSERT_NE(hProcess, (HANDLE)NULL);
        const DWORD idle = ::WaitForInputIdle(hProcess, 10000);
        ::CloseHandle(hProcess);
        ASSERT_EQ(idle, 0u);
        EXPECT_EQ(::FindWindowExA(HWND_MESSAGE, NULL, CaptureDriverPressClass, NULL) != NULL, expected.driverReports);
        EXPECT_EQ(::FindWindowExA(HWND_MESSAGE, NULL, FirmwarePressClass, NULL) != NULL, expected.firmwareReports);
        if (expected.driverReports || expected.firmwareReports) {
            ASSERT_TRUE(Press(expected.driverReports ? "prompt" : "prompt --firmware"));
            EXPECT_NE(WaitForShownPrompt(program), (HWND)NULL) << "a press reaches the program";
        }
        EXPECT_FALSE(program.WaitForExit(0));
        ::PostMessageA(hMain, WM_CLOSE, 0, 0);
        ASSERT_TRUE(program.WaitForExit(10000));
        EXPECT_EQ(program.ExitCode(), 0u);
    }

    // One broken kind in place of the driver, of the service, and of both.
    void RunBrokenKind(Broken kind)
    {
        const std::string driver = m_broken.Make(kind, "VexaCap.dll");
        const std::string firmware = m_broken.Make(kind, "vxbios.dll");
        ASSERT_FALSE(driver.empty());
        ASSERT_FALSE(firmware.empty());
        const std::string name = Name(kind);
        Run(name + " as the driver", driver, ProgramBeside("vxbios.dll"), { true, false, true });
        Run(name + " as the service", ProgramBeside("VexaCap.dll"), firmware, { true, true, false });
        Run(name + " as both", driver, firmware, { false, false, false });
        printf("[ starts   ] %d\n", m_starts);
    }

    int m_starts = 0;
    // Removed after TearDown has ended the processes that may hold them.
    BrokenLibraries m_broken;
};

}  // namespace

TEST_F(BrokenLibraryProgram, RefusingToLoad) { RunBrokenKind(Broken::Refusing); }
TEST_F(BrokenLibraryProgram, MissingDependency) { RunBrokenKind(Broken::MissingDependency); }
TEST_F(BrokenLibraryProgram, BuiltForAnotherProcessor) { RunBrokenKind(Broken::OtherProcessor); }
TEST_F(BrokenLibraryProgram, NotALibrary) { RunBrokenKind(Broken::NotALibrary); }

// A library that loads counts, whether or not it has the entries this program calls: start-up
// goes on, and only the library whose entry is there reports.
TEST_F(BrokenLibraryProgram, MissingEntries)
{
    const std::string noOpen = ProgramBeside("VexaCapNoOpen.dll");
    const std::string noRequest = ProgramBeside("vxbios_norequest.dll");
    Run("driver without VC_Open", noOpen, ProgramBeside("vxbios.dll"), { true, false, true });
    Run("service without its request", ProgramBeside("VexaCap.dll"), noRequest, { true, true, false });
    Run("both without", noOpen, noRequest, { true, false, false });
    Run("driver without VC_Open alone", noOpen, "", { true, false, false });
    Run("service without its request alone", "", noRequest, { true, false, false });
    Run("the service's file as the driver", ProgramBeside("vxbios.dll"), "", { true, false, false });
    printf("[ starts   ] %d\n", m_starts);
}

// The registry names the libraries by bare names, and sound libraries of those names lie in the
// working directory, which is also the only folder on PATH: any program of the user can put them
// there. Neither loads.
TEST_F(BrokenLibraryProgram, PlantedWhereTheUserWrites)
{
    const std::string driver = m_broken.Make(Broken::Planted, "VexaCapPlanted.dll");
    ASSERT_FALSE(driver.empty() || m_broken.Make(Broken::Planted, "vxbiosPlanted.dll").empty());
    const std::string folder = driver.substr(0, driver.rfind('\\'));
    char before[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, before);
    ::SetCurrentDirectoryA(folder.c_str());
    ::SetEnvironmentVariableA("PATH", folder.c_str());  // the program started here needs no other
    Run("planted", "VexaCapPlanted.dll", "vxbiosPlanted.dll", { false, false, false });
    ::SetCurrentDirectoryA(before);
}
