// The GDI wrappers paint what they are asked and release what they own.
#include "framework/gdi.h"

#include <gtest/gtest.h>

namespace {

// A 4 by 4 pixel drawing surface in memory.
class MemoryCanvas {
public:
    MemoryCanvas()
        : m_hDC(::CreateCompatibleDC(NULL))
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 4;
        info.bmiHeader.biHeight = 4;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_hBitmap = ::CreateDIBSection(m_hDC, &info, DIB_RGB_COLORS, &bits, NULL, 0);
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
        const RECT all = { 0, 0, 4, 4 };
        ::FillRect(m_hDC, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
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

TEST(Gdi, FillSolidRectPaintsTheRectangleOnlyAndKeepsTheBackgroundColour)
{
    MemoryCanvas canvas;
    ::SetBkColor(canvas.Dc(), RGB(1, 2, 3));
    const RECT inner = { 1, 1, 3, 3 };

    CDC(canvas.Dc()).FillSolidRect(&inner, RGB(0x56, 0x34, 0x12));

    EXPECT_EQ(::GetPixel(canvas.Dc(), 1, 1), RGB(0x56, 0x34, 0x12));
    EXPECT_EQ(::GetPixel(canvas.Dc(), 2, 2), RGB(0x56, 0x34, 0x12));
    EXPECT_EQ(::GetPixel(canvas.Dc(), 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(::GetPixel(canvas.Dc(), 3, 3), RGB(255, 255, 255));
    EXPECT_EQ(::GetBkColor(canvas.Dc()), RGB(1, 2, 3));
}

TEST(Gdi, BrushIsDeletedByItsOwnerOnceAndOnReplacement)
{
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
