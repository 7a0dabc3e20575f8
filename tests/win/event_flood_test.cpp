// Every code of both library stand-ins, delivered through the libraries into the real event window
// in every state of the decision order: free, busy (another program holds the suite's busy
// mutex), with the capture application running, and launching, free or busy, over a shown and a
// hidden prompt. Every event does what the decision order says for the state it meets, and after
// a first walk has made what the program makes once, two more walks leave the process holding no
// more handles, GDI objects or USER objects than before.
#include "child_process.h"
#include "devices/capture_driver.h"
#include "devices/firmware_events.h"
#include "event_decision_table.h"
#include "events/event_wnd.h"
#include "import_hook.h"
#include "message_pump.h"
#include "named_objects.h"
#include "object_counts.h"
#include "poll.h"
#include "press_link.h"
#include "program_test_app.h"
#include "prompt/prompt_dlg.h"
#include "stand_in_records.h"
#include "suite_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdlib.h>
#include <string>
#include <vector>

namespace {

const char* const BusyMutexName = "vexa_kivrel_mutex_object";
const char* const CaptureAppMutexName = "Vexa Lumora Ostrivo";

// The launch timer's procedure, so that the test can have the timer fire without waiting 2 s.
decltype(::SetTimer)* g_setTimer = nullptr;
TIMERPROC g_launchTimer = nullptr;
// The power requests of an event, kept from the machine: they are the test process's own.
std::vector<EXECUTION_STATE> g_powerRequests;

EXECUTION_STATE WINAPI RecordPowerRequest(EXECUTION_STATE flags)
{
    g_powerRequests.push_back(flags);
    return ES_CONTINUOUS;
}

UINT_PTR WINAPI RecordLaunchTimer(HWND hWnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc)
{
    if (id == 101)
        g_launchTimer = proc;
    return g_setTimer(hWnd, id, elapseMs, proc);
}

// One code of a source, and the button event it stands for.
struct Code {
    bool firmware;
    long code;
    ButtonEvent event;
};

// The codes of both sources: the capture driver's wParam, and the firmware's lParam, whose bits
// outside 0x1C00 mean nothing.
const Code Codes[] = {
    { false, 0, ButtonEvent::None },         { false, 1, ButtonEvent::Prompt },
    { false, 2, ButtonEvent::Launch },       { false, 3, ButtonEvent::Cancel },
    { false, 4, ButtonEvent::Cancel },       { false, 5, ButtonEvent::None },
    { false, 0x10001, ButtonEvent::None },   { true, 0x000, ButtonEvent::None },
    { true, 0x400, ButtonEvent::Launch },    { true, 0x800, ButtonEvent::Prompt },
    { true, 0xC00, ButtonEvent::None },      { true, 0x1000, ButtonEvent::Cancel },
    { true, 0x1400, ButtonEvent::Cancel },   { true, 0x1800, ButtonEvent::None },
    { true, 0x1C00, ButtonEvent::None },     { true, 0x17FF, ButtonEvent::Cancel },
    { true, ~0x1C00L | 0x800, ButtonEvent::Prompt },
};

// The capture applications that launches start come from the shell: they end with this process.
const EndChildrenWithThisProcess endStandIns;

// The prompt as the window shows it, and whether a launch is in progress.
struct PromptState {
    bool shown;
    bool enabled;
    bool launching;
    bool blinking;
    bool topmost;
    HICON icon;
    std::string text;

    std::string Describe() const
    {
        return std::string(shown ? "shown" : "hidden") + (enabled ? ", enabled" : "") + (launching ? ", launching" : "")
               + (blinking ? ", blinking" : "") + (topmost ? ", topmost" : "") + ", icon "
               + std::to_string(reinterpret_cast<std::uintptr_t>(icon)) + ", text \"" + text + "\"";
    }
};

class EventFlood : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(MutexExists(CaptureAppMutexName)) << "a capture application is running already";
        ASSERT_FALSE(MutexExists(BusyMutexName)) << "something holds the busy mutex already";
        RegisterStandInLibraries();
        ASSERT_TRUE(m_timerHook.Installed() && m_powerHook.Installed());
        g_setTimer = m_timerHook.Original();

