// The UI component client with the library stand-in registered in the machine's classes: what it
// creates, in which order, what it calls with which arguments, what it releases, and the colour
// that the prompt's button then really shows.
#include "accessibility.h"
#include "child_process.h"
#include "framework/win_app.h"
#include "message_pump.h"
#include "prompt/prompt_dlg.h"
#include "res/resource.h"
#include "app/start_up_settings.h"
#include "stand_in_records.h"
#include "suite_keys.h"
#include "test_icons.h"
#include "ui_library_registration.h"
#include "uicomponents/ui_components.h"

#include <gtest/gtest.h>

#include <ole2.h>
#include <stdio.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The application object, whose thread and module the client introduces to the library.
CWinApp theUiTestApp;

const COLORREF Blue = RGB(0, 0, 255);

const char* const StandInSettings[] = {"CUIL_STANDIN_COLOUR", "CUIL_STANDIN_COLOUR_RESULT", "CUIL_STANDIN_INIT_RESULT",
                                       "CUIL_STANDIN_REFUSE", "CUIL_STANDIN_INVOKE_RESULT"};

// The objects named by the record's lines that begin with the verb ("create D1 thread 8" gives D1).
std::vector<std::string> ObjectsRecordedAs(const std::vector<std::string>& record, const char* verb)
{
    std::vector<std::string> names;
    const std::string prefix = std::string(verb) + " ";
    for (const std::string& line : record) {
        if (line.rfind(prefix, 0) == 0)
            names.push_back(line.substr(prefix.size(), 2));
    }
    return names;
}

using Names = std::vector<std::string>;
const Names AllObjects = {"D1", "D2", "D3", "D4", "D5", "D6", "D7", "C1", "C2", "C3"};

class UiComponents : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ::OleInitialize(nullptr);
        s_pLibrary = new RegisteredUiLibrary;
    }
    static void TearDownTestSuite()
    {
        delete s_pLibrary;
        s_pLibrary = nullptr;
        ::OleUninitialize();
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_pLibrary->Registered()) << s_pLibrary->Failure();
        for (const char* setting : StandInSettings)
            ::SetEnvironmentVariableA(setting, nullptr);
        m_pClient = std::make_unique<CUiComponents>();
        m_liveBefore = AllLiveObjects();
    }
    void TearDown() override
    {
        if (::IsWindow(m_hPrompt))
            ::DestroyWindow(m_hPrompt);
        if (m_pClient != nullptr)
            m_pClient->Release();
        m_pClient.reset();
    }

    static void Ask(const char* setting, const char* value) { ::SetEnvironmentVariableA(setting, value); }
    std::vector<std::string> Record() const { return m_record.Lines(); }
    Names Made() const { return ObjectsRecordedAs(Record(), "create"); }
    Names Destroyed() const { return ObjectsRecordedAs(Record(), "destroy"); }

    // The stand-in's objects alive in this process: 0 also when it was never loaded.
    static LONG AllLiveObjects()
    {
        HMODULE hLibrary = ::GetModuleHandleA("VexaCuil.dll");
        if (hLibrary == NULL)
            return 0;
        using Count = LONG(WINAPI*)();
        Count count = reinterpret_cast<Count>(reinterpret_cast<void*>(::GetProcAddress(hLibrary, "StandInLiveObjects")));
        return count != nullptr ? count() : -1;
    }
    // Those this test made: a test before it in the same process may have left some on purpose.
    LONG LiveObjects() const { return AllLiveObjects() - m_liveBefore; }

    // A shown prompt without icons, so that its button shows nothing but its background; the
    // prompt's constructor creates the client's objects. Returns the button.
    HWND ShowPrompt()
    {
        CPromptDlg* pDlg = new CPromptDlg(*m_pClient, nullptr);
        if (!pDlg->Create(IDD_PROMPT, nullptr))
            return NULL;
        m_hPrompt = pDlg->m_hWnd;
        pDlg->Show(TRUE);
        PumpPendingMessages();
        return pDlg->m_button.m_hWnd;
    }

    static RegisteredUiLibrary* s_pLibrary;
    SetAsideSuiteKeys m_suiteKeys;
    StandInRecord m_record{ "CUIL_STANDIN_RECORD", "cuil-calls" };
    LONG m_liveBefore = 0;
    std::unique_ptr<CUiComponents> m_pClient;
    HWND m_hPrompt = NULL;
};

RegisteredUiLibrary* UiComponents::s_pLibrary = nullptr;

}  // namespace

