// Icons and pixels for tests.
#include "test_icons.h"

HICON MakeSquareIcon(COLORREF colour)
{
    const int size = 32;
    BITMAPINFO info = {};
    info.bmiHeader = { sizeof info.bmiHeader, size, -size /* top-down */, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    void* bits = nullptr;
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hColour = ::CreateDIBSection(hScreen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    ::ReleaseDC(NULL, hScreen);

    // Mask: one bit a pixel, rows of 4 bytes; 1 is transparent.
    BYTE mask[size * size / 8] = {};
    DWORD* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool inside = x >= 8 && x < 24 && y >= 8 && y < 24;
            pixels[y * size + x] = inside ? (GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour)) : 0;
            if (!inside)
                mask[y * (size / 8) + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        }
    }
    HBITMAP hMask = ::CreateBitmap(size, size, 1, 1, mask);
    ICONINFO iconInfo = { TRUE, 0, 0, hMask, hColour };
    HICON hIcon = ::CreateIconIndirect(&iconInfo);
    ::DeleteObject(hMask);
    ::DeleteObject(hColour);
    return hIcon;
}

WindowPixels::WindowPixels(HWND hWnd)
{
    RECT client;
    ::GetClientRect(hWnd, &client);
    m_width = client.right;
    m_height = client.bottom;
    HDC hWindow = ::GetDC(hWnd);
    HDC hMemory = ::CreateCompatibleDC(hWindow);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hWindow, m_width, m_height);
    HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
    ::BitBlt(hMemory, 0, 0, m_width, m_height, hWindow, 0, 0, SRCCOPY);
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x)
            m_pixels.push_back(::GetPixel(hMemory, x, y));
    }
    ::SelectObject(hMemory, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemory);
    ::ReleaseDC(hWnd, hWindow);
}

COLORREF WindowPixels::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    return m_pixels[static_cast<size_t>(y) * m_width + x];
}

bool ShowsIcon(HWND hControl, HICON hIcon)
{
    RECT shown;
    ::GetWindowRect(hControl, &shown);
    const int width = shown.right - shown.left;
    const int height = shown.bottom - shown.top;
    HDC hScreen = ::GetDC(NULL);
    HDC hMemory = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, width, height);
    HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
    HBRUSH hBackground = ::CreateSolidBrush(::GetPixel(hScreen, shown.left, shown.top));
    const RECT all = { 0, 0, width, height };
    ::FillRect(hMemory, &all, hBackground);
    ::DrawIconEx(hMemory, 0, 0, hIcon, width, height, 0, NULL, DI_NORMAL);
    bool same = width > 0;
    for (int y = 0; same && y < height; ++y) {
        for (int x = 0; same && x < width; ++x)
            same = ::GetPixel(hMemory, x, y) == ::GetPixel(hScreen, shown.left + x, shown.top + y);
    }
    ::DeleteObject(hBackground);
    ::SelectObject(hMemory, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemory);
    ::ReleaseDC(NULL, hScreen);
    return same;
}
