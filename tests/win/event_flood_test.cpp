// A flood of button events through both library stand-ins into the real event window, with the
// suite's busy mutex and the capture application coming and going: every event does what the
// decision order says for the state it meets, and the process holds no more handles, GDI objects
// or USER objects afterwards than before.
#include "child_process.h"
#include "devices/capture_driver.h"
#include "devices/firmware_events.h"
#include "event_decision_table.h"
#include "events/event_wnd.h"
#include "framework/win_app.h"
#include "message_pump.h"
#include "named_objects.h"
#include "object_counts.h"
#include "poll.h"
#include "press_link.h"
#include "program_test_app.h"
#include "prompt/prompt_dlg.h"
#include "run_seed.h"
#include "stand_in_records.h"
#include "suite_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <random>
#include <stdlib.h>
#include <string>

namespace {

const char* const BusyMutexName = "vexa_kivrel_mutex_object";
const char* const CaptureAppMutexName = "Vexa Lumora Ostrivo";
// 100,000 events in all, in four parts: each part is one test, well inside a test's time limit on
// a busy machine.
const int FloodParts = 4;
const int EventsPerPart = 25000;

// The capture applications that launches start come from the shell: they end with this process.
const EndChildrenWithThisProcess endStandIns;

// The prompt as the window shows it, and whether a launch is in progress.
struct PromptState {
    bool shown;
    bool launching;
    bool blinking;
    bool topmost;
    HICON icon;
    std::string text;

    std::string Describe() const
    {
        return std::string(shown ? "shown" : "hidden") + (launching ? ", launching" : "")
               + (blinking ? ", blinking" : "") + (topmost ? ", topmost" : "") + ", icon "
               + std::to_string(reinterpret_cast<std::uintptr_t>(icon)) + ", text \"" + text + "\"";
    }
};

class EventFlood : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(MutexExists(CaptureAppMutexName)) << "a capture application is running already";
        ASSERT_FALSE(MutexExists(BusyMutexName)) << "something holds the busy mutex already";
        RegisterStandInLibraries();

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
        EndNewCaptureApps();
        if (::IsWindow(m_hWnd))
            m_pWnd->DestroyWindow();
        theProgramTestApp.m_firmware.Free();
    }

    // Presses through a stand-in and handles the one event it delivers, and nothing else: no timer
    // runs between the state the event meets and the state it leaves.
    void Deliver(bool firmware, long code)
    {
        ::SendMessageA(firmware ? m_hFirmwarePress : m_hDriverPress, StandInPressMessage, static_cast<WPARAM>(code), 0);
        const UINT message = firmware ? 0x4FF : ::RegisterWindowMessageA("VexaCapEvent");
        MSG msg;
        ASSERT_TRUE(::PeekMessageA(&msg, m_hWnd, message, message, PM_REMOVE)) << "the stand-in delivered nothing";
        AfxHandleQueuedMessage(&msg);
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
        return { Shown(), m_pWnd->IsLaunching() != FALSE, prompt.m_bBlinkActive != FALSE, Topmost(),
                 prompt.m_hCurrentIcon, Text() };
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
            state.shown = state.blinking = false;
            break;
        case EventEffect::ShowPrompt:
            state.shown = state.topmost = state.blinking = true;
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
            state.shown = state.blinking = false;
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

    SetAsideSuiteKeys m_suiteKeys;
    CCaptureDriver m_driver;
    CEventWnd* m_pWnd = nullptr;  // deletes itself with its window
    HWND m_hWnd = NULL;
    HWND m_hPrompt = NULL;
    HWND m_hDriverPress = NULL;
    HWND m_hFirmwarePress = NULL;
    const StandInRecord m_record{ "OSTRIVO_STANDIN_RECORD", "ostrivo-starts" };
    size_t m_endedCaptureApps = 0;
};

// One event of the mix: its source, its code and the button event the code stands for.
struct MixedEvent {
    bool firmware;
    long code;
    ButtonEvent event;
};

// Prompts, launches, cancels and codes of no action in the proportions 30:25:25:20, from either
// source, with any code that stands for the event.
MixedEvent NextEvent(std::mt19937& random)
{
    static const ButtonEvent events[4] = { ButtonEvent::Prompt, ButtonEvent::Launch, ButtonEvent::Cancel,
                                           ButtonEvent::None };
    static const long driverCodes[3][2] = { { 1, 1 }, { 2, 2 }, { 3, 4 } };
    static const long firmwareCodes[4][4] = {
        { 0x800, 0x800, 0x800, 0x800 }, { 0x400, 0x400, 0x400, 0x400 },
        { 0x1000, 0x1400, 0x1000, 0x1400 }, { 0x000, 0xC00, 0x1800, 0x1C00 } };
    const bool firmware = random() % 2 == 0;
    const unsigned pick = random() % 100;
    const int action = pick < 30 ? 0 : pick < 55 ? 1 : pick < 80 ? 2 : 3;
    // Driver codes past 4 and firmware bits outside the event mask mean nothing more.
    const long driverNone = random() % 2 == 0 ? 0 : 5 + static_cast<long>(random() % 100000);
    const long code = firmware     ? firmwareCodes[action][random() % 4] | static_cast<long>(random() & 0xE3FF)
                      : action < 3 ? driverCodes[action][random() % 2]
                                   : driverNone;
    return { firmware, code, events[action] };
}

}  // namespace

