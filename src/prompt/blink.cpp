// The blink timer: the rhythm applied to the prompt's icon.
#include "prompt/blink_clock.h"
#include "prompt/prompt_dlg.h"

void CALLBACK BlinkTimerProc(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    if (nIDEvent != IDT_BLINK)
        return;
    CPromptDlg* pDlg = dynamic_cast<CPromptDlg*>(CWnd::FromHandle(hWnd));
    if (pDlg == nullptr)
        return;
    if (!BlinkClockTick(pDlg->m_nBlinkToggles, pDlg->m_nBlinkWait, pDlg->m_button.IsHeld() != FALSE))
        return;
    pDlg->SetIcon(pDlg->m_nBlinkPhase & 1);
    ++pDlg->m_nBlinkPhase;
}
