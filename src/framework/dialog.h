// CDialog: a modeless dialog made from a dialog template of the program's resources.
#pragma once

#include "framework/wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Creates the dialog from template nIDTemplate, owned by pParentWnd's window (or by the parent
    // given at construction); OnInitDialog runs inside. The dialog is shown only when its template
    // says so.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // The dialog and its controls exist: TRUE lets the dialog manager put the focus on the first
    // control, FALSE says that the focus has been placed.
    virtual BOOL OnInitDialog();

    // Keys for the dialog or its controls go through the dialog manager: Tab moves the focus, Enter
    // and Escape become the IDOK and IDCANCEL commands.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // The IDOK and IDCANCEL commands; both end a modeless dialog by hiding it.
    virtual void OnOK();
    virtual void OnCancel();

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
};
