// The prompt dialog: its operations, its initialisation and its messages.
#include "prompt/prompt_dlg.h"

#include "prompt/blink_clock.h"
#include "prompt/button_scale.h"
#include "prompt/display_settings.h"
#include "res/resource.h"
#include "uicomponents/ui_components.h"

#include <string>

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
    if (m_button.m_hWnd == NULL)
        return;
    // The owner-drawn button never shows its caption; screen readers read it as the button's name,
    // taking a single ampersand for a keyboard prefix, so each one is doubled.
    std::string name;
    for (const char* p = text; *p != '\0'; ++p) {
        name += *p;
        if (*p == '&')
            name += '&';
    }
    m_button.SetWindowText(name.c_str());
    // Told of the focused button itself, which is what a screen reader follows.
    ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, m_button.m_hWnd, OBJID_CLIENT, CHILDID_SELF);
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
    m_scaledIcons.Forget();
}

void CPromptDlg::StartBlink()
{
    if (m_bBlinkActive)
        return;
    if (!AnimationsOn()) {
        SetIcon(IconIdle);
        return;
    }
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
    // Laid out in pixels, while the system scales the rest of the dialog: scaled here alike.
    const ButtonPlace place = IconButtonPlace(WindowDpi(m_hWnd));
    const RECT rect = { place.left, place.top, place.left + place.size, place.top + place.size };
    m_button.Create("", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_OWNERDRAW, rect, this, IDC_ICON_BUTTON);
    m_button.SetWindowPos(NULL, 0, 0, place.size, place.size, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        *pResult = 0;
        return TRUE;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, pResult);
}

void CPromptDlg::OnDestroy()
{
    CWnd::OnDestroy();
    StopBlink();
    m_scaledIcons.Forget();
}

// The button shows the current icon, at the button's size, and nothing else: no frame, no pressed
// look, no focus rectangle. Its background comes from its own erase handler.
void CPromptDlg::OnDrawItem(int nIDCtl, DRAWITEMSTRUCT* pDrawItem)
{
    if (nIDCtl != IDC_ICON_BUTTON) {
        CWnd::OnDrawItem(nIDCtl, pDrawItem);
        return;
    }
    if (m_hCurrentIcon == NULL)
        return;
    const int size = pDrawItem->rcItem.right - pDrawItem->rcItem.left;
    HICON hIcon = m_scaledIcons.At(m_hCurrentIcon, size);
    // The rim follows the button's scale: 32 pixels at 96 DPI.
    if (HighContrastOn())
        DrawIconRim(pDrawItem->hDC, hIcon, size, HighContrastRimWidth(size * 3), ::GetSysColor(COLOR_BTNTEXT));
    ::DrawIconEx(pDrawItem->hDC, 0, 0, hIcon, size, size, 0, NULL, DI_NORMAL);
}

void CPromptDlg::OnDpiChanged(UINT dpi, const RECT* pSuggested)
{
    Default();
    SetWindowPos(NULL, pSuggested->left, pSuggested->top, pSuggested->right - pSuggested->left,
                 pSuggested->bottom - pSuggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceButton(dpi);
}

void CPromptDlg::PlaceButton(UINT dpi)
{
    const ButtonPlace place = IconButtonPlace(dpi);
    m_button.SetWindowPos(NULL, place.left, place.top, place.size, place.size, SWP_NOZORDER | SWP_NOACTIVATE);
    m_button.InvalidateRect(NULL, TRUE);
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
