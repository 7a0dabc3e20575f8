// The prompt dialog and its icon button, with real windows: showing and hiding, the icon set, the
// blink, the held flag, and what the button really paints.
#include "framework/win_app.h"
#include "import_hook.h"
#include "message_pump.h"
#include "program_test_app.h"
#include "prompt/prompt_dlg.h"
#include "res/resource.h"
#include "test_icons.h"

#include <gtest/gtest.h>

namespace {

// The blink timer's period as the dialog asks for it; the timer itself still runs.
decltype(::SetTimer)* g_setTimer = nullptr;
UINT g_blinkTickMs = 0;

UINT_PTR WINAPI RecordTimer(HWND hWnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc)
{
    if (id == 102)
        g_blinkTickMs = elapseMs;
    return g_setTimer(hWnd, id, elapseMs, proc);
}

class PromptDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hIcons[0] = MakeSquareIcon(RGB(255, 0, 0));
        m_hIcons[1] = MakeSquareIcon(RGB(0, 255, 0));
        m_hIcons[2] = MakeSquareIcon(RGB(0, 0, 255));
        m_pDlg = new CPromptDlg(theProgramTestApp.m_uiComponents, nullptr);
        ASSERT_TRUE(m_pDlg->Create(IDD_PROMPT, nullptr));
        m_hDlg = m_pDlg->m_hWnd;
        m_hButton = m_pDlg->m_button.m_hWnd;
    }
    void TearDown() override
    {
        if (::IsWindow(m_hDlg))
            m_pDlg->DestroyWindow();
        for (HICON hIcon : m_hIcons)
            ::DestroyIcon(hIcon);
    }
    void FillIcons() { m_pDlg->SetIcons(m_hIcons[0], m_hIcons[1], m_hIcons[2]); }

    HICON m_hIcons[3] = {};
    CPromptDlg* m_pDlg = nullptr;  // deletes itself with its window
    HWND m_hDlg = NULL;
    HWND m_hButton = NULL;
};

}  // namespace

