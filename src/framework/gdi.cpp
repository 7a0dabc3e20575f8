// Thin wrappers of GDI objects.
#include "framework/gdi.h"

void CDC::FillSolidRect(const RECT* lpRect, COLORREF clr) const
{
    const COLORREF oldColour = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
    ::SetBkColor(m_hDC, oldColour);
}

BOOL CBrush::Attach(HBRUSH hBrush)
{
    DeleteObject();
    m_hObject = hBrush;
    return hBrush != NULL;
}

BOOL CBrush::DeleteObject()
{
    if (m_hObject == NULL)
        return FALSE;
    const BOOL deleted = ::DeleteObject(m_hObject);
    m_hObject = NULL;
    return deleted;
}
