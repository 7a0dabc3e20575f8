// The prompt dialog: its operations, its initialisation and its messages.
#include "prompt/prompt_dlg.h"

#include "prompt/blink_clock.h"
#include "res/resource.h"
#include "uicomponents/ui_components.h"

CPromptDlg::CPromptDlg(CUiComponents& uiComponents, CWnd* pParent)
    : CDialog(IDD_PROMPT, pParent)
    , m_button(uiComponents)
    , m_uiComponents(uiComponents)
{
    m_uiComponents.Create();
}

CPromptDlg::~CPromptDlg()
{
    m_uiComponents.Release();
}

void CPromptDlg::PostNcDestroy()
{
    CDialog::PostNcDestroy();
    delete this;
}

void CPromptDlg::SetText(CString text)
{
    CWindowRef textControl = GetDlgItem(IDC_PROMPT_TEXT);
    if (textControl.m_hWnd != NULL)
        textControl.SetWindowText(text);
}

void CPromptDlg::Show(BOOL bShow)
{
    if (bShow) {
        EnableWindow(TRUE);
        CenterWindow(::GetDesktopWindow());
        SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow();
        m_button.SetFocus();
    } else {
        EnableWindow(FALSE);
        ShowWindow(SW_HIDE);
    }
}

void CPromptDlg::SetIcon(unsigned int slot)
{
    if (slot >= 3)
        return;
    m_hCurrentIcon = m_hIcons[slot];
    m_button.InvalidateRect(NULL, TRUE);
}

void CPromptDlg::SetIcons(HICON hIdle, HICON hAlternate, HICON hStarting)
{
    m_hIcons[IconIdle] = hIdle;
    m_hIcons[IconAlternate] = hAlternate;
    m_hIcons[IconStarting] = hStarting;
}

void CPromptDlg::StartBlink()
{
    if (m_bBlinkActive)
        return;
    SetTimer(IDT_BLINK, BlinkTickMs, BlinkTimerProc);
    m_bBlinkActive = TRUE;
}

void CPromptDlg::StopBlink()
{
    if (!m_bBlinkActive)
        return;
    KillTimer(IDT_BLINK);
    m_bBlinkActive = FALSE;
}

BOOL CPromptDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Start-up fills the icon set only later, so the button starts with its background alone.
    m_hCurrentIcon = m_hIcons[IconIdle];
    const RECT rect = { 12, 12, 44, 44 };
    m_button.Create("", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_OWNERDRAW, rect, this, IDC_ICON_BUTTON);
    m_button.SetWindowPos(NULL, 0, 0, 32, 32, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_button.SetFocus();
    m_button.InvalidateRect(NULL, TRUE);
    return FALSE;  // the focus is placed
}

BOOL CPromptDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    case WM_DRAWITEM:
        OnDrawItem(static_cast<int>(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        *pResult = TRUE;
        return TRUE;
    case WM_SHOWWINDOW:
        OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        return TRUE;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, pResult);
}

void CPromptDlg::OnDestroy()
{
    CWnd::OnDestroy();
    StopBlink();
}

// The button shows the current icon and nothing else: no frame, no pressed look, no focus
// rectangle. Its background comes from its own erase handler.
void CPromptDlg::OnDrawItem(int nIDCtl, DRAWITEMSTRUCT* pDrawItem)
{
    if (nIDCtl != IDC_ICON_BUTTON) {
        CWnd::OnDrawItem(nIDCtl, pDrawItem);
        return;
    }
    if (m_hCurrentIcon != NULL)
        ::DrawIcon(pDrawItem->hDC, 0, 0, m_hCurrentIcon);
}

// Hiding the prompt, by whatever means, ends the blink and forgets a press of the button.
void CPromptDlg::OnShowWindow(BOOL bShow, UINT)
{
    Default();
    if (!bShow) {
        m_button.ClearHeld();
        StopBlink();
    }
}
