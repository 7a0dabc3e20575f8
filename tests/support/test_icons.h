// Icons and pixels for tests that look at what a window really shows.
#pragma once

#include <windows.h>

#include <vector>

// A 32 x 32 icon, transparent but for a solid 16 x 16 square of the colour in its middle
// (pixels 8 to 23 both ways). The caller destroys it with DestroyIcon.
HICON MakeSquareIcon(COLORREF colour);

// The pixels of a window's client area as the window has painted them, captured once.
class WindowPixels {
public:
    explicit WindowPixels(HWND hWnd);
    COLORREF At(int x, int y) const;
    int Width() const { return m_width; }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<COLORREF> m_pixels;
};

// Whether the screen shows the control, of any process, as the icon drawn over it at its size over
// the colour of its top left pixel, as a control that shows an icon draws it.
bool ShowsIcon(HWND hControl, HICON hIcon);
