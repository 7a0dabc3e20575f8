// The GDI wrappers paint what they are asked and release what they own.
#include "framework/gdi.h"

#include <gtest/gtest.h>

namespace {

// A 4 by 4 pixel drawing surface in memory, white.
class MemoryCanvas {
public:
    MemoryCanvas()
        : m_hDC(::CreateCompatibleDC(NULL)), m_hBitmap(::CreateBitmap(4, 4, 1, 32, NULL)),
          m_hOld(::SelectObject(m_hDC, m_hBitmap))
    {
        ::PatBlt(m_hDC, 0, 0, 4, 4, WHITENESS);
    }
    ~MemoryCanvas()
    {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteObject(m_hBitmap);
        ::DeleteDC(m_hDC);
    }
    HDC Dc() const { return m_hDC; }

private:
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
};

}  // namespace

TEST(Gdi, FillSolidRectPaintsTheRectangleOnlyAndKeepsTheBackgroundColourAndABrushIsDeletedByItsOwner)
{
    MemoryCanvas canvas;
    ::SetBkColor(canvas.Dc(), RGB(1, 2, 3));
    const RECT inner = { 1, 1, 3, 3 };
    const COLORREF fill = RGB(0x56, 0x34, 0x12);

    CDC(canvas.Dc()).FillSolidRect(&inner, fill);

    for (int at = 0; at < 4; ++at)
        EXPECT_EQ(::GetPixel(canvas.Dc(), at, at), at == 1 || at == 2 ? fill : RGB(255, 255, 255)) << at;
    EXPECT_EQ(::GetBkColor(canvas.Dc()), RGB(1, 2, 3));

    // Once, and on replacement.
    HBRUSH hFirst = ::CreateSolidBrush(RGB(1, 1, 1));
    HBRUSH hSecond = ::CreateSolidBrush(RGB(2, 2, 2));
    {
        CBrush brush;
        EXPECT_TRUE(brush.Attach(hFirst));
        EXPECT_TRUE(brush.Attach(hSecond));
        EXPECT_EQ(::GetObjectType(hFirst), 0u);
        EXPECT_EQ(::GetObjectType(hSecond), static_cast<DWORD>(OBJ_BRUSH));
    }
    EXPECT_EQ(::GetObjectType(hSecond), 0u);
}
