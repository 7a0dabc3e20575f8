// The event window as the event sources drive it: real posted messages, the real prompt, real
// launches of the capture application stand-in, and keys and the busy mutex held by other processes.
// (Events that meet a running capture application are met by the flood.)
#include "accessibility.h"
#include "child_process.h"
#include "events/event_wnd.h"
#include "import_hook.h"
#include "message_pump.h"
#include "named_objects.h"
#include "poll.h"
#include "program_test_app.h"
#include "prompt/prompt_dlg.h"
#include "stand_in_records.h"
#include "test_icons.h"

#include <gtest/gtest.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

const char* const BusyMutexName = "vexa_kivrel_mutex_object";
const char* const CaptureAppMutexName = "Vexa Lumora Ostrivo";

std::string WindowText(HWND hWnd)
{
    char text[256] = {};
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

// The capture driver's event message as its library sends it.
const UINT CapEvent = ::RegisterWindowMessageA("VexaCapEvent");

// What the window asked of the system through the program's import table, kept from the machine:
// these machines have no sound device.
std::vector<std::string> g_sounds;
// The timers set (window, id and period) and the shell's verbs, passed on to the system.
using Timers = std::vector<std::tuple<HWND, UINT_PTR, UINT>>;
Timers g_timers;
std::vector<std::string> g_verbs;
decltype(::SetTimer)* g_setTimer = nullptr;
decltype(::ShellExecuteA)* g_shellExecute = nullptr;
// The prompt's requests of its place, passed on to the system: where it goes and with which flags.
using Placings = std::vector<std::pair<HWND, UINT>>;
Placings g_placings;
decltype(::SetWindowPos)* g_setWindowPos = nullptr;

BOOL WINAPI RecordSound(LPCSTR name, HMODULE hModule, DWORD flags)
{
    const bool ours = hModule == ::GetModuleHandleA(NULL);
    g_sounds.push_back(std::string("sound ") + name + (ours ? " from the program " : " ") + std::to_string(flags));
    return TRUE;
}

BOOL WINAPI RecordPlacing(HWND hWnd, HWND hInsertAfter, int x, int y, int cx, int cy, UINT flags)
{
    g_placings.emplace_back(hInsertAfter, flags);
    return g_setWindowPos(hWnd, hInsertAfter, x, y, cx, cy, flags);
}

UINT_PTR WINAPI RecordTimer(HWND hWnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc)
{
    g_timers.emplace_back(hWnd, id, elapseMs);
    return g_setTimer(hWnd, id, elapseMs, proc);
}

HINSTANCE WINAPI RecordVerb(HWND hWnd, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show)
{
    g_verbs.push_back(verb != nullptr ? verb : "(none)");
    return g_shellExecute(hWnd, verb, file, parameters, directory, show);
}

BOOL WINAPI RecordBeep(UINT type)
{
    g_sounds.push_back("beep " + std::to_string(type));
    return TRUE;
}

// The capture application stand-ins that launches start come from the shell, not from a
// ChildProcess: they too end with this process, whatever happens to it.
const EndChildrenWithThisProcess endStandIns;

class EventWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(MutexExists(CaptureAppMutexName)) << "a capture application is running already";
        ASSERT_FALSE(MutexExists(BusyMutexName)) << "something holds the busy mutex already";
        m_hIcons[0] = MakeSquareIcon(RGB(255, 0, 0));
        m_hIcons[1] = MakeSquareIcon(RGB(0, 255, 0));
        m_hIcons[2] = MakeSquareIcon(RGB(0, 0, 255));

        g_sounds.clear();
        g_placings.clear();
        g_timers.clear();
        g_verbs.clear();
        g_setWindowPos = m_placingHook.Original();
        g_setTimer = m_timerHook.Original();
        g_shellExecute = m_shellHook.Original();
        ASSERT_TRUE(m_soundHook.Installed() && m_beepHook.Installed()
                    && m_placingHook.Installed() && m_timerHook.Installed() && m_shellHook.Installed());
        MakeWindow();
    }
    void MakeWindow()
    {
        m_pWnd = NewEventWnd();
        m_hWnd = m_pWnd->m_hWnd;
        m_pWnd->ResolveAppPath(ProgramBeside("Ostrivo.exe").c_str());
        m_pWnd->ResolveSilent(TRUE);
        m_pWnd->LoadPresentation();  // the texts name "Lumora"
        m_pWnd->GetPromptDlg()->SetIcons(m_hIcons[0], m_hIcons[1], m_hIcons[2]);
        m_hPrompt = m_pWnd->GetPromptDlg()->m_hWnd;
    }

    void TearDown() override
    {
        StopStartedStandIns();
        if (::IsWindow(m_hWnd))
            m_pWnd->DestroyWindow();
        for (HICON hIcon : m_hIcons)
            ::DestroyIcon(hIcon);
    }

    // Ends the capture application stand-ins that this test's launches started, by their process
    // ids, once each has recorded its start: a stand-in still starting would be missed, and its
    // mutex would turn every later event into a hide.
    void StopStartedStandIns()
    {
        EndCaptureApps(WaitForStarts(m_launches));
        EXPECT_TRUE(WaitUntil([] { return !MutexExists(CaptureAppMutexName); }, 10000))
            << "a capture application stand-in is still running";
    }

    void Press(WPARAM code) { Deliver(CapEvent, code, 0); }

    // Posts the event and runs the messages it brings; counts the launches it makes.
    void Deliver(UINT message, WPARAM wParam, LPARAM lParam)
    {
        const BOOL launchingBefore = m_pWnd->IsLaunching();
        ::PostMessageA(m_hWnd, message, wParam, lParam);
        PumpPendingMessages();
        if (!launchingBefore && m_pWnd->IsLaunching())
            ++m_launches;
    }

    CPromptDlg& Prompt() { return *m_pWnd->GetPromptDlg(); }
    bool Shown() const { return ::IsWindowVisible(m_hPrompt) != FALSE; }
    bool Topmost() const { return (::GetWindowLongA(m_hPrompt, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
    std::string Text() const { return WindowText(::GetDlgItem(m_hPrompt, 1000)); }
    HICON Icon() { return Prompt().m_hCurrentIcon; }
    std::wstring ButtonName() { return AccessibleName(Prompt().m_button.m_hWnd); }

    std::vector<CaptureAppStart> WaitForStarts(size_t count) { return WaitForCaptureAppStarts(m_record.Path(), count); }

    const ImportHook<decltype(::PlaySoundA)> m_soundHook{ "WINMM.dll", "PlaySoundA", RecordSound };
    const ImportHook<decltype(::MessageBeep)> m_beepHook{ "USER32.dll", "MessageBeep", RecordBeep };
    const ImportHook<decltype(::SetWindowPos)> m_placingHook{ "USER32.dll", "SetWindowPos", RecordPlacing };
    const ImportHook<decltype(::SetTimer)> m_timerHook{ "USER32.dll", "SetTimer", RecordTimer };
    const ImportHook<decltype(::ShellExecuteA)> m_shellHook{ "SHELL32.dll", "ShellExecuteA", RecordVerb };
    const StandInRecord m_record{ "OSTRIVO_STANDIN_RECORD", "ostrivo-starts" };
    size_t m_launches = 0;
    HICON m_hIcons[3] = {};
    CEventWnd* m_pWnd = nullptr;  // deletes itself with its window
    HWND m_hWnd = NULL;
    HWND m_hPrompt = NULL;
};

}  // namespace

// The prompt steps out of the topmost band, shown and not activated. Wine: an owned popup that has
// been activated sits right above its owner, and Wine places it above its owner again, so it keeps
// WS_EX_TOPMOST; the request itself is what can be checked here.
const Placings::value_type NotTopmost = { HWND_NOTOPMOST, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW };

// The shell opens the target with the verb "open". While launching only Cancel acts, and it does
// not hide the prompt: the launch timer does, one timer of 2000 ms on the main window.
TEST_F(EventWindow, SecondPressOpensTheTargetInTheTemporaryDirectoryAndThePromptHidesTwoSecondsLaterWhileOnlyCancelActs)
{
    Press(1);
    g_placings.clear();
    g_timers.clear();
    Press(2);
    EXPECT_EQ(g_placings, Placings{ NotTopmost });
    EXPECT_EQ(g_verbs, std::vector<std::string>{ "open" });
    EXPECT_EQ(g_timers, (Timers{ { m_hWnd, 101, 2000 } })) << "the launch timer: its window, id and period";

    EXPECT_TRUE(m_pWnd->IsLaunching());
    EXPECT_TRUE(Shown());
    EXPECT_EQ(Text(), "Lumora is starting...");
    EXPECT_EQ(Icon(), m_hIcons[2]);
    EXPECT_FALSE(Prompt().m_bBlinkActive);

    const std::vector<CaptureAppStart> starts = WaitForStarts(1);
    ASSERT_EQ(starts.size(), 1u);
    std::string temp = TempPath("");
    temp.pop_back();  // the working directory has no trailing backslash
    EXPECT_STREQ(CharUpperA(&std::string(starts[0].cwd)[0]), CharUpperA(&temp[0]));
    EXPECT_EQ(starts[0].args, "");
    EXPECT_EQ(starts[0].show, SW_SHOWNORMAL);
    EXPECT_TRUE(g_sounds.empty()) << "silent";

    Press(2);
    Press(1);
    EXPECT_EQ(Text(), "Lumora is starting...") << "a Prompt while launching is ignored";
    EXPECT_EQ(Icon(), m_hIcons[2]);
    EXPECT_FALSE(Prompt().m_bBlinkActive);
    Press(3);
    EXPECT_TRUE(Shown());
    EXPECT_EQ(Icon(), m_hIcons[0]);

    ASSERT_TRUE(PumpUntil([&] { return !Shown(); }, 10000));
    EXPECT_FALSE(m_pWnd->IsLaunching());
    EXPECT_FALSE(::KillTimer(m_hWnd, 101)) << "the launch timer fires once";
    EXPECT_EQ(g_timers.size(), 1u) << "no timer was set again";
    EXPECT_EQ(WaitForStarts(1).size(), 1u) << "the second Launch within 2000 ms started nothing";
}

// The hidden tool window "Lumora Ready" owns its prompt. A first press over a prompt already shown,
// which the user moved away and another window covered:
// the text again, and the prompt centred, topmost, in the foreground and with the focus on its
// button again; the blink runs on, not started afresh.
TEST_F(EventWindow, FirstPressOverTheShownPromptCentresItAndBringsItToTheFrontAgain)
{
    EXPECT_EQ(WindowText(m_hWnd), "Lumora Ready");
    EXPECT_TRUE(::GetWindowLongA(m_hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(::IsWindowVisible(m_hWnd));
    EXPECT_EQ(::GetWindow(m_hPrompt, GW_OWNER), m_hWnd);
    EXPECT_FALSE(Shown());
    Press(1);
    ::SetWindowPos(m_hPrompt, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    const HWND hOther = ::CreateWindowExA(WS_EX_TOPMOST, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300,
                                          NULL, NULL, NULL, NULL);
    ::SetForegroundWindow(hOther);
    ::SetFocus(hOther);
    PumpPendingMessages();
    ASSERT_NE(::GetForegroundWindow(), m_hPrompt);
    Prompt().SetText("");
    g_placings.clear();
    g_timers.clear();

    Press(1);

    EXPECT_EQ(Text(), "Press down to start Lumora!!");
    RECT screen, window;
    ::GetWindowRect(::GetDesktopWindow(), &screen);
    ::GetWindowRect(m_hPrompt, &window);
    EXPECT_NEAR(window.left + window.right, screen.left + screen.right, 1) << "centred on the screen";
    EXPECT_NEAR(window.top + window.bottom, screen.top + screen.bottom, 1);
    EXPECT_NE(std::find(g_placings.begin(), g_placings.end(),
                        Placings::value_type{ HWND_TOPMOST, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE }),
              g_placings.end()) << "asked to be topmost";  // Wine: it keeps WS_EX_TOPMOST anyway
    EXPECT_EQ(::GetForegroundWindow(), m_hPrompt);
    EXPECT_EQ(::GetFocus(), Prompt().m_button.m_hWnd);
    EXPECT_TRUE(Prompt().m_bBlinkActive);
    EXPECT_TRUE(g_timers.empty()) << "the blink was started afresh";
    ::DestroyWindow(hOther);
}

TEST_F(EventWindow, LaunchWithoutAPromptShowsTheHiddenPromptNotTopmostAndStillDisabled)
{
    Press(1);
    Press(3);
    ASSERT_FALSE(::IsWindowEnabled(m_hPrompt));

    g_placings.clear();
    Press(2);

    EXPECT_TRUE(Shown());
    EXPECT_EQ(g_placings, Placings{ NotTopmost });
    EXPECT_FALSE(::IsWindowEnabled(m_hPrompt));
    EXPECT_EQ(Text(), "Lumora is starting...");
    ASSERT_TRUE(PumpUntil([&] { return !Shown(); }, 10000));
}

// Unless silent, a failed launch beeps and a launch plays its sound.
TEST_F(EventWindow, FailedLaunchShowsTheFailureTextAndAlternateIconBeepsUnlessSilentAndCanBeTriedAgain)
{
    // A path longer than the shell takes fails as a missing file does.
    const std::string tooLong = "C:\\" + std::string(1000, 'p') + ".exe";
    for (bool shown : { true, false }) {
        Press(shown ? 1 : 3);
        for (const char* path : { "C:\\no such folder\\Ostrivo.exe", tooLong.c_str(), "" }) {
            m_pWnd->ResolveAppPath(path);
            Prompt().SetText("");
            Press(2);
            const std::string situation = (shown ? "shown, path " : "hidden, path ") + std::string(path).substr(0, 40);
            EXPECT_EQ(Shown(), shown) << situation << ": a failure neither shows nor hides the prompt";
            EXPECT_EQ(Text(), "Failed to launch Lumora.") << situation;
            EXPECT_EQ(Icon(), m_hIcons[1]) << situation;
            EXPECT_FALSE(m_pWnd->IsLaunching()) << situation;
        }
    }
    EXPECT_TRUE(g_sounds.empty()) << "silent";

    m_pWnd->ResolveSilent(FALSE);
    m_pWnd->ResolveAppPath("C:\\no such folder\\Ostrivo.exe");
    Press(2);
    m_pWnd->ResolveAppPath(ProgramBeside("Ostrivo.exe").c_str());
    Press(2);
    EXPECT_TRUE(m_pWnd->IsLaunching()) << "the next Launch tries again";
    EXPECT_EQ(g_sounds, (std::vector<std::string>{ "beep " + std::to_string(MB_ICONEXCLAMATION),
                                                   "sound LAUNCHWAVE from the program "
                                                       + std::to_string(SND_RESOURCE | SND_NOWAIT | SND_ASYNC) }));
}

// A screen reader reads the focused button by the prompt's text, and is told when it changes.
TEST_F(EventWindow, ScreenReadersHearTheButtonNamedAsThePromptAndEachChangeOfIt)
{
    const NameChanges changes(Prompt().m_button.m_hWnd);
    Press(1);
    EXPECT_EQ(ButtonName(), L"Press down to start Lumora!!");
    EXPECT_EQ(changes.Count(), 1);
    Press(2);
    EXPECT_EQ(ButtonName(), L"Lumora is starting...");
    EXPECT_EQ(changes.Count(), 2);
}

// Run by its own test entry, in a process that Wine starts with a Japanese locale: a target of
// about 200 characters, but more than MAX_PATH bytes in code page 932, is started. (Its Japanese
// folders are left again with "..": without a Japanese locale of the host, Wine cannot give such
// names to files.)
TEST_F(EventWindow, JapaneseTargetOfTwoHundredCharactersLaunches)
{
    ASSERT_EQ(::GetACP(), 932u) << "this test runs with a Japanese locale (LUMORA_WINE_LOCALE=ja_JP.UTF-8)";
    std::string folder;  // ア 50 times
    for (int i = 0; i < 50; ++i)
        folder += "\x83\x41";
    folder += "\\";
    const std::string target = ProgramBeside((folder + folder + folder + "..\\..\\..\\Ostrivo.exe").c_str());
    ASSERT_GT(target.size(), size_t(MAX_PATH));
    ASSERT_LT(::MultiByteToWideChar(CP_ACP, 0, target.c_str(), -1, NULL, 0), MAX_PATH);
    m_pWnd->ResolveAppPath(target.c_str());
    Press(1);
    EXPECT_EQ(ButtonName(), L"さらにボタンを押すと\nLumora を起動します") << "the button's name, for screen readers";
    Press(2);
    EXPECT_EQ(ButtonName(), L"Lumora の起動中です\nしばらくお待ちください");
    EXPECT_TRUE(m_pWnd->IsLaunching());
    EXPECT_EQ(WaitForStarts(1).size(), 1u);
}

// Wine: while a window of this process is in the foreground, GetAsyncKeyState does not report keys
// that this process sent, so another process holds them, as the user's keyboard would.
TEST_F(EventWindow, FirstPressWithCtrlAndAltHeldShowsTheAboutText)
{
    const std::string letGo = "key-holder-" + std::to_string(::GetCurrentProcessId());
    const HANDLE hLetGo = ::CreateEventA(NULL, TRUE, FALSE, letGo.c_str());
    ChildProcess holder;
    ASSERT_TRUE(holder.Start("\"" + ProgramBeside("key_holder.exe") + "\" " + letGo));
    const bool held =
        WaitUntil([] { return ::GetAsyncKeyState(VK_CONTROL) < 0 && ::GetAsyncKeyState(VK_MENU) < 0; }, 10000);
    if (held)
        Press(1);
    ::SetEvent(hLetGo);
    EXPECT_TRUE(holder.WaitForExit(10000));
    ::CloseHandle(hLetGo);
    ASSERT_TRUE(held) << "the keys that another process pressed are not seen";
    EXPECT_EQ(Text(), "Lumora Ready - 3.0.00\nCopyright (C) 2026 Vexa Corporation. All rights reserved.");
    EXPECT_EQ(ButtonName(), L"Lumora Ready - 3.0.00\nCopyright (C) 2026 Vexa Corporation. All rights reserved.");

    ASSERT_TRUE(WaitUntil([] { return ::GetAsyncKeyState(VK_CONTROL) >= 0; }, 10000));
    Press(1);
    EXPECT_EQ(Text(), "Press down to start Lumora!!") << "without the keys, the prompt text";
}

// Only a newer instance's quit request gives up the mutex, and only that of the marked window; the
// prompt goes with its owner at once, even during a launch.
TEST_F(EventWindow, QuitRequestOfANewerInstanceGivesUpTheMarkAndTheMutexAndEnds)
{
    struct Case {
        UINT message;
        bool marked;
        bool launching;
        int releases;
    };
    for (const Case& c : { Case{ 0x464, true, false, 1 }, Case{ 0x464, false, false, 0 },
                           Case{ WM_CLOSE, true, false, 0 }, Case{ 0x464, false, true, 0 } }) {
        SCOPED_TRACE(std::string(c.message == WM_CLOSE ? "close" : "quit") + (c.marked ? ", marked" : "")
                     + (c.launching ? ", launching" : ""));
        if (!::IsWindow(m_hWnd))
            MakeWindow();
        if (c.launching) {
            Press(1);
            Press(2);
            ASSERT_TRUE(m_pWnd->IsLaunching());
        }
        CHeldMutex& instanceMutex = theProgramTestApp.m_instanceMutex;
        ASSERT_TRUE(instanceMutex.Create(NULL));
        if (c.marked)
            ::SetPropA(m_hWnd, "Vexa Lumora Kivrel", reinterpret_cast<HANDLE>(1));
        const LRESULT result = ::SendMessageA(m_hWnd, c.message, 0, 0);
        if (c.message == 0x464) {
            EXPECT_EQ(result, 0x12345678);
        }
        EXPECT_EQ(instanceMutex.m_hMutex == NULL, c.releases == 1);
        instanceMutex.Release();
        EXPECT_FALSE(::IsWindow(m_hWnd));
        EXPECT_FALSE(::IsWindow(m_hPrompt)) << "the prompt goes with its owner";
    }
}
