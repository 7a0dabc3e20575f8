// Modeless dialogs: the dialog manager's window, subclassed so that the dialog object sees its
// messages first and passes on what it does not handle.
#include "framework/dialog.h"

#include "framework/afx_helpers.h"

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate)
    , m_pParentWnd(pParentWnd)
{
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    if (m_hWnd != NULL)
        return FALSE;
    m_nIDTemplate = nIDTemplate;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    const char* templateName = MAKEINTRESOURCEA(m_nIDTemplate);
    CHandlerScope scope;
    HWND hWnd = ::CreateDialogParamA(AfxFindResourceHandle(templateName, RT_DIALOG), templateName,
                                     m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : NULL, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    if (hWnd == NULL) {
        KeepAfterFailedCreate();
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

void CDialog::OnOK()
{
    ::EndDialog(m_hWnd, IDOK);
}

void CDialog::OnCancel()
{
    ::EndDialog(m_hWnd, IDCANCEL);
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_INITDIALOG:
        *pResult = OnInitDialog();
        return TRUE;
    case WM_COMMAND:
        // A button's click, or Enter and Escape as the dialog manager passes them on.
        if (HIWORD(wParam) == BN_CLICKED) {
            if (LOWORD(wParam) == IDOK) {
                OnOK();
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                OnCancel();
                return TRUE;
            }
        }
        break;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Messages before WM_INITDIALOG get the dialog manager's processing. At WM_INITDIALOG the
    // object takes the window over; from then on every message reaches it through its window
    // procedure, and this procedure leaves the rest to the dialog manager.
    if (message != WM_INITDIALOG || CWnd::FromHandle(hWnd) != nullptr)
        return FALSE;
    CDialog* pDlg = reinterpret_cast<CDialog*>(lParam);
    pDlg->SubclassWindow(hWnd);
    return AfxWndProc(hWnd, message, wParam, lParam);
}