TEST_F(UiComponents, CreatesEveryObjectInOrderInitialisesOnceAndReleasesEverythingAndDestructionTheDispatchObjects)
{
    ASSERT_TRUE(m_pClient->Create());
    EXPECT_EQ(Made(), AllObjects);
    EXPECT_EQ(LiveObjects(), 10);

    // The initialising call comes right after the first object, with the program's instance handle
    // and thread and the name, all on this thread.
    const std::vector<std::string> record = Record();
    ASSERT_GE(record.size(), 2u);
    char expected[160];
    snprintf(expected, sizeof expected, "initialise instance 0x%lx main-thread %lu name \"Lumora\" thread %lu -> 0",
             static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(theUiTestApp.m_hInstance) & 0xFFFFFFFF),
             theUiTestApp.m_nThreadID, ::GetCurrentThreadId());
    EXPECT_EQ(record[1], expected);

    EXPECT_TRUE(m_pClient->Create()) << "a second Create reports the client in use";
    EXPECT_FALSE(m_pClient->Disable()) << "a client in use stays in use";
    EXPECT_EQ(Made().size(), 10u) << "and creates nothing more";

    EXPECT_TRUE(m_pClient->Release());
    EXPECT_EQ(Destroyed(), AllObjects) << "released in creation order";
    EXPECT_EQ(LiveObjects(), 0);
    EXPECT_TRUE(m_pClient->Release()) << "a second Release";
    EXPECT_EQ(Destroyed().size(), 10u) << "releases nothing twice";

    // Destruction without a Release releases what is still held, in the destructor's order.
    auto client = std::make_unique<CUiComponents>();
    ASSERT_TRUE(client->Create());
    m_record.Clear();
    client.reset();
    EXPECT_EQ(Destroyed(), (Names{"D1", "D2", "D4", "D3", "D5", "D6", "D7", "C1", "C2", "C3"}));
    EXPECT_EQ(LiveObjects(), 0);
}

TEST_F(UiComponents, ColourComesFromTheLibraryOrElseFromTheSystem)
{
    COLORREF colour = RGB(1, 2, 3);
    EXPECT_EQ(m_pClient->GetColour(COLOR_BTNFACE, &colour), -1) << "before Create";
    EXPECT_EQ(colour, RGB(1, 2, 3)) << "the caller's colour is left alone";

    Ask("CUIL_STANDIN_COLOUR", "0x00FF0000");
    ASSERT_TRUE(m_pClient->Create());
    EXPECT_EQ(m_pClient->GetColour(COLOR_BTNFACE, &colour), 0);
    EXPECT_EQ(colour, Blue);
    EXPECT_EQ(Record().back().rfind("colour index 15 thread ", 0), 0u) << Record().back();

    Ask("CUIL_STANDIN_COLOUR_RESULT", "1");
    colour = RGB(1, 2, 3);
    EXPECT_EQ(m_pClient->GetColour(COLOR_BTNFACE, &colour), 0);
    EXPECT_EQ(colour, ::GetSysColor(COLOR_BTNFACE)) << "a non-zero answer gives the system colour";
    Ask("CUIL_STANDIN_COLOUR_RESULT", nullptr);

    // DISP_E_EXCEPTION, with exception texts for the driver to free.
    Ask("CUIL_STANDIN_INVOKE_RESULT", "0x80020009");
    colour = RGB(1, 2, 3);
    EXPECT_EQ(m_pClient->GetColour(COLOR_WINDOW, &colour), 0);
    EXPECT_EQ(colour, ::GetSysColor(COLOR_WINDOW)) << "a rejected call counts as a non-zero answer";
}

// A failed initialisation (the library answers 1, or rejects the call itself: DISP_E_MEMBERNOTFOUND)
// keeps the initialising object alone; a refused object (the initialising class itself, a dispatch
// object after it, or a custom object once the colour object exists) stops creation there. Either
// way the colour is left unused, and what was made lives until Release.
TEST_F(UiComponents, FailedInitialisationOrARefusedObjectStopsCreationThereAndLeavesTheColourUnused)
{
    const Names beforeD5 = { "D1", "D2", "D3", "D4" };
    const Names beforeC2 = { "D1", "D2", "D3", "D4", "D5", "D6", "D7", "C1" };
    const struct {
        const char* setting;
        const char* value;
        Names made;
    } failures[] = {
        { "CUIL_STANDIN_INIT_RESULT", "1", { "D1" } },  { "CUIL_STANDIN_INVOKE_RESULT", "0x80020003", { "D1" } },
        { "CUIL_STANDIN_REFUSE", "D1", {} },            { "CUIL_STANDIN_REFUSE", "D5", beforeD5 },
        { "CUIL_STANDIN_REFUSE", "C2", beforeC2 },
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(std::string(failure.setting) + "=" + failure.value);
        m_record.Clear();
        Ask(failure.setting, failure.value);
        CUiComponents client;
        EXPECT_FALSE(client.Create());
        EXPECT_EQ(Made(), failure.made) << "nothing after the failure is attempted";
        const bool refused = std::string(failure.setting) == "CUIL_STANDIN_REFUSE";
        EXPECT_EQ(ObjectsRecordedAs(Record(), "refuse"), refused ? Names{ failure.value } : Names{});
        EXPECT_EQ(LiveObjects(), static_cast<LONG>(failure.made.size()));
        COLORREF colour = RGB(1, 2, 3);
        EXPECT_EQ(client.GetColour(COLOR_BTNFACE, &colour), -1);
        EXPECT_EQ(colour, RGB(1, 2, 3));
        EXPECT_TRUE(client.Release());
        EXPECT_EQ(Destroyed(), failure.made);
        EXPECT_EQ(LiveObjects(), 0);
        Ask(failure.setting, nullptr);
    }
}

