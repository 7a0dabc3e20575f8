// CIconButton: the prompt's owner-drawn icon button. It knows whether the user holds it down, and
// paints its own background.
#pragma once

#include "framework/button.h"
#include "framework/gdi.h"

class CUiComponents;

class CIconButton : public CButton {
public:
    // The UI component client, which must outlive the button, gives its background colour.
    explicit CIconButton(CUiComponents& uiComponents) : m_uiComponents(uiComponents) {}

    BOOL IsHeld() const { return m_bHeld; }
    void ClearHeld() { m_bHeld = FALSE; }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    void OnLButtonDown(UINT nFlags, POINT point);
    void OnLButtonUp(UINT nFlags, POINT point);
    BOOL OnEraseBkgnd(CDC* pDC);

    CUiComponents& m_uiComponents;
    BOOL m_bHeld = FALSE;
};

// Fills the rectangle with the colour through an 8 x 8 pattern brush made for this one call.
void FillPatternRect(CDC* pDC, const RECT* pRect, COLORREF colour);
// Paints the icon's outline, width pixels wide, in the colour: its shape, as drawn at size x size
// at the top left, widened by width on every side. The icon drawn over it then shows with a rim.
void DrawIconRim(HDC hDC, HICON hIcon, int size, int width, COLORREF colour);