TEST_F(PromptDialog, StartsHiddenAndEnabledWithAButtonAndNoIconAndFillingTheSetChangesNoIcon)
{
    EXPECT_FALSE(::IsWindowVisible(m_hDlg));
    EXPECT_TRUE(::IsWindowEnabled(m_hDlg));
    ASSERT_NE(m_hButton, (HWND)NULL);
    EXPECT_EQ(::GetDlgCtrlID(m_hButton), 101);
    RECT button;
    ::GetWindowRect(m_hButton, &button);
    ::MapWindowPoints(NULL, m_hDlg, reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(button.left, 12);
    EXPECT_EQ(button.top, 12);
    EXPECT_EQ(button.right - button.left, 32);
    EXPECT_EQ(button.bottom - button.top, 32);
    EXPECT_EQ(::GetWindowLongA(m_hButton, GWL_STYLE) & 0x5002000F, 0x5002000B);
    EXPECT_EQ(m_pDlg->m_hCurrentIcon, (HICON)NULL);

    FillIcons();
    EXPECT_EQ(m_pDlg->m_hCurrentIcon, (HICON)NULL) << "filling the set changes no icon";
    BlinkTimerProc(m_hDlg, WM_TIMER, 103, 0);
    EXPECT_EQ(m_pDlg->m_hCurrentIcon, (HICON)NULL) << "a tick of another timer changes nothing";
    EXPECT_EQ(m_pDlg->m_nBlinkToggles + m_pDlg->m_nBlinkWait, 0u);

    m_pDlg->SetIcon(IconStarting);
    EXPECT_EQ(m_pDlg->m_hCurrentIcon, m_hIcons[2]);
    m_pDlg->SetIcon(3);
    m_pDlg->SetIcon(1000);
    EXPECT_EQ(m_pDlg->m_hCurrentIcon, m_hIcons[2]) << "slots past 2 are ignored";
}

// Where showing puts the prompt is met through the event window's presses.
TEST_F(PromptDialog, ShowingStartsNoBlinkAndHidingDisablesItStopsTheBlinkAndForgetsAPress)
{
    m_pDlg->Show(TRUE);
    EXPECT_FALSE(m_pDlg->m_bBlinkActive) << "showing does not start the blink";
    m_pDlg->StartBlink();
    ::SendMessageA(m_hButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    ASSERT_TRUE(m_pDlg->m_button.IsHeld());

    m_pDlg->Show(FALSE);

    EXPECT_FALSE(::IsWindowVisible(m_hDlg));
    EXPECT_FALSE(::IsWindowEnabled(m_hDlg));
    EXPECT_FALSE(m_pDlg->m_bBlinkActive);
    EXPECT_FALSE(m_pDlg->m_button.IsHeld());
    EXPECT_FALSE(::KillTimer(m_hDlg, 102)) << "the blink timer still runs";
}

TEST_F(PromptDialog, BlinkTicksEvery100MsAlternatesFromIdleStartsAndStopsOnceAndGoesOnAfterARestart)
{
    const ImportHook<decltype(::SetTimer)> timerHook("USER32.dll", "SetTimer", RecordTimer);
    ASSERT_TRUE(timerHook.Installed());
    g_setTimer = timerHook.Original();
    FillIcons();
    m_pDlg->Show(TRUE);
    m_pDlg->StartBlink();
    m_pDlg->StartBlink();
    EXPECT_TRUE(m_pDlg->m_bBlinkActive);
    EXPECT_EQ(g_blinkTickMs, 100u);

    ASSERT_TRUE(PumpUntil([&] { return m_pDlg->m_hCurrentIcon == m_hIcons[0]; }, 5000));
    EXPECT_EQ(m_pDlg->m_nBlinkToggles, 1u);
    ASSERT_TRUE(PumpUntil([&] { return m_pDlg->m_hCurrentIcon == m_hIcons[1]; }, 5000));
    EXPECT_EQ(m_pDlg->m_nBlinkToggles, 2u);
    EXPECT_EQ(m_pDlg->m_nBlinkPhase, 2u);

    const std::uint32_t wait = m_pDlg->m_nBlinkWait;
    m_pDlg->StopBlink();
    EXPECT_FALSE(m_pDlg->m_bBlinkActive);
    EXPECT_FALSE(::KillTimer(m_hDlg, 102)) << "a second blink timer runs";
    m_pDlg->StopBlink();
    EXPECT_FALSE(m_pDlg->m_bBlinkActive);
    m_pDlg->StartBlink();
    EXPECT_EQ(m_pDlg->m_nBlinkWait, wait) << "the rhythm is not started afresh";
    ASSERT_TRUE(PumpUntil([&] { return m_pDlg->m_hCurrentIcon == m_hIcons[0]; }, 5000));
    EXPECT_EQ(m_pDlg->m_nBlinkToggles, 3u);
}

TEST_F(PromptDialog, HeldButtonTogglesAtEveryTickOfARealBlink)
{
    FillIcons();
    m_pDlg->Show(TRUE);
    ::SendMessageA(m_hButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    m_pDlg->StartBlink();
    ASSERT_TRUE(PumpUntil([&] { return m_pDlg->m_nBlinkToggles == 1; }, 5000));

    // Between two toggles of the slow rhythm the wait runs down; held, no tick passes without one.
    bool waited = false;
    ASSERT_TRUE(PumpUntil([&] {
        waited = waited || m_pDlg->m_nBlinkWait < 5;
        return m_pDlg->m_nBlinkToggles >= 4;
    }, 5000));
    EXPECT_FALSE(waited);
}

TEST_F(PromptDialog, OnlyAPressOfTheLeftButtonHoldsTheButtonAndNothingClosesOrHidesIt)
{
    m_pDlg->Show(TRUE);
    ::SendMessageA(m_hButton, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
    EXPECT_FALSE(m_pDlg->m_button.IsHeld());
    ::SendMessageA(m_hButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    EXPECT_TRUE(m_pDlg->m_button.IsHeld());
    ::SendMessageA(m_hButton, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_FALSE(m_pDlg->m_button.IsHeld());
    PressKey(m_hButton, VK_SPACE);
    EXPECT_FALSE(m_pDlg->m_button.IsHeld());
    PressKey(m_hButton, VK_RETURN);
    PressKey(m_hButton, VK_ESCAPE);
    PumpPendingMessages();
    EXPECT_TRUE(::IsWindowVisible(m_hDlg)) << "neither a click nor Enter nor Escape";
}

TEST_F(PromptDialog, ButtonShowsItsBackgroundAloneAndThenTheCurrentIconOverTheButtonFaceColour)
{
    FillIcons();
    m_pDlg->Show(TRUE);
    ::UpdateWindow(m_hButton);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const WindowPixels background(m_hButton);
    for (int y = 0; y < 32; y += 5) {
        for (int x = 0; x < 32; x += 5)
            ASSERT_EQ(background.At(x, y), face) << "without an icon, at " << x << "," << y;
    }

    m_pDlg->SetIcon(IconAlternate);
    RECT invalid;
    EXPECT_TRUE(::GetUpdateRect(m_hButton, &invalid, FALSE)) << "the painted button is to be painted again";
    ::UpdateWindow(m_hButton);
    const WindowPixels pixels(m_hButton);
    ASSERT_EQ(pixels.Width(), 32);
    EXPECT_EQ(pixels.At(16, 16), RGB(0, 255, 0)) << "the icon's square";
    EXPECT_EQ(pixels.At(8, 8), RGB(0, 255, 0));
    EXPECT_EQ(pixels.At(2, 2), face) << "the background where the icon is transparent";
    EXPECT_EQ(pixels.At(31, 31), face);
    EXPECT_EQ(pixels.At(0, 16), face) << "no frame is drawn";
}