        // The program's own start-up steps, with both libraries and the capture application stand-in.
        ASSERT_TRUE(theProgramTestApp.m_firmware.Load());
        ASSERT_TRUE(m_driver.Load());
        m_pWnd = NewEventWnd();
        m_hWnd = m_pWnd->m_hWnd;
        m_pWnd->ResolveAppPath(ProgramBeside("Ostrivo.exe").c_str());
        m_pWnd->ResolveSilent(TRUE);  // these machines have no sound device
        m_pWnd->LoadPresentation();
        ASSERT_TRUE(m_driver.Open(m_hWnd));
        m_hPrompt = m_pWnd->GetPromptDlg()->m_hWnd;
        m_hDriverPress = ::FindWindowExA(HWND_MESSAGE, NULL, CaptureDriverPressClass, NULL);
        m_hFirmwarePress = ::FindWindowExA(HWND_MESSAGE, NULL, FirmwarePressClass, NULL);
        ASSERT_NE(m_hDriverPress, (HWND)NULL);
        ASSERT_NE(m_hFirmwarePress, (HWND)NULL);
    }
    void TearDown() override
    {
        m_holder.reset();
        m_captureApp.reset();
        EndNewCaptureApps();
        if (::IsWindow(m_hWnd))
            m_pWnd->DestroyWindow();
        theProgramTestApp.m_firmware.Free();
    }

    // Presses through a stand-in and handles the one event it delivers, and nothing else: no timer
    // runs between the state the event meets and the state it leaves. Every event answers 0, and
    // raises the power request and withdraws it.
    void Deliver(bool firmware, long code)
    {
        ::SendMessageA(firmware ? m_hFirmwarePress : m_hDriverPress, StandInPressMessage, static_cast<WPARAM>(code), 0);
        const UINT message = firmware ? 0x4FF : ::RegisterWindowMessageA("VexaCapEvent");
        MSG msg;
        ASSERT_TRUE(::PeekMessageA(&msg, m_hWnd, message, message, PM_REMOVE)) << "the stand-in delivered nothing";
        g_powerRequests.clear();
        EXPECT_EQ(::DispatchMessageA(&msg), 0);
        EXPECT_EQ(g_powerRequests, (std::vector<EXECUTION_STATE>{ 0x80000003, 0x80000000 }));
    }

    std::string Text() const
    {
        char text[256] = {};
        ::GetDlgItemTextA(m_hPrompt, 1000, text, sizeof text);
        return text;
    }
    bool Shown() const { return ::IsWindowVisible(m_hPrompt) != FALSE; }
    bool Topmost() const { return (::GetWindowLongA(m_hPrompt, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
    HICON IconOf(int slot) const { return m_pWnd->GetPromptDlg()->m_hIcons[slot]; }

    PromptState State() const
    {
        const CPromptDlg& prompt = *m_pWnd->GetPromptDlg();
        return { Shown(), ::IsWindowEnabled(m_hPrompt) != FALSE, m_pWnd->IsLaunching() != FALSE,
                 prompt.m_bBlinkActive != FALSE, Topmost(), prompt.m_hCurrentIcon, Text() };
    }
    // The state that an event with this effect leaves, from the state it met.
    PromptState After(EventEffect effect, PromptState state) const
    {
        switch (effect) {
        case EventEffect::Nothing:
            break;
        case EventEffect::ResetIconWhileLaunching:
            state.icon = IconOf(IconIdle);
            break;
        case EventEffect::HideForRunningApp:
            state.shown = state.enabled = state.blinking = false;
            break;
        case EventEffect::ShowPrompt:
            state.shown = state.enabled = state.topmost = state.blinking = true;
            state.text = std::string(m_pWnd->GetPromptText());
            break;
        case EventEffect::LaunchTarget:
            state.shown = state.launching = true;
            state.blinking = false;
            state.icon = IconOf(IconStarting);
            state.text = std::string(m_pWnd->GetStartingText());
            // Wine: a prompt that a launch takes out of the topmost band may keep WS_EX_TOPMOST (see
            // the event window's tests).
            state.topmost = Topmost();
            break;
        case EventEffect::HidePrompt:
            state.shown = state.enabled = state.blinking = false;
            state.icon = IconOf(IconIdle);
            break;
        }
        return state;
    }

    // Ends the capture applications started since the last call, by their process ids (an id of one
    // that has ended may since name another process), and waits until their mutex is gone.
    void EndNewCaptureApps()
    {
        std::vector<CaptureAppStart> starts = ReadCaptureAppStarts(m_record.Path());
        const size_t recorded = starts.size();
        const size_t ended = std::min(m_endedCaptureApps, recorded);
        starts.erase(starts.begin(), starts.begin() + static_cast<std::ptrdiff_t>(ended));
        EndCaptureApps(starts);
        m_endedCaptureApps = recorded;
        ASSERT_TRUE(WaitUntil([] { return !MutexExists(CaptureAppMutexName); }, 10000));
    }

    // Delivers a code, and checks that the prompt ends as the decision order says for the state
    // that the event met.
    void Check(const Code& code)
    {
        const PromptState before = State();
        const DecisionRow* row = RowFor(before.launching, m_appRunning, m_busy, code.event);
        ASSERT_NE(row, nullptr);
        ASSERT_NO_FATAL_FAILURE(Deliver(code.firmware, code.code));
        if (row->effect == EventEffect::LaunchTarget) {
            ASSERT_NO_FATAL_FAILURE(CaptureAppStarted());
        }
        ASSERT_EQ(State().Describe(), After(row->effect, before).Describe())
            << (code.firmware ? "firmware" : "capture driver") << " code 0x" << std::hex << code.code << " over "
            << before.Describe() << (m_busy ? ", busy" : "") << (m_appRunning ? ", capture application running" : "");
    }
    void Hide() { Check({ false, 3, ButtonEvent::Cancel }); }
    void Show() { Check({ false, 1, ButtonEvent::Prompt }); }

    void Busy(bool busy)
    {
        m_holder.reset();
        if (busy) {
            m_holder = std::make_unique<ChildProcess>();
            ASSERT_TRUE(m_holder->Start("\"" + ProgramBeside("busy_holder.exe") + "\" 600000", true));
        }
        ASSERT_TRUE(WaitUntil([&] { return MutexHeldElsewhere(BusyMutexName) == busy; }, 10000));
        m_busy = busy;
    }
    void CaptureAppRunning(bool running)
    {
        m_captureApp.reset();
        ASSERT_NO_FATAL_FAILURE(EndNewCaptureApps());
        m_appRunning = false;
        if (running) {
            m_captureApp = std::make_unique<ChildProcess>();
            ASSERT_TRUE(m_captureApp->Start("\"" + ProgramBeside("Ostrivo.exe") + "\""));
            ASSERT_NO_FATAL_FAILURE(CaptureAppStarted());
        }
    }
    // The capture application runs once it has recorded its start; from then on it is there.
    void CaptureAppStarted()
    {
        ++m_starts;
        ASSERT_EQ(WaitForCaptureAppStarts(m_record.Path(), m_starts).size(), m_starts);
        m_appRunning = true;
    }

    // Every code while a launch is under way, free and busy; then the capture application ends and
    // the launch timer (101) fires, which ends the launch and hides the prompt.
    void WhileLaunching()
    {
        for (const bool busy : { false, true }) {
            ASSERT_NO_FATAL_FAILURE(Busy(busy));
            for (const Code& code : Codes)
                ASSERT_NO_FATAL_FAILURE(Check(code));
        }
        ASSERT_NO_FATAL_FAILURE(Busy(false));
        ASSERT_NO_FATAL_FAILURE(CaptureAppRunning(false));
        ASSERT_NE(g_launchTimer, nullptr);
        g_launchTimer(m_hWnd, WM_TIMER, 101, ::GetTickCount());
        ASSERT_FALSE(m_pWnd->IsLaunching());
        ASSERT_FALSE(Shown());
    }

    // Every code in every state, over a hidden prompt and, where the state lets one be shown, over
    // a shown one. A Launch that launches leads to the codes while launching.
    void Walk()
    {
        for (const Code& code : Codes) {
            for (const bool shown : { false, true }) {
                ASSERT_NO_FATAL_FAILURE(shown ? Show() : Hide());
                ASSERT_NO_FATAL_FAILURE(Check(code));
                if (m_pWnd->IsLaunching()) {
                    ASSERT_NO_FATAL_FAILURE(WhileLaunching());
                }
            }
        }
        // Busy over a shown prompt: nothing but a Cancel changes it.
        ASSERT_NO_FATAL_FAILURE(Show());
        ASSERT_NO_FATAL_FAILURE(Busy(true));
        for (const Code& code : Codes) {
            if (code.event != ButtonEvent::Cancel) {
                ASSERT_NO_FATAL_FAILURE(Check(code));
            }
        }
        for (const Code& code : Codes) {
            ASSERT_NO_FATAL_FAILURE(Hide());
            ASSERT_NO_FATAL_FAILURE(Check(code));
        }
        // The capture application running over a shown prompt, free and busy: every event hides it.
        for (const bool busy : { true, false }) {
            ASSERT_NO_FATAL_FAILURE(Busy(false));
            ASSERT_NO_FATAL_FAILURE(Show());
            ASSERT_NO_FATAL_FAILURE(Busy(busy));
            ASSERT_NO_FATAL_FAILURE(CaptureAppRunning(true));
            for (const Code& code : Codes)
                ASSERT_NO_FATAL_FAILURE(Check(code));
            ASSERT_NO_FATAL_FAILURE(CaptureAppRunning(false));
        }
    }

    const ImportHook<decltype(::SetTimer)> m_timerHook{ "USER32.dll", "SetTimer", RecordLaunchTimer };
    const ImportHook<decltype(::SetThreadExecutionState)> m_powerHook{ "KERNEL32.dll", "SetThreadExecutionState",
                                                                       RecordPowerRequest };
    SetAsideSuiteKeys m_suiteKeys;
    CCaptureDriver m_driver;
    CEventWnd* m_pWnd = nullptr;  // deletes itself with its window
    HWND m_hWnd = NULL;
    HWND m_hPrompt = NULL;
    HWND m_hDriverPress = NULL;
    HWND m_hFirmwarePress = NULL;
    const StandInRecord m_record{ "OSTRIVO_STANDIN_RECORD", "ostrivo-starts" };
    size_t m_endedCaptureApps = 0;
    size_t m_starts = 0;  // the capture applications started, by launches and by the test
    bool m_busy = false;
    bool m_appRunning = false;
    std::unique_ptr<ChildProcess> m_holder;
    std::unique_ptr<ChildProcess> m_captureApp;
};

}  // namespace

TEST_F(EventFlood, EveryCodeInEveryStateDoesWhatTheDecisionOrderSaysAndLeaksNothing)
{
    // Kept in being while holders come and go.
    const std::unique_ptr<void, decltype(&::CloseHandle)> busyMutex(::CreateMutexA(NULL, FALSE, BusyMutexName),
                                                                     ::CloseHandle);
    ASSERT_NO_FATAL_FAILURE(Walk());
    PumpPendingMessages();
    const int handlesBefore = HandlesHeld();
    const int gdiRoomBefore = GdiRoom();
    const int userRoomBefore = UserRoom();

    for (int walk = 2; walk <= 3; ++walk) {
        SCOPED_TRACE("walk " + std::to_string(walk));
        ASSERT_NO_FATAL_FAILURE(Walk());
    }
    PumpPendingMessages();

    EXPECT_EQ(ReadCaptureAppStarts(m_record.Path()).size(), m_starts);
    EXPECT_EQ(HandlesHeld(), handlesBefore) << "kernel handles";
    EXPECT_EQ(GdiRoom(), gdiRoomBefore) << "room for GDI objects";
    EXPECT_EQ(UserRoom(), userRoomBefore) << "room for USER objects";
}
