// The icon button's messages: the held flag follows the left mouse button.
#include "prompt/icon_button.h"

#include <windowsx.h>

BOOL CIconButton::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const POINT point = { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
    switch (message) {
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), point);
        return TRUE;
    case WM_LBUTTONUP:
        OnLButtonUp(static_cast<UINT>(wParam), point);
        return TRUE;
    case WM_ERASEBKGND: {
        CDC dc(reinterpret_cast<HDC>(wParam));
        *pResult = OnEraseBkgnd(&dc);
        return TRUE;
    }
    }
    return CButton::OnWndMsg(message, wParam, lParam, pResult);
}

// Only a press of the left button sets the flag: the second press of a double click arrives as
// WM_LBUTTONDBLCLK, and the keyboard never presses the button in this sense.
void CIconButton::OnLButtonDown(UINT, POINT)
{
    m_bHeld = TRUE;
    Default();
}

void CIconButton::OnLButtonUp(UINT, POINT)
{
    m_bHeld = FALSE;
    Default();
}