TEST_P(EventFlood, TwentyFiveThousandMixedEventsKeepThePromptConsistentAndLeakNothing)
{
    const int part = GetParam();
    const unsigned seed = RunSeed(1209);
    SCOPED_TRACE(SeedTrace(seed));
    std::seed_seq seeds{ seed, static_cast<unsigned>(part) };
    std::mt19937 random(seeds);
    // Kept in being while holders come and go.
    const std::unique_ptr<void, decltype(&::CloseHandle)> busyMutex(::CreateMutexA(NULL, FALSE, BusyMutexName),
                                                                     ::CloseHandle);

    // Everything that a first event, a first launch and a first hide make once is made before the
    // counts are taken.
    ASSERT_NO_FATAL_FAILURE(Deliver(false, 1));
    ASSERT_NO_FATAL_FAILURE(Deliver(true, 0x400));
    ASSERT_TRUE(m_pWnd->IsLaunching());
    ASSERT_EQ(WaitForCaptureAppStarts(m_record.Path(), 1).size(), 1u);
    EndNewCaptureApps();
    ASSERT_TRUE(PumpUntil([&] { return !m_pWnd->IsLaunching(); }, 10000));
    Deliver(true, 0x1000);
    PumpPendingMessages();
    const int handlesBefore = HandlesHeld();
    const int gdiRoomBefore = GdiRoom();
    const int userRoomBefore = UserRoom();

    size_t starts = 1;  // the capture applications started: the warm-up's, the flood's and the test's own
    bool busy = false;
    bool captureAppRunning = false;
    std::unique_ptr<ChildProcess> holder;
    std::unique_ptr<ChildProcess> captureApp;
    for (int sent = 1, stretchLeft = 0; sent <= EventsPerPart; ++sent, --stretchLeft) {
        if (stretchLeft == 0) {
            // The suite changes between stretches: what held the busy mutex lets it go, the capture
            // applications end, and the next state comes about.
            holder.reset();
            captureApp.reset();
            EndNewCaptureApps();
            // Free for 30 in 100 stretches, busy (the busy holder stand-in holds the mutex) for 55, and
            // for 15 a capture application stand-in that the test started runs.
            const unsigned pick = random() % 100;
            busy = pick >= 30 && pick < 85;
            captureAppRunning = pick >= 85;
            if (busy) {
                holder = std::make_unique<ChildProcess>();
                ASSERT_TRUE(holder->Start("\"" + ProgramBeside("busy_holder.exe") + "\" 600000", true));
                ASSERT_TRUE(WaitUntil([] { return MutexHeldElsewhere(BusyMutexName); }, 10000));
            } else if (captureAppRunning) {
                captureApp = std::make_unique<ChildProcess>();
                ASSERT_TRUE(captureApp->Start("\"" + ProgramBeside("Ostrivo.exe") + "\""));
                // It runs once it has recorded its start, which it does after taking its mutex.
                ++starts;
                ASSERT_EQ(WaitForCaptureAppStarts(m_record.Path(), starts).size(), starts);
            }
            stretchLeft = 200 + static_cast<int>(random() % 1600);
        }

        const MixedEvent mixed = NextEvent(random);
        const PromptState before = State();
        const DecisionRow* row = RowFor(before.launching, captureAppRunning, busy, mixed.event);
        ASSERT_NE(row, nullptr);
        ASSERT_NO_FATAL_FAILURE(Deliver(mixed.firmware, mixed.code));
        if (row->effect == EventEffect::LaunchTarget) {
            // The capture application runs once it has recorded its start; from then on it is there.
            ++starts;
            ASSERT_EQ(WaitForCaptureAppStarts(m_record.Path(), starts).size(), starts);
            captureAppRunning = true;
        }
        ASSERT_EQ(State().Describe(), After(row->effect, before).Describe())
            << "event " << sent << ": " << (mixed.firmware ? "firmware" : "capture driver") << " code 0x" << std::hex
            << mixed.code;

        // Now and then the timers run: the blink moves the icon, and the launch timer hides the prompt.
        if (sent % 64 == 0) {
            const bool launching = m_pWnd->IsLaunching() != FALSE;
            PumpPendingMessages();
            ASSERT_TRUE(!launching || m_pWnd->IsLaunching() || !Shown()) << "a launch ended, the prompt stayed";
        }
    }

    holder.reset();
    captureApp.reset();
    EndNewCaptureApps();
    ASSERT_TRUE(PumpUntil([&] { return !m_pWnd->IsLaunching(); }, 10000));

    PumpPendingMessages();

    EXPECT_EQ(ReadCaptureAppStarts(m_record.Path()).size(), starts);
    EXPECT_EQ(HandlesHeld(), handlesBefore) << "kernel handles";
    EXPECT_EQ(GdiRoom(), gdiRoomBefore) << "room for GDI objects";
    EXPECT_EQ(UserRoom(), userRoomBefore) << "room for USER objects";
}

INSTANTIATE_TEST_SUITE_P(FourParts, EventFlood, ::testing::Range(1, FloodParts + 1));
