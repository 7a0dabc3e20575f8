// What the user has asked of the display: its scale where the window is, High Contrast, and
// whether windows may animate.
#pragma once

#include "framework/win32.h"

// The DPI of the monitor the window is on; where the system has no per-monitor scale (before
// Windows 10), the system's DPI.
UINT WindowDpi(HWND hWnd);
// High Contrast is on: the system's colours are to be used, not the program's.
bool HighContrastOn();
// "Show animations in Windows": when it is off, nothing on the screen is to move or blink.
bool AnimationsOn();
