// The icon button's background: the button-face colour, or the UI component library's colour for
// it, painted through a pattern brush; under High Contrast the system's colours alone.
#include "prompt/icon_button.h"

#include "prompt/display_settings.h"
#include "prompt/pattern_dib.h"
#include "uicomponents/ui_components.h"

#include <stdlib.h>

BOOL CIconButton::OnEraseBkgnd(CDC* pDC)
{
    COLORREF colour = ::GetSysColor(COLOR_BTNFACE);
    // The user's High Contrast scheme ranks above the suite's colour.
    if (!HighContrastOn())
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

void DrawIconRim(HDC hDC, HICON hIcon, int size, int width, COLORREF colour)
{
    ICONINFO info = {};
    if (!::GetIconInfo(hIcon, &info))
        return;
    BITMAP mask = {};
    ::GetObjectA(info.hbmMask, sizeof mask, &mask);
    HDC hMaskDC = ::CreateCompatibleDC(hDC);
    CBrush brush;
    brush.Attach(::CreateSolidBrush(colour));
    if (hMaskDC != NULL && brush.m_hObject != NULL) {
        HGDIOBJ hOldMask = ::SelectObject(hMaskDC, info.hbmMask);
        HGDIOBJ hOldBrush = ::SelectObject(hDC, brush);
        const COLORREF oldText = ::SetTextColor(hDC, RGB(0, 0, 0));
        const COLORREF oldBack = ::SetBkColor(hDC, RGB(255, 255, 255));
        const int oldMode = ::SetStretchBltMode(hDC, COLORONCOLOR);
        // The mask is white where the icon is transparent; the brush goes where it is black (the
        // raster operation PSDPxax keeps the destination under white and paints the brush under
        // black). A monochrome icon's mask is its upper half.
        const DWORD BrushWhereSourceIsBlack = 0x00B8074A;
        for (int dy = -width; dy <= width; ++dy) {
            for (int dx = -width; dx <= width; ++dx) {
                if (dx != 0 || dy != 0)
                    ::StretchBlt(hDC, dx, dy, size, size, hMaskDC, 0, 0, mask.bmWidth, mask.bmWidth,
                                 BrushWhereSourceIsBlack);
            }
        }
        ::SetStretchBltMode(hDC, oldMode);
        ::SetBkColor(hDC, oldBack);
        ::SetTextColor(hDC, oldText);
        ::SelectObject(hDC, hOldBrush);
        ::SelectObject(hMaskDC, hOldMask);
    }
    if (hMaskDC != NULL)
        ::DeleteDC(hMaskDC);
    if (info.hbmColor != NULL)
        ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
}
