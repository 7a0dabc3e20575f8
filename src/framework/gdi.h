// Thin wrappers of GDI objects.
//   CDC     a device context that the code borrows and never releases
//   CBrush  a brush that the object owns and deletes
#pragma once

#include "framework/win32.h"

class CDC {
public:
    explicit CDC(HDC hDC = NULL) : m_hDC(hDC) {}

    HDC GetSafeHdc() const { return m_hDC; }
    // Fills the rectangle with the colour; the context's background colour is left as it was.
    void FillSolidRect(const RECT* lpRect, COLORREF clr) const;

    HDC m_hDC;
};

class CBrush {
public:
    CBrush() = default;
    ~CBrush() { DeleteObject(); }
    CBrush(const CBrush&) = delete;
    CBrush& operator=(const CBrush&) = delete;

    // Takes ownership of hBrush, deleting the brush held before.
    BOOL Attach(HBRUSH hBrush);
    BOOL DeleteObject();

    operator HBRUSH() const { return m_hObject; }

    HBRUSH m_hObject = NULL;
};
