// The icon button's background: the button-face colour, or the UI component library's colour for
// it, painted through a pattern brush.
#include "prompt/icon_button.h"

#include "prompt/pattern_dib.h"
#include "uicomponents/ui_components.h"

#include <stdlib.h>

BOOL CIconButton::OnEraseBkgnd(CDC* pDC)
{
    COLORREF colour = ::GetSysColor(COLOR_BTNFACE);
    m_uiComponents.GetColour(COLOR_BTNFACE, &colour);
    RECT rect;
    GetClientRect(&rect);
    FillPatternRect(pDC, &rect, colour);
    return TRUE;
}

void FillPatternRect(CDC* pDC, const RECT* pRect, COLORREF colour)
{
    unsigned char* dib = static_cast<unsigned char*>(malloc(PatternDibSize));
    if (dib == nullptr) {
        pDC->FillSolidRect(pRect, colour);
        return;
    }
    WritePatternDib(dib, colour);
    // Nothing is cached: every erase makes, uses and deletes its own brush.
    CBrush brush;
    brush.Attach(::CreateDIBPatternBrushPt(dib, DIB_RGB_COLORS));
    ::FillRect(pDC->m_hDC, pRect, brush);
    free(dib);
}