TEST_F(UiComponents, PromptButtonShowsTheLibrarysColourAndReleasesWithThePrompt)
{
    Ask("CUIL_STANDIN_COLOUR", "0x00FF0000");
    const HWND hButton = ShowPrompt();
    ASSERT_NE(hButton, (HWND)NULL);
    EXPECT_EQ(LiveObjects(), 10) << "the prompt's constructor created the objects";

    const WindowPixels pixels(hButton);
    EXPECT_EQ(pixels.At(2, 2), Blue);
    EXPECT_EQ(pixels.At(31, 31), Blue);

    ::DestroyWindow(m_hPrompt);
    EXPECT_EQ(LiveObjects(), 0) << "the prompt's destructor released them";
}

TEST_F(UiComponents, PromptButtonShowsTheSystemColourWhenTheLibraryGivesNone)
{
    Ask("CUIL_STANDIN_COLOUR", "0x00FF0000");
    Ask("CUIL_STANDIN_COLOUR_RESULT", "1");
    const HWND hButton = ShowPrompt();
    ASSERT_NE(hButton, (HWND)NULL);
    EXPECT_GT(CountLinesStartingWith(Record(), "colour "), 0u) << "the library was asked";
    EXPECT_EQ(WindowPixels(hButton).At(2, 2), ::GetSysColor(COLOR_BTNFACE));
}

// The user's High Contrast scheme ranks above the suite's colour: the library is not asked, though
// it is loaded and released as ever.
TEST_F(UiComponents, PromptButtonShowsTheSystemColourUnderHighContrast)
{
    const ReportedHighContrast highContrast(true);
    Ask("CUIL_STANDIN_COLOUR", "0x00FF0000");
    const HWND hButton = ShowPrompt();
    ASSERT_NE(hButton, (HWND)NULL);
    EXPECT_EQ(LiveObjects(), 10);
    EXPECT_EQ(WindowPixels(hButton).At(2, 2), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(CountLinesStartingWith(Record(), "colour "), 0u) << "the library was asked";
}

TEST_F(UiComponents, NoCuilTurnsTheLibraryOffBeforeThePromptExists)
{
    PutNumber(HKEY_CURRENT_USER, Config, "NoCUIL", 1);
    Ask("CUIL_STANDIN_COLOUR", "0x00FF0000");
    // As start-up does it.
    if (!UiComponentsAllowed())
        m_pClient->Disable();
    const HWND hButton = ShowPrompt();
    ASSERT_NE(hButton, (HWND)NULL);
    EXPECT_TRUE(Record().empty()) << "nothing was created";
    EXPECT_EQ(WindowPixels(hButton).At(2, 2), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_FALSE(m_pClient->Create()) << "nor is it later";
    COLORREF colour = RGB(1, 2, 3);
    EXPECT_EQ(m_pClient->GetColour(COLOR_BTNFACE, &colour), -1);
    EXPECT_TRUE(Record().empty());
}

// On a machine with the suite's library installed, its classes come back as they were.
TEST(UiLibraryRegistration, PutsAnInstalledLibrarysClassesBack)
{
    const std::string installed = "Software\\Classes\\CLSID\\{E8DF2E72-D12D-46FB-9C9F-6A9081C07FE8}";
    SetAsideKeyTree machinesOwn(HKEY_LOCAL_MACHINE, installed);
    PutString(HKEY_LOCAL_MACHINE, installed + "\\InprocServer32", "", "C:\\Installed\\VexaCuil.dll");
    {
        RegisteredUiLibrary standIn;
        ASSERT_TRUE(standIn.Registered()) << standIn.Failure();
    }
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, installed + "\\InprocServer32", "", &type, &data));
    EXPECT_STREQ(reinterpret_cast<const char*>(data.data()), "C:\\Installed\\VexaCuil.dll");
}
