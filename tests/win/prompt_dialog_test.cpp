// The prompt dialog and its icon button, with real windows: showing and hiding, the icon set, the
// blink, the held flag, and what the button really paints at each display scale and under the
// user's High Contrast and animation settings.
#include "accessibility.h"
#include "child_process.h"
#include "framework/win_app.h"
#include "import_hook.h"
#include "message_pump.h"
#include "program_test_app.h"
#include "prompt/prompt_dlg.h"
#include "registry_sandbox.h"
#include "res/resource.h"
#include "test_icons.h"

#include <gtest/gtest.h>

#include <string>

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

    m_pDlg->SetText("Failed to launch R&D.exe.");
    EXPECT_EQ(AccessibleName(m_hButton), L"Failed to launch R&D.exe.") << "the button's name keeps the ampersand";
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

// The button's place and size and the icon's image follow the dialog's DPI: as it is created, and
// as it moves to monitors of the other scales.
TEST_F(PromptDialog, ButtonAndIconFollowTheScale)
{
    const struct {
        int dpi, offset, size;
    } scales[] = { { 96, 12, 32 }, { 144, 18, 48 }, { 192, 24, 64 } };
    HDC hScreen = ::GetDC(NULL);
    size_t at = 0;
    while (at < 3 && scales[at].dpi != ::GetDeviceCaps(hScreen, LOGPIXELSY))
        ++at;
    ::ReleaseDC(NULL, hScreen);
    ASSERT_LT(at, 3u) << "a screen of 96, 144 or 192 DPI";
    HMODULE hModule = ::GetModuleHandleA(NULL);
    m_pDlg->SetIcons(::LoadIconA(hModule, MAKEINTRESOURCEA(IDI_IDLE)), NULL, NULL);
    m_pDlg->Show(TRUE);
    for (int move = 0; move < 3; ++move, at = (at + 1) % 3) {
        const auto& scale = scales[at];
        SCOPED_TRACE(std::to_string(scale.dpi) + " DPI");
        RECT button;
        const RECT expected = { scale.offset, scale.offset, scale.offset + scale.size, scale.offset + scale.size };
        ::GetWindowRect(m_hButton, &button);
        ::MapWindowPoints(NULL, m_hDlg, reinterpret_cast<POINT*>(&button), 2);
        EXPECT_TRUE(::EqualRect(&button, &expected)) << button.left << "," << button.top << " " << button.right - button.left;
        m_pDlg->SetIcon(IconIdle);
        ::UpdateWindow(m_hButton);
        HICON hImage = static_cast<HICON>(::LoadImageA(hModule, MAKEINTRESOURCEA(IDI_IDLE), IMAGE_ICON, scale.size, scale.size, 0));
        EXPECT_TRUE(ShowsIcon(m_hButton, hImage)) << "the image drawn for the size, over the whole background";
        ::DestroyIcon(hImage);

        // Moved as the system suggests it: the client area scaled, the frame as the system draws it.
        const int next = scales[(at + 1) % 3].dpi;
        RECT suggested, client, placed;
        ::GetWindowRect(m_hDlg, &suggested);
        ::GetClientRect(m_hDlg, &client);
        suggested.right += ::MulDiv(client.right, next, scale.dpi) - client.right;
        suggested.bottom += ::MulDiv(client.bottom, next, scale.dpi) - client.bottom;
        ::SendMessageA(m_hDlg, WM_DPICHANGED, MAKEWPARAM(next, next), reinterpret_cast<LPARAM>(&suggested));
        ::GetWindowRect(m_hDlg, &placed);
        EXPECT_TRUE(::EqualRect(&placed, &suggested)) << "the dialog takes the suggested place";
    }
}

// Wine gives a process the screen's DPI of the user's setting as it starts: the checks above again
// in processes started at 144 and at 192 DPI.
TEST_F(PromptDialog, ButtonAndIconFollowTheScaleAt144And192Dpi)
{
    for (DWORD dpi : { 144, 192 }) {
        PutNumber(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", dpi);
        ChildProcess child;
        EXPECT_TRUE(child.Start("\"" + ProgramBeside("window_tests.exe") + "\" --gtest_filter=*.ButtonAndIconFollowTheScale", true));
        const std::string output = child.Output(30000);
        EXPECT_NE(output.find("[  PASSED  ] 1 test."), std::string::npos) << dpi << " DPI:\n" << output;
    }
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels");
}

// High Contrast: the icon gets a rim in the system's text colour, which shows on the button's face
// whatever the scheme; without it, none.
TEST_F(PromptDialog, IconHasARimInTheTextColourUnderHighContrastOnly)
{
    FillIcons();
    m_pDlg->Show(TRUE);
    for (bool on : { true, false }) {
        const ReportedHighContrast highContrast(on);
        m_pDlg->SetIcon(IconAlternate);
        ::UpdateWindow(m_hButton);
        const WindowPixels pixels(m_hButton);
        const COLORREF rim = ::GetSysColor(on ? COLOR_BTNTEXT : COLOR_BTNFACE);
        for (POINT at : { POINT{ 7, 16 }, POINT{ 24, 16 }, POINT{ 16, 7 } })
            EXPECT_EQ(pixels.At(at.x, at.y), rim) << "beside the square at " << at.x << "," << at.y << ", High Contrast " << on;
        EXPECT_EQ(pixels.At(6, 16), ::GetSysColor(COLOR_BTNFACE)) << "one pixel wide at 96 DPI";
        EXPECT_EQ(pixels.At(16, 16), RGB(0, 255, 0)) << "the icon over it";
    }
}

// With animations off the prompt shows the idle icon at once and steadily: no blink timer runs.
TEST_F(PromptDialog, NoBlinkWhenAnimationsAreOff)
{
    BOOL animations = TRUE;
    ::SystemParametersInfoA(SPI_GETCLIENTAREAANIMATION, 0, &animations, 0);
    ::SystemParametersInfoA(SPI_SETCLIENTAREAANIMATION, 0, nullptr, 0);
    FillIcons();
    m_pDlg->StartBlink();
    const bool blinkTimer = ::KillTimer(m_hDlg, 102) != FALSE;
    ::SystemParametersInfoA(SPI_SETCLIENTAREAANIMATION, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(animations)), 0);
    EXPECT_FALSE(blinkTimer);
    EXPECT_FALSE(m_pDlg->m_bBlinkActive);
    EXPECT_EQ(m_pDlg->m_hCurrentIcon, m_hIcons[0]);
}
