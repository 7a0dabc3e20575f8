// The blink timer: the process-wide rhythm applied to the prompt's icon.
#include "prompt/blink_clock.h"
#include "prompt/prompt_dlg.h"

// Shared by every prompt of the process and never reset, so that a later blink continues the
// rhythm where the last one stopped.
std::uint32_t g_nBlinkToggles = 0;
std::uint32_t g_nBlinkWait = 0;

void CALLBACK BlinkTimerProc(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    if (nIDEvent != IDT_BLINK)
        return;
    CPromptDlg* pDlg = dynamic_cast<CPromptDlg*>(CWnd::FromHandle(hWnd));
    if (pDlg == nullptr)
        return;
    if (!BlinkClockTick(g_nBlinkToggles, g_nBlinkWait, pDlg->m_button.IsHeld() != FALSE))
        return;
    pDlg->SetIcon(pDlg->m_nBlinkPhase & 1);
    ++pDlg->m_nBlinkPhase;
}
