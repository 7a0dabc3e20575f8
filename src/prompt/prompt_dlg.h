// CPromptDlg: the small modeless prompt with its icon button and text, shown topmost on a first
// press, and its blink.
#pragma once

#include "framework/cstring.h"
#include "framework/dialog.h"
#include "prompt/icon_button.h"
#include "prompt/scaled_icons.h"

#include <cstdint>

class CUiComponents;

// Index into the prompt's icon set.
enum IconSlot : unsigned int {
    IconIdle = 0,       // idle, and the first frame of the blink
    IconAlternate = 1,  // the second frame of the blink, and a failed launch
    IconStarting = 2,   // while the program starts
};

const UINT_PTR IDT_BLINK = 102;

class CPromptDlg : public CDialog {
public:
    // The dialog object; CDialog::Create makes its window. The UI component client, which must
    // outlive the dialog, is asked to create its objects, which the destructor asks it to release;
    // the button takes its colour from it.
    CPromptDlg(CUiComponents& uiComponents, CWnd* pParent);
    ~CPromptDlg() override;

    // Shows the text, and gives it to the button as its name, which screen readers read and
    // announce when it changes.
    void SetText(CString text);
    // TRUE shows the prompt enabled, centred, topmost and in the foreground, with the focus on
    // the button; FALSE disables and hides it.
    void Show(BOOL bShow);
    // Makes the icon of a slot the current one and repaints the button; slots past 2 are ignored.
    void SetIcon(unsigned int slot);
    // Fills the icon set; the current icon stays as it is. The dialog never destroys the icons.
    void SetIcons(HICON hIdle, HICON hAlternate, HICON hStarting);
    // Where the user has turned animations off, shows the idle icon steadily instead.
    void StartBlink();
    void StopBlink();

    BOOL OnInitDialog() override;

    HICON m_hCurrentIcon = NULL;     // the icon the button shows; NULL: its background only
    CIconButton m_button;
    std::uint32_t m_nBlinkPhase = 0;  // toggles this dialog has made; the lowest bit is the slot
    HICON m_hIcons[3] = {};
    BOOL m_bBlinkActive = FALSE;      // the blink timer runs
    // The rhythm's counters: toggles made, ticks still to wait. Never reset, so that a later blink
    // continues the rhythm where the last one stopped.
    std::uint32_t m_nBlinkToggles = 0;
    std::uint32_t m_nBlinkWait = 0;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;
    // Neither Enter nor Escape ends or hides the prompt.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void OnDestroy();
    void OnDrawItem(int nIDCtl, DRAWITEMSTRUCT* pDrawItem);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    // The prompt moved to a monitor of another scale: it takes the size the system suggests.
    void OnDpiChanged(UINT dpi, const RECT* pSuggested);
    // Places and sizes the button for the dialog's scale.
    void PlaceButton(UINT dpi);

    CUiComponents& m_uiComponents;
    CScaledIcons m_scaledIcons;  // the icon set at the button's size
};

// The blink timer's callback: one tick of the rhythm on the dialog's window.
void CALLBACK BlinkTimerProc(HWND hWnd, UINT message, UINT_PTR nIDEvent, DWORD dwTime);
